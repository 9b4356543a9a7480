#include "logging/LogTallies.h"

#include "common/Formats.h"
#include "logging/ContactRules.h"
#include "logging/SPCTable.h"
#include "platform/Error.h"

namespace qf {

void CountModes(const QSOLog& log, Tallies& t) {
    t.CWQSOCount = t.PHQSOCount = t.DGQSOCount = 0;
    for (int r = 1; r <= log.QSOCount; ++r) CountContact(t, log[r].Mode);
}

Rates CountRates(const QSOLog& log, const QDateTime& nowUtc) {
    Rates r;
    for (int row = log.QSOCount; row >= 1; --row) {
        const auto when = parseStoredDateTime(log[row].QSODate, log[row].QSOTime);
        if (!when) throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
        const qint64 age = when->secsTo(nowUtc);
        if (age < 1200) ++r.last20;
        if (age >= 3600) break;
        ++r.last60;
    }
    return r;
}

int CountyRow(const CountyTable& counties, const QString& abbrev) {
    for (int j = 1; j <= counties.CountyCount; ++j) {
        if (counties[j].CountyAbbrev.compare(abbrev, Qt::CaseInsensitive) == 0) return j;
    }
    return 0;
}

CountyLists BuildCountyLists(const QSOLog& log, const CountyTable& counties) {
    CountyLists lists;
    // A county listed under several names is still one county to go: with an item per row,
    // working it would leave its other items behind in the list.
    for (int j = 1; j <= counties.CountyCount; ++j) {
        if (!lists.toGo.contains(counties[j].CountyAbbrev, Qt::CaseInsensitive)) {
            lists.toGo << counties[j].CountyAbbrev;
        }
    }
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QString& c = log[r].CountyRcvd;
        if (c.isEmpty() || lists.worked.contains(c, Qt::CaseInsensitive)) continue;
        lists.worked << c;
    }
    for (const QString& w : lists.worked) {
        for (int i = 0; i < lists.toGo.size(); ++i) {
            if (lists.toGo[i].compare(w, Qt::CaseInsensitive) == 0) {
                lists.toGo.removeAt(i);
                break;
            }
        }
    }
    return lists;
}

void SizeWorkedFlags(Tallies& t, const CountyTable& counties) {
    const size_t rows = static_cast<size_t>(std::max(260, counties.CountyCount)) + 1;
    if (t.WorkedFlags.size() < rows) t.WorkedFlags.resize(rows);
}

int RecountMultipliers(const QSOLog& log, const CountyTable& counties, Tallies& t) {
    SizeWorkedFlags(t, counties);
    for (int r = 1; r <= log.QSOCount; ++r) {
        const int j = CountyRow(counties, log[r].CountyRcvd);
        if (j > 0) t.WorkedFlags[static_cast<size_t>(j)][3] = 1;
    }
    int n = 0;
    for (size_t row = 1; row < t.WorkedFlags.size(); ++row) {
        for (size_t c = 1; c <= 3; ++c) n += t.WorkedFlags[row][c];
    }
    return n;
}

int MarkStateWorked(Tallies& t, const SPCTable& spc, const QString& code,
                    const QString& contestState) {
    if (code.compare(contestState, Qt::CaseInsensitive) == 0) return 0;
    const int row = spc.find(code);
    if (row == 0) return 0;
    auto& flag = t.WorkedFlags[static_cast<size_t>(row)][1];
    if (flag != 0) return 0;
    flag = 1;
    return row;
}

bool AddDXCountry(Tallies& t, const QString& band, const QString& country) {
    for (BandDXList& list : t.DXLists) {
        if (list.name.compare(band, Qt::CaseInsensitive) != 0) continue;
        // A full list keeps its names; nothing is written past the table.
        if (list.DXCountryCount >= kDXListCapacity) return false;
        list.countries << country;
        list.DXCountryCount = static_cast<int>(list.countries.size());
        return true;
    }
    return false;
}

}  // namespace qf
