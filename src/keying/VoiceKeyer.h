// The voice keyer and voice navigation as the logging windows and the other keyers reach them:
// function-key messages, stopping playback and the repeat, the spoken prompts and the wait for
// one, the windows' showing and unloading, and the shared push-to-talk port. Works through the
// voice window (PhoneFrm) and the voice navigation window (BlindFrm).
#pragma once

#include <QString>

namespace qf {

class App;

namespace voice {

// F1 to F9 in phone mode (key codes 112 to 120): plays that key's message with push-to-talk.
void PlayFunctionKey(App& app, int keyCode);
// Esc in phone mode: stops a message that is playing and releases push-to-talk at once; false
// when nothing plays and nothing is keyed.
bool StopIfPlaying(App& app);
// Any key in a logging window while a repeat runs: stops it.
void StopRepeat(App& app);
// Ctrl+P: modeless and restored; "Voice Setup": modal (brought forward when already shown).
void ShowWindow(App& app, bool modal);
// "Voice Navigation": modeless.
void ShowNavigation(App& app);
// A spoken prompt ("Call", "Dupe", ...), loading the navigation window when needed.
void Prompt(App& app, const QString& name);
// Holds the thread while the prompt plays, never more than a few seconds.
void WaitForPrompt(App& app);
// The other keyers close the push-to-talk port before they open their own.
void ClosePushToTalkPort(App& app);
// The logging window's unload closes each window when it is loaded.
void UnloadKeyerWindow(App& app);
void UnloadNavigationWindow(App& app);

}  // namespace voice
}  // namespace qf
