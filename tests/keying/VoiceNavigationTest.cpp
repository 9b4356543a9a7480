// Voice navigation: the shipped prompts, the window's options and Done, the prompts of the
// logging windows' entry boxes, and the spoken "Dupe" with its bounded wait in both windows.
#include "keying/BlindFrm.h"
#include "logging/LoggingFixture.h"
#include "support/WaveFiles.h"

namespace qf {
namespace {

const char* const kPrompts[] = {"Call.wav",   "Name.wav", "SPC.wav",   "County.wav",
                                "RstSnt.wav", "Dupe.wav", "NavEn.wav", "NavDis.wav"};

class VoiceNavigationTest : public test::LoggingFixture {
  protected:
    VoiceNavigationTest() {
        for (const char* name : kPrompts) t.installShipped({name});
        StationSettings& st = t.app().station();
        st.OwnSPC = QStringLiteral("MN");
        st.OwnCounty = QStringLiteral("AIT");
    }
    BlindFrm& nav() { return t.app().forms().BlindFrm(); }
    qint64 lengthOf(const char* name) {
        return ReadWaveInfo(t.path(QString::fromLatin1(name)))->lengthMs();
    }
    QByteArray settingsLine22() {
        return t.readFile(QStringLiteral("QSOpref.txt")).split('\n').value(21).trimmed();
    }
};

TEST_F(VoiceNavigationTest, TheShippedPromptsAreWaveFilesOfAPlausibleLength) {
    for (const char* name : kPrompts) {
        SCOPED_TRACE(name);
        const auto info = ReadWaveInfo(test::shippedDataFile(QString::fromLatin1(name)));
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->formatTag, 1);
        EXPECT_GE(info->lengthMs(), 300);   // a word or a few
        EXPECT_LE(info->lengthMs(), 4000);  // short enough to follow typing
    }
}

TEST_F(VoiceNavigationTest, TheFirstOpeningSpeaksTheStoredLevelAndDoneSavesTheChoice) {
    const struct {
        int level;
        QStringList heard;
        int saved;  // what Done stores without a new choice
    } cases[] = {
        {0, {"NavDis"}, 0},
        {1, {"NavEn", "Call"}, 1},
        {2, {"NavEn"}, 2},
        {3, {}, 0},  // no option fits: nothing plays, Done stores "Off"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        if (BlindFrm* w = t.app().forms().blindFrmSlot().peek()) w->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        t.sound().clear();
        t.app().station().VoiceNavigationLevel = static_cast<quint8>(c.level);
        nav().Show();
        EXPECT_EQ(t.sound().names(), c.heard);
        if (c.level == 1) {
            // "Call" follows the end of "NavEn", neither cut off nor late.
            const auto& s = t.sound().sounds();
            EXPECT_EQ(s[1].startMs, s[0].startMs + lengthOf("NavEn.wav"));
            EXPECT_EQ(s[0].endMs, s[1].startMs);
        }
        EXPECT_TRUE(nav().Label7->Caption().endsWith(t.work()));
        nav().Command1->Click();
        EXPECT_FALSE(nav().isVisible());
        EXPECT_EQ(t.app().station().VoiceNavigationLevel, c.saved);
        EXPECT_EQ(settingsLine22(), QByteArray::number(c.saved));
    }
}

TEST_F(VoiceNavigationTest, AnOptionSpeaksAtOnceButOnlyDoneSavesIt) {
    writeLog({});
    Outfrm& w = openOut();
    const QByteArray before = t.readFile(QStringLiteral("QSOpref.txt"));
    w.mnuBlind->action()->trigger();
    EXPECT_TRUE(nav().isVisible());
    EXPECT_FALSE(nav().isModal());
    EXPECT_EQ(t.sound().names(), QStringList{"NavDis"});
    nav().Option3->setValue(true);
    nav().Option2->setValue(true);
    EXPECT_EQ(t.sound().names(), (QStringList{"NavDis", "NavEn", "NavEn", "Call"}));
    EXPECT_EQ(t.app().station().VoiceNavigationLevel, 0);
    EXPECT_EQ(t.readFile(QStringLiteral("QSOpref.txt")), before);
    nav().Option3->setValue(true);
    nav().Command1->Click();
    EXPECT_EQ(t.app().station().VoiceNavigationLevel, 2);
    EXPECT_EQ(settingsLine22(), "2");
    EXPECT_TRUE(t.app().forms().blindFrmSlot().isLoaded());  // hidden, not unloaded
}

TEST_F(VoiceNavigationTest, AMissingPromptIsSilentAndTheNextOnePlays) {
    QFile::remove(t.path(QStringLiteral("Call.wav")));
    t.writeFile(QStringLiteral("Name.wav"), "broken");
    nav();
    t.sound().clear();
    nav().BlindKeyPhone(QStringLiteral("Call"));
    nav().BlindKeyPhone(QStringLiteral("Name"));
    EXPECT_TRUE(t.sound().sounds().empty());
    nav().BlindKeyPhone(QStringLiteral("county"));  // found as the file names are: any case
    EXPECT_EQ(t.sound().names(), QStringList{"County"});
    EXPECT_TRUE(t.dialogs().shown().empty());
    EXPECT_EQ(t.beeper().count(), 0);
}

// The RST-sent box is hidden in both windows, so it never takes the focus to say "RstSnt".
TEST_F(VoiceNavigationTest, EachEntryBoxNamesItselfAtLevelTwoAndOnlyTheCallAtOne) {
    const struct {
        bool inState;
        int level;
        QStringList heard;
    } cases[] = {
        {true, 2, {"Name", "SPC", "County", "Call"}},
        {false, 2, {"Name", "County", "Call"}},
        {true, 1, {"Call"}},
        {false, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.inState ? "in-state " : "out-of-state ") +
                     std::to_string(c.level));
        test::TestApp& app = t;
        writeLog({});
        StationSettings& st = app.app().station();
        st.OutOfStateFlag = c.inState ? 0 : 1;
        st.VoiceNavigationLevel = static_cast<quint8>(c.level);
        // The window is loaded already, at this level: its opening prompts are not the point here.
        nav();
        LoggingWindow& w = c.inState ? static_cast<LoggingWindow&>(open(&Forms::Infrm))
                                     : static_cast<LoggingWindow&>(openOut());
        w.txtCall->SetFocus();
        settle();
        app.sound().clear();
        // Box by box along the row, then back to the call; each prompt cuts the last one off.
        std::vector<TextBox*> row{w.txtRSTR, w.txtCntry, w.txtSec, w.txtCall};
        if (!c.inState) row.erase(row.begin() + 1);
        for (TextBox* box : row) {
            box->SetFocus();
            settle();
        }
        EXPECT_EQ(app.sound().names(), c.heard);
        const auto& s = app.sound().sounds();
        for (size_t i = 0; i + 1 < s.size(); ++i) EXPECT_LE(s[i].endMs, s[i + 1].startMs);
        w.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(app.app().forms().blindFrmSlot().isLoaded());  // the window's unload closed it
    }
}

TEST_F(VoiceNavigationTest, TheSpokenDupeHoldsEitherWindowAtMostFiveSeconds) {
    const QByteArray shippedDupe = t.readFile(QStringLiteral("Dupe.wav"));
    const struct {
        bool inState;
        int level;
        int dupeMs;     // 0: the shipped recording
        qint64 holdMs;  // -1: its length
    } cases[] = {
        {true, 1, 60000, 5000}, {false, 1, 60000, 5000}, {true, 2, 0, -1},
        {false, 2, 0, -1},      {true, 0, 60000, 0},     {false, 0, 60000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.inState ? "in-state " : "out-of-state ") +
                     std::to_string(c.level) + " " + std::to_string(c.dupeMs));
        if (c.dupeMs) {
            t.writeFile(QStringLiteral("Dupe.wav"), test::toneWave(c.dupeMs));
        } else {
            t.writeFile(QStringLiteral("Dupe.wav"), shippedDupe);
        }
        StationSettings& st = t.app().station();
        st.OutOfStateFlag = c.inState ? 0 : 1;
        st.VoiceNavigationLevel = static_cast<quint8>(c.level);
        nav();  // loaded with its opening prompts out of the way
        QSORecord q;
        q.Call = QStringLiteral("W1AW");
        q.Band = QStringLiteral("20");
        q.Mode = QStringLiteral("PH");
        q.QSODate = QStringLiteral("2026/09/12");
        q.QSOTime = QStringLiteral("14:00:00");
        q.CountyRcvd = QStringLiteral("AIT");
        q.CountySent = QStringLiteral("AIT");
        q.SPC = QStringLiteral("MN");
        q.NameRcvd = QStringLiteral("BOB");
        writeLog({q});
        LoggingWindow& w = c.inState ? static_cast<LoggingWindow&>(open(&Forms::Infrm))
                                     : static_cast<LoggingWindow&>(openOut());
        if (t.app().run().LoggedOn == 0) w.cmdLogOn->Press();
        settle();
        t.sound().clear();
        w.txtCall->setText(QStringLiteral("W1AW"));
        w.txtRSTR->setText(QStringLiteral("BOB"));
        w.txtCntry->setText(QStringLiteral("MN"));
        w.txtSec->setText(QStringLiteral("AIT"));
        const qint64 before = t.clock().tickMs();
        w.Mains();
        const qint64 held = t.clock().tickMs() - before;
        EXPECT_EQ(t.app().log().QSOCount, 1);
        ASSERT_FALSE(t.sound().sounds().empty());
        EXPECT_EQ(t.sound().names().back(), QStringLiteral("Dupe"));
        const qint64 expected = c.holdMs < 0 ? lengthOf("Dupe.wav") : c.holdMs;
        EXPECT_GE(held, expected);
        EXPECT_LE(held, expected + 10);
        t.app().run().EntryCheckFlags.DupeFlag = 0;
        w.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace
}  // namespace qf
