// Replies of the byte families: the Yaesu status replies, Icom CI-V and the Ten Tec panel.
// Every decoder reads only what the reply holds: a reply too short for a field leaves that
// field's value as it was, so a half-received answer never shows as a reading. A fixed-layout
// reply is found by its place alone, so a cut reply's tail in front of the next answer would
// read at the wrong places: where the layout has a byte that only some values can fill (a
// marker, a mode code, a BCD digit), any other value there means the bytes are no reply, and
// nothing of them is read.
#include "rig/CatBytes.h"
#include "rig/CatCodec.h"

namespace qf::rig {

namespace {

quint8 byteAt(const QByteArray& reply, qsizetype n) {  // n counted from 1
    return static_cast<quint8>(reply.at(n - 1));
}

// Digits first..last (from 1) of the reply's hexadecimal dump, read as one hexadecimal number;
// the reply must reach the last digit.
quint64 hexField(const QByteArray& reply, int first, int last) {
    quint64 v = 0;
    for (int k = first; k <= last; ++k) {
        const quint8 b = byteAt(reply, (k + 1) / 2);
        v = v * 16 + ((k % 2 == 1) ? (b >> 4) : (b & 0xF));
    }
    return v;
}

// Digit k (from 1) of the dump: the high digit of its byte when k is odd.
std::optional<int> dumpDigit(const QByteArray& reply, int k) {
    if ((k + 1) / 2 > reply.size()) return std::nullopt;
    const quint8 b = byteAt(reply, (k + 1) / 2);
    return (k % 2 == 1) ? (b >> 4) : (b & 0xF);
}

float mhz(double value) {
    return static_cast<float>(value);
}

// The mode codes a five-byte Yaesu sends: LSB, USB, CW, CW-R, AM, WFM, FM, DIG, PKT, each also
// with the narrow flag 0x80.
bool yaesuSends(quint8 code) {
    switch (code & 0x7F) {
        case 0x00:
        case 0x01:
        case 0x02:
        case 0x03:
        case 0x04:
        case 0x06:
        case 0x08:
        case 0x0A:
        case 0x0C:
            return true;
        default:
            return false;
    }
}

std::optional<QString> yaesuMode(quint8 code) {
    switch (code) {
        case 0x00:
        case 0x01:
        case 0x04:
        case 0x08:
        case 0x84:
        case 0x88:
            return QStringLiteral("PH");
        case 0x02:
        case 0x03:
        case 0x82:
        case 0x83:
            return QStringLiteral("CW");
        default:
            return std::nullopt;
    }
}

// Table A of the status blocks: 2 is CW, 0 to 7 otherwise phone, a missing digit or 8 to F
// nothing.
std::optional<QString> statusModeA(std::optional<int> digit) {
    if (!digit || *digit > 7) return std::nullopt;
    return *digit == 2 ? QStringLiteral("CW") : QStringLiteral("PH");
}

// The 920's table: CW only for 1, phone for anything else, even when the digit is missing.
QString statusMode920(std::optional<int> digit) {
    return digit == 1 ? QStringLiteral("CW") : QStringLiteral("PH");
}

// A status block: the frequency is a hexadecimal field within bytes 2 to 5, the mode the low
// digit of byte 8.
CatReading statusBlock(const QByteArray& reply, int first, int last, double unitsPerMHz,
                       bool table920) {
    if (reply.size() < 5) return {};
    CatReading r;
    r.frequency =
        mhz(RoundTo5Decimals(static_cast<double>(hexField(reply, first, last)) / unitsPerMHz));
    const std::optional<int> m = dumpDigit(reply, 16);
    if (table920)
        r.mode = statusMode920(m);
    else
        r.mode = statusModeA(m);
    return r;
}

// The newest complete CI-V frequency frame that carries exactly dataBytes data bytes.
CatReading icomFrequency(const QByteArray& reply, qsizetype dataBytes, double divisor) {
    CivScanner scan(0x03);
    QByteArrayView latest;
    for (qsizetype i = 0; i < reply.size(); ++i) {
        if (scan.feed(static_cast<quint8>(reply.at(i)), i) && scan.frameDataLength() == dataBytes)
            latest = QByteArrayView(reply).sliced(scan.frameDataStart(), dataBytes);
    }
    if (latest.isEmpty()) return {};
    // Least significant byte first on the wire: the last byte's digits lead.
    QByteArray mostSignificantFirst(latest.size(), '\0');
    for (qsizetype i = 0; i < latest.size(); ++i)
        mostSignificantFirst[latest.size() - 1 - i] = latest[i];
    const std::optional<double> t = IcomBcdToMHz(BytesToHexDigits(mostSignificantFirst));
    if (!t) return {};
    CatReading r;
    r.frequency = mhz(*t / divisor);
    return r;
}

}  // namespace

CatReading ParseYaesuFreqMode(const QByteArray& reply, const CatQueries&) {
    if (reply.size() < 5) return {};
    const std::optional<double> f =
        BcdDigitsToMHz(BytesToHexDigits(QByteArrayView(reply).first(4)));
    if (!f) return {};
    // A code no Yaesu sends: the bytes are cut from two replies, and the digits are no
    // frequency either.
    if (!yaesuSends(byteAt(reply, 5))) return {};
    CatReading r;
    r.frequency = mhz(*f);
    r.mode = yaesuMode(byteAt(reply, 5));
    return r;
}

CatReading ParseYaesu890(const QByteArray& reply, const CatQueries&) {
    return statusBlock(reply, 5, 10, 100000.0, false);
}

CatReading ParseYaesu990(const QByteArray& reply, const CatQueries&) {
    return statusBlock(reply, 3, 8, 100000.0, false);
}

CatReading ParseYaesu1000(const QByteArray& reply, const CatQueries&) {
    return statusBlock(reply, 4, 9, 100000.0, false);
}

CatReading ParseYaesu920(const QByteArray& reply, const CatQueries&) {
    return statusBlock(reply, 3, 10, 1000000.0, true);
}

CatReading ParseYaesu757(const QByteArray& reply, const CatQueries&) {
    // The frequency lies in bytes 6 to 9, least significant byte first: a reply that stops
    // short of byte 9 would read as a smaller number, so it changes nothing.
    if (reply.size() < 9) return {};
    QByteArray mostSignificantFirst;
    for (qsizetype n = 9; n >= 6; --n) mostSignificantFirst += reply.at(n - 1);
    const std::optional<double> f = BcdDigitsToMHz(BytesToHexDigits(mostSignificantFirst));
    if (!f) return {};
    CatReading r;
    r.frequency = mhz(RoundTo5Decimals(*f));
    if (reply.size() >= 10) {
        // The mode byte's two digits read as a decimal number up to the first non-digit.
        const QString digits = BytesToHexDigits(QByteArrayView(reply).sliced(9, 1));
        int code = 0;
        for (QChar c : digits) {
            if (c < u'0' || c > u'9') break;
            code = code * 10 + (c.unicode() - u'0');
        }
        static const char* const modes[] = {"PH", "PH", "CW", "CW", "AM", "FM"};
        if (code <= 5) r.mode = QString::fromLatin1(modes[code]);
    }
    return r;
}

CatReading ParseIcomFreq(const QByteArray& reply, const CatQueries&) {
    return icomFrequency(reply, 5, 1.0);
}

CatReading ParseIcom735Freq(const QByteArray& reply, const CatQueries&) {
    return icomFrequency(reply, 4, 100.0);
}

CatReading ParseIcomMode(const QByteArray& reply, const CatQueries&) {
    // The first complete mode frame with data decides; an echo (no data) is passed over.
    CivScanner scan(0x04);
    for (qsizetype i = 0; i < reply.size(); ++i) {
        if (scan.feed(static_cast<quint8>(reply.at(i)), i) && scan.frameDataLength() > 0) {
            CatReading r;
            r.mode = static_cast<quint8>(reply.at(scan.frameDataStart())) == 0x03
                         ? QStringLiteral("CW")
                         : QStringLiteral("PH");
            return r;
        }
    }
    return {};
}

CatReading ParseTenTecPanelFreq(const QByteArray& reply, const CatQueries&) {
    // Bytes 2 to 5 hold the frequency in Hz: all four must be there, behind the "A" that marks
    // the answer and before its CR, when that has come.
    if (reply.size() < 5) return {};
    if (byteAt(reply, 1) != 'A' || (reply.size() >= 6 && byteAt(reply, 6) != '\r')) return {};
    CatReading r;
    r.frequency = mhz(RoundTo5Decimals(static_cast<double>(hexField(reply, 3, 10)) / 1000000.0));
    return r;
}

CatReading ParseTenTecPanelMode(const QByteArray& reply, const CatQueries&) {
    // "M", the two mode characters "0" to "4", CR when it has come.
    if (reply.size() < 3) return {};
    auto modeCharacter = [&](qsizetype n) {
        return byteAt(reply, n) >= '0' && byteAt(reply, n) <= '4';
    };
    if (byteAt(reply, 1) != 'M' || !modeCharacter(2) || !modeCharacter(3) ||
        (reply.size() >= 4 && byteAt(reply, 4) != '\r'))
        return {};
    CatReading r;
    r.mode = byteAt(reply, 2) == '3' ? QStringLiteral("CW") : QStringLiteral("PH");
    return r;
}

}  // namespace qf::rig
