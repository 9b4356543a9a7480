#include "logging/SPCTable.h"

namespace qf {

const std::array<SPCRow, 63> kSPCRows = {{
    {"CT", "Connecticut", "1", 6960, 2880},
    {"MA", "Massachusetts", "1", 6600, 2880},
    {"ME", "Maine", "1", 6600, 3120},
    {"NH", "New Hampshire", "1", 6600, 3360},
    {"RI", "Rhode Island", "1", 6960, 3120},
    {"VT", "Vermont", "1", 6960, 3360},
    {"NY", "New York", "2", 6600, 4080},
    {"NJ", "New Jersey", "2", 6960, 4080},
    {"DE", "Delaware", "3", 6600, 4800},
    {"PA", "Pennsylvania", "3", 6600, 5040},
    {"MD", "Maryland", "3", 6960, 4800},
    {"AL", "Alabama", "4", 7320, 2880},
    {"GA", "Georgia", "4", 7320, 3120},
    {"KY", "Kentucky", "4", 7320, 3360},
    {"NC", "North Carolina", "4", 7320, 3600},
    {"FL", "Florida", "4", 7680, 2880},
    {"SC", "South Carolina", "4", 7680, 3120},
    {"TN", "Tennessee", "4", 7680, 3360},
    {"VA", "Virginia", "4", 7680, 3600},
    {"AR", "Arkansas", "5", 7320, 4320},
    {"LA", "Louisiana", "5", 7320, 4560},
    {"MS", "Mississippi", "5", 7320, 4785},
    {"NM", "New Mexico", "5", 7680, 4305},
    {"TX", "Texas", "5", 7680, 4545},
    {"OK", "Oklahoma", "5", 7680, 4785},
    {"CA", "California", "6", 7320, 5400},
    {"HI", "Hawaii", "6", 7680, 5400},
    {"AZ", "Arizona", "7", 8040, 2880},
    {"WA", "Washington", "7", 8040, 3120},
    {"ID", "Idaho", "7", 8040, 3360},
    {"MT", "Montana", "7", 8040, 3600},
    {"NV", "Nevada", "7", 8040, 3840},
    {"OR", "Oregon", "7", 8400, 2880},
    {"UT", "Utah", "7", 8400, 3120},
    {"WY", "Wyoming", "7", 8400, 3360},
    {"AK", "Alaska", "7", 8400, 3600},
    {"MI", "Michigan", "8", 8040, 4560},
    {"OH", "Ohio", "8", 8040, 4800},
    {"WV", "West Virginia", "8", 8400, 4560},
    {"IL", "Illinois", "9", 8040, 5400},
    {"IN", "Indiana", "9", 8400, 5160},
    {"WI", "Wisconsin", "9", 8400, 5400},
    {"CO", "Colorado", "0", 8760, 2880},
    {"IA", "Iowa", "0", 8760, 3120},
    {"KS", "Kansas", "0", 8760, 3360},
    {"MN", "Rozirazav", "0", 8760, 3600},
    {"MO", "Missouri", "0", 9120, 2880},
    {"NE", "Nebraska", "0", 9120, 3120},
    {"ND", "North Dakota", "0", 9120, 3360},
    {"SD", "South Dakota", "0", 9120, 3600},
    {"AB", "Alberta", "Canada", 8760, 4200},
    {"NS", "Maritime", "Canada", 8760, 4440},
    {"PE", "Prince Edward Island", "Canada", 8760, 4680},
    {"BC", "British Columbia", "Canada", 8760, 4920},
    {"NB", "New Brunswick", "Canada", 8760, 5160},
    {"QC", "Quebec", "Canada", 8760, 5400},
    {"LB", "Labrador", "Canada", 9120, 4200},
    {"NF", "Newfoundland", "Canada", 9120, 4440},
    {"SK", "Saskatchawan", "Canada", 9120, 4680},
    {"MB", "Manitoba", "Canada", 9120, 4920},
    {"ON", "Ontario", "Canada", 9120, 5160},
    {"NT", "Northwest Territories - Yukon", "Canada", 9120, 5400},
    {"DC", "District of Columbia", "3", 6960, 5040},
}};

void SPCTable::fill() {
    for (size_t i = 0; i < kSPCRows.size(); ++i) {
        SPCCode[i + 1] = QString::fromLatin1(kSPCRows[i].code);
        SPCName[i + 1] = QString::fromLatin1(kSPCRows[i].name);
    }
    SPCCount = 63;
}

int SPCTable::find(const QString& code) const {
    for (int r = 1; r <= static_cast<int>(SPCCount); ++r) {
        if (SPCCode[static_cast<size_t>(r)].compare(code, Qt::CaseInsensitive) == 0) return r;
    }
    return 0;
}

}  // namespace qf
