// Flood fill on an image: every pixel 4-connected to the seed that has exactly the seed's colour
// takes the fill colour. Pixels of any other colour (the map's black borders) stop it.
#pragma once

#include <QImage>

namespace qf {

// Returns the number of pixels painted; 0 for a seed outside the image or a fill colour equal to
// the seed's colour. Works on the colour channels only (alpha is ignored).
qsizetype floodFill(QImage& image, int x, int y, QRgb fillColor);

}  // namespace qf
