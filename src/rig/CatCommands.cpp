#include "rig/CatCommands.h"

#include "rig/CatBytes.h"
#include "rig/RigModels.h"

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

QByteArray text(const QString& s) {
    return s.toLatin1();
}

// The mode codes of every family; nullptr: the family has no command for that mode.
struct ModeCodes {
    const char* mode;
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

// The family's code for the mode (names compared exactly); nullptr when it has none.
const char* modeCode(const QString& mode, const char* ModeCodes::*family) {
    for (const ModeCodes& c : kModeCodes)
        if (mode == QLatin1String(c.mode)) return c.*family;
    return nullptr;
}

// The read string's two-letter command, the hertz in `width` digits, ";".
QByteArray namedHertz(const QString& command, qint64 hz, int width) {
    return text(command + DecimalDigits(hz, width) + QLatin1Char(';'));
}

// CI-V command 05: `digits` decimal digits of hertz as BCD bytes, lowest pair first. A value
// wider than the field is refused rather than cut.
std::optional<QByteArray> civFrequency(const TuneTarget& t, int digits) {
    if (t.hz > static_cast<qint64>(std::pow(10.0, digits)) - 1) return std::nullopt;
    const std::optional<quint8> address = CivAddress(t.queries.frequency);
    if (!address) return std::nullopt;
    return CivFrame(*address, 0x05, HexDigitsToBytes(ReversePairs(DecimalDigits(t.hz, digits))));
}

// Eight BCD digits of 10 Hz, in order or lowest pair first, then the opcode byte.
std::optional<QByteArray> yaesuFrequency(const TuneTarget& t, bool reversed, const char* opcode) {
    if (t.tenHz > 99999999) return std::nullopt;
    const QString bcd = DecimalDigits(t.tenHz, 8);
    return HexDigitsToBytes((reversed ? ReversePairs(bcd) : bcd) + QLatin1String(opcode));
}

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

std::optional<quint8> CivAddress(const QString& frequencyQuery) {
    const QString a = frequencyQuery.mid(6, 2);
    if (a.size() != 2) return std::nullopt;
    const int high = HexDigitValue(a[0]), low = HexDigitValue(a[1]);
    if (high < 0 || low < 0) return std::nullopt;
    return static_cast<quint8>(high * 16 + low);
}

std::optional<QByteArray> KenwoodFreqCommand(const TuneTarget& t) {
    return namedHertz(t.queries.frequency.left(2), t.hz, 11);
}

std::optional<QByteArray> KenwoodVfoFreqCommand(const TuneTarget& t) {
    return namedHertz(QLatin1String(t.activeVfo == 1 ? "FB" : "FA"), t.hz, 11);
}

std::optional<QByteArray> ElecraftFreqCommand(const TuneTarget& t) {
    return namedHertz(QStringLiteral("FA"), t.hz, 11);
}

std::optional<QByteArray> IcomFreqCommand(const TuneTarget& t) {
    return civFrequency(t, 10);
}

std::optional<QByteArray> Icom735FreqCommand(const TuneTarget& t) {
    return civFrequency(t, 8);
}

std::optional<QByteArray> TenTecPanelFreqCommand(const TuneTarget& t) {
    if (t.hz > 0xFFFFFFFFLL) return std::nullopt;
    return HexDigitsToBytes(QStringLiteral("2A41") +
                            QString::number(t.hz, 16).toUpper().rightJustified(8, u'0') +
                            QStringLiteral("0D"));
}

std::optional<QByteArray> OrionFreqCommand(const TuneTarget& t) {
    // Whole hertz, as the Orion's own frequency reply carries them.
    return text(QStringLiteral("*AF") + QString::number(t.hz) + QLatin1Char('\r'));
}

std::optional<QByteArray> YaesuFreqCommand(const TuneTarget& t) {
    return yaesuFrequency(t, false, "01");
}

std::optional<QByteArray> YaesuStatusFreqCommand(const TuneTarget& t) {
    return yaesuFrequency(t, true, "0A");
}

std::optional<QByteArray> FTdx9000FreqCommand(const TuneTarget& t) {
    return namedHertz(t.queries.frequency.left(2), t.hz, 8);
}

QByteArray CivModeCommand(const QString& mode, const CatQueries& queries) {
    const char* code = modeCode(mode, &ModeCodes::civ);
    const std::optional<quint8> address = CivAddress(queries.frequency);
    if (!code || !address) return {};
    return CivFrame(*address, 0x06, HexDigitsToBytes(QLatin1String(code)));
}

QByteArray KenwoodModeCommand(const QString& mode, const CatQueries&) {
    const char* code = modeCode(mode, &ModeCodes::modeText);
    if (!code) return {};
    return text(QStringLiteral("MD") + QLatin1String(code) + QLatin1Char(';'));
}

QByteArray YaesuModeCommand(const QString& mode, const CatQueries&) {
    const char* code = modeCode(mode, &ModeCodes::yaesu);
    if (!code) return {};
    return HexDigitsToBytes(QLatin1String(code) + QStringLiteral("00000007"));
}

QByteArray YaesuStatusModeCommand(const QString& mode, const CatQueries&) {
    const char* code = modeCode(mode, &ModeCodes::yaesuFourth);
    if (!code) return {};
    return HexDigitsToBytes(QStringLiteral("000000") + QLatin1String(code) + QStringLiteral("0C"));
}

QByteArray FTdx9000ModeCommand(const QString& mode, const CatQueries& queries) {
    const char* code = modeCode(mode, &ModeCodes::ftdx);
    if (!code) return {};
    return text(queries.mode.left(3) + QLatin1String(code) + QLatin1Char(';'));
}

std::optional<FrequencyCommand> EncodeSetFrequency(const QString& model, float mhz,
                                                   const QString& queryText, int activeVfo) {
    const std::optional<qint64> hz = HertzOf(mhz);
    const std::optional<qint64> tenHz = TenHertzOf(mhz);
    if (!hz || !tenHz) return std::nullopt;
    const RigModelRow* row = FindRigModel(model);
    // A name without a row has no command, as "Other" has none: nothing to send, no pause.
    if (!row) return FrequencyCommand{};
    const TuneStyle& tune = row->tune;
    FrequencyCommand c;
    c.route = tune.route;
    c.pausesMs = tune.pausesMs;
    c.pumpBetweenPauses = tune.pumpBetweenPauses;
    if (tune.route == FrequencyCommand::Route::Port && tune.frequency) {
        const std::optional<QByteArray> bytes =
            tune.frequency(TuneTarget{*hz, *tenHz, CatQueries{queryText, QString()}, activeVfo});
        if (!bytes) return std::nullopt;
        c.bytes = *bytes;
    }
    return c;
}

QByteArray EncodeSetMode(const QString& model, const QString& mode, const QString& queryText,
                         const QString& modeQueryText) {
    const RigModelRow* row = FindRigModel(model);
    if (!row || !row->tune.mode) return {};
    return row->tune.mode(mode, CatQueries{queryText, modeQueryText});
}

QByteArray PegasusCommandFile(float mhz, const QString& mode) {
    return (MhzText(mhz).trimmed() + QStringLiteral("\r\n") + mode.trimmed() +
            QStringLiteral("\r\n"))
        .toLatin1();
}

}  // namespace qf::rig
