// Colours as the windows store them: 0x00BBGGRR, red in the lowest byte. System colours have
// the top bit set and are looked up in the desktop's palette, so they follow its theme.
#pragma once

#include <QColor>

namespace qf {

// System colours.
constexpr quint32 kButtonFace = 0x8000000Fu;
constexpr quint32 kButtonText = 0x80000012u;
constexpr quint32 kWindowBackground = 0x80000005u;
constexpr quint32 kWindowText = 0x80000008u;

// Fixed colours the windows share.
constexpr quint32 kBlack = 0x000000u;
constexpr quint32 kWhite = 0xFFFFFFu;
constexpr quint32 kRed = 0x0000FFu;
constexpr quint32 kNavy = 0x800000u;
constexpr quint32 kTeal = 0xC0C000u;
constexpr quint32 kLightGrey = 0xE0E0E0u;
constexpr quint32 kLightYellow = 0xC0FFFFu;
constexpr quint32 kDarkRed = 0x000080u;  // the marks of refused entries

QColor toQColor(quint32 value);
quint32 fromQColor(const QColor& c);

}  // namespace qf
