#include "logging/LoggingWindow.h"

#include "app/App.h"
#include "logging/LogIndex.h"
#include "platform/Colors.h"

namespace qf {

const std::array<const char*, 10> LoggingWindow::kBands = {"160", "80", "40", "20", "15",
                                                            "10",  "6",  "2",  "1.25", "70"};

LoggingWindow::~LoggingWindow() = default;

const LogIndex& LoggingWindow::logIndex() {
    index_->sync(app_.log(), app_.tables().counties);
    return *index_;
}

void LoggingWindow::logChanged() { index_->sync(app_.log(), app_.tables().counties); }

LoggingWindow::LoggingWindow(App& app, QString name, Kind kind)
    : Form(app.platform(), std::move(name)),
      app_(app),
      kind_(kind),
      index_(std::make_unique<LogIndex>()) {
    KeyPreview = true;
    setFontName(QStringLiteral("Arial"));
    setFontSize(8.25);
    buildMenus();
    // The whole design canvas: a 9480 x 6510 client area under the menu bar.
    Move(0, 0, 9600, 7200);
    setCaption(QStringLiteral("Ardlow's Quillfen 1.8") +
               QString(kind == Kind::OutOfState ? 49 : 47, QLatin1Char(' ')) +
               QStringLiteral("www.quillfen.example"));

    lblRecentContacts = makeLabel(QStringLiteral("lblRecentContacts"), QStringLiteral("Recent Contacts"),
                                  0, 0, 6375, 375, Look::Heading);
    cmdList = makeButton(QStringLiteral("cmdList"), QStringLiteral("Last 20"), 5160, 80, 825, 240);
    cmdList->setToolTip(
        QStringLiteral("List all or last 20 contacts (Listing all will slow the program)"));
    cmdList->Click = [this] { cmdList_Click(); };
    ListView1 = add<ListView>(QStringLiteral("ListView1"));
    ListView1->Move(0, 480, 6375, 1935);
    ListView1->setBackColor(kLightGrey);
    ListView1->setToolTip(QStringLiteral("Click record to edit or delete."));
    ListView1->Click = [this] { ListView1_Click(); };
    ListView1->LostFocus = [this] { ListView1_Click(); };
    ListView1->ColumnClick = [this](int column) { ListView1_ColumnClick(column); };
    ListView1->MouseUp = [this](int button, int, double, double) { ListView1_MouseUp(button); };
    lblScorStats = makeLabel(QStringLiteral("lblScorStats"), QStringLiteral("Score Statistics"), 6480,
                             0, 2895, 375, Look::Heading);

    cmdEdit = makeButton(QStringLiteral("cmdEdit"), QStringLiteral("Edit Contact"), 2160, 1440, 1215, 855);
    cmdDelete = makeButton(QStringLiteral("cmdDelete"), QStringLiteral("Delete Contact"), 4200, 1440,
                           1215, 855);
    cmdEdit->setVisible(false);
    cmdDelete->setVisible(false);
    cmdEdit->Click = [this] { cmdEdit_Click(); };
    cmdDelete->Click = [this] { cmdDelete_Click(); };

    // The two clock labels start 90 twips left of their design place, still clear of the
    // own-station labels, so "UTC TIME" stays on one line in the design face: at 735 twips it
    // wrapped, and its second line fell below the client area. Both move, so the times align.
    lblCurTime = makeLabel(QStringLiteral("lblCurTime"), QStringLiteral("Reg Time"), 8190, 6030, 825, 255, Look::Static);
    Label16 = makeLabel(QStringLiteral("Label16"), QStringLiteral("am"), 9110, 6030, 375, 255, Look::Static);
    lblutctime = makeLabel(QStringLiteral("lblutctime"), QStringLiteral("UTC TIME"), 8190, 6250, 825, 255, Look::Static);
    Label11 = makeLabel(QStringLiteral("Label11"), QStringLiteral("UTC"), 9110, 6250, 375, 255, Look::Static);

    Timer1 = add<qf::Timer>(QStringLiteral("Timer1"), 60000);
    Timer1->Tick = [this] { Timer1_Timer(); };
    Timer2 = add<qf::Timer>(QStringLiteral("Timer2"), 1000);
    Timer2->Tick = [this] { Timer2_Timer(); };
}

Label* LoggingWindow::makeLabel(const QString& name, const QString& caption, double l, double t,
                                double w, double h, Look look, double fontSize) {
    auto* lbl = add<Label>(name, caption);
    lbl->Move(l, t, w, h);
    switch (look) {
        case Look::Heading:
            lbl->setBackColor(kNavy);
            lbl->setForeColor(kWhite);
            lbl->setFontName(QStringLiteral("Arial"));
            lbl->setFontSize(fontSize > 0 ? fontSize : 9.75);
            lbl->setFontBold(true);
            break;
        case Look::HeadingSmall:
            lbl->setBackColor(kNavy);
            lbl->setForeColor(kWhite);
            lbl->setFontName(QStringLiteral("Arial"));
            lbl->setFontSize(fontSize > 0 ? fontSize : 8.25);
            lbl->setFontBold(fontSize <= 0);
            break;
        case Look::Value:
            lbl->setBackColor(kNavy);
            lbl->setForeColor(kWhite);
            lbl->setFontSize(fontSize > 0 ? fontSize : 8.25);
            lbl->setFontBold(true);
            break;
        case Look::Static:
            lbl->setTransparent(true);
            lbl->setForeColor(kBlack);
            lbl->setFontName(QStringLiteral("Arial"));
            lbl->setFontSize(fontSize > 0 ? fontSize : 8.25);
            break;
        case Look::Status:
            lbl->setBackColor(kTeal);
            lbl->setForeColor(kBlack);
            lbl->setFontName(QStringLiteral("Arial"));
            lbl->setFontSize(fontSize > 0 ? fontSize : 12);
            lbl->setFontBold(true);
            break;
        case Look::Plain:
            lbl->setFontName(QStringLiteral("Arial"));
            lbl->setFontSize(fontSize > 0 ? fontSize : 9);
            lbl->setFontBold(true);
            break;
    }
    return lbl;
}

std::array<Label*, 6> LoggingWindow::makeScorePanel(const std::array<PanelCaption, 6>& captions,
                                                    const std::array<double, 6>& valueTops,
                                                    double lastHeight) {
    std::array<Label*, 6> statics{};
    for (size_t i = 0; i < captions.size(); ++i) {
        const PanelCaption& c = captions[i];
        statics[i] = makeLabel(QString::fromLatin1(c.name), QString::fromLatin1(c.text), 6480, c.top,
                               c.width, 255, Look::Static);
    }
    Label** values[] = {&lblTotCon, &lblsectogo, &lblTotSec, &lblTotScore, &lblAQSO20, &lblAQSO60};
    const char* names[] = {"lblTotCon", "lblsectogo", "lblTotSec", "lblTotScore", "lblAQSO20", "lblAQSO60"};
    for (size_t i = 0; i < valueTops.size(); ++i) {
        *values[i] = makeLabel(QString::fromLatin1(names[i]), QString(), 8400, valueTops[i], 975,
                               i + 1 == valueTops.size() ? lastHeight : 265, Look::Value);
    }
    return statics;
}

TextBox* LoggingWindow::makeEntry(const QString& name, double l, double t, double w, double h) {
    auto* box = add<TextBox>(name);
    box->Move(l, t, w, h);
    return box;
}

CommandButton* LoggingWindow::makeButton(const QString& name, const QString& caption, double l,
                                         double t, double w, double h) {
    auto* b = add<CommandButton>(name, caption);
    b->Move(l, t, w, h);
    b->setFontName(QStringLiteral("Arial"));
    return b;
}

ListBox* LoggingWindow::makeCountyList(const QString& name, double l, double t, double w, double h) {
    auto* list = add<ListBox>(name, true);
    list->Move(l, t, w, h);
    list->setBackColor(kButtonFace);
    list->setFontName(QStringLiteral("Arial"));
    list->setFontSize(9);
    return list;
}

void LoggingWindow::buildSpotControls() {
    lblDX = makeLabel(QStringLiteral("lblDX"), QString(), kind_ == Kind::OutOfState ? 480 : 600, 1920,
                      855, 255, Look::Value);
    lblDX->setVisible(false);
    LineDX = add<Line>(QStringLiteral("LineDX"), 2880, 1440, 4920, 1440);
    LineDX->setBorderColor(kWhite);
    LineDX->setVisible(false);
    for (size_t i = 0; i < lblDXSpot.size(); ++i) {
        auto* l = makeLabel(QStringLiteral("lblDXSpot(%1)").arg(i), QStringLiteral("DXLBL"), 0, 0, 600,
                            255, Look::Static, 6.75);
        l->setFontName(QStringLiteral("MS Serif"));
        l->setForeColor(kWhite);
        l->setVisible(false);
        lblDXSpot[i] = l;
    }
    for (size_t i = 0; i < lblFreqSpot.size(); ++i) {
        auto* l = makeLabel(QStringLiteral("lblFreqSpot(%1)").arg(i), QString(), 0, 0, 615, 255,
                            Look::Static, 6.75);
        l->setFontName(QStringLiteral("MS Serif"));
        l->setForeColor(kWhite);
        l->setVisible(false);
        lblFreqSpot[i] = l;
    }
    wireCommands();  // the twins build these controls last: every control exists from here on
}

void LoggingWindow::buildMenus() {
    auto menu = [this](const char* name, const char* caption, MenuItem* parent = nullptr) {
        return MenuItem::menu(*this, QString::fromLatin1(name), QString::fromLatin1(caption), parent);
    };
    auto item = [this](const char* name, const char* caption, MenuItem* parent = nullptr) {
        return MenuItem::item(*this, QString::fromLatin1(name), QString::fromLatin1(caption), parent);
    };
    mnuFile = menu("mnuFile", "&File");
    mnuNew = item("mnuNew", "&New", mnuFile);
    mnuFile->addSeparator();
    mnuArchive = item("mnuArchive", "Archive Current &Log", mnuFile);
    mnuFile->addSeparator();
    mnuRestore = item("mnuRestore", "&Restore from Archive or Backup", mnuFile);
    mnuFile->addSeparator();
    mnuWriteSumm = item("mnuWriteSumm", "&Write Submission File", mnuFile);
    mnuFile->addSeparator();
    mnuexportADIF = item("mnuexportADIF", "Export &ADIF File", mnuFile);
    mnuFile->addSeparator();
    mnuCopyListtoClipboard = item("mnuCopyListtoClipboard", "&Copy Listed Items to Clipboard", mnuFile);
    mnuFile->addSeparator();
    mnuExit = item("mnuExit", "&Exit", mnuFile);

    mnuOptions = menu("mnuOptions", "&Options");
    mnuAppearance = menu("mnuAppearance", "&Appearance", mnuOptions);
    mnuFormSize = item("mnuFormSize", "&Form Size", mnuAppearance);
    if (kind_ == Kind::InState) mnuColors = item("mnuColors", "&Colors", mnuAppearance);
    mnuTaskbar = item("mnuTaskbar", "&Taskbar", mnuAppearance);
    mnuOptions->addSeparator();
    mnutrans = menu("mnutrans", "&Transmit", mnuOptions);
    mnuCW = item("mnuCW", "&CW Setup", mnutrans);
    mnuVoice = item("mnuVoice", "&Voice Setup", mnutrans);
    mnuOptions->addSeparator();
    mnuRigInterface = item("mnuRigInterface", "&Rig Interface", mnuOptions);
    mnuOptions->addSeparator();
    mnuDX = menu("mnuDX", "&DX Spotting", mnuOptions);
    mnuDXSpotting = item("mnuDXSpotting", "&Configure", mnuDX);
    mnuSpectrumMap = item("mnuSpectrumMap", "&View Spectrum Map", mnuDX);
    mnuOptions->addSeparator();
    mnuBlind = item("mnuBlind", "&Voice Navigation", mnuOptions);
    mnuOptions->addSeparator();
    mnuListPrevious = item("mnuListPrevious", "&List Previous Contacts", mnuOptions);
    mnuOptions->addSeparator();
    mnuPostContest = item("mnuPostContest", "&Post Contest Mode", mnuOptions);

    mnuBandChange = menu("mnuBandChange", "&Band");
    const char* bandNames[] = {"mnuBand160Ch", "mnuBand80Ch", "mnuBand40Ch", "mnuBand20Ch",
                               "mnuBand15Ch",  "mnuBand10Ch", "mnuBand6Ch",  "mnuBand2Ch",
                               "mnuBand125Ch", "mnuBand70Ch"};
    for (size_t i = 0; i < kBands.size(); ++i) mnuBandItems[i] = item(bandNames[i], kBands[i], mnuBandChange);
    mnuBandChange->addSeparator();
    mnuPrivileges = item("mnuPrivileges", "&Privileges", mnuBandChange);

    mnuBand = menu("mnuBand", "&Mode");
    mnu160 = item("mnu160", "&CW", mnuBand);
    mnuSSB = item("mnuSSB", "&PH", mnuBand);
    mnuDigital = item("mnuDigital", kind_ == Kind::OutOfState ? "&Digital" : "&DG", mnuBand);

    mnuClear = item("mnuClear", "&Clear");
    if (kind_ == Kind::InState) mnuChangeCounty = item("mnuChangeCounty", "Cha&nge County");
    mnuMap = item("mnuMap", "M&ap");
    mnuGraph = item("mnuGraph", "&Graph");
    mnuRecall = item("mnuRecall", "&Recall");
    mnuCountyList = item("mnuCountyList", "L&ist");
    mnuHelp = item("mnuHelp", "&Help");

    mnuFormSize->Click = [this] { mnuFormSize_Click(); };
    mnuTaskbar->Click = [this] { mnuTaskbar_Click(); };
    mnuCopyListtoClipboard->Click = [this] { mnuCopyListtoClipboard_Click(); };
}

}  // namespace qf
