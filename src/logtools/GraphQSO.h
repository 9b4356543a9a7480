// GraphQSO: the QSO-rate graph window. It reads the log (never changes it), lets RateGraph
// compute the rate curve and band strip, puts up the time, date and rate labels and draws the
// curve and strip into a backing image that its surface paints, so the drawing stays when the
// window is covered. Its button switches between the black and the white background.
#pragma once

#include "logtools/RateGraph.h"
#include "platform/Controls.h"

#include <QImage>

#include <array>

namespace qf {

class App;

class GraphQSO : public Form {
    Q_OBJECT
  public:
    explicit GraphQSO(App& app);

    // ---- controls
    Line *Line1, *Line2, *Line3, *Line4;  // top, bottom, right, left of the plot area
    std::array<Line*, 15> gridLines;      // Line7, Line6, Line5, Line10 to Line21, top down
    Line *Line8, *Line9;                  // top and bottom of the band strip (invisible)
    std::array<Label*, 17> lblY;
    std::array<Label*, 15> lblTime;
    std::array<Label*, 15> lblDate;
    Label* Label1;
    std::array<Label*, 7> lblBnd;
    CommandButton* Command1;

    // ---- handlers
    void Form_Load() override;
    void Command1_Click();
    void DrawRateGraph();

    // The backing image: what the window shows under its labels and lines.
    const QImage& picture() const { return picture_; }
    quint32 backColor() const { return back_; }

  private:
    void buildControls();
    void erase(quint32 colour);
    std::vector<Line*> allLines() const;

    App& app_;
    QWidget* surface_;
    QImage picture_;
    quint32 back_ = 0x000000;
};

}  // namespace qf
