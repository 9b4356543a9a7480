// The counts behind the logging windows' score panel, computed from the log without widgets:
// points and mode counts, the QSO rates of the last 20 and 60 minutes, and the county lists
// and multipliers.
#pragma once

#include "logstore/QsoLog.h"
#include "logstore/ReferenceTables.h"
#include "logstore/Tallies.h"

#include <QDateTime>
#include <QStringList>

namespace qf {

struct SPCTable;

// Points (2 each) and the count of each mode; "DG" counts every mode but "PH" and "CW".
void CountModes(const QSOLog& log, Tallies& tallies);

struct Rates {
    int last20 = 0;  // contacts younger than 1200 s
    int last60 = 0;  // contacts younger than 3600 s
};
// Scans newest first and stops at the first contact an hour old or older. `now` is the UTC
// time of the rate count, whole seconds. Throws when a scanned record's date or time does not
// read.
Rates CountRates(const QSOLog& log, const QDateTime& nowUtc);

// The counties still to work (each abbreviation once, less the worked ones) and the counties
// worked (each once), as the two county lists hold them.
struct CountyLists {
    QStringList toGo;
    QStringList worked;
};
CountyLists BuildCountyLists(const QSOLog& log, const CountyTable& counties);

// Sets the county flags (column 3) for every logged county and returns the number of set flags
// in columns 1 to 3.
int RecountMultipliers(const QSOLog& log, const CountyTable& counties, Tallies& tallies);

// The first table row whose abbreviation equals the county (ignoring case), or 0.
int CountyRow(const CountyTable& counties, const QString& abbrev);

// A stored contact's state or province: sets its worked flag (column 1 of its SPCTable row) and
// returns that row when the flag was new, else 0. The contest state's own code matches no row.
int MarkStateWorked(Tallies& tallies, const SPCTable& spc, const QString& code,
                    const QString& contestState);

// A stored contact's DX country on its band: appended to the band's list when the band has one
// and the list is not full (1000 names). True when the band's list took it.
bool AddDXCountry(Tallies& tallies, const QString& band, const QString& country);
constexpr int kDXListCapacity = 1000;

// Makes room in the worked flags for every county row.
void SizeWorkedFlags(Tallies& tallies, const CountyTable& counties);

}  // namespace qf
