#include "startup/LogoArt.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qf {

namespace {

// The ink of a text drawn from a baseline origin.
QRectF inkOf(const QFont& font, const QString& text, QPointF origin) {
    return QFontMetricsF(font).tightBoundingRect(text).translated(origin);
}

}  // namespace

LogoLayout logoLayout(QSize size) {
    const double w = size.width(), h = size.height();
    LogoLayout l;
    // The logo window shows the picture less a margin on each side and lays the version
    // banner over its lower right (from 63 % of the width and 74 % of the height).
    l.versionArea = QRectF(w * 0.60, h * 0.72, w * 0.40, h * 0.28);
    l.mast = QRectF(w * 0.02, h * 0.10, w * 0.26, h * 0.80);

    // Quill in the upper right: the nib low and left, the feather's tip high and right.
    QPainterPath quill;
    quill.moveTo(w * 0.70, h * 0.40);
    quill.cubicTo(w * 0.75, h * 0.26, w * 0.84, h * 0.14, w * 0.94, h * 0.06);
    quill.cubicTo(w * 0.88, h * 0.18, w * 0.80, h * 0.30, w * 0.70, h * 0.40);
    l.quill = quill;

    // The text starts right of the mast; each line shrinks until it ends left of the quill
    // (the name) or inside the picture's visible part (the subtitle).
    const double left = w * 0.32;
    l.nameFont = QFont(QStringLiteral("Liberation Sans"));
    l.nameFont.setBold(true);
    int namePx = std::max(8, static_cast<int>(h * 0.15));
    l.nameOrigin = QPointF(left, h * 0.55);
    for (;; --namePx) {
        l.nameFont.setPixelSize(namePx);
        l.nameBounds = inkOf(l.nameFont, kLogoName, l.nameOrigin);
        if (namePx <= 6 || l.nameBounds.right() < w * 0.68) break;
    }
    l.subtitleFont = QFont(QStringLiteral("Liberation Sans"));
    int subtitlePx = std::max(6, static_cast<int>(h * 0.045));
    l.subtitleOrigin = QPointF(left, h * 0.65);
    for (;; --subtitlePx) {
        l.subtitleFont.setPixelSize(subtitlePx);
        l.subtitleBounds = inkOf(l.subtitleFont, kLogoSubtitle, l.subtitleOrigin);
        if (subtitlePx <= 4 || l.subtitleBounds.right() < w * 0.95) break;
    }
    return l;
}

QPixmap drawLogoPicture(QSize size) {
    QPixmap pm(size);
    const double w = size.width(), h = size.height();
    const LogoLayout l = logoLayout(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // Night sky fading to the horizon.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(8, 14, 40));
    sky.setColorAt(0.7, QColor(24, 52, 110));
    sky.setColorAt(1, QColor(230, 140, 60));
    p.fillRect(pm.rect(), sky);

    // A mast with radio waves rising from its top, inside its own strip on the left.
    const QPointF top(l.mast.center().x(), l.mast.top() + l.mast.height() * 0.35);
    p.setPen(QPen(QColor(210, 210, 220), std::max(2.0, w / 300)));
    p.drawLine(QPointF(l.mast.left() + l.mast.width() * 0.3, l.mast.bottom()), top);
    p.drawLine(QPointF(l.mast.right() - l.mast.width() * 0.3, l.mast.bottom()), top);
    const double step = std::min(l.mast.width() / 2, top.y() - l.mast.top()) / 4;
    for (int i = 1; i <= 4; ++i) {
        const double r = i * step;
        p.setPen(QPen(QColor(120, 220, 255, 230 - i * 40), std::max(2.0, w / 250)));
        p.drawArc(QRectF(top.x() - r, top.y() - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    }

    // The quill: a feather shape with its spine.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 240, 225));
    p.drawPath(l.quill);
    p.setPen(QPen(QColor(150, 120, 80), std::max(1.5, w / 500)));
    p.drawLine(l.quill.pointAtPercent(0), QPointF(w * 0.91, h * 0.09));

    p.setFont(l.nameFont);
    p.setPen(QColor(255, 255, 255));
    p.drawText(l.nameOrigin, kLogoName);
    p.setFont(l.subtitleFont);
    p.setPen(QColor(255, 230, 190));
    p.drawText(l.subtitleOrigin, kLogoSubtitle);
    return pm;
}

QPixmap drawLogoBanner(QSize size) {
    QPixmap pm(size);
    const double w = size.width(), h = size.height();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, QColor(150, 20, 30));
    g.setColorAt(1, QColor(220, 120, 30));
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.drawRect(QRectF(1, 1, w - 2, h - 2));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(std::max(6, static_cast<int>(h * 0.32)));
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("Version 1.8"));
    return pm;
}

}  // namespace qf
