#include "spots/AgwText.h"

#include "common/Formats.h"

namespace qf {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString eachLineEndCrLf(const QString& s) {
    QString out;
    out.reserve(s.size() + s.size() / 8);
    for (QChar c : s) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            out += kCrLf;
        else
            out += c;
    }
    return out;
}

}  // namespace

AgwTexts agwTexts(QChar kind, const QString& sender, const QString& data, bool stationConnected) {
    AgwTexts t;
    t.tagged = eachLineEndCrLf(QString(kind) + sender + QLatin1Char(' ') + data);
    t.data = eachLineEndCrLf(data);
    if (!stationConnected) {
        const qsizetype lf = t.data.indexOf(QLatin1Char('\n'));
        t.data = trimBlanks(lf < 0 ? t.data : t.data.mid(lf + 1));
    }
    if (t.data == kCrLf) t.data.clear();
    if (t.data.size() > 4 && t.data.endsWith(kCrLf + kCrLf)) t.data.chop(2);
    return t;
}

AgwCommand agwCommand(const QString& typed) {
    AgwCommand c;
    if (!typed.startsWith(QLatin1Char(':'))) return c;
    c.isCommand = true;
    c.letter = typed.mid(1, 1).toUpper();
    c.target = typed.size() < 3 ? QString() : trimBlanks(typed.mid(2));
    return c;
}

}  // namespace qf
