// The colours dialog of the in-state window's grid of states and provinces: the text colours of
// a multiplier still to be worked (RemainingColor) and of one already worked (WorkedColor),
// chosen in the platform's colour dialog. A choice goes into the station settings at once; the
// menu command that showed the dialog saves them and repaints the grid when it closes.
#pragma once

#include "platform/Controls.h"

namespace qf {

class App;

class Form6 : public Form {
    Q_OBJECT
public:
    explicit Form6(App& app);

    CommandButton* Command1;  // change the remaining colour
    CommandButton* Command3;  // change the worked colour
    Label* Label2;            // shows RemainingColor
    Label* Label1;            // shows WorkedColor
    Line* Line2;
    Line* Line1;
    CommandButton* Command6;  // "Done"

    void Form_Load() override;
    void Command1_Click();
    void Command3_Click();
    void Command6_Click();

private:
    // Runs the colour dialog from `color`; a choice is stored there and shown in `sample`.
    void chooseColor(qint32& color, Label* sample);
    App& app_;
};

}  // namespace qf
