#include "startup/frmStationID.h"

#include "app/App.h"
#include "common/ScreenScaling.h"

namespace qf {

frmStationID::frmStationID(App& app)
    : Form(app.platform(), QStringLiteral("frmStationID"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("Station Information"));
    Move(0, 0, 6600, 5400);
}

void frmStationID::Form_Load() { ScaleWindow(*this, platform().screen, platform().dialogs); }

void frmStationID::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    app_.quit(0);
}

}  // namespace qf
