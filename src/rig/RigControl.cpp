#include "rig/RigControl.h"

#include "app/App.h"
#include "app/Forms.h"
#include "rig/RigModels.h"

namespace qf::rig {

void StartAtLoad(App& app) {
    // Test's first step still sees the model the setup saw; the window's load then reads
    // "RigCntrl.txt" over it.
    const QString model = app.station().RigModel;
    if (IsNoRig(model)) return;
    // No model at all (no settings file was read) is no rig either: a first run must not
    // greet the operator with a port failure.
    if (model.trimmed().isEmpty()) return;
    app.forms().RigControlfrm().TestFromStartup(model);
}

void ShowWindow(App& app) {
    RigControlfrm& w = app.forms().RigControlfrm();
    w.Show();
    if (w.isMinimized()) w.showNormal();
}

void ShowTuning(App& app) {
    FormSlot<frmRigTune>& slot = app.forms().rigTuneSlot();
    slot.get().ShowModal();
    if (frmRigTune* w = slot.peek()) w->Unload();
}

void ShowPrivileges(App& app) {
    FormSlot<frmBandPlan>& slot = app.forms().bandPlanSlot();
    slot.get().ShowModal();
    if (frmBandPlan* w = slot.peek()) w->Unload();
}

void UnloadWindow(App& app) {
    if (RigControlfrm* w = app.forms().rigFrmSlot().peek()) w->Unload();
}

}  // namespace qf::rig
