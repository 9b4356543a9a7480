#include "logging/Outfrm.h"

#include "app/App.h"
#include "common/Formats.h"

namespace qf {

QString logListDateTime(const QSORecord& q) {
    const auto d = parseStoredDate(q.QSODate);
    const auto t = parseStoredTime(q.QSOTime);
    return (d ? d->toString(QStringLiteral("MM/dd")) : q.QSODate) + QLatin1Char(' ') +
           (t ? t->toString(QStringLiteral("HH:mm")) : q.QSOTime);
}

Outfrm::Outfrm(App& app) : LoggingWindow(app, QStringLiteral("Outfrm"), Kind::OutOfState) {
    const auto statics = makeScorePanel({{{"Label5", "Total PH Contacts ........", 480, 1935},
                                          {"Label10", "Total CW/DG Contacts", 830, 1935},
                                          {"Label13", "Total Multipliers ...........", 1185, 2295},
                                          {"Label7", "Tot Score ....................", 1530, 2175},
                                          {"Label8", "QSOs / Hr (last 20 min)", 1880, 1935},
                                          {"Label9", "QSOs / Hr (last 60 min)", 2260, 1935}}},
                                        {480, 830, 1180, 1530, 1880, 2230}, 265);
    Label5 = statics[0];
    Label10 = statics[1];
    Label13 = statics[2];
    Label7 = statics[3];
    Label8 = statics[4];
    Label9 = statics[5];

    lblStation[2] = makeLabel(QStringLiteral("lblStation(2)"), QStringLiteral("Call"), 0, 2520, 1380, 375, Look::Heading);
    lblStation[3] = makeLabel(QStringLiteral("lblStation(3)"), QStringLiteral("Name"), 1560, 2520, 1500, 375, Look::Heading);
    lblStation[4] = makeLabel(QStringLiteral("lblStation(4)"), QStringLiteral("County"), 3240, 2520, 1425, 375, Look::Heading);
    txtCall = makeEntry(QStringLiteral("txtCall"), 0, 2970, 1380, 285);
    txtRSTR = makeEntry(QStringLiteral("txtRSTR"), 1560, 2970, 1500, 285);
    txtSec = makeEntry(QStringLiteral("txtSec"), 3240, 2970, 1425, 285);
    lblDialog = makeLabel(QStringLiteral("lblDialog"), QString(), 0, 3360, 4695, 975, Look::Status);
    lblPossDup = makeLabel(QStringLiteral("lblPossDup"), QStringLiteral("Possible Duplicates"), 0, 4440, 4695, 375, Look::Heading);
    cmdDup = makeButton(QStringLiteral("cmdDup"), QStringLiteral("On"), 4080, 4530, 495, 210);
    lblDupe = makeLabel(QStringLiteral("lblDupe"), QString(), 0, 4920, 4695, 855, Look::Plain);
    Line8 = add<Line>(QStringLiteral("Line8"), 4800, 2520, 4800, 6510);
    lblStation[5] = makeLabel(QStringLiteral("lblStation(5)"), QStringLiteral("Counties Worked"), 4920, 2520, 2205, 375, Look::HeadingSmall);
    lblStation[7] = makeLabel(QStringLiteral("lblStation(7)"), QStringLiteral("Counties To Go"), 7200, 2520, 2205, 375, Look::HeadingSmall);
    List2 = makeCountyList(QStringLiteral("List2"), 4920, 2880, 2205, 2985);
    List1 = makeCountyList(QStringLiteral("List1"), 7200, 2880, 2205, 2985);
    List1->setForeColor(0x800000);
    List2->setForeColor(0x800000);
    Line3 = add<Line>(QStringLiteral("Line3"), 4800, 6000, 9480, 6000);
    Label12 = makeLabel(QStringLiteral("Label12"), QStringLiteral("Operating Time"), 0, 5880, 1425, 255, Look::Static);
    lblttrack = makeLabel(QStringLiteral("lblttrack"), QStringLiteral("00:00:00"), 240, 6120, 975, 315, Look::Heading);
    lblttrack->setFontBold(false);
    cmdLogOn = makeButton(QStringLiteral("cmdLogOn"), QStringLiteral("&Log \"Time On\""), 1440, 6000, 1575, 435);
    cmdLogOn->setFontBold(true);
    Label21 = makeLabel(QStringLiteral("Label21"), QStringLiteral("Band"), 3240, 5880, 615, 255, Look::Static);
    Label24 = makeLabel(QStringLiteral("Label24"), QStringLiteral("160"), 3240, 6120, 615, 315, Look::Heading);
    lblBandSwitch = makeLabel(QStringLiteral("lblBandSwitch"), QStringLiteral("Mode"), 4080, 5880, 615, 255, Look::Static);
    Label30 = makeLabel(QStringLiteral("Label30"), QStringLiteral("CW"), 4080, 6120, 615, 315, Look::Heading);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("CALL"), 5040, 6090, 1095, 375, Look::Heading);
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Name"), 6240, 6090, 885, 375, Look::Heading);
    Label25 = makeLabel(QStringLiteral("Label25"), QStringLiteral("SPC"), 7200, 6090, 975, 375, Look::Heading);

    lblPostConTime = makeLabel(QStringLiteral("lblPostConTime"), QStringLiteral("Time"), 120, 3960, 735, 285, Look::Static);
    txtPostConTime = makeEntry(QStringLiteral("txtPostConTime"), 885, 3960, 540, 285);
    lblPostConDate = makeLabel(QStringLiteral("lblPostConDate"), QStringLiteral("Date"), 1560, 3960, 645, 285, Look::Static);
    txtPostConDate = makeEntry(QStringLiteral("txtPostConDate"), 2280, 3960, 885, 285);
    for (Control* c : std::initializer_list<Control*>{lblPostConTime, txtPostConTime, lblPostConDate, txtPostConDate}) {
        c->setVisible(false);
    }
    txtDX = add<ListView>(QStringLiteral("txtDX"));
    txtDX->Move(480, 3600, 2175, 495);
    txtDX->setVisible(false);
    txtCntry = makeEntry(QStringLiteral("txtCntry"), 4200, 960, 1820, 285);
    txtRSTS = makeEntry(QStringLiteral("txtRSTS"), 4965, 1890, 1050, 285);
    txtCntry->setVisible(false);
    txtRSTS->setVisible(false);
    Label3 = makeLabel(QStringLiteral("Label3"), QStringLiteral("New"), 4800, 960, 420, 255, Look::Heading, 6.75);
    Label3->setBackColor(0x0000C0);
    Label3->setVisible(false);
    Label17 = makeLabel(QStringLiteral("Label17"), QStringLiteral("Bearing"), 1440, 5400, 735, 255, Look::Static);
    Label22 = makeLabel(QStringLiteral("Label22"), QString(), 2160, 5400, 735, 255, Look::Value);
    Label18 = makeLabel(QStringLiteral("Label18"), QStringLiteral("Miles"), 120, 5400, 480, 255, Look::Static);
    Label23 = makeLabel(QStringLiteral("Label23"), QString(), 600, 5400, 735, 255, Look::Value);
    Label20 = makeLabel(QStringLiteral("Label20"), QStringLiteral("Continent"), 3000, 5400, 735, 255, Look::Static);
    Label19 = makeLabel(QStringLiteral("Label19"), QString(), 3720, 5400, 735, 255, Look::Value);
    for (Label* l : {Label17, Label22, Label18, Label23, Label20, Label19}) l->setVisible(false);
    buildSpotControls();
    cmdLogOn->Click = [this] { cmdLogOn_Click(); };
    for (ListBox* l : {List1, List2}) {
        l->Click = [this, l] {
            txtSec->setText(l->Text());
            txtCall->SetFocus();
        };
    }
    wireEntry();
}

void Outfrm::addLogListColumns(double w) {
    const std::pair<const char*, double> columns[] = {{"Rec#", 550},      {"Call", 1200}, {"Name", 1000},
                                                      {"County", 800},    {"Name Snt", 800},
                                                      {"Date/Time", 900}, {"Mo", 430},    {"Bnd", 430}};
    for (const auto& [header, n] : columns) ListView1->addColumn(QString::fromLatin1(header), w * n / 9600);
}

QStringList Outfrm::logListRow(int r) const {
    const QSORecord& q = std::as_const(app_.log())[r];
    return {QString::number(r), q.Call, q.NameRcvd, q.CountyRcvd, q.NameSent, logListDateTime(q), q.Mode, q.Band};
}

std::vector<LoggingWindow::LogListTexts> Outfrm::logListWidestTexts() const {
    return {{widestRecordNumbers()}, {widestCalls()}, {widestNames(), true}, {countyTexts()},
            {ownNames(), true},      {widestDateTimes()},   {modeTexts()},         {bandTexts()}};
}

void Outfrm::showStationLabels() {
    const StationSettings& st = app_.station();
    Label25->setCaption(st.OwnSPC.isEmpty() ? st.OwnCountry : st.OwnSPC);
    if (!st.OwnCall.isEmpty()) Label2->setCaption(st.OwnCall);
    if (st.ListPreviousOn == 1) mnuListPrevious->setChecked(true);
    Label1->setCaption(st.OwnName);
}

void Outfrm::rebuildAfterLoad() {
    FillCountyLists();
    FillLogList();
    UpdateRates();
    recountMultipliers();
    UpdateScore();
}

QString Outfrm::rebuildFailureText() const {
    return QStringLiteral(
        "Error opening file.  This error is annoying but probably correctable.  In all likelihood, a "
        "character such as a quote got into your data or one of your entries has an invalid "
        "date/time format.  Close this program and open log.txt in the program's working directory "
        "with a text editor such as notepad.  Inspect the data and fix any errors you see (remove "
        "any extra quotes and make sure your date and time entries are valid).");
}

}  // namespace qf
