#include "rig/CatCommands.h"

#include "rig/CatCodec.h"

#include <algorithm>
#include <cmath>

namespace qf::rig {

namespace {

// Whole numbers a 64-bit count holds with room to spare.
constexpr double kLargestCount = 9.0e18;

std::optional<qint64> scaled(float mhz, float factor) {
    if (!std::isfinite(mhz) || mhz <= 0) return std::nullopt;
    // Multiplied as 4-byte reals: 144.2 MHz is then 144200000 Hz, the value the operator meant.
    const float product = mhz * factor;
    if (!std::isfinite(product) || static_cast<double>(product) >= kLargestCount)
        return std::nullopt;
    return static_cast<qint64>(std::nearbyint(static_cast<double>(product)));
}

bool isHexPair(const QString& s) {
    return s.size() == 2 && HexDigitValue(s[0]) >= 0 && HexDigitValue(s[1]) >= 0;
}

// The two hex digits of the CI-V address at characters 7 and 8 of the read string; empty when
// they are not two hex digits, so a command cut short is never sent.
QString civAddress(const QString& queryText) {
    const QString a = queryText.mid(6, 2);
    return isHexPair(a) ? a : QString();
}

QByteArray text(const QString& s) {
    return s.toLatin1();
}

enum class ModeFamily { None, CiV, ModeText, YaesuModeFirst, YaesuModeFourth, FTdx9000 };

ModeFamily modeFamily(const QString& m) {
    if (m == u"Icom" || m == u"Ten Tec Omni VI") return ModeFamily::CiV;
    if (m == u"Kenwood" || m == u"Kenwood 2" || m == u"Elecraft") return ModeFamily::ModeText;
    if (m == u"Yaesu") return ModeFamily::YaesuModeFirst;
    if (m == u"Yaesu 757 GX II" || m == u"Yaesu 890" || m == u"Yaesu 920" || m == u"Yaesu 990" ||
        m == u"Yaesu 1000" || m == u"Yaesu 1000 D")
        return ModeFamily::YaesuModeFourth;
    if (m == u"Yaesu FTdx9000") return ModeFamily::FTdx9000;
    return ModeFamily::None;
}

struct ModeCodes {
    const char* mode;
    // Per family; nullptr: no command for that mode.
    const char* civ;
    const char* modeText;
    const char* yaesu;
    const char* yaesuFourth;
    const char* ftdx;
};

constexpr ModeCodes kModeCodes[] = {
    {"LSB", "00", "1", "00", "00", "1"},
    {"USB", "01", "2", "01", "01", "2"},
    {"CW", "03", "3", "02", "02", "3"},
    {"CW-R", "07", nullptr, nullptr, "03", "7"},
    {"AM", "02", "5", "04", "04", "5"},
    {"FM", "05", "4", "08", "06", "4"},
    {"RTTY", "04", "6", "0A", "08", "6"},
    {"RTTY-R", "08", nullptr, nullptr, nullptr, nullptr},
    {"FSK", nullptr, "6", nullptr, nullptr, nullptr},
    {"DIG", nullptr, nullptr, "0A", nullptr, nullptr},
    {"PKT", nullptr, nullptr, "0C", "0A", nullptr},
};

}  // namespace

QByteArray HexDigitsToBytes(const QString& digits) {
    QByteArray out;
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        int value = 0;
        for (qsizetype j = i; j < std::min(i + 2, digits.size()); ++j) {
            const int h = HexDigitValue(digits[j]);
            if (h < 0) return {};
            value = value * 16 + h;
        }
        out.append(static_cast<char>(value));
    }
    return out;
}

std::optional<qint64> HertzOf(float mhz) {
    return scaled(mhz, 1000000.0f);
}

std::optional<qint64> TenHertzOf(float mhz) {
    return scaled(mhz, 100000.0f);
}

QString DecimalDigits(qint64 value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

QString ReversePairs(const QString& digits) {
    QString out;
    for (qsizetype i = 0; i < digits.size(); i += 2) out.prepend(digits.mid(i, 2));
    return out;
}

QString MhzText(float mhz) {
    return QString::number(static_cast<double>(mhz), 'g', 7);
}

std::optional<FrequencyCommand> EncodeSetFrequency(const QString& model, float mhz,
                                                   const QString& queryText, int activeVfo) {
    const std::optional<qint64> hz = HertzOf(mhz);
    const std::optional<qint64> tenHz = TenHertzOf(mhz);
    if (!hz || !tenHz) return std::nullopt;
    FrequencyCommand c;
    c.route = FrequencyCommand::Route::Port;
    c.pausesMs = {205};
    const QString& m = model;

    auto civ = [&](int digits) -> std::optional<FrequencyCommand> {
        // The field holds `digits` decimal digits of hertz: a wider value is refused.
        if (*hz > static_cast<qint64>(std::pow(10.0, digits)) - 1) return std::nullopt;
        const QString address = civAddress(queryText);
        if (!address.isEmpty())
            c.bytes =
                HexDigitsToBytes(QStringLiteral("FEFE") + address + QStringLiteral("E005") +
                                 ReversePairs(DecimalDigits(*hz, digits)) + QStringLiteral("FD"));
        return c;
    };
    auto yaesu = [&](bool reversed, const char* opcode) -> std::optional<FrequencyCommand> {
        if (*tenHz > 99999999) return std::nullopt;
        const QString bcd = DecimalDigits(*tenHz, 8);
        c.bytes = HexDigitsToBytes((reversed ? ReversePairs(bcd) : bcd) + QLatin1String(opcode));
        return c;
    };

    if (m == u"Kenwood" || m == u"Yaesu FTdx9000") {
        const int width = m == u"Kenwood" ? 11 : 8;
        c.bytes = text(queryText.left(2) + DecimalDigits(*hz, width) + QLatin1Char(';'));
        return c;
    }
    if (m == u"Kenwood 2") {
        c.bytes = text(QLatin1String(activeVfo == 1 ? "FB" : "FA") + DecimalDigits(*hz, 11) +
                       QLatin1Char(';'));
        return c;
    }
    if (m == u"Elecraft") {
        c.pausesMs = {205, 1000};
        c.pumpBetweenPauses = true;
        c.bytes = text(QStringLiteral("FA") + DecimalDigits(*hz, 11) + QLatin1Char(';'));
        return c;
    }
    if (m == u"Icom") {
        c.pausesMs = {140};
        return civ(10);
    }
    if (m == u"Ten Tec Omni VI") {
        c.pausesMs = {140, 220};
        return civ(10);
    }
    if (m == u"Icom 735") {
        // Four data bytes, as its own replies carry them.
        c.pausesMs = {140};
        return civ(8);
    }
    if (m == u"Ten Tec Fnt Pnl") {
        if (*hz > 0xFFFFFFFFLL) return std::nullopt;
        c.bytes = HexDigitsToBytes(QStringLiteral("2A41") +
                                   QString::number(*hz, 16).toUpper().rightJustified(8, u'0') +
                                   QStringLiteral("0D"));
        return c;
    }
    if (m == u"Ten Tec Pegasus") {
        c.route = FrequencyCommand::Route::PegasusFile;
        return c;
    }
    if (m == u"Ten Tec Orion") {
        // Whole hertz, as the Orion's own frequency reply carries them.
        c.bytes = text(QStringLiteral("*AF") + QString::number(*hz) + QLatin1Char('\r'));
        return c;
    }
    if (m == u"Yaesu") return yaesu(false, "01");
    if (m == u"Yaesu 890" || m == u"Yaesu 920" || m == u"Yaesu 990" || m == u"Yaesu 1000 D" ||
        m == u"Yaesu 757 GX II")
        return yaesu(true, "0A");
    if (m == u"Yaesu 1000") {
        c.pausesMs = {10};
        return yaesu(true, "0A");
    }
    // "Other" and any name without a command: nothing to send, no pause.
    return FrequencyCommand{};
}

QByteArray EncodeSetMode(const QString& model, const QString& mode, const QString& queryText,
                         const QString& modeQueryText) {
    const ModeFamily family = modeFamily(model);
    if (family == ModeFamily::None) return {};
    const ModeCodes* codes = nullptr;
    for (const ModeCodes& c : kModeCodes)
        if (mode == QLatin1String(c.mode)) codes = &c;
    if (!codes) return {};
    switch (family) {
        case ModeFamily::CiV: {
            const QString address = civAddress(queryText);
            if (!codes->civ || address.isEmpty()) return {};
            return HexDigitsToBytes(QStringLiteral("FEFE") + address + QStringLiteral("E006") +
                                    QLatin1String(codes->civ) + QStringLiteral("FD"));
        }
        case ModeFamily::ModeText:
            if (!codes->modeText) return {};
            return text(QStringLiteral("MD") + QLatin1String(codes->modeText) + QLatin1Char(';'));
        case ModeFamily::YaesuModeFirst:
            if (!codes->yaesu) return {};
            return HexDigitsToBytes(QLatin1String(codes->yaesu) + QStringLiteral("00000007"));
        case ModeFamily::YaesuModeFourth:
            if (!codes->yaesuFourth) return {};
            return HexDigitsToBytes(QStringLiteral("000000") + QLatin1String(codes->yaesuFourth) +
                                    QStringLiteral("0C"));
        case ModeFamily::FTdx9000:
            if (!codes->ftdx) return {};
            return text(modeQueryText.left(3) + QLatin1String(codes->ftdx) + QLatin1Char(';'));
        case ModeFamily::None:
            break;
    }
    return {};
}

QByteArray PegasusCommandFile(float mhz, const QString& mode) {
    return (MhzText(mhz).trimmed() + QStringLiteral("\r\n") + mode.trimmed() +
            QStringLiteral("\r\n"))
        .toLatin1();
}

}  // namespace qf::rig
