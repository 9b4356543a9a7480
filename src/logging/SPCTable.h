// The in-state window's fixed table of the 63 two-letter state and province codes it accepts,
// with their names and the places of their labels in the worked-states grid. The row number
// links the code, its grid label and its worked flag.
#pragma once

#include <QString>

#include <array>

namespace qf {

struct SPCRow {
    const char* code;
    const char* name;
    const char* block;  // caption of the grid block it sits under
    int left;           // grid label position on the design canvas, twips
    int top;
};

// Rows 1 to 63 (index 0 is row 1).
extern const std::array<SPCRow, 63> kSPCRows;

struct SPCTable {
    // Slots 0 to 100; rows 1 to SPCCount hold codes, the rest stay empty.
    std::array<QString, 101> SPCCode;
    std::array<QString, 101> SPCName;
    float SPCCount = 0;

    // Writes rows 1 to 63 and sets the count.
    void fill();
    // The row whose code equals the text ignoring case, or 0.
    int find(const QString& code) const;
};

}  // namespace qf
