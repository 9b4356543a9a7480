// The station setup window. For now an empty window that ends the program when it is closed.
#pragma once

#include "platform/Controls.h"

namespace qf {

class App;

class frmStationID : public Form {
    Q_OBJECT
public:
    explicit frmStationID(App& app);
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    App& app_;
};

}  // namespace qf
