#include "rig/RigFixture.h"
#include "rig/RigModels.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace qf::test {
namespace {

using RigWindowTest = RigFixture;

TEST_F(RigWindowTest, EachModelAppliesItsPresetAndTheModelTableIsInListOrder) {
    struct Preset {
        const char* model;
        const char* baud;  // the option left chosen: caption of the baud group
        const char* data;
        const char* stop;
        const char* parity;
        const char* freq;
        const char* mode;
        int hex;
        bool hexEnabled;
        bool hint;
    };
    // Each row starts from the design values (56, 8, 1, None), so a dash shows them.
    const Preset presets[] = {
        {"None", "56", "8", "1", "None", "", "", 0, false, false},
        {"Elecraft", "4.8", "8", "2", "None", "FA;", "MD;", 0, false, false},
        {"Icom", "1.2", "8", "1", "None", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 1, false, true},
        {"Icom 735", "1.2", "8", "1", "None", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 1, false,
         true},
        {"Kenwood", "4.8", "8", "2", "None", "FA;", "MD;", 0, false, false},
        {"Kenwood 2", "4.8", "8", "2", "None", "IF;", "", 0, false, false},
        {"Ten Tec Omni VI", "1.2", "8", "1", "None", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", 1,
         false, false},
        {"Ten Tec Orion", "56", "8", "1", "None", "?AF", "?RMM", 0, false, false},
        {"Ten Tec Fnt Pnl", "56", "8", "1", "None", "3F 41 0D", "3F 4D 0D", 1, false, false},
        {"Ten Tec Pegasus", "56", "8", "1", "None", "", "", 0, false, false},
        {"Yaesu", "4.8", "8", "2", "None", "00 00 00 00 03", "", 1, false, false},
        {"Yaesu 757 GX II", "4.8", "8", "2", "None", "00 00 00 00 10", "", 1, false, false},
        {"Yaesu 890", "4.8", "8", "2", "None", "00 00 00 02 10", "", 1, false, false},
        {"Yaesu 920", "4.8", "8", "2", "None", "00 00 00 02 10", "", 1, false, false},
        {"Yaesu 990", "4.8", "8", "2", "None", "00 00 00 02 10", "", 1, false, false},
        {"Yaesu 1000 D", "4.8", "8", "2", "None", "00 00 00 02 10", "", 1, false, false},
        {"Yaesu 1000", "4.8", "8", "2", "None", "00 00 00 02 10", "", 1, false, false},
        {"Yaesu FTdx9000", "4.8", "8", "1", "None", "FA;", "MD0;", 0, false, false},
        {"Other", "56", "8", "1", "None", "", "", 0, true, false},
    };
    ASSERT_EQ(w().List1->ListCount(), 19);
    ASSERT_EQ(rig::RigModels().size(), 19u);
    auto chosen = [](std::initializer_list<OptionButton*> group) {
        for (OptionButton* o : group)
            if (o->Value()) return o->Caption();
        return QString();
    };
    for (size_t i = 0; i < std::size(presets); ++i) {
        const Preset& p = presets[i];
        SCOPED_TRACE(p.model);
        EXPECT_EQ(w().List1->List(static_cast<int>(i)), QLatin1String(p.model));
        t.app().forms().rigFrmSlot().peek()->Unload();
        QCoreApplication::processEvents();
        choose(QLatin1String(p.model));
        EXPECT_EQ(t.app().station().RigModel, QLatin1String(p.model));
        RigControlfrm& f = w();
        EXPECT_EQ(chosen({f.optBaud12, f.optBaud24, f.optBaud48, f.optBaud96, f.optBaud144,
                          f.optBaud192, f.optBaud288, f.optBaud384, f.optBaud560}),
                  QLatin1String(p.baud));
        EXPECT_EQ(chosen({f.optData7, f.optData8}), QLatin1String(p.data));
        EXPECT_EQ(chosen({f.optStop1, f.optStop2}), QLatin1String(p.stop));
        EXPECT_EQ(chosen({f.optParityOdd, f.optParityNone, f.optParityEven}),
                  QLatin1String(p.parity));
        EXPECT_EQ(f.txtFreq->Text(), QLatin1String(p.freq));
        EXPECT_EQ(f.RigFrequencyQuery, QLatin1String(p.freq));
        EXPECT_EQ(f.txtMode->Text(), QLatin1String(p.mode));
        EXPECT_EQ(f.RigModeQuery, QLatin1String(p.mode));
        EXPECT_EQ(f.chkConvToHex->Value(), p.hex);
        EXPECT_EQ(f.ChkConvHex->Value(), p.hex);  // follows "Convert to Hex"
        EXPECT_EQ(f.chkConvToHex->isEnabled(), p.hexEnabled);
        EXPECT_EQ(!f.Label10->isHidden(), p.hint);
        EXPECT_FALSE(polling());
    }
}

TEST_F(RigWindowTest, APresetLeavesWhatItDoesNotSetAndTheHexBoxesCoupleOneWay) {
    choose(QStringLiteral("Icom"));
    choose(QStringLiteral("Yaesu FTdx9000"));
    EXPECT_TRUE(w().optBaud48->Value());
    EXPECT_TRUE(w().optData8->Value());
    EXPECT_TRUE(w().optStop1->Value());
    EXPECT_TRUE(w().optParityNone->Value());
    EXPECT_TRUE(w().Label10->isHidden());

    choose(QStringLiteral("Other"));
    w().chkConvToHex->setValue(1);
    EXPECT_EQ(w().ChkConvHex->Value(), 1);
    w().ChkConvHex->setValue(0);
    EXPECT_EQ(w().chkConvToHex->Value(), 1);
}

TEST_F(RigWindowTest, EveryOptionClickAndQueryBoxFocusEndsTheTest) {
    // "Ten Tec Pegasus" polls without a port, so each trigger can be seen stopping it.
    w().Show();
    choose(QStringLiteral("Ten Tec Pegasus"));
    RigControlfrm& f = w();
    std::vector<std::function<void()>> triggers;
    for (OptionButton* o : f.optComm)
        triggers.push_back([o] {
            o->setValue(false);
            o->setValue(true);
        });
    for (OptionButton* o :
         {f.optBaud12, f.optBaud24, f.optBaud48, f.optBaud96, f.optBaud144, f.optBaud192,
          f.optBaud288, f.optBaud384, f.optBaud560, f.optParityOdd, f.optParityNone,
          f.optParityEven, f.optData7, f.optData8, f.optStop1, f.optStop2, f.optPowerNone,
          f.optPowerRTS, f.optPowerDTR, f.optPollFast, f.optPollMed, f.optPollSlow,
          f.optReallySlow})
        triggers.push_back([o] {
            o->setValue(false);
            o->setValue(true);
        });
    for (TextBox* box : {f.txtFreq, f.txtMode})
        triggers.push_back([box, &f] {
            // The poll's hand-off may have loaded a logging window over this one.
            f.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
            f.Command1->SetFocus();
            QCoreApplication::processEvents();
            box->SetFocus();
            QCoreApplication::processEvents();
        });
    triggers.push_back([&f] { f.List1_Click(); });
    for (size_t i = 0; i < triggers.size(); ++i) {
        f.Command1_Click();
        ASSERT_TRUE(polling()) << i;
        ASSERT_TRUE(f.Command2->isEnabled());
        triggers[i]();
        EXPECT_FALSE(polling()) << "trigger " << i;
        EXPECT_FALSE(f.Command2->isEnabled()) << i;
        EXPECT_TRUE(f.Label2->isHidden()) << i;
        EXPECT_EQ(f.lblFreq->Caption(), QString()) << i;
    }
    // "Mode by:" and the hex boxes leave polling on.
    f.Command1_Click();
    f.OptDont->setValue(true);
    f.ChkConvHex->setValue(1);
    f.chkFrequency->setValue(0);
    EXPECT_TRUE(polling());
    EXPECT_EQ(f.lblMode->Caption(), QStringLiteral("No Response"));
}

TEST_F(RigWindowTest, SettingsStringsFromTheOptionsAndAPortThatCannotOpen) {
    w().Show();
    // The "56" option is 56000 baud, not 57600.
    w().Command1_Click();  // "None": only collects
    EXPECT_EQ(w().RigCommSettings, QStringLiteral("56000,N,8,1"));
    EXPECT_EQ(w().lblFreq->Caption(), QString());
    EXPECT_FALSE(w().Command2->isEnabled());
    EXPECT_EQ(t.beeper().count(), 0);

    // Port 3 names no device here.
    choose(QStringLiteral("Kenwood"));
    w().optComm[2]->setValue(true);
    w().Command1_Click();
    EXPECT_EQ(w().RigCommSettings, QStringLiteral("4800,N,8,2"));
    EXPECT_EQ(w().RigPort, 3);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Invalid Comm Settings."));
    EXPECT_EQ(t.dialogs().messages()[0].text,
              QStringLiteral("The comm port that you selected for rig interface is either in "
                             "use, invalid or the settings that you have selected are invalid.  "
                             "Please select another combination or choose None for your rig "
                             "selection."));
    EXPECT_EQ(t.beeper().count(), 1);
    EXPECT_FALSE(polling());
    EXPECT_FALSE(w().Command2->isEnabled());
    EXPECT_TRUE(w().Label2->isHidden());
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("No Response"));
    EXPECT_EQ(w().PollTicks, 0);
}

TEST_F(RigWindowTest, ARefusedStoredSettingsStringIsAnOpenFailure) {
    // A hand-edited rate that no option shows stays as stored; one no port offers is refused.
    t.writeFile(QStringLiteral("RigCntrl.txt"),
                settingsFile({"\"4801 \"", "\"N\"", "\"8\"", "\"1\"", "\"MD;\"", "\"FA;\"",
                              "\"4801,N,8,1\"", "1", "\"N\"", "\"M\"", "\"Kenwood\"", "0", "1",
                              "1"}));
    w().Show();
    for (OptionButton* o : {w().optBaud12, w().optBaud48, w().optBaud560})
        EXPECT_FALSE(o->Value());
    w().Command1_Click();
    EXPECT_EQ(w().RigCommSettings, QStringLiteral("4801,N,8,1"));
    EXPECT_EQ(t.beeper().count(), 1);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Invalid Comm Settings."));
    EXPECT_FALSE(polling());
}

TEST_F(RigWindowTest, ChangeFrequencyWithoutPollingOnlyTellsAndTheRawReplyCopies) {
    w().Command3_Click();
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title,
              QStringLiteral("You must be polling your rig to test this function."));

    w().Show();
    w().lblUnProcess->setCaption(QStringLiteral("FA00014025000;"));
    w().Command4_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("FA00014025000;"));
}

TEST_F(RigWindowTest, DoneBeforeAnyTestWritesTheDesignValuesNeverPortZero) {
    w().Show();
    w().cmdDone_Click();
    EXPECT_TRUE(w().isHidden());
    EXPECT_EQ(t.readFile(QStringLiteral("RigCntrl.txt")),
              settingsFile({"\"56000\"", "\"N\"", "\"8\"", "\"1\"", "\"\"", "\"\"",
                            "\"56000,N,8,1\"", "1", "\"N\"", "\"M\"", "\"None\"", "0", "1",
                            "1"}));
    // And it loads again whole.
    t.app().forms().rigFrmSlot().peek()->Unload();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w().optComm[0]->Value());
    EXPECT_TRUE(w().optPollMed->Value());
}

// ---- loading "RigCntrl.txt"

struct LoadCase {
    const char* name;
    std::vector<const char*> lines;  // empty: no file
    const char* model;               // RigModel afterwards
    int port;                        // RigPort afterwards
    int chosenPortOption;            // -1: none chosen (index otherwise)
    int useFrequency;
    bool listSelected;
    bool baud48Chosen;
};

TEST_F(RigWindowTest, TheSettingsFileLoadsAsFarAsItGoes) {
    const std::vector<const char*> kenwood = {
        "\"4800 \"", "\"N\"", "\"8\"", "\"2\"", "\"MD;\"", "\"FA;\"", "\"4800,N,8,2\"",
        "2",         "\"N\"", "\"M\"", "\"Kenwood\"", "0", "1", "1"};
    auto with = [&](size_t index, const char* value) {
        std::vector<const char*> l = kenwood;
        l[index] = value;
        return l;
    };
    const LoadCase cases[] = {
        {"whole", kenwood, "Kenwood", 2, 1, 1, true, true},
        {"missing", {}, "Elecraft", 1, 0, 1, false, false},
        // Short: values read before the end keep them, no control changes, RigModel stays.
        {"short", std::vector<const char*>(kenwood.begin(), kenwood.begin() + 9), "Elecraft", 2,
         0, 1, false, false},
        // Port 0 and 11 stop while the controls are set: the port and later groups keep theirs.
        {"port 0", with(7, "0"), "Kenwood", 0, 0, 1, true, false},
        {"port 11", with(7, "11"), "Kenwood", 11, 0, 1, true, false},
        // A check-box value of 3 stops before "Use Frequency" and everything after.
        {"check 3", with(11, "3"), "Kenwood", 2, 0, 1, false, false},
        // Names are compared exactly.
        {"kenwood", with(10, "\"kenwood\""), "kenwood", 2, 1, 1, false, true},
        {"57600", with(0, "\"57600\""), "Kenwood", 2, 1, 1, true, false},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (FormSlot<RigControlfrm>& slot = t.app().forms().rigFrmSlot(); slot.isLoaded()) {
            slot.peek()->Unload();
            QCoreApplication::processEvents();
        }
        QFile::remove(t.path(QStringLiteral("RigCntrl.txt")));
        if (!c.lines.empty()) {
            QByteArray data;
            for (const char* l : c.lines) data += QByteArray(l) + "\r\n";
            t.writeFile(QStringLiteral("RigCntrl.txt"), data);
        }
        t.app().station().RigModel = QStringLiteral("Elecraft");
        RigControlfrm& f = w();
        EXPECT_EQ(t.app().station().RigModel, QLatin1String(c.model));
        EXPECT_EQ(f.RigPort, c.port);
        int chosen = -1;
        for (int i = 0; i < 10; ++i)
            if (f.optComm[static_cast<size_t>(i)]->Value()) chosen = i;
        EXPECT_EQ(chosen, c.chosenPortOption);
        EXPECT_EQ(f.chkFrequency->Value(), c.useFrequency);
        EXPECT_EQ(f.List1->ListIndex() >= 0, c.listSelected);
        EXPECT_EQ(f.optBaud48->Value(), c.baud48Chosen);
        EXPECT_EQ(f.ActiveVFO, 10);
        EXPECT_EQ(f.RigLoading, 0);
        EXPECT_FALSE(polling());
    }
    // The whole file also filled the query boxes and the stored fields.
    EXPECT_EQ(w().RigBaud, QStringLiteral("57600"));
    EXPECT_EQ(w().txtFreq->Text(), QStringLiteral("FA;"));
    EXPECT_EQ(w().RigStopBits, QStringLiteral("2"));
}

TEST_F(RigWindowTest, AfterALoadOnlyIcomShowsTheHintAndOnlyOtherEnablesHex) {
    for (const char* model : {"Icom", "Icom 735", "Other"}) {
        SCOPED_TRACE(model);
        if (FormSlot<RigControlfrm>& slot = t.app().forms().rigFrmSlot(); slot.isLoaded()) {
            slot.peek()->Unload();
            QCoreApplication::processEvents();
        }
        t.writeFile(QStringLiteral("RigCntrl.txt"),
                    settingsFile({"\"1200 \"", "\"N\"", "\"8\"", "\"1\"", "\"\"", "\"\"",
                                  "\"1200,N,8,1\"", "1", "\"N\"", "\"M\"",
                                  (QByteArray("\"") + model + "\"").constData(), "1", "1", "2"}));
        RigControlfrm& f = w();
        EXPECT_EQ(!f.Label10->isHidden(), QByteArray(model) == "Icom");
        EXPECT_EQ(f.chkConvToHex->isEnabled(), QByteArray(model) == "Other");
        EXPECT_TRUE(f.OptFreq->Value());
    }
}

}  // namespace
}  // namespace qf::test
