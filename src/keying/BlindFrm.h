// BlindFrm: the voice navigation window. The operator picks how much the logging window speaks
// (nothing, the call box only, or every entry box); BlindKeyPhone plays one recorded prompt from
// the working folder ("Call.wav", "Dupe.wav", ...). The logging windows call it from their focus
// handlers and duplicate checks; its player is the one their "Dupe" wait watches. Loaded by the
// menu or by the first prompt, hidden by Done, unloaded third by the logging window.
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"
#include "platform/WavePlayer.h"

#include <memory>

namespace qf {

class App;

class BlindFrm : public Form {
    Q_OBJECT
  public:
    explicit BlindFrm(App& app);

    Label *Label3, *Label4, *Label6, *Label8, *Label20, *Label7, *Label5;
    Line* Line1;
    Frame* Frame1;
    OptionButton *Option1, *Option2, *Option3;  // Off, Call Only, All Data Fields
    CommandButton* Command1;                    // Done
    std::unique_ptr<WavePlayer> MMControl1;

    // Plays the prompt of that name and returns at once; a prompt still playing is cut off. A
    // missing or unplayable file plays nothing and says nothing.
    void BlindKeyPhone(const QString& q);
    // Holds the thread while the prompt plays, at most a few seconds.
    void WaitForPrompt();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();

  private:
    void buildControls();
    App& app_;
};

}  // namespace qf
