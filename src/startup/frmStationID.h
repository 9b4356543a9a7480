// The station setup window, opened at every start right after the logo. Its load does the
// start-up reading of the run: the station settings ("QSOpref.txt"), the UTC-offset check, the
// prefix and state tables, and the voice and CW keyer settings ("wave2.txt", "cw.txt"). The
// operator checks the station details and answers two questions (in the contest state? a
// rover?); Done saves everything, offers the details to the company's other programs through
// the shared preferences and opens the logging window the first answer selects.
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"

#include <array>

namespace qf {

class Error;

class App;
struct StationSettings;
struct Platform;

// Compares the stored UTC offset with the clock's (one reading: UTC minus local time, in
// hours rounded to two places) and, when they differ, offers the clock's value in an input
// box; a numeric answer is stored and "QSOpref.txt" rewritten. Any failure keeps the old value.
void CheckUTCOffset(StationSettings& settings, Platform& platform);

class frmStationID : public Form {
    Q_OBJECT
public:
    explicit frmStationID(App& app);

    Image* Image1;
    // The labels, in the order of the boxes they name.
    std::array<Label*, 9> Labels{};
    TextBox* Text1;  // call
    TextBox* Text5;  // state or province
    TextBox* Text8;  // county abbreviation
    TextBox* Text6;  // hours added for UTC
    TextBox* Text2;  // country, with type-ahead from the prefix table
    TextBox* Text3;  // longitude
    TextBox* Text4;  // latitude
    TextBox* Text7;  // continent
    TextBox* Text9;  // name
    // Carry OwnCategory and OwnCity through the window without showing them.
    TextBox* txtCategory;
    TextBox* txtCity;
    Frame* Frame2;
    OptionButton* Option1;  // in the contest state: Yes
    OptionButton* Option2;  // No
    Frame* Frame3;
    OptionButton* Option4;  // rover: Yes
    OptionButton* Option3;  // No
    CommandButton* Command1;

    // Lower-case letters become capitals; every other code passes.
    static void Cap3(int& KeyCode);
    // Backspace and "-" to "9" (minus, point, slash, digits) pass; every other code becomes 0.
    static void NumBerr(int& KeyCode);

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void Text6_LostFocus();

private:
    void boxKeyPress(TextBox* box, int& KeyAscii);
    void Text2_KeyPress(int& KeyAscii);
    void reportLoadFailure();
    void reportSettingsFailure(const Error& e);
    void setInStateQuestion();
    void LoadVoiceSettings();
    void LoadCWSettings();
    void fillBoxes();
    void setSharedPreferences();

    App& app_;
    bool hiddenBoxesFilled_ = false;
};

}  // namespace qf
