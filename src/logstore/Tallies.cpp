#include "logstore/Tallies.h"

namespace qf {

Tallies::Tallies() : WorkedFlags(261) {
    const char* names[] = {"160", "80", "40", "20", "15", "10", "6"};
    for (size_t i = 0; i < DXLists.size(); ++i) DXLists[i].name = QString::fromLatin1(names[i]);
}

void Tallies::resetForLoad() {
    QSOPoints = 0;
    MultiplierCount = 0;
    for (auto& list : DXLists) list.DXCountryCount = 0;
    for (size_t r = 1; r < WorkedFlags.size(); ++r) {
        for (size_t c = 1; c < WorkedFlags[r].size(); ++c) WorkedFlags[r][c] = 0;
    }
}

}  // namespace qf
