// Rig control as the logging windows reach it: the start at their load, the window from the
// menu and Ctrl+R, and the close at their unload. Works through the rig window (RigControlfrm).
#pragma once

namespace qf {

class App;

namespace rig {

// The last step of a logging window's load: a rig model that is a rig (IsNoRig) loads the
// rig window hidden and runs its Test. An empty model (no settings read) starts nothing.
void StartAtLoad(App& app);
// "&Rig Interface" and Ctrl+R: modeless; the window stays loaded.
void ShowWindow(App& app);
// Ctrl+G: the tuning window, modal, unloaded when it closes so each opening starts fresh.
void ShowTuning(App& app);
// "&Privileges" and Ctrl+F: the privilege chart, modal, read afresh from the working folder's
// "BandPlan.txt" and unloaded when it closes.
void ShowPrivileges(App& app);
// The logging window's unload: the rig window closes, only when it was loaded.
void UnloadWindow(App& app);

}  // namespace rig
}  // namespace qf
