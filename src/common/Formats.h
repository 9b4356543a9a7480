// The number, date and time texts the windows show, in one place: the group separator, the
// AM/PM designators and the short date come from the locale (pinned in tests).
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace qf {

// "###,##0": grouped whole number, zero as "0".
QString formatCount(double value);
// "###,###,###,##0": the same for the score.
QString formatScore(double value);

// Operating time HH:MM:SS built digit by digit; 100 hours or more show the last two digits.
QString operatingTimeText(float seconds);

// "hh:nn:ss", 24-hour.
QString clockText(const QTime& t);
// "h:nn:ss AMPM" without its last three characters, and the designator alone.
QString localClockText(const QTime& t);
QString amPmText(const QTime& t);
// "ddddd": the locale's short date.
QString shortDateText(const QDate& d);

// A stored QSODate ("yyyy/mm/dd", "yyyy-mm-dd" or the locale's short date) and QSOTime
// ("hh:mm:ss" or "hh:mm"), read as the log's readers read them.
std::optional<QDate> parseStoredDate(const QString& text);
std::optional<QTime> parseStoredTime(const QString& text);
std::optional<QDateTime> parseStoredDateTime(const QString& date, const QString& time);

// Local date and time plus the UTC offset (hours, applied as offset x 60 minutes).
QDateTime addUtcOffset(const QDateTime& local, float offsetHours);

// Leading and trailing spaces off: blanks are spaces in the typed texts and record fields, so
// tabs and other white space stay, as the files have always been written.
QString trimBlanks(const QString& s);

}  // namespace qf
