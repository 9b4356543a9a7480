// The own-county dialog ("County Change"): a rover types the county it now operates from, which
// becomes OwnCounty and is saved in "QSOpref.txt". A rover on a county line opens the rover
// county list from here (frmCountyChangeRover), whose first county then becomes the own county.
// Opened modally by the in-state window's "Cha&nge County" and unloaded after.
#pragma once

#include "logging/TypeAhead.h"
#include "platform/Controls.h"

namespace qf {

class App;

class frmCountyChange : public Form {
    Q_OBJECT
  public:
    explicit frmCountyChange(App& app);

    TextBox* Text1;
    CommandButton* Command1;  // "Done"
    Label *Label2, *Label1;
    CommandButton* cmdMultipleCounties;

    void Form_Load() override;
    void Command1_Click();
    void Text1_GotFocus();
    void Text1_KeyPress(int& KeyAscii);
    void Text1_LostFocus();
    void cmdMultipleCounties_Click();

  private:
    App& app_;
};

// The county check both county dialogs run: the box's text, untrimmed, must be an abbreviation
// of the county table, ignoring case. Hides the mark first; on failure beeps and shows it.
// Sets BadCountyFlag either way. True when the county passed.
bool CheckCountyBox(App& app, const TextBox& box, Label& mark);

// "   Invalid!" in white on dark red, as both dialogs show it right of their box.
Label* addInvalidMark(Form& form, double left, double top);

// A key other than Enter in either dialog's county box: a double quote is dropped, and the rest
// go through the county type-ahead, completing from the last table row up, a blank at the start
// emptying the box like any other key. The dialogs differ only in when a letter is capitalised.
void CountyBoxKeyPress(App& app, TextBox& box, int& KeyAscii, CountyTypeAheadRule::KeyCase keyCase);

}  // namespace qf
