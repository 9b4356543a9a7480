// The reference tables loaded once per run from the files shipped with the program: call-sign
// prefixes ("arrlpre2.txt"), state locations ("states.txt") and the contest state's counties
// ("county2.txt"). Rows are numbered from 1, as the lookups and the worked flags count them.
#pragma once

#include <QString>

#include <array>
#include <vector>

namespace qf {

class Files;
struct StartupValues;

struct PrefixRow {
    QString Prefix;
    QString PrefixCountry;
    QString PrefixContinent;
    float PrefixLongitude = 0;  // degrees, positive toward the west
    float PrefixLatitude = 0;
};

struct PrefixTable {
    static constexpr int kCapacity = 10000;
    PrefixTable() : rows(1) {}
    const PrefixRow& operator[](int r) const { return rows.at(static_cast<size_t>(r)); }
    std::vector<PrefixRow> rows;  // row 0 unused
    int PrefixCount = 0;
};

struct StateLocation {
    QString LocationCode;
    float LocationLatitude = 0;
    float LocationLongitude = 0;  // positive toward the west
};

struct CountyRow {
    QString CountyAbbrev;  // the form that is typed, logged, listed and mapped
    QString CountyName;    // the name, or an alias of it
};

struct CountyTable {
    static constexpr int kCapacity = 1000;
    CountyTable() : rows(1) {}
    const CountyRow& operator[](int r) const { return rows.at(static_cast<size_t>(r)); }
    std::vector<CountyRow> rows;  // row 0 unused; rows above CountyCount are stale
    int CountyCount = 0;
};

struct ReferenceTables {
    PrefixTable prefixes;
    std::array<StateLocation, 56> StateLocations;  // rows 1 to 50 used
    CountyTable counties;
};

// Loads "arrlpre2.txt" from the shared folder, else the data folder, else the working folder;
// with no copy anywhere the table stays empty. A bad record or a 10001st fails (Error), leaving
// the rows read so far.
void LoadPrefixTable(PrefixTable& table, const StartupValues& folders, const Files& files);

// Reads 50 records of "states.txt" into rows 1 to 50; fewer is a failure.
void LoadStateLocations(std::array<StateLocation, 56>& rows, const Files& files);

// Reads "county2.txt" from scratch, keeping the records of the contest state (first two
// characters compared exactly). A failure passes to the caller with the rows kept so far.
void LoadCountyTable(CountyTable& table, const QString& contestState, const Files& files);

// The abbreviation of the county named (ignoring case), or empty text; upper-cases the caller's
// text in place.
QString CountyAbbreviation(const CountyTable& table, QString& county);

}  // namespace qf
