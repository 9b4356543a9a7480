#include "logtools/Cabrillo.h"

#include "common/Formats.h"
#include "logstore/AdifExport.h"
#include "logstore/QsoLog.h"
#include "startup/StationSettings.h"

#include <QStringList>

#include <array>

namespace qf {

namespace {

bool sameText(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// The frequency column comes from the band alone: the band's lower edge in kHz (MHz above 30).
QString frequencyText(const QString& band) {
    static const std::array<std::pair<const char*, const char*>, 10> kEdges = {{
        {"160", " 1800"},
        {"80", " 3500"},
        {"40", " 7000"},
        {"20", "14000"},
        {"15", "21000"},
        {"10", "28000"},
        {"6", "   50"},
        {"2", "  144"},
        {"1.25", "  222"},
        {"70", "  432"},
    }};
    for (const auto& [name, edge] : kEdges) {
        if (band == QLatin1String(name)) return QString::fromLatin1(edge);
    }
    return {};
}

// A stored text that reads as a date or time is written in the file's form; one that does not
// is written as it stands, so nothing of the log is lost.
QString dateText(const QString& stored) {
    const auto d = parseStoredDate(stored);
    return d ? d->toString(QStringLiteral("yyyy-MM-dd")) : stored;
}

QString timeText(const QString& stored) {
    const auto t = parseStoredTime(stored);
    return t ? t->toString(QStringLiteral("HHmm")) : stored;
}

// Contest checkers read the file as printable ASCII: every value is folded the way the ADIF
// export folds it, and a control character (a line feed in a call, a tab in a name) is dropped,
// so no value can split or shift a line. "log.txt" keeps what was typed.
QString ascii(const QString& value) {
    return foldToAscii(value);
}

// Checkers expect county codes in capitals; a rover's counties keep the case typed everywhere
// else.
QString countyCode(const QString& value) {
    return ascii(value).toUpper();
}

QString receivedLocation(const QSORecord& q) {
    const QString county = countyCode(q.CountyRcvd);
    if (!county.isEmpty()) return trimBlanks(county);
    // A worked country's name stands as "DX"; a code with a stray blank is still a code.
    const QString spc = trimBlanks(ascii(q.SPC));
    return spc.size() > 2 ? QStringLiteral("DX") : spc;
}

// The counties box in capitals, each code once whatever the case it was typed in; the blanks
// around the codes stay as shown.
QString activatedCounties(const QString& text) {
    const QString upper = countyCode(text);
    QStringList seen;
    QString out;
    qsizetype i = 0;
    while (i < upper.size()) {
        qsizetype start = i;
        while (start < upper.size() && upper[start] == QLatin1Char(' ')) ++start;
        qsizetype end = start;
        while (end < upper.size() && upper[end] != QLatin1Char(' ')) ++end;
        const QString code = upper.mid(start, end - start);
        // A code goes with the blanks before it; the blanks after the last code stay.
        if (code.isEmpty() || !seen.contains(code)) {
            out += upper.mid(i, end - i);
            seen << code;
        }
        i = end;
    }
    return out;
}

}  // namespace

QString CabrilloCategoryText(CabrilloCategory category) {
    switch (category) {
        case CabrilloCategory::SingleOpLow:
            return QStringLiteral("SINGLE-OP LOW");
        case CabrilloCategory::SingleOpHigh:
            return QStringLiteral("SINGLE-OP HIGH");
        case CabrilloCategory::VHF:
            return QStringLiteral("VHF");
        case CabrilloCategory::QRP:
            return QStringLiteral("QRP");
        case CabrilloCategory::MultiSingle:
            return QStringLiteral("MULTI-OP SINGLE TRANSMITTER");
        case CabrilloCategory::Mobile:
            return QStringLiteral("MOBILE");
    }
    return {};
}

QString CabrilloQSOLine(const QSORecord& q, const QString& ownCall, const QString& ownLocation) {
    struct Field {
        int column;  // counted from 1
        QString text;
    };
    const std::array<Field, 11> fields = {{
        {1, QStringLiteral("QSO:")},
        {6, frequencyText(q.Band)},
        {12, ascii(q.Mode)},
        {15, ascii(dateText(q.QSODate))},
        {26, ascii(timeText(q.QSOTime))},
        {31, ascii(ownCall)},
        {41, ascii(q.NameSent).left(9)},
        {51, ascii(ownLocation)},
        {59, ascii(q.Call).left(9)},
        {69, ascii(q.NameRcvd).left(9)},
        {79, receivedLocation(q)},
    }};
    // Each field starts at its column. A field that would reach the next one's column gets one
    // blank after it and moves every later field right by as much, so no two fields ever run
    // together for a reader that splits the line at blanks.
    QString line;
    line.reserve(96);
    int shift = 0;
    for (const Field& f : fields) {
        qsizetype start = f.column - 1 + shift;  // 0-based
        if (!line.isEmpty() && line.size() + 1 > start) {
            shift += static_cast<int>(line.size() + 1 - start);
            start = line.size() + 1;
        }
        line += QString(start - line.size(), QLatin1Char(' '));
        line += f.text;
    }
    return line;
}

QByteArray CabrilloFile(const CabrilloInput& in, const QSOLog& log) {
    const StationSettings& st = *in.station;
    const CabrilloEntry& e = in.entry;
    const QString ownCall = trimBlanks(ascii(st.OwnCall));

    // Tags are ASCII already; every value after them is folded.
    QStringList lines;
    const auto line = [&lines](const char* tag, const QString& value) {
        lines << QLatin1String(tag) + ascii(value);
    };
    lines << QStringLiteral("START-OF-LOG: 2.0");
    line("CREATED-BY: Ardlow's Quillfen ", in.programVersion);
    lines << QStringLiteral("CONTEST: ROZIRAZAV STATE QSO PARTY SUMMARY SHEET");
    if (sameText(st.OwnSPC, "ROZIRAZAV") || sameText(st.OwnSPC, "MN")) {
        line("ROZIRAZAV COUNTY: ", countyCode(st.OwnCounty));
    }
    if (!st.OwnSPC.isEmpty() && !sameText(st.OwnSPC, "MN")) line("US STATE: ", st.OwnSPC);
    if (!sameText(st.OwnCountry, "USA")) line("COUNTRY: ", st.OwnCountry);
    line("CALLSIGN: ", ownCall);
    line("CATEGORY: ", e.category);
    if (!e.club.isEmpty()) line("CLUB-NAME: ", e.club);
    line("OPERATORS: ", e.operators.isEmpty() ? ownCall : e.operators);
    if (!e.counties.isEmpty()) line("COUNTIES ACTIVATED: ", activatedCounties(e.counties));
    line("TOTAL SSB QSOs: ", in.totals.phone);
    line("TOTAL CW/RTTY QSOs: ", in.totals.cwDigital);
    line("TOTAL MULTIPLIERS: ", in.totals.multipliers);
    line("TOTAL CLAIMED-SCORE: ", in.totals.score);
    line("NAME: ", e.name);
    line("ADDRESS: ", e.address1);
    line("ADDRESS: ", e.address2);
    line("ADDRESS: (e-mail) ", e.email);
    line("SOAPBOX: ", e.soapbox);

    const QString callField = ownCall.left(9);
    const QString outOfStateLocation = trimBlanks(ascii(st.OwnSPC).left(8));
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QSORecord& q = log[r];
        const QString location =
            in.inState ? trimBlanks(countyCode(q.CountySent).left(8)) : outOfStateLocation;
        lines << CabrilloQSOLine(q, callField, location);
    }
    lines << QStringLiteral("END-OF-LOG:");

    QByteArray out;
    for (const QString& l : lines) {
        out += l.toLatin1();
        out += "\r\n";
    }
    return out;
}

QString WithActivatedCounties(QString text, const QSOLog& log) {
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QString& county = log[r].CountySent;
        // An empty county "occurs" in any text, so contacts without one add nothing.
        if (!text.contains(county, Qt::CaseInsensitive)) text += county + QLatin1Char(' ');
    }
    return text;
}

}  // namespace qf
