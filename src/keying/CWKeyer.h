// The CW keyer as the logging windows reach it: function-key messages, keyboard CW, the speed,
// the send state and the repeat. Works through the CW window (CWFrm), which holds the settings
// and keys via the Morse table, the timing code and the platform's clock, serial port and lines.
#pragma once

#include <QString>

namespace qf {

class App;

namespace cw {

// F1 to F11 in CW mode (F10 as 124): builds and sends that key's message.
void SendFunctionKey(App& app, int keyCode);
// Keyboard CW: starts the send loop for the typed characters already in the buffer, unless a
// loop is running (which sends them too).
void SendTyped(App& app);
// Ends the message after the character being keyed.
void Stop(App& app);
bool Sending(App& app);
// Any key in a logging window while a repeat runs: stops it.
void StopRepeat(App& app);
// The open WinKey's status, read into WinKeyStatus; a keyer that has stopped answering reads as
// busy, is cleared and gets no more text (*clearedNow says whether this read did that), and is
// told to the operator once.
qint32 ReadWinKeyStatus(App& app, bool* clearedNow = nullptr);
// The Up and Down arrows: the new speed text ("13").
QString SpeedUp(App& app);
QString SpeedDown(App& app);
// Ctrl+C / Ctrl+S: modeless and restored; the setup menu: modal. The window stays loaded.
void ShowWindow(App& app, bool modal);
// The logging window's unload closes the CW window (and its port) without saving.
void UnloadWindow(App& app);

}  // namespace cw
}  // namespace qf
