#include "keying/MorseTable.h"

#include <cmath>

namespace qf {

namespace {

struct Sign {
    char character;
    const char* elements;  // "." and "-"
};

// International Morse Code for letters, digits and the five punctuation marks, and the five
// procedure signs this program sends for "[", "]", ";", "\" and "=".
constexpr Sign kSigns[] = {
    {'A', ".-"},     {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},    {'E', "."},
    {'F', "..-."},   {'G', "--."},    {'H', "...."},   {'I', ".."},     {'J', ".---"},
    {'K', "-.-"},    {'L', ".-.."},   {'M', "--"},     {'N', "-."},     {'O', "---"},
    {'P', ".--."},   {'Q', "--.-"},   {'R', ".-."},    {'S', "..."},    {'T', "-"},
    {'U', "..-"},    {'V', "...-"},   {'W', ".--"},    {'X', "-..-"},   {'Y', "-.--"},
    {'Z', "--.."},   {'0', "-----"},  {'1', ".----"},  {'2', "..---"},  {'3', "...--"},
    {'4', "....-"},  {'5', "....."},  {'6', "-...."},  {'7', "--..."},  {'8', "---.."},
    {'9', "----."},  {'.', ".-.-.-"}, {',', "--..--"}, {'?', "..--.."}, {'/', "-..-."},
    {'-', "-....-"}, {'[', ".-.-."},  {']', "...-.-"}, {';', "-.--."},  {'\\', "-.-..-.."},
    {'=', "-...-"},
};

constexpr int kWordSpaceUnits = 8;

QString unitsOf(const char* elements) {
    QString p;
    for (const char* e = elements; *e; ++e)
        p += *e == '.' ? QStringLiteral("10") : QStringLiteral("1110");
    return p + QStringLiteral("00");
}

}  // namespace

std::optional<QString> MorsePattern(QChar c) {
    const QChar upper = c.toUpper();
    if (upper == QLatin1Char(' ')) return QString(kWordSpaceUnits, QLatin1Char('0'));
    for (const Sign& s : kSigns) {
        if (upper == QLatin1Char(s.character)) return unitsOf(s.elements);
    }
    return std::nullopt;
}

QString MorseCharacters() {
    QString all(QLatin1Char(' '));
    for (const Sign& s : kSigns) all += QLatin1Char(s.character);
    return all;
}

QString WordSpacePattern(double n) {
    QString p(kWordSpaceUnits, QLatin1Char('0'));
    if (n > 0) {
        p += QString(static_cast<qsizetype>(std::min(std::floor(n), 100000.0)), QLatin1Char('0'));
    } else if (n < 0) {
        const double keep = std::nearbyint(kWordSpaceUnits + n);
        p.truncate(static_cast<qsizetype>(std::max(0.0, keep)));
    }
    return p;
}

}  // namespace qf
