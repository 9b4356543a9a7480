#include "logging/TypeAhead.h"

#include "common/KeyFilters.h"

namespace qf {

namespace {
// The box after a completion: the typed candidate, then the rest of the name, selected.
void complete(BoxState& box, const QString& candidate, const QString& name, int& key) {
    box.text = candidate + name.mid(candidate.size());
    box.selStart = static_cast<int>(candidate.size());
    box.selLength = static_cast<int>(name.size() - candidate.size());
    key = 0;
}

QString candidateOf(const BoxState& box, int key) {
    return box.text.left(box.selStart) + QChar(key);
}
}  // namespace

bool CountyTypeAhead(const CountyTable& table, BoxState& box, int& key,
                     const CountyTypeAheadRule& rule) {
    // Typing at the start replaces the whole county.
    if (key > 0 && box.selStart == 0 && (key != ' ' || rule.spaceEmptiesAtStart)) box = BoxState{};
    if (rule.keyCase == CountyTypeAheadRule::KeyCase::EveryLetter) {
        UpperCaseKey(key);
    } else {
        const QString& t = box.text;
        const bool afterBlank =
            box.selStart > 0 && box.selStart < t.size() && t[box.selStart - 1] == QLatin1Char(' ');
        if (t.isEmpty() || afterBlank) UpperCaseKey(key);
    }
    if (key <= 0) return false;
    const QString candidate = candidateOf(box, key);
    const bool fromTop = rule.from == CountyTypeAheadRule::SearchFrom::FirstRow;
    const int count = table.CountyCount;
    for (int i = 0; i < count; ++i) {
        const QString& abbrev = table[fromTop ? i + 1 : count - i].CountyAbbrev;
        if (abbrev.startsWith(candidate, Qt::CaseInsensitive)) {
            complete(box, candidate, abbrev, key);
            return true;
        }
    }
    return false;
}

int CountryTypeAhead(const PrefixTable& table, BoxState& box, int& key) {
    if (key <= 0) return 0;
    const QString candidate = candidateOf(box, key);
    for (int row = table.PrefixCount; row >= 1; --row) {
        const QString& country = table[row].PrefixCountry;
        if (country.startsWith(candidate, Qt::CaseInsensitive)) {
            complete(box, candidate, country, key);
            return row;
        }
    }
    return 0;
}

}  // namespace qf
