#include "platform/Keys.h"

#include <QKeyEvent>

namespace qf {

int keyCodeOf(const QKeyEvent& e) {
    const int k = e.key();
    const bool keypad = e.modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // same codes, 65 to 90
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return keypad ? 96 + (k - Qt::Key_0) : k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Backspace: return key::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return key::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return key::Return;
        case Qt::Key_Shift: return key::Shift;
        case Qt::Key_Control: return key::Control;
        case Qt::Key_Alt: return key::Menu;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return 20;
        case Qt::Key_Escape: return key::Escape;
        case Qt::Key_Space: return key::Space;
        case Qt::Key_PageUp: return key::PageUp;
        case Qt::Key_PageDown: return key::PageDown;
        case Qt::Key_End: return key::End;
        case Qt::Key_Home: return key::Home;
        case Qt::Key_Left: return key::Left;
        case Qt::Key_Up: return key::Up;
        case Qt::Key_Right: return key::Right;
        case Qt::Key_Down: return key::Down;
        case Qt::Key_Insert: return key::Insert;
        case Qt::Key_Delete: return key::Delete;
        // Shifted digits on a US keyboard carry their digit's code.
        case Qt::Key_ParenRight: return 48;
        case Qt::Key_Exclam: return 49;
        case Qt::Key_At: return 50;
        case Qt::Key_NumberSign: return 51;
        case Qt::Key_Dollar: return 52;
        case Qt::Key_Percent: return 53;
        case Qt::Key_AsciiCircum: return 54;
        case Qt::Key_Ampersand: return 55;
        case Qt::Key_ParenLeft: return 57;
        case Qt::Key_Asterisk: return keypad ? 106 : 56;
        case Qt::Key_Plus: return keypad ? 107 : 187;
        case Qt::Key_Minus: return keypad ? 109 : 189;
        case Qt::Key_Period: return keypad ? 110 : 190;
        case Qt::Key_Slash: return keypad ? 111 : 191;
        case Qt::Key_Semicolon:
        case Qt::Key_Colon: return 186;
        case Qt::Key_Equal: return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less: return 188;
        case Qt::Key_Underscore: return 189;
        case Qt::Key_Greater: return 190;
        case Qt::Key_Question: return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde: return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft: return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar: return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight: return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl: return 222;
        default: return 0;
    }
}

int shiftOf(const QKeyEvent& e) {
    int s = 0;
    const auto m = e.modifiers();
    if (m & Qt::ShiftModifier) s |= kShiftMask;
    if (m & Qt::ControlModifier) s |= kCtrlMask;
    if (m & Qt::AltModifier) s |= kAltMask;
    return s;
}

int keyAsciiOf(const QKeyEvent& e) {
    const int k = e.key();
    const auto m = e.modifiers();
    switch (k) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 0;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Backspace: return (m & Qt::ControlModifier) ? 127 : 8;
        case Qt::Key_Delete: return 0;
        default: break;
    }
    if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier)) {
        if (k >= Qt::Key_A && k <= Qt::Key_Z) return (k - Qt::Key_A + 1);
        switch (k) {
            case Qt::Key_BracketLeft: return 27;
            case Qt::Key_Backslash: return 28;
            case Qt::Key_BracketRight: return 29;
            default: return 0;
        }
    }
    const QString t = e.text();
    if (t.isEmpty()) return 0;
    const char16_t c = t.at(0).unicode();
    // The record files are 8-bit: a character beyond Latin-1 is not taken.
    if (c < 32 || c == 127 || c > 255) return 0;
    return c;
}

}  // namespace qf
