// The submission window ("Summary Sheet Information"): collects the entry category and the
// submitter's details, writes the Cabrillo file (Cabrillo.h) from the log, the station settings
// and the running logging window's score labels, and keeps the details in the registry and the
// shared preferences. Opened modally from either logging window's File menu, unloaded after.
#pragma once

#include "logtools/Cabrillo.h"
#include "platform/ChoiceControls.h"
#include "platform/Controls.h"

#include <array>

namespace qf {

class App;

class DECabrilloIn : public Form {
    Q_OBJECT
  public:
    explicit DECabrilloIn(App& app);

    Frame* Frame1;
    OptionButton *Option6, *Option5, *Option16, *Option2, *Option7, *Option8;
    Label *Label4, *Label1, *Label6, *Label9, *Label8, *Label7, *Label2, *Label12;
    TextBox *Text3, *Text1, *Text5, *Text6, *Text7, *Text8, *Text2, *Text11;
    CommandButton *Command4, *Command3;
    std::array<Line*, 4> Lines{};

    void Form_Load() override;
    void Option16_Click();
    void Text1_KeyPress(int& KeyAscii);
    void Command4_Click();
    void Command3_Click();

    // The chosen category's text for the file.
    QString categoryText() const;
    // The four totals, copied from the score labels of the window that OutOfStateFlag names.
    CabrilloTotals totals() const;

  private:
    // After the file is written: the registry values, then the shared preferences, whose failed
    // save is told here, naming that file.
    void saveSubmitterDetails();

    App& app_;
};

}  // namespace qf
