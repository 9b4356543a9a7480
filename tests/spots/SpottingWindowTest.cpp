// The spotting window without a device: its settings file, the source list and its panels,
// Open and Close Port, "&Spot Last", the command-mode key, Done, and how the logging windows
// open and close it.
#include "spots/SpotsFixture.h"

#include "logging/Form1.h"
#include "logging/Outfrm.h"
#include "spots/Spotting.h"

#include <QTcpServer>

namespace qf::test {
namespace {

class SpottingWindowTest : public SpotsFixture {
  protected:
    // File names match ignoring case; a new file is spelt in lower case.
    bool hasFile(const char* name) {
        return t.files().fileExists(t.files().resolve(QLatin1String(name)));
    }
};

const char* const kSources[] = {"None", "TNC", "Telnet", "AGW Packet Engine"};

std::vector<OptionButton*> serialOptions(PacketSpotfrm& w) {
    std::vector<OptionButton*> all(w.optComm.begin(), w.optComm.end());
    for (OptionButton* o :
         {w.optBaud12,    w.optBaud24,   w.optBaud48,    w.optBaud96,     w.optBaud144,
          w.optBaud192,   w.optData7,    w.optData8,     w.Option1,       w.Option2,
          w.Option3,      w.Option4,     w.optParityOdd, w.optParityNone, w.optParityEven,
          w.optPowerNone, w.optPowerRTS, w.optPowerDTR,  w.optStop1,      w.optStop2})
        all.push_back(o);
    return all;
}

TEST_F(SpottingWindowTest, ScalesToTheScreenNearItsTopWithAnUncappedWindowFont) {
    // 1920 x 1080: three times the design width (client area and border), so the controls' fonts
    // meet their 1.5 cap.
    EXPECT_DOUBLE_EQ(w().Width(), (9420.0 + 2 * Form::kBorderTwips) * 3);
    EXPECT_DOUBLE_EQ(w().Left(), (28800 - w().Width()) / 2);
    EXPECT_DOUBLE_EQ(w().Top(), 2);
    EXPECT_NEAR(w().FontSize(), 8.25 * w().Width() / 9600, 1e-9);
    EXPECT_NEAR(w().txtSent->FontSize(), 9 * 1.5, 1e-6);
    EXPECT_NEAR(w().txtUnProcessed->FontSize(), 9 * 1.5, 1e-6);
    EXPECT_EQ(w().Caption(), QStringLiteral(" DX Spotting Setup"));
}

TEST_F(SpottingWindowTest, LoadsThatStopEarlyApplyNothingAfterTheirStop) {
    struct Case {
        const char* name;
        std::vector<const char*> file;  // empty: no file
        QString source;                 // SpotSource after the load
        QString selected;               // the list's selection
        bool telnetPanel;
        QString baud;  // SpotBaud
    };
    const Case cases[] = {
        {"missing", {}, QString(), QString(), false, QString()},
        {"short",
         {"\"9600\"", "\"N\"", "\"8\"", "\"1\"", "2", "\"N\""},
         QString(),
         QString(),
         false,
         QStringLiteral("9600")},
        // port 0: stored by an operator who never opened the TNC
        {"port 0",
         {"\"4800\"", "\"E\"", "\"7\"", "\"2\"", "0", "\"N\"", "\"Telnet\"", "0", "3", "0",
          "#TRUE#", "\"03\"", "\"7300\"", "\"dxc.example.org\""},
         QStringLiteral("Telnet"),
         QStringLiteral("Telnet"),
         true,
         QStringLiteral("4800")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp fresh;
        fresh.app().station().OutOfStateFlag = 1;
        if (!c.file.empty()) {
            QByteArray data;
            for (const char* l : c.file) data += QByteArray(l) + "\r\n";
            fresh.writeFile(QStringLiteral("PackSpot.txt"), data);
        }
        PacketSpotfrm& s = fresh.app().forms().PacketSpotfrm();
        EXPECT_EQ(s.SpotSource, c.source);
        EXPECT_EQ(s.List1->Text(), c.selected);
        EXPECT_EQ(s.SpotBaud, c.baud);
        EXPECT_EQ(s.txtTelnetHost->Enabled(), c.telnetPanel);
        // Nothing reopened, and the serial options keep their design values.
        EXPECT_FALSE(s.Label4->Visible());
        EXPECT_FALSE(s.Timer1->Enabled());
        EXPECT_TRUE(s.optBaud192->Value());
        EXPECT_TRUE(s.optComm[0]->Value());
        EXPECT_FALSE(s.fraPort->Enabled());
        EXPECT_EQ(s.SpotLineBuffer.text(), QStringLiteral("\n"));
    }
}

TEST_F(SpottingWindowTest, AWholeFileRestoresEveryOptionButTheDxOnlyBox) {
    writeSettings({"\"4800\"", "\"e\"", "\"7\"", "\"2\"", "3", "\"D\"", "\"None\"", "1", "4", "1",
                   "#TRUE#", "\"1B\"", "\"7300\"", "\"dxc.example.org\""});
    EXPECT_TRUE(w().optBaud48->Value());
    EXPECT_TRUE(w().optParityEven->Value());
    EXPECT_TRUE(w().optData7->Value());
    EXPECT_TRUE(w().optStop2->Value());
    EXPECT_TRUE(w().optComm[2]->Value());
    EXPECT_TRUE(w().optPowerDTR->Value());
    EXPECT_TRUE(w().Option4->Value());
    EXPECT_EQ(w().SpotHandshaking, 4);
    EXPECT_EQ(w().chkConvToHex->Value(), 1);
    EXPECT_EQ(w().chkDX->Value(), 0);
    EXPECT_TRUE(w().OptList->Value());
    EXPECT_EQ(w().txtHex->Text(), QStringLiteral("1B"));
    EXPECT_EQ(w().txtTelnetPort->Text(), QStringLiteral("7300"));
    EXPECT_EQ(w().txtTelnetHost->Text(), QStringLiteral("dxc.example.org"));
    EXPECT_EQ(w().List1->Text(), QStringLiteral("None"));
    EXPECT_FALSE(listening());  // "None" opens nothing

    // A stored rate no option shows leaves none selected.
    TestApp fresh;
    fresh.writeFile(QStringLiteral("PackSpot.txt"),
                    "\"57600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n1\r\n\"N\"\r\n\"None\"\r\n0\r\n1\r\n"
                    "0\r\n#FALSE#\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
    PacketSpotfrm& s = fresh.app().forms().PacketSpotfrm();
    for (OptionButton* o :
         {s.optBaud12, s.optBaud24, s.optBaud48, s.optBaud96, s.optBaud144, s.optBaud192})
        EXPECT_FALSE(o->Value()) << o->Name().toStdString();
    EXPECT_TRUE(s.OptBand->Value());
}

TEST_F(SpottingWindowTest, EachSourceEnablesExactlyItsPanel) {
    struct Case {
        const char* source;
        bool serial, hex, telnet, common;
        const char* prompt;
    };
    const QString design = w().Label6->Caption();
    const Case cases[] = {
        {"TNC", true, true, false, true, "Send text  (Ctrl C or Esc for TNC Command mode):"},
        {"Telnet", false, false, true, true, "Type text to send and press enter:"},
        {"AGW Packet Engine", false, false, false, true,
         "Send text (use : to send cmds such as :C Ardlow or :D)"},
        // "None" disables everything and keeps the prompt the last source left
        {"None", false, false, false, false,
         "Send text (use : to send cmds such as :C Ardlow or :D)"},
    };
    EXPECT_EQ(design, QStringLiteral("Send text  (Ctrl  C or Esc for TNC Command mode):"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        w().chkDX->setValue(1);
        choose(QLatin1String(c.source));
        EXPECT_EQ(w().SpotSource, QLatin1String(c.source));
        EXPECT_EQ(w().chkDX->Value(), 0);
        for (Control* ctl : std::initializer_list<Control*>{
                 w().fraPort, w().fraBaud, w().fraParity, w().fraData, w().fraStop, w().fraPower,
                 w().Frame1, w().optComm[9], w().Option4})
            EXPECT_EQ(ctl->Enabled(), c.serial) << ctl->Name().toStdString();
        EXPECT_EQ(w().txtHex->Enabled(), c.hex);
        EXPECT_EQ(w().Label2->Enabled(), c.hex);
        for (Control* ctl : std::initializer_list<Control*>{w().Label7, w().txtTelnetHost,
                                                            w().Label3, w().txtTelnetPort})
            EXPECT_EQ(ctl->Enabled(), c.telnet) << ctl->Name().toStdString();
        for (Control* ctl :
             std::initializer_list<Control*>{w().Frame2, w().OptList, w().OptBand, w().chkDX,
                                             w().Label6, w().txtSent, w().Command1, w().Command2})
            EXPECT_EQ(ctl->Enabled(), c.common) << ctl->Name().toStdString();
        EXPECT_FALSE(w().chkConvToHex->Enabled());
        for (Control* ctl : std::initializer_list<Control*>{w().List1, w().cmdDone, w().Command3,
                                                            w().txtUnProcessed, w().Label1})
            EXPECT_TRUE(ctl->Enabled()) << ctl->Name().toStdString();
        EXPECT_EQ(w().Label6->Caption(), QLatin1String(c.prompt));
    }
}

TEST_F(SpottingWindowTest, ChoosingTheTncResetsItsSerialOptionsButNotPortAndPower) {
    w().optComm[4]->setValue(true);
    w().optPowerRTS->setValue(true);
    w().optBaud12->setValue(true);
    w().optParityOdd->setValue(true);
    w().optData7->setValue(true);
    w().optStop2->setValue(true);
    w().Option2->setValue(true);
    choose(QStringLiteral("TNC"));
    for (OptionButton* o : {w().optBaud96, w().optParityNone, w().optData8, w().optStop1,
                            w().Option3, w().optComm[4], w().optPowerRTS})
        EXPECT_TRUE(o->Value()) << o->Name().toStdString();
    EXPECT_EQ(w().txtHex->Text(), QStringLiteral("03"));
}

TEST_F(SpottingWindowTest, HelpTextFollowsTheChoiceBlockByBlock) {
    const QString general = QStringLiteral("Use this form to configure");
    const QString closing = QStringLiteral("When you have configured");
    const QString credit = QStringLiteral("This code was developed");
    const QString tnc = QStringLiteral("To use a Packet TNC");
    const QString telnet = QStringLiteral("If you have an Internet connection");
    const QString agw = QStringLiteral("This program will also interface with the AGW");
    struct Case {
        const char* source;
        std::vector<QString> blocks;  // in order; the others are absent
    };
    const Case cases[] = {{"None", {general, telnet, tnc, agw, closing, credit}},
                          {"TNC", {tnc, closing, credit}},
                          {"Telnet", {telnet, closing}},
                          {"AGW Packet Engine", {agw, closing, credit}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        choose(QLatin1String(c.source));
        qsizetype at = -1;
        for (const QString& b : {general, telnet, tnc, agw, closing, credit}) {
            const qsizetype found = monitor().indexOf(b);
            const bool wanted = std::find(c.blocks.begin(), c.blocks.end(), b) != c.blocks.end();
            EXPECT_EQ(found >= 0, wanted) << b.toStdString();
        }
        for (const QString& b : c.blocks) {
            const qsizetype found = monitor().indexOf(b);
            EXPECT_GT(found, at) << b.toStdString();
            at = found;
        }
        EXPECT_TRUE(monitor().startsWith(c.blocks.front()));
        EXPECT_TRUE(monitor().endsWith(QStringLiteral(".\r\n\r\n")));
        EXPECT_EQ(w().Monitor.caret(), 1);
    }
    EXPECT_TRUE(monitor().contains(
        QStringLiteral("hardware.\r\n\r\n")));  // each paragraph followed by two CR LF pairs
}

TEST_F(SpottingWindowTest, EveryOptionClosesAnOpenSourceAndCloseActsOnlyWhileListening) {
    // A cluster to open: a port text that is no port would open nothing at all.
    QTcpServer cluster;
    ASSERT_TRUE(cluster.listen(QHostAddress::LocalHost));
    w().txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
    w().txtTelnetPort->setText(QString::number(cluster.serverPort()));
    choose(QStringLiteral("Telnet"));
    // Close Port with nothing open changes nothing, not even the monitor box.
    const QString help = monitor();
    w().Command2_Click();
    EXPECT_EQ(monitor(), help);
    for (OptionButton* o : serialOptions(w())) {
        SCOPED_TRACE(o->Name().toStdString());
        w().Command1_Click();
        ASSERT_TRUE(listening());
        // The Telnet source replaced Open Port's notice with its own.
        EXPECT_EQ(monitor(), QStringLiteral("Attempting connection to: 127.0.0.1:") +
                                 QString::number(cluster.serverPort()) +
                                 QStringLiteral("\r\n\r\n"));
        // Selecting the option that is already selected runs no click; pick another first.
        o->setValue(false);
        o->setValue(true);
        EXPECT_FALSE(listening());
        EXPECT_TRUE(monitor().endsWith(QStringLiteral("\r\n\r\n** Port Closed **")));
        EXPECT_FALSE(w().Timer1->Enabled());
    }
}

TEST_F(SpottingWindowTest, SpotLastPreparesALineForTheLastContact) {
    struct Case {
        int count;
        const char* text;
    };
    QSOLog& log = t.app().log();
    log[1].Call = QStringLiteral("K1AA");
    log[2].Call = QStringLiteral("W2BB");
    log[3].Call = QStringLiteral("N3CC");
    choose(QStringLiteral("Telnet"));
    w().Show();
    for (const Case& c : {Case{3, "DX Frequency in kHz N3CC"}, Case{0, "DX Frequency in kHz "}}) {
        log.QSOCount = c.count;
        w().Command3_Click();
        EXPECT_EQ(w().txtSent->Text(), QLatin1String(c.text));
        EXPECT_EQ(w().txtSent->SelStart(), 3);
        EXPECT_EQ(w().txtSent->selectedText(), QStringLiteral("Frequency in kHz"));
    }
    EXPECT_FALSE(listening());  // nothing is sent or opened
}

TEST_F(SpottingWindowTest, EscWithNoSourceOnlyAnnouncesTheAttempt) {
    choose(QStringLiteral("None"));
    w().Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    w().chkDX->setValue(1);
    QTest::keyClick(w().List1, Qt::Key_Escape);
    EXPECT_EQ(monitor(), QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
    EXPECT_FALSE(listening());
    EXPECT_EQ(w().chkDX->Value(), 0);
}

TEST_F(SpottingWindowTest, DoneOpensSavesAndLaysOutListMapOrNeither) {
    writeLog({});
    Outfrm& out = openOut();
    QTcpServer cluster;
    ASSERT_TRUE(cluster.listen(QHostAddress::LocalHost));
    w().txtTelnetHost->setText(QStringLiteral("127.0.0.1"));
    w().txtTelnetPort->setText(QString::number(cluster.serverPort()));
    struct Case {
        const char* source;
        bool list;
        bool listShown, mapShown;
    };
    const Case cases[] = {{"Telnet", true, true, false},
                          {"Telnet", false, false, true},
                          {"None", false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        SCOPED_TRACE(c.list);
        w().Show();
        choose(QLatin1String(c.source));
        (c.list ? w().OptList : w().OptBand)->setValue(true);
        QFile::remove(t.files().resolve(QStringLiteral("QSOpref.txt")));
        w().cmdDone_Click();
        EXPECT_TRUE(w().isHidden());
        EXPECT_EQ(listening(), QLatin1String(c.source) != QLatin1String("None"));
        EXPECT_EQ(out.txtDX->Visible(), c.listShown);
        EXPECT_EQ(out.lblDX->Visible(), c.mapShown);
        EXPECT_EQ(t.app().forms().Form1().lblDX->Visible(), c.mapShown);
        EXPECT_TRUE(hasFile("QSOpref.txt"));
        EXPECT_TRUE(hasFile("PackSpot.txt"));
    }
}

TEST_F(SpottingWindowTest, TheLoggingWindowShowsItModelessAndClosesItOnlyWhenLoaded) {
    writeLog({});
    Outfrm& out = openOut();
    // Never loaded: closing does not make one just to close it.
    auto spottingWindows = [] {
        int n = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            n += qobject_cast<PacketSpotfrm*>(top) != nullptr;
        return n;
    };
    spots::UnloadWindow(t.app());
    EXPECT_EQ(spottingWindows(), 0);
    struct Case {
        const char* how;
        std::function<void()> open;
    };
    const Case cases[] = {
        {"Ctrl+D",
         [&] {
             out.txtCall->SetFocus();
             settle();
             key(Qt::Key_D, Qt::ControlModifier);
         }},
        {"menu", [&] { out.mnuDXSpotting_Click(); }},
        {"band map", [&] { out.lblDX_Click(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        if (auto* s = t.app().forms().packetSpotSlot().peek()) s->Hide();
        QFile::remove(t.files().resolve(QStringLiteral("QSOpref.txt")));
        c.open();
        ASSERT_TRUE(t.app().forms().packetSpotSlot().isLoaded());
        EXPECT_TRUE(w().isVisible());
        EXPECT_FALSE(w().isModal());
        EXPECT_EQ(hasFile("QSOpref.txt"), QLatin1String(c.how) == QLatin1String("menu"));
    }
    EXPECT_TRUE(out.txtCall->Text().isEmpty());  // Ctrl+D typed nothing

    // Each showing activates it: with a source chosen the monitor is trimmed and the send box
    // takes the focus.
    choose(QStringLiteral("Telnet"));
    w().Monitor.setText(QString(10001, QLatin1Char('m')));
    w().Hide();
    spots::ShowWindow(t.app());
    settle();
    EXPECT_EQ(monitor().size(), 9000);
    EXPECT_EQ(w().focusWidget(), w().txtSent);

    // The logging window's unload takes the spotting window along.
    int cancel = 0;
    out.Form_Unload(cancel);
    EXPECT_FALSE(t.app().forms().packetSpotSlot().isLoaded());
}

}  // namespace
}  // namespace qf::test
