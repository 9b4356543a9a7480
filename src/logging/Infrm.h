// The in-state logging window: a station inside the contest state works everyone. Call, name,
// state/province/country and, for stations of the contest state, the county are logged; the
// multipliers are the states and provinces worked and the counties.
#pragma once

#include "logging/LoggingWindow.h"
#include "logging/RoverCountyList.h"

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
    void txtCntry_KeyPress(int& KeyAscii);
    void txtSec_GotFocus() override;
    // The country, continent, bearing and distance of the call being typed.
    void CountryLookup();

    // Logging: the in-state checks, the look back when the call box is left, the lock-out after
    // a duplicate, the rover's further counties, and what a stored contact adds to the tallies.
    void CheckSection();
    void DupCheck2();
    void DupeLockout();
    void LogRoverCounties();
    void MarkWorked();
    void AddNewDXCountry();
    quint8 RoverLogIndex = 0;  // the rover list position being logged, 0 outside
    // The rover county list that LogRoverCounties reads; none means a single county.
    void setRoverCountyList(const RoverCountyList* list) { roverCounties_ = list; }

protected:
    void callBoxHandOver(int& KeyAscii) override;
    void callBoxKeyDone() override;
    void txtCall_LostFocus() override;
    void callTextChanged() override { CountryLookup(); }
    void clearRow() override;
    void txtSec_KeyPress(int& KeyAscii) override;
    QString keyboardCwMessage() const override;
    void addLogListColumns(double width) override;
    QStringList logListRow(int record) const override;
    std::vector<LogListTexts> logListWidestTexts() const override;
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

private:
    const RoverCountyList* roverCounties_ = nullptr;
};

}  // namespace qf
