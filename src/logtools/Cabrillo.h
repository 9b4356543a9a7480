// Room src/logtools/: the tools the logging windows open: the submission file, later the edit
// dialogs and county tools. Reads logstore/ and the station settings; each window has its logic.
//
// The Cabrillo submission file: turns the log, the station settings, the running window's totals
// and the submitter's entries into the file's bytes. Plain logic; DECabrilloIn collects the inputs.
#pragma once

#include <QByteArray>
#include <QString>

namespace qf {

struct QSOLog;
struct QSORecord;
struct StationSettings;

// The four totals as the running logging window shows them, digit grouping included.
struct CabrilloTotals {
    QString phone;        // "TOTAL SSB QSOs: "
    QString cwDigital;    // "TOTAL CW/RTTY QSOs: "
    QString multipliers;  // "TOTAL MULTIPLIERS: "
    QString score;        // "TOTAL CLAIMED-SCORE: "
};

// What the submitter typed or chose, each box's text as it stands (untrimmed).
struct CabrilloEntry {
    QString category;   // "SINGLE-OP LOW", "MOBILE", ...
    QString operators;  // empty: the own call
    QString club;       // empty: no club line
    QString counties;   // empty: no counties line
    QString name;
    QString address1;
    QString address2;
    QString email;
    QString soapbox;
};

struct CabrilloInput {
    const StationSettings* station = nullptr;  // OwnCall, OwnSPC, OwnCountry, OwnCounty
    QString programVersion;
    // The in-state window sends its own county with each contact; the out-of-state window's own
    // location is OwnSPC on every line.
    bool inState = false;
    CabrilloTotals totals;
    CabrilloEntry entry;
};

enum class CabrilloCategory { SingleOpLow, SingleOpHigh, VHF, QRP, MultiSingle, Mobile };
QString CabrilloCategoryText(CabrilloCategory category);

// The whole file: header, one "QSO:" line per contact in rows 1 to QSOCount, "END-OF-LOG:",
// every line ended by CR LF. Printable ASCII only: every value is first folded as the ADIF export
// folds it (a control character is dropped), then calls, names, counties, the mode and the
// operators are capitalised, and only then is anything read, cut or tested.
QByteArray CabrilloFile(const CabrilloInput& input, const QSOLog& log);

// One "QSO:" line without its line end, its fields folded and capitalised as in the file.
// ownCall and ownLocation are only folded here; the file's writer trims, cuts and capitalises
// them.
QString CabrilloQSOLine(const QSORecord& q, const QString& ownCall, const QString& ownLocation);

// The "Mobile" county box: each contact's non-empty CountySent, followed by one blank, is added
// when the text does not already contain it anywhere (ignoring case).
QString WithActivatedCounties(QString text, const QSOLog& log);

}  // namespace qf
