#include "rig/BandPlan.h"

namespace qf::rig {

std::vector<BandPlanSegment> LoadExtraSegments(const QString&) { return {}; }

BandPlanChart ReadBandPlanChart(const QString&) {
    BandPlanChart chart;
    chart.failed = true;
    return chart;
}

}  // namespace qf::rig
