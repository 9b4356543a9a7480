// DX spotting as the logging windows reach it: the spotting window shown from the menu, Ctrl+D
// and a click on the band map; the display choice their spot layout reads; the close at their
// unload. Works through the spotting window (PacketSpotfrm).
#pragma once

#include <QString>

namespace qf {

class App;

namespace spots {

// Modeless; its first showing loads it, which restores the settings and reopens the source.
void ShowWindow(App& app);
// The logging window's unload: the spotting window closes, only when it was loaded.
void UnloadWindow(App& app);

// What the logging window's spot layout reads of the spotting window: the text of its source
// list ("None" lays out no spot display) and whether "List" is chosen (else the band map).
// Reading it loads the window, as any reference to it does.
struct DisplayChoice {
    QString source;
    bool list = false;
};
DisplayChoice MainFormDisplay(App& app);

}  // namespace spots
}  // namespace qf
