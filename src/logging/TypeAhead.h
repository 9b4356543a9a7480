// The completions of a typed county or country, without a widget. A key handler hands over the
// box as it stands and the key; the function completes the box from its table or leaves the key
// to be typed. The logging windows, the edit dialogs and the county dialogs share the county
// rule and differ only in the arguments.
#pragma once

#include "logstore/ReferenceTables.h"

#include <QString>

namespace qf {

// An entry box as its key handler sees it: the text, the caret (the selection's start) and
// the length of the selection after it.
struct BoxState {
    QString text;
    int selStart = 0;
    int selLength = 0;
};

struct CountyTypeAheadRule {
    // Which fitting abbreviation is offered: the first from the top of the table (the logging
    // windows) or from the bottom (the edit and county dialogs).
    enum class SearchFrom { FirstRow, LastRow };
    // Which keys are upper-cased: every letter, or only one typed into the empty box or inside
    // the text right after a blank (the county-sent and rover boxes, which keep mixed case).
    enum class KeyCase { EveryLetter, StartOrAfterBlank };
    SearchFrom from = SearchFrom::FirstRow;
    KeyCase keyCase = KeyCase::EveryLetter;
    // Whether a space typed at the start empties the box too, as every other key does.
    bool spaceEmptiesAtStart = false;
};

// One key in a county box. A key typed at the start empties the box first; the key is cased by
// the rule; then the first fitting CountyAbbrev (ignoring case) completes the box: the text
// left of the caret and the key, followed by the rest of the abbreviation, selected. Returns
// true when it completed, with the key consumed (0); otherwise the key is left to be typed.
bool CountyTypeAhead(const CountyTable& table, BoxState& box, int& key,
                     const CountyTypeAheadRule& rule);

// One key in a country box: the text left of the caret and the key complete to the country
// name of the last row (searching from the bottom) that begins with them, ignoring case, the
// rest selected and the key consumed. Returns that row, or 0 with box and key unchanged.
int CountryTypeAhead(const PrefixTable& table, BoxState& box, int& key);

}  // namespace qf
