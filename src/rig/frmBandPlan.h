// frmBandPlan: the privilege chart (Ctrl+F, "&Privileges"). For one licence class at a time it
// draws a black bar per band over the band's whole extent, with the class's CW (blue) and phone
// (green) segments on it; six buttons choose the class, Extra first. The data is read from
// "BandPlan.txt" at every opening; the window only draws.
#pragma once

#include "platform/Controls.h"
#include "rig/BandPlan.h"

#include <vector>

namespace qf {

class App;

class frmBandPlan : public Form {
    Q_OBJECT
  public:
    explicit frmBandPlan(App& app);

    CommandButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6;
    CommandButton* Command7;  // Done
    Label *Label1, *Label2, *Label3, *Label4;
    Line* Line1;

    // Every row the file gave, in file order, and the rows counted: a row that failed counts,
    // so a 201st row leaves the count above the table's room.
    std::vector<rig::BandPlanSegment> ChartBandPlan;
    size_t ChartBandPlanCount = 0;

    void Form_Load() override;
    // Draws the chart of one class ("N", "T", "P", "G", "A" or "E") in place of the last one.
    void ShowPrivileges(const QString& cls);
    void classButton_Click(const QString& cls, const QString& title);
    void Command7_Click();

  private:
    void drawChart(const QString& cls);
    App& app_;
};

}  // namespace qf
