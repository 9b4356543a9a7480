// What the keyer windows share beyond their own controls: the repeat box's seconds as a timer
// interval (the CW and voice keyers repeat F1 the same way), the player's close sequence (the
// voice keyer and voice navigation each play through a player of their own), and how a keying
// failure is told to the operator.
#pragma once

#include <QString>

namespace qf {

struct Platform;
class WavePlayer;

// A repeat time in seconds as a timer interval in milliseconds. A text that is no number is a
// type mismatch; a time the timer cannot hold is an invalid property value.
int RepeatIntervalMs(const QString& seconds);

// Readies the player for the next recording and ends whatever still plays: Notify off, Wait
// on, not shareable, the wave audio device, then "Close".
void ResetWavePlayer(WavePlayer& player);

// A keying failure, told the same way by every keyer: a beep, then one box with an OK button.
void ReportKeyingFailure(Platform& platform, const QString& text, const QString& title);

}  // namespace qf
