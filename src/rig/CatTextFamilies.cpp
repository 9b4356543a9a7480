// Replies of the text families: Kenwood and Elecraft, the FTdx9000 and the Orion, and the
// Pegasus control program's output file. Each decoder takes the first occurrence of its marker
// and reads what it can; anything it cannot read is left out of the reading.
#include "rig/CatCodec.h"

#include "common/QuotedFieldLine.h"
#include "platform/Error.h"

#include <cfloat>
#include <cmath>

namespace qf::rig {

namespace {

bool allDigits(const char* from, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i)
        if (from[i] < '0' || from[i] > '9') return false;
    return count > 0;
}

// count digits at `at` as a whole number of Hz; none when they are not all digits.
std::optional<qint64> readDigits(const QByteArray& reply, qsizetype at, qsizetype count) {
    if (at < 0 || at + count > reply.size()) return std::nullopt;
    const char* d = reply.constData() + at;
    if (!allDigits(d, count)) return std::nullopt;
    qint64 v = 0;
    for (qsizetype i = 0; i < count; ++i) v = v * 10 + (d[i] - '0');
    return v;
}

// Hz to MHz rounded to 10 Hz (half to even), as the window's 4-byte real. A value that is not a
// finite number within that type's range reads as nothing, so the frequency stays as it was.
std::optional<float> megahertz(double hz) {
    if (!std::isfinite(hz)) return std::nullopt;
    const double mhz = std::nearbyint(hz / 10.0) / 100000.0;
    if (!std::isfinite(mhz) || std::fabs(mhz) > FLT_MAX) return std::nullopt;
    return static_cast<float>(mhz);
}

// The rigs that hold the Hz in a 4-byte real first carry its precision above 2^24 Hz.
std::optional<float> megahertzViaSingle(qint64 hz) {
    return megahertz(static_cast<double>(static_cast<float>(hz)));
}

QByteArray marker(const QString& query, qsizetype length) {
    return query.left(length).toLatin1();
}

char at(const QByteArray& reply, qsizetype i) {
    return i < reply.size() ? reply[i] : '\0';
}

}  // namespace

CatReading ParseKenwoodFreq(const QByteArray& reply, const CatQueries& queries) {
    CatReading r;
    if (queries.frequency.size() < 3) return r;
    const qsizetype p = reply.indexOf(marker(queries.frequency, 2));
    // Eleven digits and one character after them, whatever it is.
    if (p < 0 || reply.size() < p + 14) return r;
    if (const auto hz = readDigits(reply, p + 2, 11)) r.frequency = megahertzViaSingle(*hz);
    return r;
}

CatReading ParseKenwoodMode(const QByteArray& reply, const CatQueries&) {
    CatReading r;
    const qsizetype p = reply.indexOf("MD");
    if (p < 0 || reply.size() < p + 3) return r;
    const char m = reply[p + 2];
    r.mode = (m == '3' || m == '7') ? QStringLiteral("CW") : QStringLiteral("PH");
    return r;
}

CatReading ParseKenwoodIF(const QByteArray& reply, const CatQueries&) {
    CatReading r;
    const qsizetype p = reply.indexOf("IF");
    if (p < 0 || reply.size() < p + 14) return r;
    const auto hz = readDigits(reply, p + 2, 11);
    if (!hz) return r;
    r.frequency = megahertzViaSingle(*hz);
    // Only "3" is CW here; the VFO digit follows the mode digit.
    const char m = at(reply, p + 29);
    r.mode = m == '3' ? QStringLiteral("CW") : QStringLiteral("PH");
    if (m < '0' || m > '9') return r;
    const char vfo = at(reply, p + 30);
    if (vfo >= '0' && vfo <= '9') r.activeVfo = vfo - '0';
    return r;
}

CatReading ParseFTdx9000(const QByteArray& reply, const CatQueries& queries) {
    CatReading r;
    const QByteArray fm = marker(queries.frequency, 2);
    if (fm.size() == 2) {
        const qsizetype p = reply.indexOf(fm);
        if (p >= 0) {
            if (const auto hz = readDigits(reply, p + 2, 8)) r.frequency = megahertzViaSingle(*hz);
        }
    }
    const QByteArray mm = marker(queries.mode, 3);
    if (mm.size() == 3) {
        const qsizetype p = reply.indexOf(mm);
        if (p >= 0 && reply.size() > p + 3)
            r.mode = reply[p + 3] == '3' ? QStringLiteral("CW") : QStringLiteral("PH");
    }
    return r;
}

CatReading ParseOrionFreq(const QByteArray& reply, const CatQueries&) {
    CatReading r;
    const qsizetype p = reply.indexOf("@AF");
    if (p < 0) return r;
    const qsizetype c = reply.indexOf('\r', p);
    if (c < 0) return r;
    const qsizetype count = c - (p + 3);
    if (count <= 0 || !allDigits(reply.constData() + p + 3, count)) return r;
    // Any count of digits: a run too long for a number reads as nothing.
    bool ok = false;
    const double hz = reply.mid(p + 3, count).toDouble(&ok);
    if (ok) r.frequency = megahertz(hz);
    return r;
}

CatReading ParseOrionMode(const QByteArray& reply, const CatQueries&) {
    CatReading r;
    const qsizetype p = reply.indexOf("@RMM");
    if (p < 0) return r;
    const char m = at(reply, p + 4);
    r.mode = (m == '2' || m == '3') ? QStringLiteral("CW") : QStringLiteral("PH");
    return r;
}

CatReading ReadPegasusFile(const QByteArray& contents) {
    CatReading r;
    try {
        RecordReader in(contents);
        r.frequency = in.readSingle();
        QString mode = in.readText();
        if (!mode.isEmpty() && mode != u"CW") mode = QStringLiteral("PH");
        r.mode = mode;
    } catch (const Error&) {
        // What was read before the fault stays.
    }
    return r;
}

}  // namespace qf::rig
