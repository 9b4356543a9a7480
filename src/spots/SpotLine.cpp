#include "spots/SpotLine.h"

namespace qf {

namespace {

bool numberCharAt(const QString& line, qsizetype column) {
    if (column < 1 || column > line.size()) return false;
    const QChar c = line[column - 1];
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
}

// Blanks only, as the fields are padded; a tab or CR is part of the field.
QString trimBlanks(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' ')) ++b;
    while (e > b && s[e - 1] == QLatin1Char(' ')) --e;
    return s.mid(b, e - b).toString();
}

}  // namespace

bool isSpotLine(const QString& line) {
    return line.size() >= 2 && line.at(0).toUpper() == QLatin1Char('D') &&
           line.at(1).toUpper() == QLatin1Char('X');
}

SpotLineFields readSpotLine(const QString& line) {
    const QStringView v(line);
    SpotLineFields f;
    f.frequency = trimBlanks(v.size() > 15 ? v.mid(15, 9) : QStringView());
    f.call = trimBlanks(v.size() > 26 ? v.mid(26, 13) : QStringView());
    f.record = trimBlanks(v.size() > 3 ? v.mid(3) : QStringView());
    f.frequencyWhole = !numberCharAt(line, 15) && !numberCharAt(line, 25);
    return f;
}

}  // namespace qf
