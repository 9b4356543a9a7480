// The counts rebuilt from the log by every reload: points, mode counts, multipliers, the worked
// flags and the per-band DX country lists. The log's load resets them; the logging windows
// rebuild them.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace qf {

struct BandDXList {
    QString name;
    int DXCountryCount = 0;
    QStringList countries;
};

struct Tallies {
    Tallies();

    int QSOPoints = 0;
    int CWQSOCount = 0;
    int PHQSOCount = 0;
    int DGQSOCount = 0;
    int MultiplierCount = 0;
    // Rows 0 to 260 (county and state rows), columns 0 to 8; row 0 and column 0 are unused.
    std::vector<std::array<quint8, 9>> WorkedFlags;
    // DXList160, DXList80, DXList40, DXList20, DXList15, DXList10, DXList6.
    std::array<BandDXList, 7> DXLists;

    // What the log's load resets: points, multipliers, the DX counts (names stay) and the
    // worked flags in columns 1 to 8 of every row but row 0.
    void resetForLoad();
};

}  // namespace qf
