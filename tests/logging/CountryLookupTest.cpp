// The prefix search of the in-state window: the interpolated walk must find exactly the longest
// prefix that a scan of every row finds, over the shipped table and over made-up tables whose
// letter blocks sit anywhere; then the rules around it ("/", USA and Canada, KG4) and the
// Canadian provinces.
#include "logging/CountryLookup.h"
#include "platform/Files.h"
#include "startup/StartupValues.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <algorithm>
#include <random>
#include <set>

namespace qf {
namespace {

using Kind = CountryMatch::Kind;

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

// Every row, no shortcut: the row of the longest prefix that begins the text.
int longestPrefixRow(const PrefixTable& table, const QString& text) {
    int best = 0;
    for (int row = 1; row <= table.PrefixCount; ++row) {
        const QString& p = table[row].Prefix;
        if (!p.isEmpty() && text.startsWith(p, Qt::CaseInsensitive) &&
            (best == 0 || p.size() > table[best].Prefix.size())) {
            best = row;
        }
    }
    return best;
}

Kind expectedKind(const PrefixTable& table, int row) {
    if (row == 0) return Kind::NotFound;
    const QString& c = table[row].PrefixCountry;
    return c == QStringLiteral("USA") || c == QStringLiteral("Canada") ? Kind::UsaOrCanada
                                                                       : Kind::Country;
}

class CallMaker {
  public:
    explicit CallMaker(const PrefixTable& table, unsigned seed) : table_(table), rng_(seed) {}

    QString prefix() { return table_[pick(1, table_.PrefixCount)].Prefix; }
    QString letters(int n) {
        QString s;
        for (int i = 0; i < n; ++i) s += QChar('A' + pick(0, 25));
        return s;
    }
    QString any(int n) {
        static const QString chars = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
        QString s;
        for (int i = 0; i < n; ++i) s += chars[pick(0, static_cast<int>(chars.size()) - 1)];
        return s;
    }
    QString digit() { return QString(QChar('0' + pick(0, 9))); }
    // A home call: a table prefix, a digit and a suffix of one to three letters.
    QString home() { return prefix() + digit() + letters(pick(1, 3)); }

    // One call of the kinds that walk the search differently.
    QString next() {
        switch (pick(0, 7)) {
            case 0:
                return home();
            case 1:
                return digit() + any(pick(0, 5));  // leading digits
            case 2:
                return QStringLiteral("A") + any(pick(0, 5));  // first letter block
            case 3:
                return QStringLiteral("Z") + any(pick(0, 5));  // last letter block
            case 4:
                return home() + QLatin1Char('/') + prefix();  // a "/" suffix
            case 5:
                return home() + QLatin1Char('/') + any(pick(1, 2));
            case 6:
                return prefix() + QLatin1Char('/') + home();  // a "/" prefix
            default:
                return any(pick(1, 8));
        }
    }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  private:
    const PrefixTable& table_;
    std::mt19937 rng_;
};

void expectSameAsFullScan(const PrefixTable& table, const QString& call) {
    const CountryMatch m = CountryLookup(table, call);
    const QString lookup = LookupCallOf(call);
    const int row = longestPrefixRow(table, lookup);
    ASSERT_EQ(m.prefixRow, row) << call.toStdString() << " looked up as " << lookup.toStdString();
    EXPECT_EQ(m.kind, expectedKind(table, row)) << call.toStdString();
}

TEST(CountryLookupTest, FindsWhatAFullScanOfTheShippedTableFinds) {
    const PrefixTable& table = shippedTable();
    ASSERT_GT(table.PrefixCount, 1000);
    // Every prefix of the table, bare and as the start of a call.
    for (int row = 1; row <= table.PrefixCount; ++row) {
        expectSameAsFullScan(table, table[row].Prefix);
        expectSameAsFullScan(table, table[row].Prefix + QStringLiteral("1AB"));
    }
    CallMaker make(table, 20260912);
    for (int i = 0; i < 25000; ++i) {
        expectSameAsFullScan(table, make.next());
        if (::testing::Test::HasFatalFailure()) return;
    }
}

// Tables of other shapes: a crowded block, empty blocks, blocks at the very start and end, so
// the interpolated start lands inside, before and after the block it looks for.
TEST(CountryLookupTest, FindsWhatAFullScanFindsInTablesOfAnyShape) {
    std::mt19937 rng(7);
    for (int shape = 0; shape < 40; ++shape) {
        SCOPED_TRACE(shape);
        const int rows = 26 + static_cast<int>(rng() % 400);
        const QString firsts = shape % 3 == 0 ? QStringLiteral("0123456789ABZ")
                               : shape % 3 == 1
                                   ? QStringLiteral("KW")
                                   : QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        std::set<QString> prefixes;
        while (static_cast<int>(prefixes.size()) < rows) {
            QString p(firsts[static_cast<qsizetype>(rng() % firsts.size())]);
            const int more = static_cast<int>(rng() % 3);
            for (int i = 0; i < more; ++i) {
                p += QChar(static_cast<int>(rng() % 2 ? 'A' + rng() % 26 : '0' + rng() % 10));
            }
            prefixes.insert(p);
        }
        PrefixTable table;
        for (const QString& p : prefixes) {  // byte order, as the shipped file is sorted
            PrefixRow r;
            r.Prefix = p;
            r.PrefixCountry = QStringLiteral("Land ") + p;
            table.rows.push_back(r);
        }
        table.PrefixCount = rows;
        CallMaker make(table, static_cast<unsigned>(shape));
        for (int i = 0; i < 1500; ++i) {
            expectSameAsFullScan(table, make.next());
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(CountryLookupTest, TheRulesAroundTheSearch) {
    const PrefixTable& table = shippedTable();
    struct Case {
        const char* call;
        Kind kind;
        const char* spc;
        const char* continent;
    };
    for (const Case& c : {
             Case{"K1AB/KH6", Kind::Country, "HI", "OC"},  // a short prefix after "/"
             Case{"K1AB/7", Kind::UsaOrCanada, "", ""},    // one character: the whole call
             Case{"KH6/K1AB", Kind::Country, "HI", "OC"},  // a prefix before the home call
             Case{"KL7ABC", Kind::Country, "AK", "NA"},
             Case{"W1AW", Kind::UsaOrCanada, "", ""},    // USA only
             Case{"VE3XYZ", Kind::UsaOrCanada, "", ""},  // Canada only
             Case{"DL1ABC", Kind::Country, "Fed. Rep. of Germany", "EU"},
             Case{"JA1ABC", Kind::Country, "Japan", "AS"},
             Case{"Q1ABC", Kind::NotFound, "", ""},  // no prefix begins with Q
             Case{"0ABC", Kind::NotFound, "", ""},
             Case{"KG4A", Kind::Country, "", "NA"},  // a US call, placed in the USA
             Case{"KG4AB", Kind::Country, "Guantanamo Bay", "NA"},
             Case{"KG4ABC", Kind::Country, "", "NA"},
             Case{"", Kind::EmptyCall, "", ""},
         }) {
        SCOPED_TRACE(c.call);
        const CountryMatch m = CountryLookup(table, QString::fromLatin1(c.call));
        EXPECT_EQ(m.kind, c.kind);
        EXPECT_EQ(m.spc, QString::fromLatin1(c.spc));
        EXPECT_EQ(m.continent, QString::fromLatin1(c.continent));
    }
    // The US position for KG4 with one or three letters, Guantanamo's own for two.
    const CountryMatch us = CountryLookup(table, QStringLiteral("KG4ABC"));
    EXPECT_EQ(table[us.positionRow].PrefixCountry, QStringLiteral("USA"));
    EXPECT_EQ(table[us.prefixRow].PrefixCountry, QStringLiteral("Guantanamo Bay"));
    const CountryMatch gtmo = CountryLookup(table, QStringLiteral("KG4AB"));
    EXPECT_EQ(gtmo.positionRow, gtmo.prefixRow);
    EXPECT_FLOAT_EQ(gtmo.latitude, 20);
    EXPECT_FLOAT_EQ(gtmo.longitude, 75);
    // A call in small letters is found all the same.
    EXPECT_EQ(CountryLookup(table, QStringLiteral("ja1abc")).spc, QStringLiteral("Japan"));
}

TEST(CountryLookupTest, TheLookupTextOfCallsWithASlash) {
    for (const auto& [call, lookup] : std::vector<std::pair<const char*, const char*>>{
             {"K1AB/KH6", "KH6"},
             {"K1AB/7", "K1AB/7"},
             {"KH6/K1AB", "KH6/K1AB"},
             {"K1AB/VE3", "VE3"},
             {"K1/VE3", "K1/VE3"},  // three of six is not under half
             {"W1AW", "W1AW"},
             {"", ""}}) {
        EXPECT_EQ(LookupCallOf(QString::fromLatin1(call)), QString::fromLatin1(lookup)) << call;
    }
}

// Where the search could only start outside the table it stops and reads nothing.
TEST(CountryLookupTest, AStartOutsideTheTableStops) {
    PrefixTable empty;
    EXPECT_EQ(CountryLookup(empty, QStringLiteral("W1AW")).kind, Kind::Stopped);
    PrefixTable small;  // 10 rows: an "A" call would start at row 0
    for (const char* p : {"1A", "2E", "A", "DL", "JA", "K", "KH6", "VE", "W", "ZL"}) {
        PrefixRow r;
        r.Prefix = QString::fromLatin1(p);
        r.PrefixCountry = QString::fromLatin1(p);
        small.rows.push_back(r);
    }
    small.PrefixCount = 10;
    EXPECT_EQ(CountryLookup(small, QStringLiteral("A1B")).kind, Kind::Stopped);
    EXPECT_EQ(CountryLookup(small, QStringLiteral("ZL1AB")).spc, QStringLiteral("ZL"));
    // A first character past "Z" cannot come from the call box; from elsewhere it stops.
    EXPECT_EQ(CountryLookup(shippedTable(), QString::fromUtf8("\u00c91AB")).kind, Kind::Stopped);
}

TEST(CountryLookupTest, CanadianProvinces) {
    for (const auto& [call, province] :
         std::vector<std::pair<const char*, const char*>>{{"VE9AA", "NB"},
                                                          {"VE1AA", "NS"},
                                                          {"VE2AA", "QC"},
                                                          {"VE3XYZ", "ON"},
                                                          {"ve3xyz", "ON"},
                                                          {"VE4AA", "MB"},
                                                          {"VE5AA", "SK"},
                                                          {"VE6AA", "AB"},
                                                          {"VE7AA", "BC"},
                                                          {"VE8AA", "NT"},
                                                          {"VY1AA", "NT"},
                                                          {"VO2AA", "LB"},
                                                          {"VY2AA", "PE"},
                                                          {"VE3", "ON"},
                                                          {"VO1AA", ""},
                                                          {"VA3AA", ""},
                                                          {"VE", ""},
                                                          {"W1AW", ""}}) {
        EXPECT_EQ(CanadianProvince(QString::fromLatin1(call)), QString::fromLatin1(province))
            << call;
    }
}

}  // namespace
}  // namespace qf
