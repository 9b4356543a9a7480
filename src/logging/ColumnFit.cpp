#include "logging/ColumnFit.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace qf {

namespace {

// The factor f at which the widths width(i, f) add up to `room`: each width grows with f, so
// the sum does too, and halving the interval finds f to well below a pixel.
double solve(size_t n, double room, const std::function<double(size_t, double)>& width) {
    auto sum = [&](double f) {
        double s = 0;
        for (size_t i = 0; i < n; ++i) s += width(i, f);
        return s;
    };
    double lo = 0, hi = 1;
    while (sum(hi) < room && hi < 1e6) hi *= 2;
    for (int k = 0; k < 60; ++k) {
        const double mid = (lo + hi) / 2;
        (sum(mid) <= room ? lo : hi) = mid;
    }
    return lo;
}

}  // namespace

std::vector<int> FitColumns(const std::vector<ColumnNeed>& columns, int available) {
    const size_t n = columns.size();
    std::vector<double> w(n, 0);
    const double room = std::max(0, available);
    double designSum = 0, wholeSum = 0, widening = 1;
    double fixedWhole = 0, freeLeast = 0;
    for (const ColumnNeed& c : columns) {
        if (c.design <= 0) continue;
        designSum += c.design;
        wholeSum += c.whole;
        widening = std::max(widening, c.whole / c.design);
        if (c.freeText) {
            freeLeast += std::min(c.least, c.whole);
        } else {
            fixedWhole += c.whole;
        }
    }
    if (designSum <= 0) return std::vector<int>(n, 0);
    auto shown = [&](size_t i) { return columns[i].design > 0; };

    if (designSum * widening <= room) {
        for (size_t i = 0; i < n; ++i) w[i] = shown(i) ? columns[i].design * widening : 0;
    } else if (wholeSum <= room) {
        const auto width = [&](size_t i, double f) {
            return shown(i) ? std::max(columns[i].whole, f * columns[i].design) : 0.0;
        };
        const double f = solve(n, room, width);
        for (size_t i = 0; i < n; ++i) w[i] = width(i, f);
    } else if (room - fixedWhole >= freeLeast) {
        const auto freeWidth = [&](size_t i, double f) {
            const ColumnNeed& c = columns[i];
            if (!shown(i) || !c.freeText) return 0.0;
            return std::clamp(f * c.design, std::min(c.least, c.whole), c.whole);
        };
        const double f = solve(n, room - fixedWhole, freeWidth);
        for (size_t i = 0; i < n; ++i) {
            if (shown(i)) w[i] = columns[i].freeText ? freeWidth(i, f) : columns[i].whole;
        }
    } else if (fixedWhole > 0 && room > freeLeast) {
        const double share = (room - freeLeast) / fixedWhole;
        for (size_t i = 0; i < n; ++i) {
            const ColumnNeed& c = columns[i];
            if (shown(i)) w[i] = c.freeText ? std::min(c.least, c.whole) : c.whole * share;
        }
    } else {
        for (size_t i = 0; i < n; ++i) w[i] = shown(i) ? columns[i].whole * room / wholeSum : 0;
    }
    // Rounded down, so the sum stays inside the room.
    std::vector<int> px(n);
    for (size_t i = 0; i < n; ++i) px[i] = static_cast<int>(std::floor(w[i] + 1e-9));
    return px;
}

}  // namespace qf
