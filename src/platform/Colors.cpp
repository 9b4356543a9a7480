#include "platform/Colors.h"

#include <QApplication>
#include <QPalette>

namespace qf {

QColor toQColor(quint32 value) {
    if (value & 0x80000000u) {
        // Only the system colours the windows use; the rest fall back to the window colour.
        // The low byte is the index; the bytes between are not looked at.
        const QPalette pal = QApplication::palette();
        switch (value & 0x800000FFu) {
            case kButtonFace: return pal.color(QPalette::Button);
            case kButtonText: return pal.color(QPalette::ButtonText);
            case kWindowBackground: return pal.color(QPalette::Base);
            case kWindowText: return pal.color(QPalette::Text);
            default: return pal.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

quint32 fromQColor(const QColor& c) {
    return static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
           (static_cast<quint32>(c.blue()) << 16);
}

}  // namespace qf
