#include "rig/FrequencyText.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace qf::rig {

namespace {

// Rounds to the given decimals and writes the integer part (empty when it is 0, optionally
// grouped) and the decimal digits, with the sign in front.
struct Parts {
    bool negative = false;
    QString whole;     // "" for 0
    QString decimals;  // exactly `places` digits
};

Parts split(double value, int places, bool grouped) {
    Parts p;
    p.negative = value < 0;
    const double scaled = std::round(std::fabs(value) * std::pow(10.0, places));
    QString digits = QString::number(scaled, 'f', 0);
    if (digits.size() <= places)
        digits = QString(places + 1 - digits.size(), QLatin1Char('0')) + digits;
    p.decimals = digits.right(places);
    QString whole = digits.left(digits.size() - places);
    if (whole == QLatin1String("0")) whole.clear();
    if (grouped) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, QLatin1Char(','));
    }
    p.whole = whole;
    if (p.whole.isEmpty() && p.decimals.count(QLatin1Char('0')) == p.decimals.size())
        p.negative = false;
    return p;
}

}  // namespace

std::optional<double> ReadNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^ *[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)? *$"));
    if (!number.match(text).hasMatch()) return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    // A value beyond the 8-byte real is no number either.
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool IsFrequency(double value) {
    return std::isfinite(value) && value > 0 &&
           value <= static_cast<double>(std::numeric_limits<float>::max());
}

QString StepText(double value) {
    return QString::number(value, 'g', 15);
}

QString ScanText(float value) {
    const Parts p = split(static_cast<double>(value), 5, false);
    QString decimals = p.decimals;
    while (decimals.endsWith(QLatin1Char('0'))) decimals.chop(1);
    return (p.negative ? QStringLiteral("-") : QString()) + p.whole + QLatin1Char('.') + decimals;
}

QString ChartFrequencyText(float value) {
    const Parts p = split(static_cast<double>(value), 3, true);
    return (p.negative ? QStringLiteral("-") : QString()) + p.whole + QLatin1Char('.') + p.decimals;
}

}  // namespace qf::rig
