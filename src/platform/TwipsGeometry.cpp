#include "platform/TwipsGeometry.h"

#include "platform/Error.h"

#include <cmath>

namespace qf {

void checkTwips(double v, bool sizeValue) {
    if (!std::isfinite(v) || std::fabs(v) > 2147483647.0) {
        throw Error(err::kOverflow, QStringLiteral("Overflow"));
    }
    if (sizeValue && v < 0) {
        throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
    }
}

int toPixels(double twips) { return static_cast<int>(std::lround(twips / 15.0)); }

void TwipsGeometry::setLeft(double v) { setOne(left_, v, false); }
void TwipsGeometry::setTop(double v) { setOne(top_, v, false); }
void TwipsGeometry::setWidth(double v) { setOne(width_, v, true); }
void TwipsGeometry::setHeight(double v) { setOne(height_, v, true); }

void TwipsGeometry::setOne(double& field, double v, bool sizeValue) {
    checkTwips(v, sizeValue);
    field = v;
    applyGeometry();
}

void TwipsGeometry::Move(double left, double top, double width, double height) {
    checkTwips(left, false);
    checkTwips(top, false);
    checkTwips(width, true);
    checkTwips(height, true);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

}  // namespace qf
