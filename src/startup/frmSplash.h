// Room src/startup/: the start sequence and its windows, the station settings and shared
// preferences. Works with app/ (opens the logging window) and the plain rooms below it.
//
// The start window: never shown; its load runs the start sequence and then it unloads.
#pragma once

#include "platform/Form.h"

namespace qf {

class App;

class frmSplash : public Form {
    Q_OBJECT
public:
    explicit frmSplash(App& app);
    void Form_Load() override;

private:
    App& app_;
};

}  // namespace qf
