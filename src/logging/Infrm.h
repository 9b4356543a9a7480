// The in-state logging window: a station inside the contest state works everyone. Call, name,
// state/province/country and, for stations of the contest state, the county are logged; the
// multipliers are the states and provinces worked and the counties.
#pragma once

#include "logging/LoggingWindow.h"

namespace qf {

class Infrm : public LoggingWindow {
    Q_OBJECT
public:
    explicit Infrm(App& app);

    Label *Label13, *Label6;           // static captions of the CW/DG count and the multipliers
    std::array<Label*, 65> Label10{};  // the worked-states grid, items 1 to 64
    ListBox* List3;                    // counties remaining
    Line *Line6, *Line1;

    void BuildWorkedStates();
    void RecountMultipliersInState();
    void BuildBandDXLists();
    void FillDXList();
    void Label10_MouseMove(int Index);
    void Label10_Click(int Index);
    void Mains() override;
    void txtCntry_GotFocus();

protected:
    void callBoxHandOver(int& KeyAscii) override;
    void txtSec_KeyPress(int& KeyAscii) override;
    QString keyboardCwMessage() const override;
    void addLogListColumns(double width) override;
    QStringList logListRow(int record) const override;
    std::vector<QStringList> logListWidestTexts() const override;
    void loadOwnSteps() override;
    void showStationLabels() override;
    void rebuildAfterLoad() override;
    QString rebuildFailureText() const override { return QStringLiteral("Error opening file."); }
    ListBox* toGoList() const override { return List3; }
    QString toGoCaption() const override { return QStringLiteral("Cnty Rem - "); }
    int toGoCaptionIndex() const override { return 7; }
    QString workedCaption() const override { return QStringLiteral("Cnty Wkd - "); }
    int workedCaptionIndex() const override { return 8; }
    std::vector<ListBox*> countyLists() const override { return {List1, List2, List3}; }
};

}  // namespace qf
