// DX spotting as the logging windows reach it: the spotting window shown from the menu, Ctrl+D
// and a click on the band map; the display choice their spot layout reads; the spectrum map;
// the country of a spotted call; the close at their unload. Works through the spotting window
// (PacketSpotfrm) and the spectrum map (SpectrumMap).
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

// "&View Spectrum Map", Ctrl+B and a double click on the spot list or the band map: the map
// shown modally, and unloaded once the modal display ends.
void ShowSpectrumMap(App& app);
// A spot taken in: the map redraws when it is loaded and on screen. Asking never loads it, so a
// spot can never start the map's load (nor a second load inside the first).
void RedrawSpectrumMap(App& app);
// The logging window's unload: the map closes, only when it was loaded.
void UnloadSpectrumMap(App& app);

// The spot list's country of a spotted call, from the prefix table.
QString SpotCountry(App& app, const QString& call);

}  // namespace spots
}  // namespace qf
