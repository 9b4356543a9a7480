#include "logging/Infrm.h"

#include "app/App.h"
#include "logging/LogIndex.h"
#include "logging/LogTallies.h"
#include "logging/Outfrm.h"
#include "platform/Colors.h"
#include "platform/Error.h"

#include <algorithm>

namespace qf {

Infrm::Infrm(App& app) : LoggingWindow(app, QStringLiteral("Infrm"), Kind::InState) {
    const auto statics = makeScorePanel({{{"Label5", "Total PH Contacts .......", 480, 1935},
                                          {"Label13", "Total CW/DG Contacts ", 800, 1935},
                                          {"Label6", "Total Multipliers ..........", 1120, 1935},
                                          {"Label7", "Total Score ................", 1440, 2175},
                                          {"Label8", "QSOs / Hr (last 20 min)", 1760, 1935},
                                          {"Label9", "QSOs / Hr (last 60 min)", 2080, 1935}}},
                                        {440, 760, 1080, 1400, 1720, 2040}, 270);
    Label5 = statics[0];
    Label13 = statics[1];
    Label6 = statics[2];
    Label7 = statics[3];
    Label8 = statics[4];
    Label9 = statics[5];

    lblStation[2] = makeLabel(QStringLiteral("lblStation(2)"), QStringLiteral("Call"), 0, 2520, 1380, 375, Look::Heading);
    lblStation[3] = makeLabel(QStringLiteral("lblStation(3)"), QStringLiteral("Name"), 1440, 2520, 1380, 375, Look::Heading);
    lblStation[1] = makeLabel(QStringLiteral("lblStation(1)"), QStringLiteral("St / Prv / Country"), 2880, 2520, 2055, 375, Look::Heading);
    lblStation[1]->setToolTip(QStringLiteral("State / Province / Country"));
    lblStation[4] = makeLabel(QStringLiteral("lblStation(4)"), QStringLiteral("County"), 4995, 2520, 1425, 375, Look::Heading);
    lblStation[4]->setEnabled(false);
    txtCall = makeEntry(QStringLiteral("txtCall"), 0, 2970, 1380, 285);
    txtRSTR = makeEntry(QStringLiteral("txtRSTR"), 1440, 2970, 1380, 285);
    txtCntry = makeEntry(QStringLiteral("txtCntry"), 2880, 2970, 2055, 285);
    txtSec = makeEntry(QStringLiteral("txtSec"), 4995, 2970, 1425, 285);
    Label3 = makeLabel(QStringLiteral("Label3"), QStringLiteral("New"), 4455, 2565, 420, 255, Look::Heading, 6.75);
    Label3->setBackColor(0x0000C0);
    // 90 twips taller than designed, so the post-contest boxes fit below two lines of its text.
    lblDialog = makeLabel(QStringLiteral("lblDialog"), QString(), 0, 3360, 2895, 825, Look::Status, 11.25);
    lblDialog->setFontBold(false);
    lblPossDup = makeLabel(QStringLiteral("lblPossDup"), QStringLiteral("   Possible Duplicates"), 0, 4200, 2895, 375, Look::Heading);
    cmdDup = makeButton(QStringLiteral("cmdDup"), QStringLiteral("On"), 2280, 4295, 495, 210);
    lblDupe = makeLabel(QStringLiteral("lblDupe"), QString(), 0, 4680, 2895, 615, Look::Plain);
    lblStation[5] = makeLabel(QStringLiteral("lblStation(5)"), QStringLiteral("DX"), 3000, 3360, 1125, 255, Look::HeadingSmall, 6.75);
    lblStation[8] = makeLabel(QStringLiteral("lblStation(8)"), QStringLiteral("Cnty Wkd - 0"), 4200, 3360, 1125, 255, Look::HeadingSmall, 6.75);
    lblStation[7] = makeLabel(QStringLiteral("lblStation(7)"), QStringLiteral("Cnty Rem - 0"), 5400, 3360, 1125, 255, Look::HeadingSmall, 6.75);
    List1 = makeCountyList(QStringLiteral("List1"), 3000, 3600, 1125, 2370);
    List2 = makeCountyList(QStringLiteral("List2"), 4200, 3600, 1125, 2370);
    List3 = makeCountyList(QStringLiteral("List3"), 5400, 3600, 1125, 2370);
    for (ListBox* l : {List1, List2, List3}) l->setForeColor(0xFF0000);
    Line3 = add<Line>(QStringLiteral("Line3"), 3000, 6000, 9480, 6000);

    // The worked-states grid: block headers, the 63 labels and the lines around the blocks.
    const std::tuple<const char*, const char*, int, int> headers[] = {
        {"lblSecOne", "1", 6600, 2520},   {"lblSecTwo", "2", 6600, 3720},   {"lblSecThre", "3", 6600, 4440},
        {"lblSecFour", "4", 7320, 2520},  {"lblSecFive", "5", 7320, 3960},  {"Label14", "6", 7320, 5085},
        {"lblSecSix", "7", 8040, 2520},   {"lblSecEight", "8", 8040, 4200}, {"lblSecNine", "9", 8040, 5085},
        {"lblSecZero", "0", 8760, 2520},  {"lblSecCA", "Canada", 8760, 3840}};
    for (const auto& [name, caption, l, t] : headers) {
        Label* h = makeLabel(QString::fromLatin1(name), QString::fromLatin1(caption), l, t, 660, 255, Look::Static);
        h->setFontBold(true);
    }
    for (size_t r = 1; r <= 63; ++r) {
        const SPCRow& row = kSPCRows[r - 1];
        // The right-hand column, from 9120, was designed up to 135 twips past the client area's
        // right edge at 9480 (rows 47 to 50 and 58 to 63 are 495 wide); it ends at that edge.
        const double w = std::min(r == 2 ? 360.0 : ((r >= 47 && r <= 50) || r >= 58) ? 495.0 : 375.0,
                                  9480.0 - row.left);
        Label10[r] = makeLabel(QStringLiteral("Label10(%1)").arg(r), QString(), row.left, row.top, w, 255, Look::Static);
        const int index = static_cast<int>(r);
        Label10[r]->Click = [this, index] { Label10_Click(index); };
        Label10[r]->MouseMove = [this, index](int, int, double, double) { Label10_MouseMove(index); };
    }
    Label10[64] = makeLabel(QStringLiteral("Label10(64)"), QString(), 9120, 5640, 375, 255, Look::Static);
    Label10[64]->setVisible(false);
    const std::tuple<const char*, int, int, int, int> gridLines[] = {
        {"Line2", 6550, 2400, 9480, 2400},  {"Line24", 6555, 6000, 6555, 2400}, {"Line19", 7275, 2400, 7275, 6000},
        {"Line14", 7995, 2400, 7995, 6000}, {"Line9", 8715, 6000, 8715, 2400},  {"Line7", 7275, 3600, 6555, 3600},
        {"Line4", 7275, 3840, 7990, 3840},  {"Line22", 6555, 4320, 7275, 4320}, {"Line12", 7275, 5025, 8710, 5025},
        {"Line10", 7995, 4080, 8710, 4080}, {"Line5", 8715, 3795, 9475, 3795}};
    for (const auto& [name, x1, y1, x2, y2] : gridLines) add<Line>(QString::fromLatin1(name), x1, y1, x2, y2);

    cmdLogOn = makeButton(QStringLiteral("cmdLogOn"), QStringLiteral("&Log \"Time On\""), 0, 5360, 1095, 435);
    cmdLogOn->setFontSize(6.75);
    cmdLogOn->setFontBold(true);
    Label12 = makeLabel(QStringLiteral("Label12"), QStringLiteral(" Oper Time"), 120, 5870, 1185, 255, Look::Static);
    lblttrack = makeLabel(QStringLiteral("lblttrack"), QStringLiteral("00:00:00"), 120, 6125, 975, 315, Look::Heading);
    lblttrack->setFontBold(false);
    lblBandSwitch = makeLabel(QStringLiteral("lblBandSwitch"), QStringLiteral("Mode"), 1320, 5300, 615, 255, Look::Static);
    Label30 = makeLabel(QStringLiteral("Label30"), QStringLiteral("CW"), 1320, 5540, 615, 315, Look::Heading);
    Label21 = makeLabel(QStringLiteral("Label21"), QStringLiteral("Band"), 1320, 5885, 615, 255, Look::Static);
    Label24 = makeLabel(QStringLiteral("Label24"), QStringLiteral("160"), 1320, 6125, 615, 315, Look::Heading);
    Line6 = add<Line>(QStringLiteral("Line6"), 2040, 5400, 2040, 6480);
    Line1 = add<Line>(QStringLiteral("Line1"), 3000, 6000, 3000, 6480);
    Label17 = makeLabel(QStringLiteral("Label17"), QStringLiteral("Bearing"), 2160, 5300, 735, 195, Look::Static, 6.75);
    Label22 = makeLabel(QStringLiteral("Label22"), QString(), 2160, 5465, 735, 255, Look::Value);
    Label18 = makeLabel(QStringLiteral("Label18"), QStringLiteral("Miles"), 2160, 5735, 720, 195, Look::Static, 6.75);
    Label23 = makeLabel(QStringLiteral("Label23"), QString(), 2160, 5900, 735, 255, Look::Value);
    Label20 = makeLabel(QStringLiteral("Label20"), QStringLiteral("Con"), 2160, 6245, 345, 195, Look::Static, 6.75);
    Label19 = makeLabel(QStringLiteral("Label19"), QString(), 2520, 6200, 390, 255, Look::Value);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("CALL"), 3720, 6090, 1215, 375, Look::Heading);
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Name"), 5040, 6090, 1245, 375, Look::Heading);
    Label25 = makeLabel(QStringLiteral("Label25"), QStringLiteral("County"), 6360, 6090, 1215, 375, Look::Heading);

    txtRSTS = makeEntry(QStringLiteral("txtRSTS"), 3120, 1050, 990, 285);
    txtRSTS->setVisible(false);
    // The status panel ends at 2895: the date box and its caption move left to stay inside it.
    // They sit at its foot, below the two lines its messages take, not over the second line.
    lblPostConTime = makeLabel(QStringLiteral("lblPostConTime"), QStringLiteral("Time"), 0, 3885, 735, 285, Look::Static);
    txtPostConTime = makeEntry(QStringLiteral("txtPostConTime"), 765, 3885, 540, 285);
    lblPostConDate = makeLabel(QStringLiteral("lblPostConDate"), QStringLiteral("Date"), 1440, 3885, 480, 285, Look::Static);
    txtPostConDate = makeEntry(QStringLiteral("txtPostConDate"), 1950, 3885, 885, 285);
    for (Control* c : std::initializer_list<Control*>{lblPostConTime, txtPostConTime, lblPostConDate, txtPostConDate}) {
        c->setVisible(false);
    }
    txtDX = add<ListView>(QStringLiteral("txtDX"));
    txtDX->Move(120, 3480, 2175, 495);
    txtDX->setVisible(false);
    buildSpotControls();
    cmdLogOn->Click = [this] { cmdLogOn_Click(); };
    List1->Click = [this] { txtCntry->setText(List1->Text()); txtCntry->SetFocus(); };
    for (ListBox* l : {List2, List3}) {
        l->Click = [this, l] {
            txtSec->setText(l->Text());
            txtCntry->setText(app_.station().ContestState);
            txtSec->SetFocus();
        };
    }
    txtCntry->GotFocus = [this] { txtCntry_GotFocus(); };
    txtCntry->KeyPress = [this](int& k) { txtCntry_KeyPress(k); };
    Label25->Change = [this] { app_.run().CWMacroValues.MacroCounty = Label25->Caption(); };
    wireEntry();
}

void Infrm::addLogListColumns(double w) {
    const std::pair<const char*, double> columns[] = {{"Rec#", 530}, {"Call", 850},      {"Name", 750},
                                                      {"SPC", 810},  {"Cnty", 500},      {"Name Snt", 820},
                                                      {"Date/Time", 890}, {"Mo", 430},  {"Bnd", 430}};
    for (const auto& [header, n] : columns) ListView1->addColumn(QString::fromLatin1(header), w * n / 9600);
    if (app_.station().RoverFlag == 1) {
        ListView1->addColumn(QStringLiteral("Cnty Snt"), w * 700 / 9600);
    } else {
        mnuChangeCounty->setEnabled(false);
    }
}

QStringList Infrm::logListRow(int r) const {
    const QSORecord& q = std::as_const(app_.log())[r];
    QStringList row{QString::number(r), q.Call,          q.NameRcvd, q.SPC, q.CountyRcvd,
                    q.NameSent,         logListDateTime(q), q.Mode,  q.Band};
    if (app_.station().RoverFlag == 1) row << q.CountySent;
    return row;
}

std::vector<LoggingWindow::LogListTexts> Infrm::logListWidestTexts() const {
    // A state or province code, or the word for a call whose country is unknown; a DX
    // country's name can be longer still, so the column counts as free text.
    QStringList spc{QStringLiteral("Not Found")};
    for (const SPCRow& row : kSPCRows) spc << QString::fromLatin1(row.code);
    QStringList countySent = countyTexts();
    countySent << app_.station().OwnCounty;
    return {{widestRecordNumbers()}, {widestCalls()}, {widestNames(), true}, {spc, true},
            {countyTexts()},         {ownNames(), true},    {widestDateTimes()},   {modeTexts()},
            {bandTexts()},           {countySent}};
}

void Infrm::loadOwnSteps() {
    SPCTable& spc = app_.spc();
    spc.fill();
    for (size_t r = 1; r <= 63; ++r) {
        Label10[r]->setCaption(spc.SPCCode[r]);
        Label10[r]->setToolTip(spc.SPCName[r]);
    }
}

void Infrm::showStationLabels() {
    const StationSettings& st = app_.station();
    lblStation.at(4)->setCaption(st.ContestState + QStringLiteral(" County"));
    const QString tip = QStringLiteral("Enter ") + st.ContestState +
                        QStringLiteral(" in the St / Prv / Country field to enable the County field");
    lblStation.at(4)->setToolTip(tip);
    txtSec->setToolTip(tip);
    Label25->setCaption(st.OwnCounty);
    Label2->setCaption(st.OwnCall);
    Label1->setCaption(st.OwnName);
}

void Infrm::rebuildAfterLoad() {
    for (size_t r = 1; r <= static_cast<size_t>(app_.spc().SPCCount); ++r) {
        Label10[r]->setForeColor(static_cast<quint32>(app_.station().RemainingColor));
    }
    app_.tallies().MultiplierCount = 0;
    BuildWorkedStates();
    FillCountyLists();
    UpdateRates();
    RecountMultipliersInState();
    BuildBandDXLists();
    FillDXList();
    UpdateScore();
    FillLogList();
}

void Infrm::BuildWorkedStates() {
    // The worked states of the pass over the log: for each two-letter SPC, the first table row
    // of that code unless it is the contest state.
    Tallies& t = app_.tallies();
    for (int row : summary().stateRows) t.WorkedFlags[static_cast<size_t>(row)][1] = 1;
}

void Infrm::RecountMultipliersInState() {
    const Tallies& t = app_.tallies();
    for (size_t r = 1; r <= static_cast<size_t>(app_.spc().SPCCount); ++r) {
        if (t.WorkedFlags[r][1]) Label10[r]->setForeColor(static_cast<quint32>(app_.station().WorkedColor));
    }
    recountMultipliers();
}

void Infrm::BuildBandDXLists() {
    // Each band's DX countries of the pass over the log, each once and at most 1000.
    Tallies& t = app_.tallies();
    const LogSummary& s = summary();
    for (size_t k = 0; k < t.DXLists.size(); ++k) {
        BandDXList& list = t.DXLists[k];
        list.countries = s.dxByBand[k];
        if (!list.countries.isEmpty()) list.DXCountryCount = static_cast<int>(list.countries.size());
    }
}

void Infrm::FillDXList() {
    List1->Clear();
    for (const QString& c : summary().dxAll) {
        if (List1->find(c) < 0) List1->AddItem(c);
    }
    lblStation.at(5)->setCaption(QStringLiteral("DX All - ") + QString::number(List1->ListCount()));
}

void Infrm::Label10_Click(int Index) { txtCntry->setText(Label10[static_cast<size_t>(Index)]->Caption()); }

void Infrm::Label10_MouseMove(int Index) {
    try {
        const QString code = Label10[static_cast<size_t>(Index)]->Caption();
        int n = 0;
        for (int r = 1; r <= app_.log().QSOCount; ++r) {
            if (std::as_const(app_.log())[r].SPC.compare(code, Qt::CaseInsensitive) == 0) ++n;
        }
        const double size = 8 * (platform().screen.sizeTwips().width() / 9600) *
                            app_.station().FormSizePercent / 100;
        lblDupe->setFontSize(size);
        lblDupe->setCaption(QStringLiteral("  ") + app_.spc().SPCName[static_cast<size_t>(Index)] +
                            QStringLiteral("    Total = ") + QString::number(n));
    } catch (const Error&) {
    }
}

}  // namespace qf
