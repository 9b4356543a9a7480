// How a list's columns share the width the list shows, without widgets: every column stays in
// view, texts stay whole where the room allows, and the designed proportions hold where it
// leaves a choice. The log lists of both logging windows are laid out with it.
#pragma once

#include <vector>

namespace qf {

struct ColumnNeed {
    double design = 0;  // the designed width in pixels; a column designed 0 wide stays so
    double whole = 0;   // the width its header and widest text need, margins included
    // Free text (a name, a country) has no fixed longest form: such a column is the first to
    // show its texts shortened when the room is short.
    bool freeText = false;
    // The least a free-text column keeps, so that a shortened text still shows its ellipsis.
    double least = 0;
};

// Whole-pixel widths, in column order, that add up to no more than `available`. In turn, as far
// as the room allows:
//  1. the designed widths, all widened by one factor until every text is whole;
//  2. every text whole, and what room is left shared in the designed proportions;
//  3. the fixed-form texts whole, and the free-text columns share the rest in the designed
//     proportions, none wider than it needs nor narrower than its least;
//  4. the free-text columns at their least, and the fixed-form ones with the same share of what
//     they need in the rest;
//  5. every column with the same share of what it needs.
std::vector<int> FitColumns(const std::vector<ColumnNeed>& columns, int available);

}  // namespace qf
