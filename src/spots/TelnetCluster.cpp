#include "spots/TelnetCluster.h"

#include <array>
#include <utility>

namespace qf {

namespace {
// The numbers the cluster connection can report, with their monitor texts.
constexpr std::array<std::pair<int, const char*>, 30> kMessages{{
    {7, "ERROR: Out of memory."},
    {380, "ERROR: The property value is invalid."},
    {383, "ERROR: The property is read-only."},
    {394, "ERROR: The property can't be read."},
    {1004, "ERROR: The operation was canceled."},
    {10014, "ERROR: The requested address is a broadcast address, but flag is not set."},
    {10035, "ERROR: Socket is non-blocking and the specified operation will block."},
    {10036, "ERROR: A blocking Winsock operation in progress."},
    {10037, "ERROR: The operation is completed. No blocking operation in progress"},
    {10038, "ERROR: The descriptor is not a socket."},
    {10040, "ERROR: The datagram is too large to fit into the buffer and is truncated."},
    {10043, "ERROR: The specified port is not supported."},
    {10048, "ERROR: Address in use."},
    {10049, "ERROR: Address not available from the local machine."},
    {10050, "ERROR: Network subsystem failed."},
    {10051, "ERROR: The network cannot be reached from this host at this time."},
    {10052, "ERROR: Connection has timed out when SO_KEEPALIVE is set."},
    {10053, "ERROR: Connection is aborted due to timeout or other failure."},
    {10054, "ERROR: The connection is reset by remote side.!"},
    {10055, "ERROR: No buffer space is available."},
    {10056, "ERROR: Socket is already connected."},
    {10057, "ERROR: Socket is not connected."},
    {10058, "ERROR: Socket has been shut down."},
    {10060, "ERROR: Socket has been shut down."},
    {10061, "ERROR: Connection is forcefully rejected."},
    {10093, "ERROR: WinsockInit should be called first."},
    {11001, "ERROR: Authoritative answer: Host not found."},
    {11002, "ERROR: Non-Authoritative answer: Host not found."},
    {11003, "ERROR: Non-recoverable errors."},
    {11004, "ERROR: Valid name, no data record of requested type."},
}};
}  // namespace

QString telnetErrorMessage(int number) {
    for (const auto& [n, text] : kMessages)
        if (n == number) return QString::fromLatin1(text);
    return QStringLiteral("Error number ") + QString::number(number);
}

namespace {
bool beginsWithDx(QStringView text) {
    return text.startsWith(QLatin1String("DX"), Qt::CaseInsensitive);
}
}  // namespace

QStringList TelnetLineAssembler::add(QStringView arrival) {
    QStringList lines;
    // A prompt waiting for its line end must not swallow the spot after it; a spot cut across
    // arrivals (its next piece may begin with a "DX" of its comment) is still joined.
    const bool waitingSpot = skipping_ ? skippedSpot_ : beginsWithDx(partial_);
    if (beginsWithDx(arrival) && !waitingSpot) clear();
    while (!arrival.isEmpty()) {
        const qsizetype lf = arrival.indexOf(QLatin1Char('\n'));
        const QStringView piece = lf < 0 ? arrival : arrival.left(lf + 1);
        arrival = arrival.mid(piece.size());
        if (skipping_) {
            skipping_ = lf < 0;
            continue;
        }
        // Checked before joining, so even a huge arrival never makes the kept line grow past
        // the cap.
        if (partial_.size() + piece.size() - (lf < 0 ? 0 : 1) > kCap) {
            QString head = partial_.left(2);
            head += piece.left(2);
            skippedSpot_ = beginsWithDx(head);
            partial_.clear();
            skipping_ = lf < 0;
            continue;
        }
        partial_ += piece;
        if (lf >= 0) {
            lines.append(partial_);
            partial_.clear();
        }
    }
    return lines;
}

void TelnetLineAssembler::clear() {
    partial_.clear();
    skipping_ = false;
    skippedSpot_ = false;
}

}  // namespace qf
