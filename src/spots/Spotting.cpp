#include "spots/Spotting.h"

#include "app/App.h"
#include "app/Forms.h"

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

}  // namespace qf::spots
