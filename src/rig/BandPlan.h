// "BandPlan.txt": the licence classes' CW and phone segments band by band, with one outline
// ("O") row opening each band's run. Two readers: the rig window keeps the Extra rows to pick a
// mode for a frequency; the privilege chart keeps every row.
#pragma once

#include <QString>

#include <vector>

namespace qf::rig {

struct BandPlanSegment {
    QString SegmentBand;   // "160", "80", ...
    QString SegmentClass;  // "N", "T", "P", "G", "A", "E" or "O"
    QString SegmentMode;   // "CW" or "PH"
    float SegmentLow = 0;  // MHz
    float SegmentHigh = 0;
};

// The rows the file has room for.
inline constexpr int BandPlanMaxRows = 200;

// The rig window's reading: the "E" rows only, in file order. Never fails loudly.
std::vector<BandPlanSegment> LoadExtraSegments(const QString& path);

// The chart's reading: the effective date and every row; failed when the file is missing,
// unreadable or holds more rows than the table has room for.
struct BandPlanChart {
    QString effective;
    std::vector<BandPlanSegment> rows;
    bool failed = false;
};
BandPlanChart ReadBandPlanChart(const QString& path);

}  // namespace qf::rig
