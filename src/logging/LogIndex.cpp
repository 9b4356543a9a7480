#include "logging/LogIndex.h"

#include "common/Formats.h"
#include "logging/SPCTable.h"

#include <algorithm>

namespace qf {

namespace {

constexpr quint64 kFnvOffset = 1469598103934665603ULL;
constexpr quint64 kFnvPrime = 1099511628211ULL;

quint64 fnv(quint64 h, char16_t c) {
    h ^= c;
    return h * kFnvPrime;
}

bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

char16_t folded(QChar c) { return c.toCaseFolded().unicode(); }

// The first two letters of a call, folded; calls shorter than that have no such key.
std::optional<quint32> prefixKey(const QString& call) {
    if (call.size() < 2) return std::nullopt;
    return (static_cast<quint32>(folded(call[0])) << 16) | folded(call[1]);
}

// The stored date and time as written by this program ("yyyy/MM/dd", "HH:mm:ss") read at once;
// anything else through the general reader, so the answer is always parseStoredDateTime's.
std::optional<qint64> readStamp(const QString& date, const QString& time) {
    const auto digits = [](const QString& s, qsizetype from, qsizetype n, int& out) {
        out = 0;
        for (qsizetype i = from; i < from + n; ++i) {
            const char16_t c = s[i].unicode();
            if (c < '0' || c > '9') return false;
            out = out * 10 + (c - '0');
        }
        return true;
    };
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (date.size() == 10 && time.size() == 8 && date[4] == QLatin1Char('/') &&
        date[7] == QLatin1Char('/') && time[2] == QLatin1Char(':') && time[5] == QLatin1Char(':') &&
        digits(date, 0, 4, y) && digits(date, 5, 2, mo) && digits(date, 8, 2, d) &&
        digits(time, 0, 2, h) && digits(time, 3, 2, mi) && digits(time, 6, 2, s) && y > 0) {
        const QDate qd(y, mo, d);
        const QTime qt(h, mi, s);
        if (qd.isValid() && qt.isValid()) return QDateTime(qd, qt, Qt::UTC).toSecsSinceEpoch();
    }
    const auto when = parseStoredDateTime(date, time);
    if (!when) return std::nullopt;
    return when->toSecsSinceEpoch();
}

using Interner = std::unordered_map<QString, int, FoldedHash, FoldedEqual>;

int intern(Interner& map, std::vector<QString>& texts, const QString& s) {
    const auto [it, added] = map.try_emplace(s, static_cast<int>(texts.size()));
    if (added) texts.push_back(s);
    return it->second;
}

int lookup(const Interner& map, const QString& s) {
    const auto it = map.find(s);
    return it == map.end() ? -1 : it->second;
}

void insertSorted(std::vector<int>& v, int r) {
    if (v.empty() || v.back() < r) {
        v.push_back(r);
    } else {
        v.insert(std::lower_bound(v.begin(), v.end(), r), r);
    }
}

void eraseSorted(std::vector<int>& v, int r) {
    if (!v.empty() && v.back() == r) {
        v.pop_back();
        return;
    }
    const auto it = std::lower_bound(v.begin(), v.end(), r);
    if (it != v.end() && *it == r) v.erase(it);
}

// Held strings tell a row that is still the one indexed: the same string data, or equal text.
bool keep(QString& held, const QString& now) {
    if (held.constData() == now.constData() && held.size() == now.size()) return true;
    if (held != now) return false;
    held = now;  // the next look compares pointers only
    return true;
}

}  // namespace

size_t FoldedHash::operator()(const QString& s) const {
    quint64 h = kFnvOffset;
    for (QChar c : s) {
        if (c.unicode() >= 0x80) {
            // Beyond ASCII, fold the whole text as the case-insensitive compare does.
            quint64 g = kFnvOffset;
            for (QChar f : s.toCaseFolded()) g = fnv(g, f.unicode());
            return static_cast<size_t>(g);
        }
        const char16_t u = c.unicode();
        h = fnv(h, (u >= 'A' && u <= 'Z') ? static_cast<char16_t>(u + 32) : u);
    }
    return static_cast<size_t>(h);
}

// What a row gives the answers: its texts numbered (case folded), its call's first two letters,
// its time stamp. Two rows that are equal here answer alike, whatever their texts' case.
struct LogIndex::Row {
    int callId = 0, bandId = 0, modeId = 0, countyId = 0, sentId = 0, spcId = 0;
    quint32 prefix = 0;
    bool hasPrefix = false;
    bool stampOk = false;
    qint64 stamp = 0;
    bool operator==(const Row&) const = default;
};

struct LogIndex::Codes {
    struct BandMode {
        std::vector<int> all;
        std::unordered_map<quint32, std::vector<int>> byPrefix;
    };
    Interner calls;  // call -> its number; the texts live in the log
    Interner codes;  // bands, modes, counties, SPC: compared only within their field
    std::vector<QString> codeTexts;
    // The rows of each call, oldest first, chained: the first row per call number, then each
    // row's next row with the same call (at r - 1; 0 ends the chain).
    std::vector<int> firstWithCall;
    std::vector<int> nextWithCall;
    std::unordered_map<quint64, BandMode> byBandMode;
    // The county table, as last seen, and what is read from it.
    std::vector<QString> tableAbbrevs;
    std::vector<QString> tableNames;
    Interner countyRowOf;  // abbreviation -> first table row
    QStringList toGoBase;  // each abbreviation once, in table order

    static quint64 bandModeKey(int band, int mode) {
        return (static_cast<quint64>(static_cast<quint32>(band)) << 32) | static_cast<quint32>(mode);
    }
};

LogIndex::LogIndex() : codes_(std::make_unique<Codes>()) {}
LogIndex::~LogIndex() = default;

int LogIndex::rowCount() const { return static_cast<int>(rows_.size()); }

LogIndex::Row LogIndex::makeRow(const QSORecord& q) {
    Codes& c = *codes_;
    Row row;
    row.callId = c.calls.try_emplace(q.Call, static_cast<int>(c.calls.size())).first->second;
    if (c.firstWithCall.size() < c.calls.size()) c.firstWithCall.resize(c.calls.size());
    if (const auto key = prefixKey(q.Call)) {
        row.hasPrefix = true;
        row.prefix = *key;
    }
    row.bandId = intern(c.codes, c.codeTexts, q.Band);
    row.modeId = intern(c.codes, c.codeTexts, q.Mode);
    row.countyId = intern(c.codes, c.codeTexts, q.CountyRcvd);
    row.sentId = intern(c.codes, c.codeTexts, q.CountySent);
    row.spcId = intern(c.codes, c.codeTexts, q.SPC);
    const auto stamp = readStamp(q.QSODate, q.QSOTime);
    row.stampOk = stamp.has_value();
    row.stamp = stamp.value_or(0);
    return row;
}

void LogIndex::add(int r, Row row) {
    Codes& c = *codes_;
    if (c.nextWithCall.size() < static_cast<size_t>(r)) c.nextWithCall.resize(static_cast<size_t>(r));
    int& first = c.firstWithCall[static_cast<size_t>(row.callId)];
    int& next = c.nextWithCall[static_cast<size_t>(r - 1)];
    if (first == 0 || first > r) {
        next = first;
        first = r;
    } else {
        int p = first;
        while (c.nextWithCall[static_cast<size_t>(p - 1)] != 0 && c.nextWithCall[static_cast<size_t>(p - 1)] < r) {
            p = c.nextWithCall[static_cast<size_t>(p - 1)];
        }
        next = c.nextWithCall[static_cast<size_t>(p - 1)];
        c.nextWithCall[static_cast<size_t>(p - 1)] = r;
    }
    Codes::BandMode& bm = c.byBandMode[Codes::bandModeKey(row.bandId, row.modeId)];
    insertSorted(bm.all, r);
    if (row.hasPrefix) insertSorted(bm.byPrefix[row.prefix], r);
    if (static_cast<int>(rows_.size()) < r) rows_.resize(static_cast<size_t>(r));
    rows_[static_cast<size_t>(r - 1)] = std::move(row);
}

void LogIndex::remove(int r) {
    Codes& c = *codes_;
    const Row& row = rows_[static_cast<size_t>(r - 1)];
    int& first = c.firstWithCall[static_cast<size_t>(row.callId)];
    int& next = c.nextWithCall[static_cast<size_t>(r - 1)];
    if (first == r) {
        first = next;
    } else {
        int p = first;
        while (p != 0 && c.nextWithCall[static_cast<size_t>(p - 1)] != r) p = c.nextWithCall[static_cast<size_t>(p - 1)];
        if (p != 0) c.nextWithCall[static_cast<size_t>(p - 1)] = next;
    }
    next = 0;
    Codes::BandMode& bm = c.byBandMode[Codes::bandModeKey(row.bandId, row.modeId)];
    eraseSorted(bm.all, r);
    if (row.hasPrefix) eraseSorted(bm.byPrefix[row.prefix], r);
}

void LogIndex::rebuild(const QSOLog& log) {
    Codes& c = *codes_;
    rows_.clear();
    std::fill(c.firstWithCall.begin(), c.firstWithCall.end(), 0);
    c.nextWithCall.assign(static_cast<size_t>(kLogCapacity), 0);
    c.byBandMode.clear();
    rows_.reserve(static_cast<size_t>(kLogCapacity));
    for (int r = 1; r <= log.QSOCount; ++r) add(r, makeRow(log[r]));
    lastSynced_ = log.QSOCount;
    logId_ = log.id();
    seen_ = log.clock();
}

void LogIndex::syncCounties(const CountyTable& counties) {
    Codes& c = *codes_;
    const auto n = static_cast<size_t>(std::max(0, counties.CountyCount));
    bool same = c.tableAbbrevs.size() == n;
    for (size_t j = 0; same && j < n; ++j) {
        same = keep(c.tableAbbrevs[j], counties[static_cast<int>(j + 1)].CountyAbbrev) &&
               keep(c.tableNames[j], counties[static_cast<int>(j + 1)].CountyName);
    }
    if (same) return;
    c.tableAbbrevs.clear();
    c.tableNames.clear();
    c.countyRowOf.clear();
    c.toGoBase.clear();
    for (int j = 1; j <= counties.CountyCount; ++j) {
        const QString& a = counties[j].CountyAbbrev;
        c.tableAbbrevs.push_back(a);
        c.tableNames.push_back(counties[j].CountyName);
        if (c.countyRowOf.try_emplace(a, j).second) c.toGoBase << a;
    }
}

void LogIndex::sync(const QSOLog& log, const CountyTable& counties) {
    syncCounties(counties);
    lastSynced_ = 0;
    // No row stamped since the last look, none added or taken off: nothing to read again.
    if (log.id() == logId_ && log.clock() == seen_ && log.QSOCount == rowCount()) return;
    if (log.id() != logId_) {
        rebuild(log);
        return;
    }
    const int n = log.QSOCount;
    while (static_cast<int>(rows_.size()) > n) {
        remove(static_cast<int>(rows_.size()));
        rows_.pop_back();
    }
    // Only rows written since the last look are read again; of those, only the ones whose
    // answers change are taken again.
    const int have = static_cast<int>(rows_.size());
    std::vector<std::pair<int, Row>> changed;
    if (log.changedSince(seen_, have)) {
        for (int r = 1; r <= have; ++r) {
            if (log.stampOf(r) <= seen_) continue;
            Row row = makeRow(log[r]);
            if (row == rows_[static_cast<size_t>(r - 1)]) continue;
            changed.emplace_back(r, row);
            // A delete shifts every later row, a restore brings another log: start again.
            if (changed.size() > rows_.size() / 8 + 16) {
                rebuild(log);
                return;
            }
        }
    }
    for (const auto& [r, row] : changed) {
        remove(r);
        add(r, row);
    }
    for (int r = have + 1; r <= n; ++r) add(r, makeRow(log[r]));
    seen_ = log.clock();
    lastSynced_ = static_cast<int>(changed.size()) + std::max(0, n - have);
}

std::vector<int> LogIndex::rowsWithCall(const QString& call) const {
    std::vector<int> rows;
    const int id = lookup(codes_->calls, call);
    if (id < 0) return rows;
    for (int r = codes_->firstWithCall[static_cast<size_t>(id)]; r != 0;
         r = codes_->nextWithCall[static_cast<size_t>(r - 1)]) {
        rows.push_back(r);
    }
    return rows;
}

QString LogIndex::partialDupes(const QSOLog& log, const QString& typed, const QString& band,
                               const QString& mode, const std::optional<QString>& ownCounty) const {
    const Codes& c = *codes_;
    const int bandId = lookup(c.codes, band), modeId = lookup(c.codes, mode);
    if (bandId < 0 || modeId < 0) return {};
    const auto bm = c.byBandMode.find(Codes::bandModeKey(bandId, modeId));
    if (bm == c.byBandMode.end()) return {};
    const int sentId = ownCounty ? lookup(c.codes, *ownCounty) : -1;
    if (ownCounty && sentId < 0) return {};
    const std::vector<int>* rows = &bm->second.all;
    if (const auto key = prefixKey(typed)) {
        const auto it = bm->second.byPrefix.find(*key);
        if (it == bm->second.byPrefix.end()) return {};
        rows = &it->second;
    }
    // Oldest first, each new one in front, until the line passes 100 characters.
    QString list;
    for (int r : *rows) {
        if (ownCounty && rows_[static_cast<size_t>(r - 1)].sentId != sentId) continue;
        const QString& call = log[r].Call;
        if (!call.startsWith(typed, Qt::CaseInsensitive)) continue;
        list = call + QLatin1Char(' ') + list;
        if (list.size() > 100) break;
    }
    return list;
}

std::optional<LogIndex::RateCounts> LogIndex::rates(const QDateTime& nowUtc) const {
    const qint64 now = nowUtc.toSecsSinceEpoch();
    RateCounts out;
    for (auto it = rows_.rbegin(); it != rows_.rend(); ++it) {
        if (!it->stampOk) return std::nullopt;
        const qint64 age = now - it->stamp;
        if (age < 1200) ++out.last20;
        if (age >= 3600) break;
        ++out.last60;
    }
    return out;
}

int LogIndex::countyRow(const QString& abbrev) const {
    const auto it = codes_->countyRowOf.find(abbrev);
    return it == codes_->countyRowOf.end() ? 0 : it->second;
}

LogSummary LogIndex::summarize(const QSOLog& log, const CountyTable& counties, const SPCTable* spc,
                               const QString& contestState) const {
    Q_UNUSED(counties);
    const Codes& c = *codes_;
    const size_t codeCount = c.codeTexts.size();
    LogSummary s;
    s.contacts = static_cast<int>(rows_.size());
    std::vector<int> perMode(codeCount, 0);
    std::vector<char> countySeen(codeCount, 0), dxSeen(codeCount, 0), stateSeen(codeCount, 0);
    std::vector<int> countyRowById(codeCount, -1), bandListById(codeCount, -2);
    std::array<std::vector<char>, 7> dxBandSeen;
    std::vector<char> tableRowSeen(c.tableAbbrevs.size() + 1, 0);
    static const Tallies names;  // the names of the band DX lists
    // Texts equal but for case have the same length, so a row's numbered texts answer every
    // question but "which text came first": only first sightings read the log itself.
    std::vector<qsizetype> codeSize(codeCount);
    for (size_t k = 0; k < codeCount; ++k) codeSize[k] = c.codeTexts[k].size();
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const auto q = [&log, i]() -> const QSORecord& { return log[static_cast<int>(i + 1)]; };
        ++perMode[static_cast<size_t>(row.modeId)];
        const auto county = static_cast<size_t>(row.countyId);
        if (!countySeen[county]) {
            countySeen[county] = 1;
            const QString& rcvd = q().CountyRcvd;
            if (!rcvd.isEmpty()) s.worked << rcvd;
            countyRowById[county] = countyRow(rcvd);
            const int j = countyRowById[county];
            if (j > 0 && !tableRowSeen[static_cast<size_t>(j)]) {
                tableRowSeen[static_cast<size_t>(j)] = 1;
                s.countyRows.push_back(j);
            }
        }
        const auto code = static_cast<size_t>(row.spcId);
        const qsizetype spcSize = codeSize[code];
        if (spcSize == 2 && spc != nullptr && !stateSeen[code]) {
            stateSeen[code] = 1;
            const QString& state = q().SPC;
            const int j = same(state, contestState) ? 0 : spc->find(state);
            if (j > 0) s.stateRows.push_back(j);
        }
        if (spcSize > 2) {
            if (!dxSeen[code]) {
                dxSeen[code] = 1;
                s.dxAll << q().SPC;
            }
            auto& list = bandListById[static_cast<size_t>(row.bandId)];
            if (list == -2) {
                list = -1;
                for (size_t k = 0; k < names.DXLists.size(); ++k) {
                    if (same(names.DXLists[k].name, c.codeTexts[static_cast<size_t>(row.bandId)])) {
                        list = static_cast<int>(k);
                        break;
                    }
                }
            }
            if (list >= 0) {
                auto& seen = dxBandSeen[static_cast<size_t>(list)];
                if (seen.empty()) seen.assign(codeCount, 0);
                QStringList& countries = s.dxByBand[static_cast<size_t>(list)];
                if (!seen[code] && countries.size() < 1000) {
                    seen[code] = 1;
                    countries << q().SPC;
                }
            }
        }
    }
    for (size_t m = 0; m < codeCount; ++m) {
        if (perMode[m] == 0) continue;
        if (same(c.codeTexts[m], QStringLiteral("PH"))) {
            s.ph += perMode[m];
        } else if (same(c.codeTexts[m], QStringLiteral("CW"))) {
            s.cw += perMode[m];
        } else {
            s.dg += perMode[m];
        }
    }
    for (const QString& a : c.toGoBase) {
        const int id = lookup(c.codes, a);
        if (id < 0 || !countySeen[static_cast<size_t>(id)]) s.toGo << a;
    }
    return s;
}

}  // namespace qf
