// Every window of the program, each loaded at its first reference.
#pragma once

#include "platform/Form.h"
#include "startup/frmArdlowLogo.h"
#include "startup/frmSplash.h"
#include "startup/frmStationID.h"

namespace qf {

class App;

class Forms {
public:
    explicit Forms(App& app);

    qf::frmSplash& frmSplash() { return splash_.get(); }
    qf::frmArdlowLogo& frmArdlowLogo() { return logo_.get(); }
    qf::frmStationID& frmStationID() { return stationID_.get(); }

    FormSlot<qf::frmSplash>& splashSlot() { return splash_; }
    FormSlot<qf::frmArdlowLogo>& logoSlot() { return logo_; }
    FormSlot<qf::frmStationID>& stationIDSlot() { return stationID_; }

private:
    FormSlot<qf::frmSplash> splash_;
    FormSlot<qf::frmArdlowLogo> logo_;
    FormSlot<qf::frmStationID> stationID_;
};

}  // namespace qf
