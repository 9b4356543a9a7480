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
