// The log index against the plain walk over the log: a generated full log with mixed case,
// county aliases, rovers and DX, then edits, deletes, appends and a reload in between. After
// each step every answer the windows take from the index (duplicates with their box fills, the
// earlier contacts, the possible-duplicates line, rates, counts, multipliers, county, state and
// DX lists) must be the plain walk's, exactly.
#include "logging/ContactRules.h"
#include "logging/LogIndex.h"
#include "logging/LogTallies.h"
#include "logging/SPCTable.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <random>

namespace qf {
namespace {

const char* const kCounties[][2] = {{"HEN", "HENNEPIN"}, {"AIT", "AITKIN"},   {"STL", "SAINT LOUIS"},
                                    {"STL", "ST LOUIS"}, {"CRV", "CARVER"},    {"WSH", "WASHINGTON"},
                                    {"RAM", "RAMSEY"},   {"DAK", "DAKOTA"},    {"ANO", "ANOKA"},
                                    {"LOW", "LAKE OF THE WOODS"}, {"low", "LAKE WOODS"}};

CountyTable countyTable() {
    CountyTable t;
    for (const auto& c : kCounties) {
        t.rows.push_back({QString::fromLatin1(c[0]), QString::fromLatin1(c[1])});
        ++t.CountyCount;
    }
    return t;
}

// Mixed case of a text, by the generator's choice.
QString mixCase(const QString& s, std::mt19937& g) {
    QString out = s;
    for (QChar& c : out) {
        if (g() % 4 == 0) c = c.isUpper() ? c.toLower() : c.toUpper();
    }
    return out;
}

class Generator {
public:
    explicit Generator(unsigned seed) : g_(seed) {}

    QSORecord contact(int i) {
        static const char* bands[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
        static const char* modes[] = {"CW", "PH", "DG", "cw", "Ph", "RTTY"};
        static const char* states[] = {"OH", "wi", "IA", "MN", "mn", "ON", "CA", "TX"};
        static const char* dx[] = {"Germany", "GERMANY", "Japan", "England", "Italy", "Brazil"};
        static const char* sent[] = {"AIT", "ait", "HEN", "STL"};
        QSORecord q;
        // About 2500 stations, so most are worked again on other bands, modes and counties.
        const unsigned station = g_() % 2500;
        q.Call = mixCase(QStringLiteral("%1%2%3").arg(QChar(static_cast<char16_t>(u'K' + station % 4)))
                             .arg(station % 10)
                             .arg(QString::number(station / 10, 36).toUpper()),
                         g_);
        if (g_() % 97 == 0) q.Call = QStringLiteral("W");  // a call shorter than two letters
        q.NameSent = QStringLiteral("JOE");
        q.NameRcvd = g_() % 5 == 0 ? QString() : QStringLiteral("BOB%1").arg(station % 7);
        const unsigned kind = g_() % 10;
        if (kind < 6) {
            q.SPC = QStringLiteral("MN");
            const auto& c = kCounties[g_() % std::size(kCounties)];
            // Mostly the abbreviation in any case; now and then a county of no table row.
            q.CountyRcvd = g_() % 13 == 0 ? QStringLiteral("XYZ") : mixCase(QString::fromLatin1(c[0]), g_);
        } else if (kind < 8) {
            q.SPC = QString::fromLatin1(states[g_() % std::size(states)]);
        } else {
            q.SPC = QString::fromLatin1(dx[g_() % std::size(dx)]);
        }
        q.CountySent = QString::fromLatin1(sent[g_() % std::size(sent)]);  // rovers
        q.Band = QString::fromLatin1(bands[g_() % std::size(bands)]);
        q.Mode = QString::fromLatin1(modes[g_() % std::size(modes)]);
        // A contact every 20 seconds, ending at 18:00 UTC; some times in the short post-contest
        // form, a few dates in another form the reader takes.
        const QDateTime when = QDateTime(QDate(2026, 9, 12), QTime(18, 0), Qt::UTC).addSecs(-20LL * (11000 - i));
        q.QSODate = when.date().toString(g_() % 50 == 0 ? QStringLiteral("yyyy-M-d") : QStringLiteral("yyyy/MM/dd"));
        q.QSOTime = when.time().toString(g_() % 20 == 0 ? QStringLiteral("H:mm") : QStringLiteral("HH:mm:ss"));
        return q;
    }
    unsigned next() { return g_(); }

private:
    std::mt19937 g_;
};

// The in-state rebuild steps, walked plainly as the windows did before the index.
std::vector<int> plainStateRows(const QSOLog& log, const SPCTable& spc, const QString& contestState) {
    std::vector<int> rows;
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QString& code = log[r].SPC;
        if (code.size() != 2) continue;
        for (int row = 1; row <= static_cast<int>(spc.SPCCount); ++row) {
            const QString& c = spc.SPCCode[static_cast<size_t>(row)];
            if (c.compare(code, Qt::CaseInsensitive) == 0 &&
                c.compare(contestState, Qt::CaseInsensitive) != 0) {
                if (std::find(rows.begin(), rows.end(), row) == rows.end()) rows.push_back(row);
                break;
            }
        }
    }
    return rows;
}

std::array<QStringList, 7> plainBandDX(const QSOLog& log) {
    Tallies t;
    std::array<QStringList, 7> out;
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QSORecord& q = log[r];
        if (q.SPC.size() <= 2) continue;
        for (size_t k = 0; k < t.DXLists.size(); ++k) {
            if (t.DXLists[k].name.compare(q.Band, Qt::CaseInsensitive) != 0) continue;
            if (!out[k].contains(q.SPC, Qt::CaseInsensitive) && out[k].size() < 1000) out[k] << q.SPC;
        }
    }
    return out;
}

QStringList plainDXAll(const QSOLog& log) {
    QStringList all;
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QString& c = log[r].SPC;
        if (c.size() > 2 && !all.contains(c, Qt::CaseInsensitive)) all << c;
    }
    return all;
}

std::vector<int> plainRowsWithCall(const QSOLog& log, const QString& call) {
    std::vector<int> rows;
    for (int r = 1; r <= log.QSOCount; ++r) {
        if (log[r].Call.compare(call, Qt::CaseInsensitive) == 0) rows.push_back(r);
    }
    return rows;
}

std::optional<Rates> plainRates(const QSOLog& log, const QDateTime& now) {
    try {
        return CountRates(log, now);
    } catch (const Error&) {
        return std::nullopt;
    }
}

class LogIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        spc.fill();
        for (int i = 1; i <= kLogCapacity; ++i) log[++log.QSOCount] = gen.contact(i);
    }

    // Every answer of the index against the plain walk, for a sample of calls and prefixes.
    void expectSameAnswers(const char* step) {
        SCOPED_TRACE(step);
        ASSERT_EQ(index.rowCount(), log.QSOCount);
        const LogSummary s = index.summarize(log, counties, &spc, QStringLiteral("MN"));

        Tallies plain;
        CountModes(log, plain);
        EXPECT_EQ(s.cw, plain.CWQSOCount);
        EXPECT_EQ(s.ph, plain.PHQSOCount);
        EXPECT_EQ(s.dg, plain.DGQSOCount);
        EXPECT_EQ(2 * s.contacts, plain.QSOPoints);

        const CountyLists lists = BuildCountyLists(log, counties);
        EXPECT_EQ(s.worked, lists.worked);
        EXPECT_EQ(s.toGo, lists.toGo);
        Tallies flags;
        const int multipliers = RecountMultipliers(log, counties, flags);
        Tallies fromIndex;
        SizeWorkedFlags(fromIndex, counties);
        for (int j : s.countyRows) fromIndex.WorkedFlags[static_cast<size_t>(j)][3] = 1;
        EXPECT_EQ(fromIndex.WorkedFlags, flags.WorkedFlags);
        EXPECT_EQ(static_cast<int>(s.countyRows.size()), multipliers);
        for (int j = 0; j <= counties.CountyCount + 1; ++j) {
            const QString abbrev = j == 0 ? QStringLiteral("xyz") : j > counties.CountyCount ? QString() : counties[j].CountyAbbrev.toLower();
            EXPECT_EQ(index.countyRow(abbrev), CountyRow(counties, abbrev)) << abbrev.toStdString();
        }

        std::vector<int> states = s.stateRows;
        std::vector<int> plainStates = plainStateRows(log, spc, QStringLiteral("MN"));
        std::sort(states.begin(), states.end());
        std::sort(plainStates.begin(), plainStates.end());
        EXPECT_EQ(states, plainStates);
        EXPECT_EQ(s.dxByBand, plainBandDX(log));
        EXPECT_EQ(s.dxAll, plainDXAll(log));

        const QDateTime end(QDate(2026, 9, 12), QTime(18, 0), Qt::UTC);
        for (qint64 back : {-100LL, 0LL, 600LL, 1500LL, 3000LL, 86400LL}) {
            const QDateTime now = end.addSecs(-back);
            const auto a = index.rates(now);
            const auto b = plainRates(log, now);
            ASSERT_EQ(a.has_value(), b.has_value());
            if (a) {
                EXPECT_EQ(a->last20, b->last20);
                EXPECT_EQ(a->last60, b->last60);
            }
        }

        std::mt19937 pick(7);
        for (int k = 0; k < 40; ++k) {
            const int r = 1 + static_cast<int>(pick() % static_cast<unsigned>(log.QSOCount));
            const QSORecord& q = log[r];
            QString call = mixCase(q.Call, pick);
            if (k % 10 == 9) call += QStringLiteral("Q");  // a call never logged
            SCOPED_TRACE(call.toStdString());
            EXPECT_EQ(index.rowsWithCall(call), plainRowsWithCall(log, call));
            for (const Exchange ex : {Exchange::OutOfState, Exchange::InState}) {
                DupeQuery d;
                d.exchange = ex;
                // Empty boxes now and then, so the fills from earlier contacts are compared too.
                d.entry = {call, QString(), k % 3 == 0 ? QString() : q.SPC,
                           k % 2 == 0 ? QString() : mixCase(q.CountyRcvd, pick)};
                d.band = q.Band;
                d.mode = mixCase(q.Mode, pick);
                d.ownCounty = k % 4 == 0 ? QStringLiteral("HEN") : q.CountySent;
                d.contestState = QStringLiteral("mn");
                const DupeAnswer a = FindDuplicate(index, log, d);
                const DupeAnswer b = FindDuplicate(log, d);
                EXPECT_EQ(a.row, b.row);
                EXPECT_EQ(a.county, b.county);
                EXPECT_EQ(a.spc, b.spc);
                EXPECT_EQ(a.countyFilled, b.countyFilled);
                EXPECT_EQ(a.spcFilled, b.spcFilled);
            }
            for (const bool all : {false, true}) {
                const EntryTexts boxes{call, QString(), QString(), QString()};
                const EarlierContacts a = ScanEarlierContacts(index, log, boxes, q.Band, q.Mode, all);
                const EarlierContacts b = ScanEarlierContacts(log, boxes, q.Band, q.Mode, all);
                EXPECT_EQ(a.rows, b.rows);
                EXPECT_EQ(a.warnings, b.warnings);
                EXPECT_EQ(a.boxes.name, b.boxes.name);
                EXPECT_EQ(a.boxes.county, b.boxes.county);
            }
            for (qsizetype len = 1; len <= std::min<qsizetype>(call.size(), 4); ++len) {
                const QString typed = call.left(len);
                const QString band = mixCase(q.Band, pick);
                EXPECT_EQ(PartialDupeList(index, log, typed, band, q.Mode),
                          PartialDupeList(log, typed, band, q.Mode))
                    << typed.toStdString();
                const std::optional<QString> own = mixCase(q.CountySent, pick);
                EXPECT_EQ(PartialDupeList(index, log, typed, band, q.Mode, own),
                          PartialDupeList(log, typed, band, q.Mode, own))
                    << typed.toStdString();
            }
        }
        EXPECT_EQ(PartialDupeList(index, log, QStringLiteral("K"), QStringLiteral("20"), QStringLiteral("XX")), QString());
    }

    Generator gen{2026};
    QSOLog log;
    CountyTable counties = countyTable();
    SPCTable spc;
    LogIndex index;
};

TEST_F(LogIndexTest, GivesWhatThePlainWalkGivesThroughEditsDeletesAndAppends) {
    index.sync(log, counties);
    expectSameAnswers("after the load");

    // A reload of the same file: equal texts in new strings. Nothing is taken again.
    for (int r = 1; r <= log.QSOCount; ++r) {
        QSORecord& q = log[r];
        for (QString* f : {&q.Call, &q.Band, &q.Mode, &q.CountyRcvd, &q.QSODate}) *f = QString(f->constData(), f->size());
    }
    ++log.generation;
    index.sync(log, counties);
    EXPECT_EQ(index.lastSyncedRows(), 0);
    expectSameAnswers("after a reload of the same log");

    // Edits: a call, a band, a county in another case, a date that no longer reads.
    log[5].Call = QStringLiteral("w9zzz");
    log[700].Band = QStringLiteral("40");
    log[701].CountyRcvd = QStringLiteral("ait");
    log[702].SPC = QStringLiteral("Peru");
    log[10990].QSOTime = QStringLiteral("bad");
    index.sync(log, counties);
    EXPECT_EQ(index.lastSyncedRows(), 5);
    expectSameAnswers("after edits");

    // An edit in place through the row's reference, the count unchanged, as the edit dialogs
    // make it: the sync that passes over an untouched log must not pass over it.
    log[800].Call[0] = QLatin1Char('X');  // no call of the log begins with X
    log[801].Mode[0] = QLatin1Char('X');
    index.sync(log, counties);
    EXPECT_EQ(index.lastSyncedRows(), 2);
    expectSameAnswers("after an edit in place");

    // Deletes in the middle shift every later row; the last rows taken off; then appends.
    for (int del : {3000, 17, 9000}) {
        for (int r = del; r < log.QSOCount; ++r) log[r] = log[r + 1];
        --log.QSOCount;
        index.sync(log, counties);
    }
    log.QSOCount -= 5;
    index.sync(log, counties);
    expectSameAnswers("after deletes");

    for (int i = 0; i < 8; ++i) {
        log[++log.QSOCount] = gen.contact(11000);
        index.sync(log, counties);
    }
    EXPECT_EQ(index.rowCount(), log.QSOCount);
    expectSameAnswers("after appends");
}

TEST_F(LogIndexTest, FollowsAChangedCountyTable) {
    index.sync(log, counties);
    counties.rows[1].CountyAbbrev = QStringLiteral("ZZZ");  // HEN is no county any more
    index.sync(log, counties);
    expectSameAnswers("after the county table changed");
}

}  // namespace
}  // namespace qf
