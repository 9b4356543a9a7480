// The screen's test double, kept with the tests: the program never links it.
#pragma once

#include "platform/Screen.h"

namespace qf {

// A screen of a set size and work area, so a test lays windows out on any screen it names.
class FixedScreen : public Screen {
public:
    FixedScreen(QSizeF size, QRectF workArea) : size_(size), work_(workArea) {}
    explicit FixedScreen(QSizeF size) : size_(size), work_(QPointF(0, 0), size) {}
    QSizeF sizeTwips() const override { return size_; }
    QRectF workAreaTwips() const override { return work_; }
    void set(QSizeF size, QRectF workArea) {
        size_ = size;
        work_ = workArea;
    }

private:
    QSizeF size_;
    QRectF work_;
};

}  // namespace qf
