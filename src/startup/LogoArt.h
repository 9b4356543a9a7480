// The two pictures of the logo window, drawn by the program itself.
#pragma once

#include <QFont>
#include <QPainterPath>
#include <QPixmap>

namespace qf {

// Where the parts of the main logo lie in a picture of a given size, in its pixels. The text
// keeps to the middle band, the quill to the upper right and the mast to the left, so nothing
// crosses the name or the subtitle; the lower right stays free for the version banner that the
// logo window lays over the picture.
struct LogoLayout {
    QRectF mast;             // the mast and its waves
    QPainterPath quill;
    QFont nameFont;
    QPointF nameOrigin;      // the baseline's start
    QRectF nameBounds;       // the ink of the name
    QFont subtitleFont;
    QPointF subtitleOrigin;
    QRectF subtitleBounds;
    QRectF versionArea;      // kept free for the banner
};

inline const QString kLogoName = QStringLiteral("Quillfen");
inline const QString kLogoSubtitle = QStringLiteral("Contest logging for the Rozirazav QSO Party");

LogoLayout logoLayout(QSize size);
QPixmap drawLogoPicture(QSize size);    // the main logo
QPixmap drawLogoBanner(QSize size);     // the smaller second picture

}  // namespace qf
