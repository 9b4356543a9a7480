#include "logging/LogTallies.h"
#include "logging/SPCTable.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

QSORecord contact(const char* county, const char* mode, const char* time,
                  const char* date = "2026/09/12") {
    QSORecord q;
    q.Call = QStringLiteral("K0X");
    q.CountyRcvd = QString::fromLatin1(county);
    q.Mode = QString::fromLatin1(mode);
    q.QSODate = QString::fromLatin1(date);
    q.QSOTime = QString::fromLatin1(time);
    return q;
}

CountyTable counties() {
    CountyTable c;
    for (const auto& [abbrev, name] : {std::pair{"AIT", "Aitkin"}, std::pair{"STL", "St. Louis"},
                                       std::pair{"STL", "Saint Louis"}, std::pair{"HEN", "Hennepin"}}) {
        c.rows.push_back({QString::fromLatin1(abbrev), QString::fromLatin1(name)});
        ++c.CountyCount;
    }
    return c;
}

TEST(LogTalliesTest, ScoreOfTenContactsInThreeCounties) {
    QSOLog log;
    const char* cs[] = {"AIT", "AIT", "STL", "hen", "HEN", "AIT", "STL", "AIT", "STL", "AIT"};
    const char* modes[] = {"CW", "PH", "DG", "CW", "CW", "PH", "RTTY", "CW", "CW", "PH"};
    for (int i = 0; i < 10; ++i) log[++log.QSOCount] = contact(cs[i], modes[i], "12:00:00");
    Tallies t;
    CountModes(log, t);
    EXPECT_EQ(t.QSOPoints, 20);
    EXPECT_EQ(t.CWQSOCount, 5);
    EXPECT_EQ(t.PHQSOCount, 3);
    EXPECT_EQ(t.DGQSOCount, 2);  // DG and anything that is neither PH nor CW
    const int mult = RecountMultipliers(log, counties(), t);
    EXPECT_EQ(mult, 3);
    EXPECT_EQ(t.QSOPoints * mult, 60);
    EXPECT_EQ(t.WorkedFlags[2][3], 1);  // the first St. Louis row only
    EXPECT_EQ(t.WorkedFlags[3][3], 0);
}

TEST(LogTalliesTest, CountyListsCountEachCountyOnce) {
    QSOLog log;
    log[++log.QSOCount] = contact("AIT", "CW", "12:00:00");
    log[++log.QSOCount] = contact("ait", "PH", "12:01:00");
    log[++log.QSOCount] = contact("XYZ", "CW", "12:02:00");  // in no table row
    const CountyLists lists = BuildCountyLists(log, counties());
    EXPECT_EQ(lists.worked, (QStringList{"AIT", "XYZ"}));
    EXPECT_EQ(lists.toGo, (QStringList{"STL", "HEN"}));  // St. Louis once, under either name
    Tallies t;
    EXPECT_EQ(RecountMultipliers(log, counties(), t), 1);
}

TEST(LogTalliesTest, RatesScanNewestFirstAndStopAtAnHour) {
    const QDateTime now(QDate(2026, 9, 12), QTime(15, 0, 0), Qt::UTC);
    QSOLog log;
    // Oldest first: an hour-old contact ends the scan even though an earlier row is newer.
    for (const char* t : {"14:59:00", "14:00:00", "14:00:01", "14:20:00", "14:40:00", "14:40:01",
                          "14:50:00", "15:05:00"}) {
        log[++log.QSOCount] = contact("AIT", "CW", t);
    }
    const Rates r = CountRates(log, now);
    EXPECT_EQ(r.last20, 3);  // 15:05 (ahead of now), 14:50, 14:40:01; 14:40:00 is exactly 1200 s
    EXPECT_EQ(r.last20 * 3, 9);
    EXPECT_EQ(r.last60, 6);  // down to 14:00:01; 14:00:00 stops the scan uncounted

    log[1] = contact("AIT", "CW", "14:59:00", "not a date");
    log[2] = contact("AIT", "CW", "bad");
    EXPECT_THROW(CountRates(log, now), Error);
}

TEST(LogTalliesTest, WorkedFlagsGrowWithTheCountyTable) {
    CountyTable big;
    for (int i = 0; i < 300; ++i) {
        big.rows.push_back({QStringLiteral("C%1").arg(i), QStringLiteral("County %1").arg(i)});
        ++big.CountyCount;
    }
    QSOLog log;
    log[++log.QSOCount] = contact("C299", "CW", "12:00:00");
    Tallies t;
    EXPECT_EQ(RecountMultipliers(log, big, t), 1);
    EXPECT_EQ(t.WorkedFlags[300][3], 1);
}

TEST(LogTalliesTest, AStoredContactsStateAndCountryCountOnce) {
    SPCTable spc;
    spc.fill();
    Tallies t;
    const QString mn = QStringLiteral("MN");
    struct Case {
        const char* code;
        bool newRow;
    };
    for (const Case& c : {Case{"OH", true}, Case{"oh", false}, Case{"MN", false}, Case{"mn", false},
                          Case{"XX", false}, Case{"ON", true}}) {
        const int row = MarkStateWorked(t, spc, QString::fromLatin1(c.code), mn);
        EXPECT_EQ(row > 0, c.newRow) << c.code;
        if (row > 0) {
            EXPECT_EQ(spc.SPCCode[static_cast<size_t>(row)], QString::fromLatin1(c.code));
        }
    }
    EXPECT_EQ(t.WorkedFlags[static_cast<size_t>(spc.find(mn))][1], 0);

    EXPECT_TRUE(AddDXCountry(t, QStringLiteral("20"), QStringLiteral("Germany")));
    EXPECT_FALSE(AddDXCountry(t, QStringLiteral("2"), QStringLiteral("Germany")));  // no list
    EXPECT_EQ(t.DXLists[3].countries, QStringList{QStringLiteral("Germany")});
    for (int i = 1; i < kDXListCapacity; ++i) AddDXCountry(t, QStringLiteral("20"), QStringLiteral("C%1").arg(i));
    EXPECT_EQ(t.DXLists[3].DXCountryCount, kDXListCapacity);
    EXPECT_FALSE(AddDXCountry(t, QStringLiteral("20"), QStringLiteral("Japan")));  // full: kept as is
    EXPECT_EQ(t.DXLists[3].countries.size(), kDXListCapacity);
}

}  // namespace
}  // namespace qf
