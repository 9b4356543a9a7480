// Screen: the screen size and the desktop work area (the screen less the taskbar) in twips,
// 15 twips to a device-independent pixel. Injectable, so layouts are testable on any screen
// (the tests' fixed screen is in tests/support).
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

}  // namespace qf
