#include "common/FloodFill.h"

#include <vector>

namespace qf {

qsizetype floodFill(QImage& image, int x, int y, QRgb fillColor) {
    if (image.isNull() || x < 0 || y < 0 || x >= image.width() || y >= image.height()) return 0;
    if (image.format() != QImage::Format_RGB32) {
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    const int w = image.width();
    const int h = image.height();
    auto row = [&image](int yy) { return reinterpret_cast<QRgb*>(image.scanLine(yy)); };
    const QRgb target = row(y)[x] | 0xff000000u;
    const QRgb fill = fillColor | 0xff000000u;
    if (target == fill) return 0;
    auto matches = [&](int xx, int yy) { return (row(yy)[xx] | 0xff000000u) == target; };

    // Scanline fill: paint each run, then queue the runs above and below it.
    qsizetype painted = 0;
    std::vector<QPoint> stack{QPoint(x, y)};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (!matches(p.x(), p.y())) continue;
        int left = p.x();
        while (left > 0 && matches(left - 1, p.y())) --left;
        int right = p.x();
        while (right + 1 < w && matches(right + 1, p.y())) ++right;
        QRgb* line = row(p.y());
        for (int xx = left; xx <= right; ++xx) line[xx] = fill;
        painted += right - left + 1;
        for (int ny : {p.y() - 1, p.y() + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool inRun = false;
            for (int xx = left; xx <= right; ++xx) {
                const bool m = matches(xx, ny);
                if (m && !inRun) stack.emplace_back(xx, ny);
                inRun = m;
            }
        }
    }
    return painted;
}

}  // namespace qf
