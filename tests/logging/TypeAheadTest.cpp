// The county and country completions as plain functions: one key against a box and a table,
// under each rule the windows and dialogs pass.
#include "logging/TypeAhead.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

using Rule = CountyTypeAheadRule;

CountyTable counties(std::initializer_list<const char*> abbrevs) {
    CountyTable t;
    for (const char* a : abbrevs) t.rows.push_back({QString::fromLatin1(a), QString()});
    t.CountyCount = static_cast<int>(abbrevs.size());
    return t;
}

struct CountyCase {
    const char* what;
    Rule rule;
    BoxState box;
    int key;
    BoxState want;
    int wantKey;
};

constexpr Rule kWindow{Rule::SearchFrom::FirstRow, Rule::KeyCase::EveryLetter, false};
constexpr Rule kEditDialog{Rule::SearchFrom::LastRow, Rule::KeyCase::EveryLetter, false};
constexpr Rule kOwnCounty{Rule::SearchFrom::LastRow, Rule::KeyCase::EveryLetter, true};
constexpr Rule kMixedCase{Rule::SearchFrom::LastRow, Rule::KeyCase::StartOrAfterBlank, false};

TEST(CountyTypeAheadTest, OneKeyUnderEachRule) {
    const CountyTable table = counties({"CRL", "CRV", "CRW", "HEN", "RED LAKE"});
    const auto box = [](const char* text, int start, int length = 0) {
        return BoxState{QString::fromLatin1(text), start, length};
    };
    for (const CountyCase& c : {
             CountyCase{"the first fitting row from the top", kWindow, box("", 0), 'c',
                        box("CRL", 1, 2), 0},
             CountyCase{"the first fitting row from the bottom", kEditDialog, box("", 0), 'c',
                        box("CRW", 1, 2), 0},
             CountyCase{"a further key narrows the completion", kWindow, box("CRL", 1, 2), 'r',
                        box("CRL", 2, 1), 0},
             CountyCase{"typing past the common start", kWindow, box("CRL", 2, 1), 'v',
                        box("CRV", 3, 0), 0},
             CountyCase{"no fitting row: typed as it is", kWindow, box("CRV", 3), 'q',
                        box("CRV", 3), 'Q'},
             CountyCase{"a key at the start replaces the county", kWindow, box("HEN", 0), 'c',
                        box("CRL", 1, 2), 0},
             CountyCase{"Backspace at the start empties the box", kWindow, box("HEN", 0), 8,
                        box("", 0), 8},
             CountyCase{"a space at the start keeps the box", kWindow, box("HEN", 0), ' ',
                        box("HEN", 0), ' '},
             CountyCase{"unless the rule says otherwise", kOwnCounty, box("HEN", 0), ' ',
                        box("", 0), ' '},
             CountyCase{"a dropped key does nothing", kWindow, box("HEN", 0), 0, box("HEN", 0), 0},
             CountyCase{"the empty box takes a capital", kMixedCase, box("", 0), 'h',
                        box("HEN", 1, 2), 0},
             CountyCase{"a letter at the end keeps its case", kMixedCase, box("cr", 2), 'v',
                        box("crv", 3, 0), 0},
             CountyCase{"right after a blank inside the text: a capital", kMixedCase,
                        box("RED X", 4), 'l', box("RED LAKE", 5, 3), 0},
             CountyCase{"after a blank at the end: as typed", kMixedCase, box("RED ", 4), 'l',
                        box("RED lAKE", 5, 3), 0},
         }) {
        SCOPED_TRACE(c.what);
        BoxState b = c.box;
        int key = c.key;
        const bool completed = CountyTypeAhead(table, b, key, c.rule);
        EXPECT_EQ(b.text, c.want.text);
        EXPECT_EQ(b.selStart, c.want.selStart);
        EXPECT_EQ(b.selLength, c.want.selLength);
        EXPECT_EQ(key, c.wantKey);
        EXPECT_EQ(completed, c.wantKey == 0 && c.key != 0);
    }
}

TEST(CountryTypeAheadTest, CompletesFromTheBottomOfTheTable) {
    PrefixTable table;
    for (const char* country : {"Georgia", "Germany", "Japan", "Georgia"}) {
        PrefixRow r;
        r.PrefixCountry = QString::fromLatin1(country);
        table.rows.push_back(r);
    }
    table.PrefixCount = 4;
    BoxState box{QStringLiteral("G"), 1, 0};
    int key = 'e';
    EXPECT_EQ(CountryTypeAhead(table, box, key), 4);  // the lowest row of the two that fit
    EXPECT_EQ(box.text, QStringLiteral("Georgia"));
    EXPECT_EQ(box.selStart, 2);
    EXPECT_EQ(box.selLength, 5);
    EXPECT_EQ(key, 0);
    key = 'r';
    EXPECT_EQ(CountryTypeAhead(table, box, key), 2);
    EXPECT_EQ(box.text, QStringLiteral("Germany"));
    // Nothing fits: box and key stay.
    box = {QStringLiteral("Ja"), 2, 0};
    key = 'x';
    EXPECT_EQ(CountryTypeAhead(table, box, key), 0);
    EXPECT_EQ(box.text, QStringLiteral("Ja"));
    EXPECT_EQ(key, 'x');
    // The typed case stays in front of the completion.
    box = {QStringLiteral("JA"), 2, 0};
    key = 'P';
    EXPECT_EQ(CountryTypeAhead(table, box, key), 3);
    EXPECT_EQ(box.text, QStringLiteral("JAPan"));
}

}  // namespace
}  // namespace qf
