#include "logstore/ReferenceTables.h"

#include "common/QuotedFieldLine.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "startup/StartupValues.h"

namespace qf {

namespace {
Error tooMany() { return Error(err::kSubscript, QStringLiteral("Subscript out of range")); }
}  // namespace

void LoadPrefixTable(PrefixTable& table, const StartupValues& folders, const Files& files) {
    const QString name = QStringLiteral("/arrlpre2.txt");
    QString path = folders.SharedFolder + name;
    if (!files.fileExists(path)) path = folders.DataFolder + name;
    if (!files.fileExists(path)) path = folders.WorkingFolder + name;
    if (!files.fileExists(path)) return;  // no table: lookups simply find nothing

    RecordReader r(files.readAll(path));
    while (!r.atEnd()) {
        if (table.PrefixCount >= PrefixTable::kCapacity) throw tooMany();
        PrefixRow row;
        row.Prefix = r.readText();
        row.PrefixCountry = r.readText();
        row.PrefixContinent = r.readText();
        row.PrefixLongitude = r.readSingle();
        row.PrefixLatitude = r.readSingle();
        for (int i = 0; i < 3; ++i) r.skipValue();
        table.rows.push_back(std::move(row));
        ++table.PrefixCount;
    }
}

void LoadStateLocations(std::array<StateLocation, 56>& rows, const Files& files) {
    RecordReader r(files.readAll(QStringLiteral("states.txt")));
    for (size_t i = 1; i <= 50; ++i) {
        StateLocation s;
        s.LocationCode = r.readText();
        s.LocationLatitude = r.readSingle();
        s.LocationLongitude = r.readSingle();
        rows[i] = std::move(s);
    }
}

void LoadCountyTable(CountyTable& table, const QString& contestState, const Files& files) {
    table.CountyCount = 0;
    RecordReader r(files.readAll(QStringLiteral("county2.txt")));
    while (!r.atEnd()) {
        const QString a = r.readText();
        const QString b = r.readText();
        if (a.left(2) != contestState) continue;
        if (table.CountyCount >= CountyTable::kCapacity) throw tooMany();
        ++table.CountyCount;
        CountyRow row{b, a.mid(2)};
        if (static_cast<int>(table.rows.size()) <= table.CountyCount) {
            table.rows.push_back(std::move(row));
        } else {
            table.rows[static_cast<size_t>(table.CountyCount)] = std::move(row);
        }
    }
}

QString CountyAbbreviation(const CountyTable& table, QString& county) {
    county = county.toUpper();
    for (int i = 1; i <= table.CountyCount; ++i) {
        if (table[i].CountyName.toUpper() == county) return table[i].CountyAbbrev;
    }
    return {};
}

}  // namespace qf
