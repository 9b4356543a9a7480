// LogIndex: what the entry rules and the tallies need of the log, kept ready so that a key, an
// Enter or a reload at full contest size never walks and re-parses the whole log.
//
// For every row it keeps the row's call, band, mode and county codes (case folded, numbered),
// its time stamp read once, and the county table row of its county; the rows with each call; and
// the rows of each band and mode, also by the first two letters of the call. `sync` brings it in
// step with the log after a load, an append, an edit or a delete: only the rows the log stamped
// as written since it last looked are read again (the loader stamps only the rows it changed),
// so a reload of an unchanged file, or a look between two keys, costs one look at the log's
// clock. It keeps no texts of its own.
//
// Every answer is the one the plain walk over the log gives (see ContactRules.h, LogTallies.h);
// the plain walks stay as the reference the tests compare with.
#pragma once

#include "logstore/QsoLog.h"
#include "logstore/ReferenceTables.h"
#include "logstore/Tallies.h"

#include <QDateTime>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace qf {

struct SPCTable;

// Hash and equality of texts that are equal ignoring case, as QString::compare sees it.
struct FoldedHash {
    size_t operator()(const QString& s) const;
};
struct FoldedEqual {
    bool operator()(const QString& a, const QString& b) const {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }
};

// What one pass over the log gives the rebuild of a logging window.
struct LogSummary {
    int cw = 0, ph = 0, dg = 0;
    int contacts = 0;
    QStringList worked;            // counties worked, each once, as first logged
    QStringList toGo;              // the table's counties, each once, less the worked ones
    std::vector<int> countyRows;   // county table rows worked (flag column 3)
    std::vector<int> stateRows;    // SPC table rows worked (flag column 1), when asked
    QStringList dxAll;             // DX countries (more than two letters), each once
    std::array<QStringList, 7> dxByBand;  // per Tallies::DXLists, at most 1000 each
};

class LogIndex {
public:
    LogIndex();
    ~LogIndex();

    // In step with the log and the county table: the rows stamped since it last looked are read
    // again (QSOLog::stampOf), rows past the count dropped, new rows added. When the log's clock
    // has not moved and no row was added or taken off, there is nothing to read.
    void sync(const QSOLog& log, const CountyTable& counties);

    // The rows holding the call (ignoring case), oldest first.
    std::vector<int> rowsWithCall(const QString& call) const;
    // PartialDupeList's answer (ContactRules.h), from the band and mode's rows.
    QString partialDupes(const QSOLog& log, const QString& typed, const QString& band,
                         const QString& mode, const std::optional<QString>& ownCounty = {}) const;
    // CountRates' answer (LogTallies.h) from the stamps read once; nullopt where CountRates
    // throws (a scanned record whose date or time does not read).
    struct RateCounts {
        int last20 = 0, last60 = 0;
    };
    std::optional<RateCounts> rates(const QDateTime& nowUtc) const;
    // The first county table row of the abbreviation (ignoring case), or 0: CountyRow's answer.
    int countyRow(const QString& abbrev) const;
    // The tallies of the whole log in one pass. With an SPC table, the worked states too.
    LogSummary summarize(const QSOLog& log, const CountyTable& counties, const SPCTable* spc,
                         const QString& contestState) const;

    int rowCount() const;
    // Rows taken again by the last sync (a measure for tests and benchmarks).
    int lastSyncedRows() const { return lastSynced_; }

private:
    struct Row;
    struct Codes;
    void rebuild(const QSOLog& log);
    void syncCounties(const CountyTable& counties);
    Row makeRow(const QSORecord& q);
    void add(int r, Row row);
    void remove(int r);

    std::vector<Row> rows_;  // row r at r - 1
    std::unique_ptr<Codes> codes_;
    quint64 logId_ = 0;  // the log it was built from (QSOLog::id)
    quint64 seen_ = 0;   // that log's clock when it last looked
    int lastSynced_ = 0;
};

}  // namespace qf
