// The county map's plain parts: the shipped picture and label rectangles (data/countymap.png and
// data/countymap.txt, built into the program as resources), each label's seed point, the random
// county colour and the painting of the worked counties.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <vector>

namespace qf {

class RandomSource;

// One county's label on the picture, in pixels: its code and rectangle.
struct MapLabel {
    QString code;
    int left = 0, top = 0, width = 0, height = 0;
};

constexpr int kMapWidth = 439;
constexpr int kMapHeight = 446;
constexpr int kMapCounties = 87;

// Reads the records "code",left,top,width,height (one a line, CR LF or LF). Throws Error on a
// record that is not of that shape.
std::vector<MapLabel> parseMapLabels(const QByteArray& data);

// The shipped picture (RGB32) and labels, from the program's resources.
QImage countyMapPicture();
std::vector<MapLabel> countyMapLabels();

// The label's centre as single-precision reals, rounded to whole pixels with halves to the even
// neighbour.
QPoint mapSeedPoint(const MapLabel& label);

// A fresh county colour: the generator is reseeded from the clock, then three draws give red,
// green and blue, each 0 to 253.
QRgb drawCountyColor(RandomSource& random);

// For each worked entry in order, the first label whose code equals it exactly (with case) has
// its area filled in a fresh colour from the colour under its seed point. Entries without a label
// paint nothing. Returns the number of areas filled.
int paintWorkedCounties(QImage& picture, const std::vector<MapLabel>& labels,
                        const QStringList& worked, RandomSource& random);

}  // namespace qf
