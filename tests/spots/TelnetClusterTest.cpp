#include "platform/TcpClient.h"
#include "spots/TelnetCluster.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace qf {
namespace {

// How a socket error reaches the monitor: Qt's error, the number it becomes, and the text.
// Numbers with no Qt error behind them are raised by the double in the window tests.
TEST(TelnetErrorTest, SocketErrorsMapToNumbersAndMessages) {
    using E = QAbstractSocket::SocketError;
    struct Case {
        std::optional<E> qt;
        int number;
        const char* message;
    };
    const std::vector<Case> cases = {
        {E::HostNotFoundError, 11001, "ERROR: Authoritative answer: Host not found."},
        {E::ConnectionRefusedError, 10061, "ERROR: Connection is forcefully rejected."},
        {E::SocketTimeoutError, 10060, "ERROR: Socket has been shut down."},
        {E::NetworkError, 10051,
         "ERROR: The network cannot be reached from this host at this time."},
        {E::AddressInUseError, 10048, "ERROR: Address in use."},
        {E::SocketAddressNotAvailableError, 10049,
         "ERROR: Address not available from the local machine."},
        {E::UnsupportedSocketOperationError, 10043, "ERROR: The specified port is not supported."},
        {E::SocketResourceError, 10055, "ERROR: No buffer space is available."},
        {E::SocketAccessError, 20003, "Error number 20003"},
        {E::ProxyAuthenticationRequiredError, 20012, "Error number 20012"},
        {E::UnknownSocketError, 20999, "Error number 20999"},
        {std::nullopt, 10058, "ERROR: Socket has been shut down."},
        {std::nullopt, 10054, "ERROR: The connection is reset by remote side.!"},
        {std::nullopt, 10037,
         "ERROR: The operation is completed. No blocking operation in progress"},
        {std::nullopt, 7, "ERROR: Out of memory."},
        {std::nullopt, 394, "ERROR: The property can't be read."},
        {std::nullopt, 11004, "ERROR: Valid name, no data record of requested type."},
        {std::nullopt, 10059, "Error number 10059"},
        {std::nullopt, 0, "Error number 0"},
    };
    for (const Case& c : cases) {
        if (c.qt) {
            EXPECT_EQ(tcpErrorNumber(*c.qt), c.number) << c.message;
        }
        EXPECT_EQ(telnetErrorMessage(c.number), QString::fromLatin1(c.message)) << c.number;
    }
    // A close by the server is no error at all.
    EXPECT_EQ(tcpErrorNumber(E::RemoteHostClosedError), 0);
}

TEST(TelnetLineAssemblerTest, JoinsArrivalsIntoWholeLines) {
    struct Case {
        const char* name;
        std::vector<QString> arrivals;
        QStringList lines;
        QString pending;
    };
    const QString spot = QStringLiteral("DX de K1AB:     14025.0  W1AW         cq\r\n");
    const std::vector<Case> cases = {
        {"prompt without a line end", {QStringLiteral("login: ")}, {}, QStringLiteral("login: ")},
        {"cut mid-column", {spot.left(18), spot.mid(18, 12), spot.mid(30)}, {spot}, {}},
        {"burst in one arrival",
         {spot + QStringLiteral("hello\r\n") + spot + QStringLiteral("DX de")},
         {spot, QStringLiteral("hello\r\n"), spot},
         QStringLiteral("DX de")},
        {"bare LF and empty arrivals",
         {QString(), QStringLiteral("\n"), QString()},
         {QStringLiteral("\n")},
         {}},
        {"line at the cap kept",
         {QString(TelnetLineAssembler::kCap, QLatin1Char('a')), QStringLiteral("\n")},
         {QString(TelnetLineAssembler::kCap, QLatin1Char('a')) + QLatin1Char('\n')},
         {}},
        {"spot line past the cap dropped up to its LF, a spot start in it too",
         {QStringLiteral("DX de ") + QString(TelnetLineAssembler::kCap, QLatin1Char('a')),
          QStringLiteral("DX de X:        14000.0  JUNK\n") + spot},
         {spot},
         {}},
        // Text a cluster leaves without a line end never swallows the spot after it.
        {"login prompt, then a spot", {QStringLiteral("login: "), spot}, {spot}, {}},
        {"command prompt between two spots",
         {spot, QStringLiteral("W9XYZ de CLUSTER >"), spot},
         {spot, spot},
         {}},
        {"prompt, then a spot in lower case and a cut one",
         {QStringLiteral("login: "), QStringLiteral("dx de K1AB: 7010\r\n") + spot.left(20)},
         {QStringLiteral("dx de K1AB: 7010\r\n")},
         spot.left(20)},
        {"prompt past the cap, then a spot",
         {QString(TelnetLineAssembler::kCap + 1, QLatin1Char('>')), spot},
         {spot},
         {}},
        {"a spot cut before the DX of its comment is still joined",
         {QStringLiteral("DX de K1AB:     14025.0  W1AW         CQ "), QStringLiteral("DX\r\n")},
         {QStringLiteral("DX de K1AB:     14025.0  W1AW         CQ DX\r\n")},
         {}},
        // "dx" then "D": the broken match keeps the "D" that starts the spot.
        {"a prompt ending in dx, then a spot", {QStringLiteral("Type help, dx"), spot}, {spot}, {}},
        {"a prompt cut before its line end is still joined",
         {QStringLiteral("W9XYZ de CLUSTER >"), QStringLiteral("\r\n") + spot},
         {QStringLiteral("W9XYZ de CLUSTER >\r\n"), spot},
         {}},
    };
    for (const Case& c : cases) {
        TelnetLineAssembler a;
        QStringList lines;
        for (const QString& arrival : c.arrivals) lines += a.add(arrival);
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(a.pending(), c.pending) << c.name;
    }
}

// The same bytes give the same spot lines, each once, wherever the network cut them: three
// prompts without a line end (one a user's call that begins with "DX", one holding "dx"), each
// with a spot right behind it, cut in two at every position and in three at random ones.
TEST(TelnetLineAssemblerTest, HandsOnTheSameSpotsHoweverTheStreamIsCut) {
    const QStringList spots = {
        QStringLiteral("DX de W3LPL:     21025.0  K3SAM        CQ                 1200Z\r\n"),
        QStringLiteral("dx de K1AB:       7010.0  W1AW         dx up 2            1201Z\r\n"),
        QStringLiteral("DX de N1XX-2:    14025.0  JA1ABC       CQ DX de JA        1202Z\r\n"),
    };
    const QStringList prompts = {
        QStringLiteral("W9XYZ de NODE 11-Dec-2026 1200Z >"),
        QStringLiteral("DX1ABC de NODE 11-Dec-2026 1201Z >"),
        QStringLiteral("K0XYZ de W1AW-2 12-Sep-2026 1500Z dxspider >"),
    };
    QString stream;
    std::vector<std::string> expected;  // readable when a cut goes wrong
    for (int i = 0; i < 3; ++i) {
        stream += prompts[i] + spots[i];
        expected.push_back(spots[i].toStdString());
    }
    auto linesOf = [](const std::vector<QStringView>& arrivals) {
        TelnetLineAssembler a;
        std::vector<std::string> lines;
        for (QStringView arrival : arrivals)
            for (const QString& line : a.add(arrival)) lines.push_back(line.toStdString());
        EXPECT_TRUE(a.pending().isEmpty());
        return lines;
    };
    const QStringView all(stream);
    for (qsizetype at = 0; at <= all.size(); ++at) {
        ASSERT_EQ(linesOf({all.left(at), all.mid(at)}), expected) << "cut at " << at;
    }
    std::mt19937 random(44);
    std::uniform_int_distribution<qsizetype> position(0, all.size());
    for (int trial = 0; trial < 2000; ++trial) {
        qsizetype first = position(random), second = position(random);
        if (first > second) std::swap(first, second);
        ASSERT_EQ(linesOf({all.left(first), all.mid(first, second - first), all.mid(second)}),
                  expected)
            << "cut at " << first << " and " << second;
    }
}

TEST(TelnetLineAssemblerTest, AMegabyteWithoutLineEndStaysWithinTheCap) {
    TelnetLineAssembler a;
    const QString junk(1 << 20, QLatin1Char('x'));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(a.add(junk).isEmpty());
        EXPECT_LE(a.pending().size(), TelnetLineAssembler::kCap);
    }
    // Small pieces after it are still the same overlong line, until its LF.
    EXPECT_EQ(a.add(QStringLiteral("x tail\nDX next\n")), QStringList{QStringLiteral("DX next\n")});
    a.add(QStringLiteral("DX a"));
    a.clear();  // a new connection
    EXPECT_EQ(a.add(QStringLiteral("b\n")), QStringList{QStringLiteral("b\n")});
}

}  // namespace
}  // namespace qf
