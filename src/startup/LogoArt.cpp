#include "startup/LogoArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace qf {

QPixmap drawLogoPicture(QSize size) {
    QPixmap pm(size);
    const double w = size.width(), h = size.height();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // Night sky fading to the horizon.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(8, 14, 40));
    sky.setColorAt(0.7, QColor(24, 52, 110));
    sky.setColorAt(1, QColor(230, 140, 60));
    p.fillRect(pm.rect(), sky);

    // A mast with radio waves rising from its top.
    const QPointF top(w * 0.22, h * 0.38);
    p.setPen(QPen(QColor(210, 210, 220), std::max(2.0, w / 300)));
    p.drawLine(QPointF(w * 0.16, h * 0.9), top);
    p.drawLine(QPointF(w * 0.28, h * 0.9), top);
    for (int i = 1; i <= 4; ++i) {
        const double r = i * w * 0.05;
        p.setPen(QPen(QColor(120, 220, 255, 230 - i * 40), std::max(2.0, w / 250)));
        p.drawArc(QRectF(top.x() - r, top.y() - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    }

    // A quill, drawn as a feather shape with a spine.
    QPainterPath quill;
    quill.moveTo(w * 0.50, h * 0.82);
    quill.cubicTo(w * 0.58, h * 0.50, w * 0.74, h * 0.24, w * 0.90, h * 0.10);
    quill.cubicTo(w * 0.80, h * 0.32, w * 0.70, h * 0.55, w * 0.50, h * 0.82);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 240, 225));
    p.drawPath(quill);
    p.setPen(QPen(QColor(150, 120, 80), std::max(1.5, w / 500)));
    p.drawLine(QPointF(w * 0.50, h * 0.82), QPointF(w * 0.86, h * 0.14));

    // The name.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(std::max(8, static_cast<int>(h * 0.16)));
    p.setFont(f);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRectF(w * 0.30, h * 0.52, w * 0.65, h * 0.2), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quillfen"));
    f.setBold(false);
    f.setPixelSize(std::max(6, static_cast<int>(h * 0.05)));
    p.setFont(f);
    p.setPen(QColor(255, 230, 190));
    p.drawText(QRectF(w * 0.31, h * 0.70, w * 0.65, h * 0.08), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Contest logging for the Rozirazav QSO Party"));
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
