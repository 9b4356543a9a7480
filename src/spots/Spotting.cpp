#include "spots/Spotting.h"

#include "app/App.h"
#include "app/Forms.h"
#include "spots/SpotCountry.h"

namespace qf::spots {

void ShowWindow(App& app) {
    PacketSpotfrm& w = app.forms().PacketSpotfrm();
    w.Show();
    if (w.isMinimized()) w.showNormal();
    w.Form_Activate();
}

void UnloadWindow(App& app) {
    if (PacketSpotfrm* w = app.forms().packetSpotSlot().peek()) w->Unload();
}

DisplayChoice MainFormDisplay(App& app) {
    PacketSpotfrm& w = app.forms().PacketSpotfrm();
    return {w.List1->Text(), w.OptList->Value()};
}

void ShowSpectrumMap(App& app) {
    FormSlot<SpectrumMap>& slot = app.forms().spectrumMapSlot();
    slot.get().ShowModal();
    if (SpectrumMap* w = slot.peek()) w->Unload();
}

void RedrawSpectrumMap(App& app) {
    SpectrumMap* w = app.forms().spectrumMapSlot().peek();
    if (w && w->isVisible()) w->BandMapLabelDisplay();
}

void UnloadSpectrumMap(App& app) {
    if (SpectrumMap* w = app.forms().spectrumMapSlot().peek()) w->Unload();
}

QString SpotCountry(App& app, const QString& call) {
    return LookupSpotCountry(app.tables().prefixes, call);
}

}  // namespace qf::spots
