#include "logtools/DECabrilloIn.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/Formats.h"
#include "common/KeyFilters.h"
#include "common/ScreenScaling.h"
#include "logstore/LogStore.h"
#include "platform/Error.h"
#include "platform/FileSaves.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <vector>

namespace qf {

namespace {

const QString kRegistryApp = QStringLiteral("Ardlow_Software");
const QString kRegistrySection = QStringLiteral("Settings");

}  // namespace

DECabrilloIn::DECabrilloIn(App& app)
    : Form(app.platform(), QStringLiteral("DECabrilloIn"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("Summary Sheet Information"));
    // A dialog: no minimise or maximise button, and no entry of its own in the taskbar.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    // The design size is the client area; the outer size adds the frame.
    Move(0, 0, 9225 + 2 * kBorderTwips, 4275 + 2 * kBorderTwips + kCaptionTwips);

    auto label = [this](const char* name, const char* caption, double l, double t, double w,
                        double h = 255) {
        Label* lb = add<Label>(QString::fromLatin1(name), QString::fromLatin1(caption));
        lb->Move(l, t, w, h);
        lb->setFontName(QStringLiteral("Arial"));
        lb->setFontSize(9.75);
        return lb;
    };
    auto box = [this](const char* name, double l, double t, double w) {
        TextBox* b = add<TextBox>(QString::fromLatin1(name));
        b->Move(l, t, w, 315);
        return b;
    };

    Frame1 = add<Frame>(QStringLiteral("Frame1"), QStringLiteral("Category"));
    Frame1->Move(120, 120, 2640, 2175);
    Frame1->setFontName(QStringLiteral("Arial"));
    Frame1->setFontSize(9.75);
    auto option = [this](const char* name, const char* caption, int row) {
        OptionButton* o =
            add<OptionButton>(QString::fromLatin1(name), QString::fromLatin1(caption), Frame1);
        o->Move(240, 300 + row * 300, 2280, 255);
        return o;
    };
    Option6 = option("Option6", "Single Op - Low", 0);
    Option5 = option("Option5", "Single Op - High", 1);
    Option16 = option("Option16", "Mobile", 2);
    Option2 = option("Option2", "VHF", 3);
    Option7 = option("Option7", "Multi - Single", 4);
    Option8 = option("Option8", "QRP", 5);
    Option16->Click = [this] { Option16_Click(); };

    Label4 = label("Label4", "Counties for MN Mobiles:", 120, 2400, 2640);
    Text3 = box("Text3", 120, 2670, 2640);
    Label1 = label("Label1", "If Multi Op, list all calls:", 120, 3060, 2640);
    Text1 = box("Text1", 120, 3330, 2640);
    Text1->KeyPress = [this](int& k) { Text1_KeyPress(k); };

    Label6 = label("Label6", "Your Name:", 2880, 150, 1560);
    Text5 = box("Text5", 4560, 120, 4545);
    Label9 = label("Label9", "Address Line 1:", 2880, 540, 1560);
    Text6 = box("Text6", 4560, 510, 4545);
    Label8 = label("Label8", "Address Line 2:", 2880, 930, 1560);
    Text7 = box("Text7", 4560, 900, 4545);
    Label7 = label("Label7", "Email Address:", 2880, 1320, 1560);
    Text8 = box("Text8", 4560, 1290, 4545);
    Label2 = label("Label2", "Club Name:", 2880, 1710, 1560);
    Text2 = box("Text2", 4560, 1680, 4545);
    // The soapbox caption takes two lines at its font; its box sits below the second.
    Label12 = label("Label12",
                    "Soapbox (Add any comments you would like to make about the contest):", 2880,
                    2130, 6225, 480);
    Text11 = box("Text11", 2880, 2640, 6225);

    Command4 =
        add<CommandButton>(QStringLiteral("Command4"), QStringLiteral("Write Cabrillo File"));
    Command4->Move(4560, 3360, 2160, 495);
    Command4->Click = [this] { Command4_Click(); };
    Command3 = add<CommandButton>(QStringLiteral("Command3"), QStringLiteral("Done"));
    Command3->Move(6960, 3360, 1440, 495);
    Command3->Click = [this] { Command3_Click(); };
    for (CommandButton* b : {Command4, Command3}) {
        b->setFontName(QStringLiteral("Arial"));
        b->setFontSize(9.75);
    }

    // The frame drawn along the window's four edges.
    const double w = 9225 - 15, h = 4275 - 15;
    const std::array<std::array<double, 4>, 4> edges = {
        {{0, 0, w, 0}, {w, 0, w, h}, {0, h, w, h}, {0, 0, 0, h}}};
    for (size_t i = 0; i < edges.size(); ++i) {
        const auto& e = edges[i];
        Lines[i] = add<Line>(QStringLiteral("Line%1").arg(i + 1), e[0], e[1], e[2], e[3]);
    }

    Option6->setValue(true);
    // The counties box waits for the "Mobile" category.
    Label4->setEnabled(false);
    Text3->setEnabled(false);

    QWidget* order[] = {Option6, Option5, Option16, Option2, Option7, Option8, Text3,    Text1,
                        Text5,   Text6,   Text7,    Text8,   Text2,   Text11,  Command4, Command3};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    Option6->setFocus(Qt::OtherFocusReason);
}

void DECabrilloIn::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
    QCoreApplication::processEvents();
    try {
        const Registry& reg = platform().registry;
        const std::pair<const char*, TextBox*> details[] = {{"UserAddressName", Text5},
                                                            {"UserAddressLine1", Text6},
                                                            {"UserAddressLine2", Text7},
                                                            {"UserEMail", Text8},
                                                            {"UserClubName", Text2}};
        for (const auto& [key, target] : details) {
            target->setText(reg.get(kRegistryApp, kRegistrySection, QString::fromLatin1(key)));
        }
    } catch (const Error&) {
        // The boxes not filled yet stay empty; the operator can type the details.
    }
}

void DECabrilloIn::Option16_Click() {
    Label4->setEnabled(true);
    Text3->setEnabled(true);
    Text3->setText(WithActivatedCounties(Text3->Text(), app_.log()));
}

void DECabrilloIn::Text1_KeyPress(int& KeyAscii) {
    UpperCaseKey(KeyAscii);
}

QString DECabrilloIn::categoryText() const {
    const std::pair<OptionButton*, CabrilloCategory> options[] = {
        {Option6, CabrilloCategory::SingleOpLow}, {Option5, CabrilloCategory::SingleOpHigh},
        {Option2, CabrilloCategory::VHF},         {Option8, CabrilloCategory::QRP},
        {Option7, CabrilloCategory::MultiSingle}, {Option16, CabrilloCategory::Mobile}};
    for (const auto& [option, category] : options) {
        if (option->Value()) return CabrilloCategoryText(category);
    }
    return {};
}

CabrilloTotals DECabrilloIn::totals() const {
    Forms& forms = app_.forms();
    // Only a window that is running is read: naming the other one must not load it.
    LoggingWindow* w = nullptr;
    if (app_.station().OutOfStateFlag == 1) {
        w = forms.outfrmSlot().peek();
    } else {
        w = forms.infrmSlot().peek();
    }
    if (!w) return {};
    return {w->lblTotCon->Caption(), w->lblsectogo->Caption(), w->lblTotSec->Caption(),
            w->lblTotScore->Caption()};
}

void DECabrilloIn::Command4_Click() {
    Platform& p = platform();
    StationSettings& st = app_.station();
    QString written;  // the file, once it is chosen: a failure after that names it
    try {
        // The trimmed call stays in the settings from here on.
        st.OwnCall = trimBlanks(st.OwnCall);

        // The dialogs service stands in for the running logging window's own file dialog.
        FileRequest request;
        request.proposedPath = app_.startup().DataFolder + QLatin1Char('/') +
                               FileNameCall(st.OwnCall) + QStringLiteral(".log");
        request.filter = QStringLiteral("LOG Files (*.log) | *.log");
        request.promptOverwrite = true;
        const QString chosen = p.dialogs.fileSave(request);

        CabrilloInput in;
        in.station = &st;
        in.programVersion = app_.startup().ProgramVersion;
        in.inState = st.OutOfStateFlag != 1;
        in.totals = totals();
        in.entry = {categoryText(), Text1->Text(), Text2->Text(), Text3->Text(), Text5->Text(),
                    Text6->Text(),  Text7->Text(), Text8->Text(), Text11->Text()};
        const QByteArray data = CabrilloFile(in, app_.log());

        written = p.files.resolve(chosen);
        // A ".log" name is easily taken for the contest log itself, which must never be replaced.
        const QString logPath = QFileInfo(p.files.resolve(kLogFile)).canonicalFilePath();
        if (!logPath.isEmpty() && QFileInfo(written).canonicalFilePath() == logPath) {
            throw Error(err::kPermissionDenied,
                        QStringLiteral("The submission file cannot be written over the log file ") +
                            written);
        }
        // Whole or not at all: a failure leaves no half-written file, and an earlier file of
        // that name keeps its contents.
        p.files.rewriteAtomic(written, data);

        p.beeper.beep();
        p.dialogs.ok(QStringLiteral("The file was successfully written to the directory:\r\n\r\n") +
                         written +
                         QStringLiteral(".\r\n\r\nAttach this file to an e-mail addressed for "
                                        "contest submission.  If you wish to print this file, you "
                                        "can open it with Notepad or Wordpad to print."),
                     QStringLiteral("File Written Successfully."));
        if (Command3->Visible() && Command3->Enabled() && isVisible()) Command3->SetFocus();
    } catch (const Error& e) {
        if (e.number() == err::kCancel) return;
        // A reason that names the file already (the log itself refused) is shown as it is.
        if (!written.isEmpty() && !e.text().contains(written)) {
            ShowUnableToWriteFile(p, CouldNotBeWritten(written), e.text());
        } else {
            ShowUnableToWriteFile(p, QString(), e.text());
        }
        return;
    }
    // A step of its own: the submission file is written whole by now, so a failure here must
    // not be told as its failure.
    saveSubmitterDetails();
}

void DECabrilloIn::saveSubmitterDetails() {
    // This window reads the details back from the program's own settings; the shared preferences
    // carry them to the other programs. Each is tried, and what failed is told once, in one box
    // that says only what holds: where the details were kept and where not.
    struct Failure {
        QString path, reason;
    };
    std::vector<Failure> failed;
    const std::array<std::pair<const char*, TextBox*>, 5> registryValues = {
        {{"UserAddressName", Text5},
         {"UserAddressLine1", Text6},
         {"UserAddressLine2", Text7},
         {"UserEMail", Text8},
         {"UserClubName", Text2}}};
    Registry& reg = platform().registry;
    bool ownSaved = true;
    try {
        for (const auto& [key, box] : registryValues) {
            reg.save(kRegistryApp, kRegistrySection, QString::fromLatin1(key), trimBlanks(box->Text()));
        }
    } catch (const Error& e) {
        // One file holds them all: the rest would fail alike.
        ownSaved = false;
        failed.push_back({reg.path(), e.text()});
    }
    const std::array<std::pair<const char*, TextBox*>, 5> elements = {{{"OWN_ADDRESS_NAME", Text5},
                                                                       {"OWN_ADDRESS_Line1", Text6},
                                                                       {"OWN_ADDRESS_Line2", Text7},
                                                                       {"OWN_EMAIL", Text8},
                                                                       {"OWN_CLUB_NAME", Text2}}};
    SharedPreferences& prefs = app_.sharedPreferences();
    bool sharedSaved = true;
    try {
        for (size_t i = 0; i < elements.size(); ++i) {
            QString name = QString::fromLatin1(elements[i].first);
            // One save of the file, with the last element.
            const quint8 save = i + 1 == elements.size() ? 1 : 0;
            prefs.SetSharedPreference(name, trimBlanks(elements[i].second->Text()), save);
        }
    } catch (const Error& e) {
        // The elements are set in memory, so the next save of the shared preferences takes them.
        sharedSaved = false;
        failed.push_back(
            {prefs.path().isEmpty() ? QStringLiteral("SharedUserPreferences.xml") : prefs.path(),
             e.text()});
    }
    if (failed.empty()) return;
    QString consequence = QStringLiteral("The submission file was written. ");
    if (ownSaved) {
        consequence += QStringLiteral(
            "Your details are kept for the next time; only the preferences shared with the other "
            "programs lack them until this file can be written.");
    } else if (sharedSaved) {
        consequence += QStringLiteral(
            "Your details are kept only in the preferences shared with the other programs: this "
            "window will not show them the next time the program starts.");
    } else {
        consequence += QStringLiteral(
            "Your details were not kept for the next time the program starts.");
    }
    QString what = CouldNotBeWritten(failed.front().path);
    QString reason = failed.front().reason;
    if (failed.size() > 1) {
        what += QStringLiteral(": ") + reason + QStringLiteral("\r\n") +
                CouldNotBeWritten(failed.back().path);
        reason = failed.back().reason;
    }
    ShowUnableToWriteFile(platform(), what, reason, consequence);
}

void DECabrilloIn::Command3_Click() {
    Hide();
}

}  // namespace qf
