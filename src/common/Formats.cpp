#include "common/Formats.h"

#include <QLocale>

#include <cmath>

namespace qf {

namespace {
QString twoDigits(long v) {
    if (v >= 0 && v < 10) return QStringLiteral("0") + QString::number(v);
    const QString s = QString::number(v);
    return s.right(2);
}
}  // namespace

QString formatCount(double value) {
    return QLocale().toString(static_cast<qlonglong>(std::llround(value)));
}

QString formatScore(double value) { return formatCount(value); }

QString operatingTimeText(float seconds) {
    const float s = seconds;
    const float h = std::floor(s / 3600.0f);
    const float m = std::floor(s / 60.0f - h * 60.0f);
    const float sec = s - std::floor(s / 60.0f) * 60.0f;
    return twoDigits(static_cast<long>(h)) + QLatin1Char(':') + twoDigits(static_cast<long>(m)) +
           QLatin1Char(':') + twoDigits(static_cast<long>(sec));
}

QString clockText(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }

QString localClockText(const QTime& t) {
    const QString full = QLocale().toString(t, QStringLiteral("h:mm:ss AP"));
    return full.left(full.size() - 3);
}

QString amPmText(const QTime& t) {
    return t.hour() < 12 ? QLocale().amText() : QLocale().pmText();
}

QString shortDateText(const QDate& d) { return QLocale().toString(d, QLocale::ShortFormat); }

namespace {

// Two ASCII digits at `at` as a number, or -1.
int twoDigits(const QString& t, qsizetype at) {
    const char16_t a = t[at].unicode();
    const char16_t b = t[at + 1].unicode();
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9') return -1;
    return (a - u'0') * 10 + (b - u'0');
}

}  // namespace

std::optional<QDate> parseStoredDate(const QString& text) {
    // The form this program writes ("2026/09/12") without the general parser: the log list reads
    // one for every row it shows, at every reload.
    if (text.size() == 10 && text[4] == u'/' && text[7] == u'/') {
        const int hi = twoDigits(text, 0);
        const int lo = twoDigits(text, 2);
        const QDate d(hi * 100 + lo, twoDigits(text, 5), twoDigits(text, 8));
        if (hi >= 0 && lo >= 0 && d.isValid()) return d;
    }
    const QString t = text.trimmed();
    for (const char* f : {"yyyy/M/d", "yyyy-M-d"}) {
        const QDate d = QDate::fromString(t, QLatin1String(f));
        if (d.isValid()) return d;
    }
    // The locale's short form, with a four-digit year as well as a two-digit one.
    const QString shortForm = QLocale().dateFormat(QLocale::ShortFormat);
    QString longYear = shortForm;
    if (!longYear.contains(QLatin1String("yyyy"))) longYear.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    const QDate full = QDate::fromString(t, longYear);
    if (full.isValid()) return full;
    QDate d = QLocale().toDate(t, shortForm);
    if (d.isValid()) {
        // A two-digit year in the short form means this century.
        if (d.year() < 1950) d = d.addYears(100);
        return d;
    }
    return std::nullopt;
}

std::optional<QTime> parseStoredTime(const QString& text) {
    // "14:02:33" and "14:02" as written, without the general parser.
    if (((text.size() == 8 && text[5] == u':') || text.size() == 5) && text[2] == u':') {
        const QTime v(twoDigits(text, 0), twoDigits(text, 3),
                      text.size() == 8 ? twoDigits(text, 6) : 0);
        if (v.isValid()) return v;
    }
    const QString t = text.trimmed();
    for (const char* f : {"H:m:s", "H:m"}) {
        const QTime v = QTime::fromString(t, QLatin1String(f));
        if (v.isValid()) return v;
    }
    return std::nullopt;
}

std::optional<QDateTime> parseStoredDateTime(const QString& date, const QString& time) {
    const auto d = parseStoredDate(date);
    const auto t = parseStoredTime(time);
    if (!d || !t) return std::nullopt;
    return QDateTime(*d, *t, Qt::UTC);
}

QDateTime addUtcOffset(const QDateTime& local, float offsetHours) {
    const QDateTime wall(local.date(), local.time(), Qt::UTC);
    return wall.addSecs(60LL * std::lround(static_cast<double>(offsetHours) * 60.0));
}

QString trimBlanks(const QString& s) {
    qsizetype start = 0;
    qsizetype end = s.size();
    while (start < end && s[start] == QLatin1Char(' ')) ++start;
    while (end > start && s[end - 1] == QLatin1Char(' ')) --end;
    return s.mid(start, end - start);
}

}  // namespace qf
