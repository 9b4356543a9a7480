#include "platform/Colors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

namespace qf {
namespace {

TEST(ColorsTest, SystemColoursFollowThePaletteAndOthersAreBlueGreenRed) {
    // A palette whose roles all differ, so a colour taken from the wrong role shows.
    const QPalette saved = QApplication::palette();
    QPalette pal;
    pal.setColor(QPalette::Button, QColor(1, 1, 1));
    pal.setColor(QPalette::ButtonText, QColor(2, 2, 2));
    pal.setColor(QPalette::Base, QColor(3, 3, 3));
    pal.setColor(QPalette::Text, QColor(4, 4, 4));
    pal.setColor(QPalette::Window, QColor(5, 5, 5));
    QApplication::setPalette(pal);
    const struct {
        quint32 value;
        QColor expected;
    } cases[] = {
        {kButtonFace, pal.color(QPalette::Button)},
        {kButtonText, pal.color(QPalette::ButtonText)},
        {kWindowBackground, pal.color(QPalette::Base)},
        {kWindowText, pal.color(QPalette::Text)},
        {0x8000FF0Fu, pal.color(QPalette::Button)},  // only the low byte picks the colour
        {0x80000001u, pal.color(QPalette::Window)},  // one the windows never use
        {kRed, QColor(255, 0, 0)},
        {kNavy, QColor(0, 0, 128)},
        {0x00123456u, QColor(0x56, 0x34, 0x12)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toQColor(c.value), c.expected) << std::hex << c.value;
    }
    EXPECT_EQ(fromQColor(QColor(0x56, 0x34, 0x12)), 0x00123456u);
    QApplication::setPalette(saved);
}

}  // namespace
}  // namespace qf
