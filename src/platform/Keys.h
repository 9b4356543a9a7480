// Key codes and the two key phases the windows see: KeyDown(KeyCode, Shift) for every key,
// KeyPress(KeyAscii) for a key that produces a character. The codes are the classic virtual
// key codes, which the windows' handlers test against.
#pragma once

class QKeyEvent;

namespace qf {

namespace key {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Escape = 27,
              Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38,
              Right = 39, Down = 40, Insert = 45, Delete = 46, F1 = 112, F2 = 113, F3 = 114,
              F4 = 115, F5 = 116, F6 = 117, F7 = 118, F8 = 119, F9 = 120, F10 = 121, F11 = 122,
              F12 = 123;
}  // namespace key

// The Shift argument of the key-down phase.
constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

int keyCodeOf(const QKeyEvent& e);
int shiftOf(const QKeyEvent& e);
// The character a key produces (0 for none): Ctrl+letter gives letter & 0x1F, computed from the
// key rather than the event's text; Enter 13, Esc 27, Backspace 8; Tab never reaches a handler.
int keyAsciiOf(const QKeyEvent& e);

}  // namespace qf
