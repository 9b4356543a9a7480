// The logo window: borderless, black, shown modally at start. The second picture appears after
// 1.1 s and the window closes at 1.9 s; a "splash.jpg" in the shared folder is shown instead for
// 2.7 s without the second picture. A click on the picture closes it at once.
#pragma once

#include "platform/Controls.h"

namespace qf {

class App;

class frmArdlowLogo : public Form {
    Q_OBJECT
public:
    explicit frmArdlowLogo(App& app);

    Image* Image1;
    Image* Image2;
    qf::Timer* Timer1;
    qf::Timer* Timer2;

    void Form_Load() override;

private:
    void Image1_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    App& app_;
};

}  // namespace qf
