#include "logstore/AdifExport.h"

#include "common/Formats.h"
#include "common/QuotedFieldLine.h"
#include "logstore/QsoLog.h"
#include "logstore/ReferenceTables.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "startup/StartupValues.h"
#include "startup/StationSettings.h"

#include <functional>
#include <optional>
#include <vector>

namespace qf {

namespace {

constexpr int kDXCCCapacity = 1000;

// Rebuilds a QLocale date or time format, letting `token` replace each run of one pattern
// letter; quoted literals are copied as they stand.
QString rewriteFormat(const QString& format, const std::function<QString(QChar, int)>& token) {
    QString out;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype close = format.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype end = close < 0 ? format.size() : close + 1;
            out += format.mid(i, end - i);
            i = end;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < format.size() && format[j] == c) ++j;
            out += token(c, static_cast<int>(j - i));
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

// The short date form, with a two-digit year widened to four digits.
QString shortDateFormat(const QLocale& locale) {
    return rewriteFormat(locale.dateFormat(QLocale::ShortFormat), [](QChar c, int n) {
        return (c == QLatin1Char('y') && n == 2) ? QStringLiteral("yyyy") : QString(n, c);
    });
}

// The long time form without the time zone, which the general form never shows.
QString longTimeFormat(const QLocale& locale) {
    return rewriteFormat(
               locale.timeFormat(QLocale::LongFormat),
               [](QChar c, int n) { return c == QLatin1Char('t') ? QString() : QString(n, c); })
        .simplified();
}

QString trimTrailingBlanks(const QString& s) {
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == QLatin1Char(' ')) --end;
    return s.left(end);
}

// One tag: "<name:length>value", the length counting the characters as written.
void tag(QByteArray& out, const char* name, const QString& value, const char* typeSuffix = "") {
    const QByteArray bytes = foldToAscii(value).toLatin1();
    out += '<';
    out += name;
    out += ':';
    out += QByteArray::number(bytes.size());
    out += typeSuffix;
    out += '>';
    out += bytes;
}

// The ADIF band name. "70" is the 70 cm band; every other band here is named in metres.
QString bandName(const QString& band) {
    if (band == QLatin1String("70")) return QStringLiteral("70CM");
    return band + QLatin1Char('M');
}

// "14:05:33" gives 1405, "9:05" gives 0905, an empty time 0000.
QString timeText(const QString& qsoTime) {
    QString t = trimBlanks(qsoTime);
    const qsizetype colon = t.indexOf(QLatin1Char(':'));
    if (colon >= 0) t = t.left(colon) + t.mid(colon + 1, 2);
    t = t.left(4);
    while (t.size() < 4) t.prepend(QLatin1Char('0'));
    return t;
}

QByteArray AdifRecord(const QSORecord& q, const ExportInputs& in) {
    // Comparisons here are exact: the log holds the codes as the logging windows wrote them.
    const std::optional<QDate> date = parseStoredDate(q.QSODate);
    const QString dateText = date ? date->toString(QStringLiteral("yyyyMMdd")) : QString();
    const QString time = timeText(q.QSOTime);

    QString country;
    QString continent;
    QString state;
    if (q.SPC.size() == 2) {
        const QChar first = q.Call.isEmpty() ? QChar() : q.Call[0];
        if (first == QLatin1Char('A') || first == QLatin1Char('K') || first == QLatin1Char('N') ||
            first == QLatin1Char('W')) {
            country = QStringLiteral("USA");
            continent = QStringLiteral("NA");
            state = q.SPC;
            if (state == QLatin1String("HI")) country = QStringLiteral("Hawaii");
            if (state == QLatin1String("AK")) country = QStringLiteral("Alaska");
        } else {
            country = QStringLiteral("Canada");
        }
    } else if (q.SPC.size() > 2) {
        country = q.SPC;
    } else {
        // A contact of the out-of-state window: the station worked is in the contest state.
        state = in.contestState;
    }
    state = state.left(2);
    if (!q.CountyRcvd.isEmpty()) {
        country = QStringLiteral("USA");
        continent = QStringLiteral("NA");
    }

    int dxcc = 0;
    const QString countryKey = trimBlanks(country);
    for (const DXCCRow& row : *in.dxcc) {
        if (row.name == countryKey) {
            dxcc = row.number;
            break;
        }
    }

    QString county;
    if (!q.CountyRcvd.isEmpty()) {
        county = state + QLatin1Char(',');
        for (int r = 1; r <= in.counties->CountyCount; ++r) {
            if ((*in.counties)[r].CountyAbbrev == q.CountyRcvd) {
                county += (*in.counties)[r].CountyName;
                break;
            }
        }
    }

    QByteArray out;
    if (!q.Call.isEmpty()) {
        tag(out, "Call", q.Call);
        out += ' ';
    }
    if (!dateText.isEmpty()) {
        tag(out, "Qso_Date", dateText, ":d");
        out += ' ';
    }
    if (!q.Band.isEmpty()) {
        tag(out, "Band", bandName(q.Band));
        out += ' ';
    }
    if (!q.Mode.isEmpty()) {
        tag(out, "Mode", q.Mode == QLatin1String("PH") ? QStringLiteral("SSB") : q.Mode.toUpper());
        out += "\r\n";
    }
    if (!in.power.isEmpty()) {
        tag(out, "Tx_Pwr", trimTrailingBlanks(in.power));
        out += ' ';
    }
    if (!q.Frequency.isEmpty()) {
        tag(out, "Freq", trimBlanks(q.Frequency));
        out += ' ';
    }
    if (time.compare(QLatin1String("0000")) >= 0) {
        tag(out, "Time_On", time);
        out += ' ';
    }
    if (dxcc > 0) {
        tag(out, "DXCC", QString::number(dxcc));
        out += ' ';
    }
    if (!state.isEmpty()) {
        tag(out, "State", state);
        out += ' ';
    }
    if (!q.CountyRcvd.isEmpty()) {
        tag(out, "Cnty", county);
        out += ' ';
    }
    if (!continent.isEmpty()) {
        tag(out, "Cont", continent);
        out += ' ';
    }
    if (!q.NameRcvd.isEmpty()) {
        tag(out, "Name", trimTrailingBlanks(q.NameRcvd));
        out += ' ';
    }
    if (!in.comment.isEmpty()) {
        tag(out, "Comment", in.comment);
        out += "\r\n";
    }
    out += "<eor>\r\n\r\n";
    return out;
}

}  // namespace

QString foldToAscii(const QString& text) {
    // U+00C0 to U+00FF: the Latin-1 letters by their base letters; the two signs among them
    // (multiplication and division) have none.
    static const char* const kLatin1Letters[64] = {
        "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E",  "E", "E", "I", "I", "I", "I",
        "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U",  "U", "U", "U", "Y", "TH", "ss",
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e",  "e", "e", "i", "i", "i", "i",
        "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u",  "u", "u", "u", "y", "th", "y"};
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u <= 0x7E) {
            out += c;
        } else if (u >= 0xC0 && u <= 0xFF) {
            out += QLatin1String(kLatin1Letters[u - 0xC0]);
        } else if (u == 0xAA) {
            out += QLatin1Char('a');  // feminine ordinal
        } else if (u == 0xBA) {
            out += QLatin1Char('o');  // masculine ordinal
        }
    }
    return out;
}

QString GeneralDateTimeText(const QDateTime& when, const QLocale& locale) {
    QString text = locale.toString(when.date(), shortDateFormat(locale)) + QLatin1Char(' ') +
                   locale.toString(when.time(), longTimeFormat(locale));
    // Newer locale data puts a narrow no-break space before AM/PM; the file is Latin-1 and
    // other programs read it, so a plain blank stands there.
    text.replace(QChar(0x202F), QLatin1Char(' ')).replace(QChar(0x00A0), QLatin1Char(' '));
    return text;
}

// "ADIFCnt.txt" from the shared folder, else the data folder, else the working folder (where a
// missing file is the failure that gets reported).
std::vector<DXCCRow> LoadDXCCTable(const StartupValues& folders, const Files& files) {
    QString path;
    for (const QString& folder : {folders.SharedFolder, folders.DataFolder}) {
        // An unset folder must not turn into a look-up at the root of the disk.
        if (folder.isEmpty()) continue;
        const QString candidate = folder + QLatin1Char('/') + kAdifCountryFile;
        if (files.fileExists(candidate)) {
            path = candidate;
            break;
        }
    }
    if (path.isEmpty()) {
        path = folders.WorkingFolder.isEmpty()
                   ? kAdifCountryFile
                   : folders.WorkingFolder + QLatin1Char('/') + kAdifCountryFile;
    }
    RecordReader r(files.readAll(path));
    std::vector<DXCCRow> table;
    while (!r.atEnd()) {
        if (static_cast<int>(table.size()) >= kDXCCCapacity) {
            throw Error(err::kSubscript, QStringLiteral("Subscript out of range"));
        }
        DXCCRow row;
        row.name = r.readText();
        row.number = r.readInt16();
        table.push_back(std::move(row));
    }
    return table;
}

QByteArray AdifFile(const QSOLog& log, const ExportInputs& in, const QString& programVersion,
                    const QDateTime& now) {
    // The header too is ASCII: a locale's AM/PM designators need not be.
    QByteArray data = "Exported from Ardlow's Quillfen " + foldToAscii(programVersion).toLatin1() +
                      "\r\nLog exported on: " + foldToAscii(GeneralDateTimeText(now)).toLatin1() +
                      "\r\n\r\n<EOH>\r\n\r\n";
    for (int r = 1; r <= log.QSOCount; ++r) data += AdifRecord(log[r], in);
    return data;
}

}  // namespace qf
