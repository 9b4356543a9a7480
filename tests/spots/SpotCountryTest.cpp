// The spotted call's country for the spot list: the lookup over a small made-up table whose rows
// put the interpolated start inside, before and after a letter's block; then real calls against
// the shipped prefix table, and the country in the logging window's spot list.
#include "logging/LoggingFixture.h"
#include "spots/SpotCountry.h"
#include "startup/StartupValues.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace qf {
namespace {

PrefixTable tableOf(std::initializer_list<std::pair<const char*, const char*>> rows) {
    PrefixTable t;
    for (const auto& [prefix, country] : rows) {
        PrefixRow r;
        r.Prefix = QString::fromLatin1(prefix);
        r.PrefixCountry = QString::fromLatin1(country);
        t.rows.push_back(r);
        ++t.PrefixCount;
    }
    return t;
}

// 26 rows, so a key's start row is its first letter's place in the alphabet ("K" row 11, "J"
// row 10). The K block spans rows 10 to 15 and row 11 lies inside it; row 10 ("K") is greater
// than "J", so a J key scans down.
const PrefixTable& smallTable() {
    static const PrefixTable t = tableOf({
        {"1A", "Sov Mil Order"},
        {"3D2", "Fiji"},
        {"4X", "Israel"},
        {"9A", "Croatia"},
        {"DL", "Germany"},
        {"G", "England"},
        {"JA", "Japan"},
        {"JA", "Japan row 8"},
        {"JT", "Mongolia"},
        {"K", "USA"},
        {"KG4", "Guantanamo"},
        {"KH6", "Hawaii"},
        {"KH6", "Hawaii row 13"},
        {"KL", "Alaska"},
        {"KP4", "Puerto Rico"},
        {"OH", "Finland"},
        {"PY", "Brazil"},
        {"SM", "Sweden"},
        {"UA", "Russia"},
        {"VE", "Canada"},
        {"VK", "Australia"},
        {"VP2E", "Anguilla"},
        {"W", "USA"},
        {"XE", "Mexico"},
        {"YB", "Indonesia"},
        {"ZL", "New Zealand"},
    });
    return t;
}

TEST(SpotCountryTest, FindsTheLongestPrefixFromTheInterpolatedRow) {
    struct Case {
        const char* call;
        const char* country;
        const char* why;
    };
    const Case cases[] = {
        {"W1AW", "USA", "plain call, scan up"},
        {"ZL1ABC", "New Zealand", "last row, after a back-off from row 26"},
        // Row 11 lies inside the K block: backed off to row 6, the scan up meets "K" at row 10.
        {"K1ABC", "USA", "back-off reaches the block's first row"},
        {"KH6ABC", "Hawaii", "equal prefixes scanning up: the lower row"},
        {"JA1ABC", "Japan row 8", "equal prefixes scanning down: the higher row"},
        {"JT1AB", "Mongolia", "scan down"},
        {"4X1AB", "Israel", "a leading digit starts where A would"},
        // The portable suffix: more than one character and fewer than half the call.
        {"K1ABCD/DL", "Germany", "9 characters, 2 after the slash"},
        {"K1AB/VP2E", "Anguilla", "9 characters, 4 after the slash"},
        {"K1A/VP2E", "USA", "8 characters, 4 after: whole call"},
        {"G4ABC/K", "England", "one character after: whole call"},
        {"VE3ABC/KH6", "Hawaii", "suffix that is a longer prefix"},
        // KG4: the best prefix's country at 5 characters, USA from 6, on the key after the
        // suffix rule.
        {"KG4AB", "Guantanamo", "KG4 with 5 characters"},
        {"KG4ABC", "USA", "KG4 with 6 characters"},
        {"KG4ABCD/KH6", "Hawaii", "KG4 call looked up by its suffix"},
        {"W1ABCD/KG4AB", "Guantanamo", "suffix of 5 characters, KG4"},
        // Exact and case-sensitive: a lower-case first letter starts beyond the table.
        {"w1aw", "", "lower case"},
        {"Kh6ABC", "USA", "lower case after the first letter"},
        {"", "", "empty call"},
        {"QQ1A", "", "no prefix matches"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LookupSpotCountry(smallTable(), QString::fromLatin1(c.call)),
                  QString::fromLatin1(c.country))
            << c.call << ": " << c.why;
    }
}

TEST(SpotCountryTest, NoTableOrNoMatchGivesNoCountryEvenForKG4) {
    EXPECT_EQ(LookupSpotCountry(PrefixTable{}, QStringLiteral("W1AW")), QString());
    // No row begins the call: the KG4 rule needs a match.
    const PrefixTable onlyG = tableOf({{"G", "England"}});
    EXPECT_EQ(LookupSpotCountry(onlyG, QStringLiteral("KG4ABC")), QString());
    EXPECT_EQ(LookupSpotCountry(onlyG, QStringLiteral("G3ABC")), QStringLiteral("England"));
}

const PrefixTable& shippedTable() {
    static const PrefixTable table = [] {
        PrefixTable t;
        StartupValues folders;
        folders.WorkingFolder =
            QFileInfo(test::shippedDataFile(QStringLiteral("arrlpre2.txt"))).absolutePath();
        Files files(folders.WorkingFolder);
        LoadPrefixTable(t, folders, files);
        return t;
    }();
    return table;
}

TEST(SpotCountryTest, RealCallsAgainstTheShippedTable) {
    ASSERT_GT(shippedTable().PrefixCount, 1000);
    const std::pair<const char*, const char*> cases[] = {
        {"W1AW", "USA"},
        {"DL1ABC", "Fed. Rep. of Germany"},
        {"JA1XYZ", "Japan"},
        {"VE3ABC", "Canada"},
        {"KH6XX", "Hawaii"},
        {"KG4AB", "Guantanamo Bay"},
        {"KG4ABC", "USA"},
        {"G4ABC", "England"},
        {"1A0KM", "Sov Mil Order of Malta"},
    };
    for (const auto& [call, country] : cases) {
        EXPECT_EQ(LookupSpotCountry(shippedTable(), QString::fromLatin1(call)),
                  QString::fromLatin1(country))
            << call;
    }
}

class SpotListCountryTest : public test::LoggingFixture {};

TEST_F(SpotListCountryTest, TheSpotListShowsTheSpottedCallsCountry) {
    t.app().tables().prefixes = shippedTable();
    writeLog({});
    Outfrm& w = openOut();
    QString khz = QStringLiteral("14025"), record;
    t.app().forms().Form1().BandMapSpots(QStringLiteral("DL1ABC"), khz, record);
    khz = QStringLiteral("7010");
    t.app().forms().Form1().BandMapSpots(QStringLiteral("xx9zz"), khz, record);
    ASSERT_EQ(w.txtDX->count(), 2);
    EXPECT_EQ(w.txtDX->text(2, 2), QStringLiteral("Fed. Rep. of Germany"));
    EXPECT_EQ(w.txtDX->text(1, 2), QString());
}

}  // namespace
}  // namespace qf
