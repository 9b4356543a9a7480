// The two key filters that key-press handlers apply to the typed character code.
#pragma once

namespace qf {

// Letters a to z become A to Z; every other code passes unchanged.
inline void UpperCaseKey(int& KeyAscii) {
    if (KeyAscii >= 97 && KeyAscii <= 122) KeyAscii -= 32;
}

// Only digits and Backspace pass; everything else (Tab and Enter too) is dropped.
inline void DigitsOnlyKey(int& KeyAscii) {
    if (KeyAscii == 8 || (KeyAscii >= 48 && KeyAscii <= 57)) return;
    KeyAscii = 0;
}

// A call sign holds letters, digits and "/" only: every other character (an accented letter,
// a blank, punctuation) is dropped; control codes (Backspace, Enter, Esc) pass for the handlers.
inline void CallSignKey(int& KeyAscii) {
    const int k = KeyAscii;
    if (k < 32 || (k >= '0' && k <= '9') || (k >= 'A' && k <= 'Z') || (k >= 'a' && k <= 'z') ||
        k == '/') {
        return;
    }
    KeyAscii = 0;
}

}  // namespace qf
