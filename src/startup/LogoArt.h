// The two pictures of the logo window, drawn by the program itself.
#pragma once

#include <QPixmap>

namespace qf {

QPixmap drawLogoPicture(QSize size);    // the main logo
QPixmap drawLogoBanner(QSize size);     // the smaller second picture

}  // namespace qf
