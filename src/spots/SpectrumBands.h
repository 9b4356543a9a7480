// The spectrum map's bands without widgets: the eleven HF and VHF bands from 160 m to 2 m with
// their edges, which band a spot belongs to, the narrowing of a band's scale onto its spots, and
// where on a band's line a frequency stands.
#pragma once

#include <QString>

#include <array>
#include <span>

namespace qf::spots {

struct SpectrumBand {
    int BandIndex;   // 0 (160 m, top strip) to 10 (2 m)
    float BandLow;   // MHz, exclusive: a spot on an edge is on no band
    float BandHigh;  // MHz, exclusive
};

inline constexpr int kSpectrumBands = 11;
extern const std::array<SpectrumBand, kSpectrumBands> kSpectrumBandTable;

// The band whose edges hold f strictly (compared as 4-byte reals); -1 for none.
int spectrumBandOf(float f);

// Narrows a band's edges onto the spots inside them: with at least two different frequencies of
// slots 1 to 49 strictly between LowEdge and HighEdge, the edges become 0.001 MHz outside the
// lowest and the highest; otherwise they stay. slotFrequencies holds slots 0 to 49; slot 0, the
// oldest, takes no part.
void ZoomBandToSpots(std::span<const float> slotFrequencies, float& HighEdge, float& LowEdge);

// The left edge of a label of the given width centred on f along a line from x1 to x2 whose ends
// show lo and hi; nothing clamps it to the line. Worked in double, kept as a 4-byte real.
float spotLabelLeft(float f, double lo, double hi, double x1, double x2, double width);

}  // namespace qf::spots
