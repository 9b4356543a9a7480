// The out-of-state logging window: a station outside the contest state works the state's
// counties. Call, name and county are logged; the multipliers are the counties.
#pragma once

#include "logging/LoggingWindow.h"
#include "logstore/QsoLog.h"

namespace qf {

class Outfrm : public LoggingWindow {
    Q_OBJECT
public:
    explicit Outfrm(App& app);

    Label *Label10, *Label13;  // static captions of the CW/DG count and the multipliers
    Line* Line8;

    void Mains() override;
    void DupCheck2();
    void Form_MouseMove(int Button, int Shift, double X, double Y) override;

protected:
    void txtCall_LostFocus() override;
    void txtSec_KeyPress(int& KeyAscii) override;
    QString keyboardCwMessage() const override;
    void addLogListColumns(double width) override;
    QStringList logListRow(int record) const override;
    std::vector<LogListTexts> logListWidestTexts() const override;
    void showStationLabels() override;
    void rebuildAfterLoad() override;
    QString rebuildFailureText() const override;
    ListBox* toGoList() const override { return List1; }
    QString toGoCaption() const override { return QStringLiteral("Counties To Go - "); }
    int toGoCaptionIndex() const override { return 7; }
    QString workedCaption() const override { return QStringLiteral("Counties Worked - "); }
    int workedCaptionIndex() const override { return 5; }
    std::vector<ListBox*> countyLists() const override { return {List1, List2}; }
};

// The date and time column of the log list: "mm/dd hh:nn", or the stored text when it does
// not read as a date and time.
QString logListDateTime(const QSORecord& q);

}  // namespace qf
