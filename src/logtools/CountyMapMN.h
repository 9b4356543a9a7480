// The county map (" Rozirazav County Map"): the state's counties, with every county in the
// running logging window's counties-worked list painted once, in a random colour, just after the
// window comes on screen. Each county carries an invisible label that shows its code as a
// tooltip. The painting works on the window's own copy of the picture, so the colours stay when
// the window is covered and uncovered.
#pragma once

#include "logtools/CountyMap.h"
#include "platform/Controls.h"
#include "platform/Form.h"

#include <array>

namespace qf {

class App;

class CountyMapMN : public Form {
    Q_OBJECT
  public:
    explicit CountyMapMN(App& app);

    Image* Picture1;
    std::array<Label*, kMapCounties> lblCounty{};
    Label* Label1;
    Timer* Timer1;

    void Form_Load() override;
    void Timer1_Timer();
    void PaintWorkedCountiesIn();
    void PaintWorkedCountiesOut();

    // The picture as painted so far.
    const QImage& picture() const { return picture_; }

  private:
    void paintFrom(const class ListBox& worked);

    App& app_;
    QImage picture_;
};

}  // namespace qf
