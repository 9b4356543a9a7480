// The bridge between a text box and the plain key rules (TypeAhead.h): the box as the rules read
// it, and the box written back from their answer, untouched when nothing changed so no Change
// handler runs for nothing. The logging windows and the dialogs share it.
#pragma once

#include "logging/TypeAhead.h"
#include "platform/Controls.h"

namespace qf {

inline BoxState boxStateOf(const TextBox& box) {
    return {box.Text(), box.SelStart(), box.SelLength()};
}

inline void setBoxStateOf(TextBox& box, const BoxState& state) {
    if (box.Text() == state.text && box.SelStart() == state.selStart &&
        box.SelLength() == state.selLength) {
        return;
    }
    box.setText(state.text);
    box.setSelStart(state.selStart);
    box.setSelLength(state.selLength);
}

}  // namespace qf
