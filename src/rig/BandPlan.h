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
    bool effectiveRead = false;         // false: the first value was never read
    std::vector<BandPlanSegment> rows;  // the rows read whole, in file order
    // The chart's row count: the rows read, plus the row that failed (201 for a 201st row).
    int count = 0;
    bool failed = false;
};
BandPlanChart ReadBandPlanChart(const QString& path);

// The mode the band plan gives for f (MHz): the first row holding f strictly inside its edges
// decides. A "CW" row gives "CW"; a "PH" row "USB", or "LSB" on 80 and 40 m (60 m phone is
// upper sideband only); nothing on 160 m. When no row holds f, mode comes back as it was.
QString SidebandForFrequency(const std::vector<BandPlanSegment>& plan, float f,
                             const QString& mode);

}  // namespace qf::rig
