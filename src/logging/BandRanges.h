// Bands and frequencies of the logging windows, without widgets: which band a frequency the rig
// reports belongs to, the frequency range a band map shows, the band the band caption moves on
// to, and the number texts the windows write for frequencies.
#pragma once

#include <QString>

#include <array>

namespace qf {

// The ten bands of the band menu, in menu order.
inline constexpr std::array<const char*, 10> kBandTexts = {"160", "80", "40", "20",   "15",
                                                           "10",  "6",  "2",  "1.25", "70"};

// Index 0 to 9 of a band text in kBandTexts (ignoring case), -1 for any other text.
int bandIndex(const QString& band);

// The band text of a frequency in MHz, tested against the nineteen ranges with every value
// taken as a 4-byte real (strict at both ends); empty when no range holds it. Some texts name
// bands the menu does not have ("30", "17", "12", "902", ...).
QString BandForFrequency(float mhz);

// The band that a click on the band caption moves to; empty for a text outside the ten bands.
QString nextBand(const QString& band);

// The range a band map shows for a band, in MHz; both 0 for a band it does not know. The
// edges are decimal values, so a scale mark halfway between two kHz is an exact tie.
struct BandEdges {
    double low = 0;
    double high = 0;
};
BandEdges bandMapEdges(const QString& band);

// "#####.##0" and "#.000": three decimals, no leading zero ("14.025", ".500", ".000"). A 4-byte
// reading is taken at the decimal value it was read as (7 digits), then rounded half away from
// zero, so 14.0735 shows as 14.074 rather than as its binary neighbour 14.073.
QString frequencyText(float mhz);
QString frequencyText(double mhz);

// Rounds to `places` decimals, an exact decimal tie going to the even digit. The value is taken
// at its 15-digit decimal form, so 14.0625 is a tie however it was computed.
double roundHalfEven(double value, int places);

}  // namespace qf
