#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace qf {

QSizeF QtScreen::sizeTwips() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return {9600, 7200};
    return QSizeF(s->geometry().size()) * kTwipsPerPixel;
}

QRectF QtScreen::workAreaTwips() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return {0, 0, 9600, 7200};
    const QRect r = s->availableGeometry();
    return {r.x() * kTwipsPerPixel, r.y() * kTwipsPerPixel, r.width() * kTwipsPerPixel,
            r.height() * kTwipsPerPixel};
}

}  // namespace qf
