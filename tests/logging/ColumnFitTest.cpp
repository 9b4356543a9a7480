// How the log list shares its width: every column in view in every case, texts whole as far as
// the room allows, the designed proportions where the room leaves a choice.
#include "logging/ColumnFit.h"

#include <gtest/gtest.h>

#include <numeric>

namespace qf {
namespace {

struct FitCase {
    const char* what;
    std::vector<ColumnNeed> columns;  // design, whole, free text, least
    int room;
    std::vector<int> widths;
};

const FitCase kCases[] = {
    {"room to spare: the designed widths, widened alike until every text is whole",
     {{40, 50, false}, {80, 60, true}, {0, 20, false}},
     200,
     {50, 100, 0}},
    {"room for every text: the rest shared in the designed proportions",
     {{40, 50, false}, {80, 60, true}, {40, 30, false}},
     150,
     {50, 66, 33}},
    {"short: the fixed texts whole, the free ones share the rest in proportion",
     {{60, 80, true}, {40, 50, false}, {40, 60, true}},
     150,
     {60, 50, 40}},
    {"short: a free column takes no more than its text needs",
     {{60, 62, true}, {40, 80, true}, {40, 40, false}},
     150,
     {62, 48, 40}},
    {"free text gives way before any fixed form, down to what it keeps at least",
     {{40, 60, false}, {40, 60, false}, {40, 100, true, 10}},
     130,
     {60, 60, 10}},
    {"short even so: free text at its least, the fixed forms share the rest alike",
     {{40, 60, false}, {40, 40, false}, {40, 100, true, 10}},
     60,
     {30, 20, 10}},
    {"hopeless: every column gets the same share of what it needs",
     {{40, 60, false}, {40, 40, true, 10}},
     8,
     {4, 3}},
};

TEST(ColumnFitTest, EveryColumnFitsTheRoom) {
    for (const FitCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const std::vector<int> widths = FitColumns(c.columns, c.room);
        EXPECT_EQ(widths, c.widths);
        EXPECT_LE(std::accumulate(widths.begin(), widths.end(), 0), c.room);
    }
}

}  // namespace
}  // namespace qf
