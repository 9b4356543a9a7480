// Colours as the windows store them: &H00BBGGRR, red in the lowest byte. System colours have
// the top bit set (&H8000000F is the button face) and are looked up in the palette.
#pragma once

#include <QColor>

namespace qf {

constexpr quint32 kButtonFace = 0x8000000Fu;

QColor fromVbColor(quint32 value);
quint32 toVbColor(const QColor& c);

}  // namespace qf
