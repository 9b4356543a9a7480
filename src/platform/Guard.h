// The last boundary of every handler the kit calls from a Qt signal or event: no exception
// ever leaves into Qt. An Error (or any other exception) is shown to the operator through the
// reporter the application installs, and the program goes on; the end-the-program test double's
// ProgramEnded unwinds silently.
#pragma once

#include <QString>

#include <functional>

namespace qf {

using SlotErrorReporter = std::function<void(int number, const QString& text)>;

void setSlotErrorReporter(SlotErrorReporter reporter);

// Runs fn; returns false when it ended by an exception.
bool guarded(const std::function<void()>& fn);

}  // namespace qf
