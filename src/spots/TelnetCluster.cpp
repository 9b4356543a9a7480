#include "spots/TelnetCluster.h"

#include <algorithm>
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
// What every spot line of a cluster begins with, in any case; a prompt never holds it.
constexpr std::array<char16_t, 6> kSpotStart{u'd', u'x', u' ', u'd', u'e', u' '};

// ASCII letters folded to lower case: "DX de " has no other letters.
char16_t folded(QChar c) {
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
}
}  // namespace

QStringList TelnetLineAssembler::add(QStringView arrival) {
    QStringList lines;
    qsizetype from = 0;  // the first character of the arrival not yet kept
    for (qsizetype i = 0; i < arrival.size(); ++i) {
        if (arrival[i] != QLatin1Char('\n')) {
            if (spotLine_) {
                // Nothing splits a spot line: straight on to its line end.
                qsizetype end = arrival.indexOf(QLatin1Char('\n'), i);
                if (end < 0) end = arrival.size();
                length_ += end - i;
                i = end - 1;
                continue;
            }
            ++length_;
            // Most characters start no match: kept out of the call.
            if (matchedSize_ == 0 && folded(arrival[i]) != kSpotStart[0]) continue;
            if (!matchSpotStart(arrival[i])) continue;
            spotLine_ = true;
            if (length_ > qsizetype(kSpotStart.size())) {
                // The text before it was a prompt, already shown: the spot starts here.
                partial_ = QString(matched_.data(), matchedSize_);
                length_ = matchedSize_;
                from = i + 1;
            }
            matchedSize_ = 0;
            continue;
        }
        keep(arrival.mid(from, i + 1 - from));
        if (length_ <= kCap) lines.append(partial_);
        clear();
        from = i + 1;
    }
    keep(arrival.mid(from));
    return lines;
}

bool TelnetLineAssembler::matchSpotStart(QChar c) {
    if (folded(c) == kSpotStart[matchedSize_]) {
        matched_[matchedSize_++] = c;
        return matchedSize_ == qsizetype(kSpotStart.size());
    }
    if (matchedSize_ == 0) return false;
    // The longest end of what came that still begins "DX de " ("DX dX" keeps "dX").
    matched_[matchedSize_++] = c;
    for (qsizetype start = 1; start <= matchedSize_; ++start) {
        qsizetype n = 0;
        while (start + n < matchedSize_ && folded(matched_[start + n]) == kSpotStart[n]) ++n;
        if (start + n == matchedSize_) {
            std::copy(matched_.begin() + start, matched_.begin() + matchedSize_, matched_.begin());
            matchedSize_ = n;
            break;
        }
    }
    return false;
}

void TelnetLineAssembler::keep(QStringView text) {
    // Checked on the whole line so far, so even a huge arrival never makes the kept line grow
    // past the cap.
    if (length_ > kCap)
        partial_.clear();
    else
        partial_ += text;
}

void TelnetLineAssembler::clear() {
    partial_.clear();
    length_ = 0;
    spotLine_ = false;
    matchedSize_ = 0;
}

}  // namespace qf
