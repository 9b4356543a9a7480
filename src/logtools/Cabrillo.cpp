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

// Contest checkers read the file as printable ASCII. Every value is folded the way the ADIF export
// folds it (a control character is dropped) before anything reads, cuts or tests it, so a tab in a
// hand-edited band, date, time or state code can neither shift a column nor change a header
// line. "log.txt" keeps what was typed.
QString ascii(const QString& value) {
    return foldToAscii(value);
}

// Values typed into boxes that capitalise every letter (calls, names, counties, the mode, the
// operators) are written in capitals. Those boxes capitalise only a to z, so a Latin-1 letter can
// arrive in lower case ("JOS" and an e acute): it is capitalised after the fold, giving "JOSE".
QString capitals(const QString& value) {
    return foldToAscii(value).toUpper();
}

// The fields of a contact that the file uses, as the file holds them.
QSORecord asWritten(const QSORecord& q) {
    QSORecord w;
    w.Call = capitals(q.Call);
    w.NameSent = capitals(q.NameSent);
    w.NameRcvd = capitals(q.NameRcvd);
    w.SPC = ascii(q.SPC);
    w.CountyRcvd = capitals(q.CountyRcvd);
    w.CountySent = capitals(q.CountySent);
    w.QSODate = ascii(q.QSODate);
    w.QSOTime = ascii(q.QSOTime);
    w.Mode = capitals(q.Mode);
    w.Band = ascii(q.Band);
    return w;
}

// The received location of a contact already as written.
QString receivedLocation(const QSORecord& w) {
    if (!w.CountyRcvd.isEmpty()) return trimBlanks(w.CountyRcvd);
    // A worked country's name stands as "DX"; a code with a stray blank is still a code.
    const QString spc = trimBlanks(w.SPC);
    return spc.size() > 2 ? QStringLiteral("DX") : spc;
}

// The counties box, already in capitals: each code once whatever the case it was typed in; the
// blanks around the codes stay as shown.
QString activatedCounties(const QString& upper) {
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

// One "QSO:" line from a contact and own values already as written: read, cut and placed only.
QString qsoLine(const QSORecord& w, const QString& ownCall, const QString& ownLocation) {
    struct Field {
        int column;  // counted from 1
        QString text;
    };
    const std::array<Field, 11> fields = {{
        {1, QStringLiteral("QSO:")},
        {6, frequencyText(w.Band)},
        {12, w.Mode},
        {15, dateText(w.QSODate)},
        {26, timeText(w.QSOTime)},
        {31, ownCall},
        {41, w.NameSent.left(9)},
        {51, ownLocation},
        {59, w.Call.left(9)},
        {69, w.NameRcvd.left(9)},
        {79, receivedLocation(w)},
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
    return qsoLine(asWritten(q), ascii(ownCall), ascii(ownLocation));
}

QByteArray CabrilloFile(const CabrilloInput& in, const QSOLog& log) {
    // Every value as written first; only then are the header's conditions tested.
    const StationSettings& raw = *in.station;
    const QString ownCall = trimBlanks(capitals(raw.OwnCall));
    const QString ownSPC = ascii(raw.OwnSPC);
    const QString ownCountry = ascii(raw.OwnCountry);
    const QString ownCounty = capitals(raw.OwnCounty);
    const CabrilloEntry& typed = in.entry;
    CabrilloEntry e;
    e.category = ascii(typed.category);
    e.operators = capitals(typed.operators);
    e.club = ascii(typed.club);
    e.counties = capitals(typed.counties);
    e.name = ascii(typed.name);
    e.address1 = ascii(typed.address1);
    e.address2 = ascii(typed.address2);
    e.email = ascii(typed.email);
    e.soapbox = ascii(typed.soapbox);

    QStringList lines;
    const auto line = [&lines](const char* tag, const QString& value) {
        lines << QLatin1String(tag) + value;
    };
    lines << QStringLiteral("START-OF-LOG: 2.0");
    line("CREATED-BY: Ardlow's Quillfen ", ascii(in.programVersion));
    lines << QStringLiteral("CONTEST: ROZIRAZAV STATE QSO PARTY SUMMARY SHEET");
    if (sameText(ownSPC, "ROZIRAZAV") || sameText(ownSPC, "MN")) {
        line("ROZIRAZAV COUNTY: ", ownCounty);
    }
    if (!ownSPC.isEmpty() && !sameText(ownSPC, "MN")) line("US STATE: ", ownSPC);
    if (!sameText(ownCountry, "USA")) line("COUNTRY: ", ownCountry);
    line("CALLSIGN: ", ownCall);
    line("CATEGORY: ", e.category);
    if (!e.club.isEmpty()) line("CLUB-NAME: ", e.club);
    line("OPERATORS: ", e.operators.isEmpty() ? ownCall : e.operators);
    if (!e.counties.isEmpty()) line("COUNTIES ACTIVATED: ", activatedCounties(e.counties));
    line("TOTAL SSB QSOs: ", ascii(in.totals.phone));
    line("TOTAL CW/RTTY QSOs: ", ascii(in.totals.cwDigital));
    line("TOTAL MULTIPLIERS: ", ascii(in.totals.multipliers));
    line("TOTAL CLAIMED-SCORE: ", ascii(in.totals.score));
    line("NAME: ", e.name);
    line("ADDRESS: ", e.address1);
    line("ADDRESS: ", e.address2);
    line("ADDRESS: (e-mail) ", e.email);
    line("SOAPBOX: ", e.soapbox);

    const QString callField = ownCall.left(9);
    const QString outOfStateLocation = trimBlanks(ownSPC.left(8));
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QSORecord w = asWritten(log[r]);
        const QString location = in.inState ? trimBlanks(w.CountySent.left(8)) : outOfStateLocation;
        lines << qsoLine(w, callField, location);
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
