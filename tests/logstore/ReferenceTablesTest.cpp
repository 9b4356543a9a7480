#include "common/QuotedFieldLine.h"
#include "logstore/ReferenceTables.h"
#include "platform/Error.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>

namespace qf {
namespace {

class ReferenceTablesTest : public ::testing::Test {
protected:
    ReferenceTablesTest() {
        StartupValues& sv = t.app().startup();
        sv.WorkingFolder = t.work();
        sv.DataFolder = t.root() + QStringLiteral("/data");
        sv.SharedFolder = t.root() + QStringLiteral("/shared");
        QDir().mkpath(sv.DataFolder);
        QDir().mkpath(sv.SharedFolder);
    }
    test::TestApp t;
};

TEST_F(ReferenceTablesTest, PrefixFileIsTakenFromTheFirstFolderThatHasIt) {
    const StartupValues& sv = t.app().startup();
    t.writeFile(QStringLiteral("arrlpre2.txt"), "\"W\",\"USA\",\"NA\",97.5,38.5,5,8,291\r\n");
    t.writeFile(sv.DataFolder + QStringLiteral("/arrlpre2.txt"),
                "\"D\",\"Data\",\"EU\",1,2,0,0,0\r\n\"E\",\"Data\",\"EU\",1,2,0,0,0\r\n");
    t.writeFile(sv.SharedFolder + QStringLiteral("/ARRLPRE2.TXT"),
                "\"G\",\"England\",\"EU\",2,52,14,27,223\r\n");
    PrefixTable p;
    LoadPrefixTable(p, sv, t.files());
    ASSERT_EQ(p.PrefixCount, 1);
    EXPECT_EQ(p[1].PrefixCountry, QStringLiteral("England"));
    EXPECT_FLOAT_EQ(p[1].PrefixLatitude, 52);

    QFile::remove(sv.SharedFolder + QStringLiteral("/ARRLPRE2.TXT"));
    QFile::remove(sv.DataFolder + QStringLiteral("/arrlpre2.txt"));
    QFile::remove(t.work() + QStringLiteral("/arrlpre2.txt"));
    PrefixTable none;
    LoadPrefixTable(none, sv, t.files());  // nowhere: empty, no failure
    EXPECT_EQ(none.PrefixCount, 0);
}

TEST_F(ReferenceTablesTest, PrefixTableHoldsAtMostTenThousandRows) {
    t.writeFile(QStringLiteral("arrlpre2.txt"),
                QByteArray("\"K\",\"USA\",\"NA\",97,38,5,8,291\r\n").repeated(10001));
    PrefixTable p;
    EXPECT_THROW(LoadPrefixTable(p, t.app().startup(), t.files()), Error);
    EXPECT_EQ(p.PrefixCount, 10000);
}

TEST_F(ReferenceTablesTest, StatesReadFiftyRecords) {
    const QByteArray one = "\"MN\",46.3,94.3\r\n";
    t.writeFile(QStringLiteral("states.txt"), one.repeated(52));
    std::array<StateLocation, 56> rows{};
    LoadStateLocations(rows, t.files());
    EXPECT_EQ(rows[50].LocationCode, QStringLiteral("MN"));
    EXPECT_TRUE(rows[51].LocationCode.isEmpty());
    t.writeFile(QStringLiteral("states.txt"), one.repeated(49));
    EXPECT_THROW(LoadStateLocations(rows, t.files()), Error);
}

TEST_F(ReferenceTablesTest, CountyTableKeepsTheContestStateAndMatchesNames) {
    t.writeFile(QStringLiteral("county2.txt"),
                "\"MNSaint Louis\",\"STL\"\r\n\"mnHennepin\",\"HEN\"\r\n\"WIDane\",\"DAN\"\r\n"
                "\"MNSt. Louis\",\"STL\"\r\n\"MNHennepin\",\"HEN\"\r\n");
    CountyTable c;
    LoadCountyTable(c, QStringLiteral("MN"), t.files());
    ASSERT_EQ(c.CountyCount, 3);
    EXPECT_EQ(c[1].CountyName, QStringLiteral("Saint Louis"));
    struct Case {
        const char* typed;
        const char* abbrev;
        const char* upper;
    };
    for (const Case& k : {Case{"saint louis", "STL", "SAINT LOUIS"}, Case{"St. LOUIS", "STL", "ST. LOUIS"},
                          Case{"hennepin", "HEN", "HENNEPIN"}, Case{"HEN", "", "HEN"},
                          Case{"Dane", "", "DANE"}}) {
        QString typed = QString::fromLatin1(k.typed);
        EXPECT_EQ(CountyAbbreviation(c, typed), QString::fromLatin1(k.abbrev)) << k.typed;
        EXPECT_EQ(typed, QString::fromLatin1(k.upper));
    }
    // A reload starts from an empty count.
    t.writeFile(QStringLiteral("county2.txt"), "\"MNAitkin\",\"AIT\"\r\n");
    LoadCountyTable(c, QStringLiteral("MN"), t.files());
    EXPECT_EQ(c.CountyCount, 1);
    QFile::remove(t.work() + QStringLiteral("/county2.txt"));
    EXPECT_THROW(LoadCountyTable(c, QStringLiteral("MN"), t.files()), Error);
}

// The shipped tables, read with the real loaders: what the lookups and the other files rely on.
TEST(ShippedTables, LoadAndAgreeWithEachOther) {
    test::TestApp t;
    for (const char* name : {"arrlpre2.txt", "states.txt", "county2.txt", "ADIFCnt.txt"}) {
        const QByteArray data = test::shippedData(QString::fromLatin1(name));
        ASSERT_FALSE(data.isEmpty()) << name;
        EXPECT_TRUE(data.endsWith("\r\n")) << name;
        EXPECT_FALSE(data.contains("\n\n") || QByteArray(data).replace("\r\n", "").contains('\n'))
            << name << " has a line end other than CR LF";
        t.writeFile(QString::fromLatin1(name), data);
    }
    StartupValues& sv = t.app().startup();
    sv.WorkingFolder = t.work();

    PrefixTable p;
    LoadPrefixTable(p, sv, t.files());
    ASSERT_GT(p.PrefixCount, 300);
    QSet<QString> countries;
    bool hasKG4 = false;
    for (int r = 1; r <= p.PrefixCount; ++r) {
        if (r > 1) {
            EXPECT_LT(p[r - 1].Prefix.toLatin1(), p[r].Prefix.toLatin1()) << "row " << r;
        }
        hasKG4 = hasKG4 || p[r].Prefix == QLatin1String("KG4");
        countries.insert(p[r].PrefixCountry);
        EXPECT_FALSE(p[r].PrefixCountry.contains(QLatin1Char('"')));
    }
    EXPECT_TRUE(hasKG4);
    for (const char* c : {"USA", "Canada", "Alaska", "Hawaii"}) {
        EXPECT_TRUE(countries.contains(QString::fromLatin1(c))) << c;
    }

    // Every country the prefix table can put into a log has its ADIF number.
    RecordReader adif(test::shippedData(QStringLiteral("ADIFCnt.txt")));
    QHash<QString, int> numbers;
    while (!adif.atEnd()) {
        const QString name = adif.readText();
        numbers.insert(name, adif.readInt16());
    }
    for (const QString& c : countries) EXPECT_TRUE(numbers.contains(c)) << c.toStdString();
    EXPECT_EQ(numbers.value(QStringLiteral("USA")), 291);
    EXPECT_EQ(numbers.value(QStringLiteral("Canada")), 1);
    EXPECT_EQ(numbers.value(QStringLiteral("Alaska")), 6);
    EXPECT_EQ(numbers.value(QStringLiteral("Hawaii")), 110);
    EXPECT_LE(numbers.size(), 1000);

    std::array<StateLocation, 56> states{};
    LoadStateLocations(states, t.files());
    QSet<QString> codes;
    for (size_t r = 1; r <= 50; ++r) codes.insert(states[r].LocationCode);
    EXPECT_EQ(codes.size(), 50);
    EXPECT_TRUE(codes.contains(QStringLiteral("MN")));
    EXPECT_GT(states[1].LocationLongitude, 0);  // positive toward the west

    // The 87 county codes are exactly those of the county map, each with its name.
    const QStringList mapCodes = QStringLiteral(
        "MRS KIT ROS LKW KOO BEL ITA STL LAK COO POL PEN RDL CLE NOR MAH CLA BEC HUB CAS WIL OTT "
        "WAD CRO AIT CRL TRA GRA DOU STV POP BIG TOD MOR MIL KNB PIN STR BEN ISA CHS ANO WSH RAM "
        "HEN SHE WRI CRV SCO DAK MCL MEE KND SWI CHP LAC YEL REN LIN LYO RDW SIB NIC BRO LES RIC "
        "GOO WAB PIP MUR COT WAT BLU WSC STE DOD OLM WIN ROC NOB JAC MRT FAI FRE MOW FIL HOU")
                                     .split(QLatin1Char(' '));
    ASSERT_EQ(mapCodes.size(), 87);
    CountyTable c;
    LoadCountyTable(c, QStringLiteral("MN"), t.files());
    QSet<QString> abbrevs;
    QHash<QString, QString> nameOwner;
    for (int r = 1; r <= c.CountyCount; ++r) {
        abbrevs.insert(c[r].CountyAbbrev);
        const QString upper = c[r].CountyName.toUpper();
        EXPECT_TRUE(!nameOwner.contains(upper) || nameOwner[upper] == c[r].CountyAbbrev)
            << upper.toStdString() << " names two counties";
        nameOwner.insert(upper, c[r].CountyAbbrev);
    }
    EXPECT_EQ(abbrevs, QSet<QString>(mapCodes.begin(), mapCodes.end()));
    const std::pair<const char*, const char*> named[] = {
        {"Carlton", "CRL"}, {"Crow Wing", "CRO"}, {"Carver", "CRV"},  {"Kanabec", "KNB"},
        {"Kandiyohi", "KND"}, {"Washington", "WSH"}, {"Waseca", "WSC"}, {"Marshall", "MRS"},
        {"Martin", "MRT"},  {"Hennepin", "HEN"}};
    for (const auto& [name, code] : named) {
        QString typed = QString::fromLatin1(name);
        EXPECT_EQ(CountyAbbreviation(c, typed), QString::fromLatin1(code)) << name;
    }
}

}  // namespace
}  // namespace qf
