// Screen: the screen size and the desktop work area (the screen less the taskbar) in twips,
// 15 twips to a device-independent pixel. Injectable, so layouts are testable on any screen.
#pragma once

#include <QRectF>
#include <QSizeF>

namespace qf {

constexpr double kTwipsPerPixel = 15.0;

class Screen {
public:
    virtual ~Screen() = default;
    virtual QSizeF sizeTwips() const = 0;
    virtual QRectF workAreaTwips() const = 0;
};

// The primary screen as Qt reports it.
class QtScreen : public Screen {
public:
    QSizeF sizeTwips() const override;
    QRectF workAreaTwips() const override;
};

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
