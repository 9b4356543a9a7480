#include "spots/SpectrumBands.h"

namespace qf::spots {

const std::array<SpectrumBand, kSpectrumBands> kSpectrumBandTable = {{
    {0, 1.8f, 2.0f},
    {1, 3.5f, 4.0f},
    {2, 7.0f, 7.3f},
    {3, 10.1f, 10.15f},
    {4, 14.0f, 14.35f},
    {5, 18.068f, 18.168f},
    {6, 21.0f, 21.45f},
    {7, 24.89f, 24.99f},
    {8, 28.0f, 29.7f},
    {9, 50.0f, 54.0f},
    {10, 144.0f, 148.0f},
}};

int spectrumBandOf(float f) {
    for (const SpectrumBand& b : kSpectrumBandTable) {
        if (b.BandLow < f && f < b.BandHigh) return b.BandIndex;
    }
    return -1;
}

void ZoomBandToSpots(std::span<const float> slotFrequencies, float& HighEdge, float& LowEdge) {
    const float high = HighEdge, low = LowEdge;
    float lowest = high, highest = low;
    for (size_t i = 1; i < slotFrequencies.size(); ++i) {
        const float f = slotFrequencies[i];
        if (low < f && f < high) {
            if (f < lowest) lowest = f;
            if (f > highest) highest = f;
        }
    }
    // Two different frequencies at least; one spot alone would make a scale of no width.
    if (highest > lowest) {
        HighEdge = static_cast<float>(highest + 0.001);
        LowEdge = static_cast<float>(lowest - 0.001);
    }
}

float spotLabelLeft(float f, double lo, double hi, double x1, double x2, double width) {
    return static_cast<float>((f - lo) / (hi - lo) * (x2 - x1) - width / 2 + x1);
}

}  // namespace qf::spots
