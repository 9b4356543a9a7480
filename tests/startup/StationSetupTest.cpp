#include "app/Forms.h"
#include "platform/Error.h"
#include "startup/StationSettings.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>
#include <stdexcept>

#include <sys/stat.h>

namespace qf {
namespace {

// The file with its n-th line (from 1) replaced.
QByteArray withLine(const QByteArray& file, int n, const QByteArray& value) {
    QList<QByteArray> lines = file.split('\n');
    lines[n - 1] = value + '\r';
    return lines.join('\n');
}

// A working folder as an installed program has it: the station's settings (in the contest
// state, a rover, five hours behind UTC like the test clock), a small prefix table, and the
// shipped state table and keyer settings.
void install(test::TestApp& t) {
    t.writeFile(QStringLiteral("QSOpref.txt"), test::fixture(QStringLiteral("setup-QSOpref.txt")));
    t.writeFile(QStringLiteral("arrlpre2.txt"),
                test::fixture(QStringLiteral("setup-arrlpre2.txt")));
    // The logging window that Done opens needs its county table and a log.
    t.installShipped({"states.txt", "cw.txt", "wave2.txt", "county2.txt", "log.txt"});
}

// Opens the setup window as the start sequence leaves things for it.
frmStationID& openSetup(test::TestApp& t) {
    StartupValues& sv = t.app().startup();
    sv.WorkingFolder = t.work();
    sv.SharedFolder = t.root() + QStringLiteral("/shared");
    sv.DataFolder = t.root() + QStringLiteral("/data");
    t.app().sharedPreferences().LoadSharedPreferences(t.path(QStringLiteral("prefs.xml")));
    frmStationID& w = t.app().forms().frmStationID();
    w.Show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    return w;
}

void typeInto(TextBox* box, const QString& keys) {
    box->SetFocus();
    for (const QChar c : keys) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        } else {
            // A key of a foreign keyboard: Qt names Latin-1 keys by their capital's code.
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                                static_cast<Qt::Key>(c.toUpper().unicode()), QString(c), Qt::NoModifier);
        }
    }
}

void press(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

void clickOption(OptionButton* o) {
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2));
}

bool setupOpen(test::TestApp& t) {
    return t.app().forms().stationIDSlot().isLoaded();
}

class StationSetupTest : public ::testing::Test {
protected:
    test::TestApp t;
};

TEST_F(StationSetupTest, TheLoadShowsTheStationAndReadsTablesAndKeyerSettings) {
    install(t);
    frmStationID& w = openSetup(t);
    EXPECT_TRUE(t.dialogs().shown().empty());
    EXPECT_EQ(w.Caption(), QStringLiteral(" Setup Information"));

    const std::pair<TextBox*, const char*> shown[] = {
        {w.Text1, "K0XYZ"}, {w.Text5, "MN"},       {w.Text8, "STL"},      {w.Text6, "5"},
        {w.Text2, "USA"},   {w.Text3, "92.1"},     {w.Text4, "46.78"},    {w.Text7, "NA"},
        {w.Text9, "ANN"},   {w.txtCategory, "SO"}, {w.txtCity, "Duluth"},
    };
    for (const auto& [box, text] : shown)
        EXPECT_EQ(box->Text(), QLatin1String(text)) << box->Name().toStdString();
    EXPECT_FALSE(w.txtCategory->Visible());
    EXPECT_TRUE(w.Option1->Value());
    EXPECT_TRUE(w.Option4->Value());
    EXPECT_TRUE(w.Frame3->Enabled());
    EXPECT_EQ(QApplication::focusWidget(), w.Text1);

    EXPECT_EQ(t.app().tables().prefixes.PrefixCount, 4);
    EXPECT_FALSE(t.app().tables().StateLocations[50].LocationCode.isEmpty());
    // The shipped keyer settings: no wave files, a blank F9 message that becomes the test text.
    const PhoneFrm& phone = t.app().forms().PhoneFrm();
    EXPECT_TRUE(phone.isHidden());
    EXPECT_TRUE(phone.Option1->Value());
    EXPECT_EQ(phone.Text11->Text(), QStringLiteral("&H378"));
    // The CW window is loaded hidden with the file's values.
    const CWFrm& cw = t.app().forms().CWFrm();
    EXPECT_TRUE(cw.isHidden());
    EXPECT_EQ(cw.Text9->Text(), QStringLiteral("VVV DE "));
    EXPECT_EQ(cw.Text11->Text(), QStringLiteral("22"));
    EXPECT_TRUE(cw.Option4->Value());
    EXPECT_EQ(cw.Check1->Value(), 1);
}

TEST_F(StationSetupTest, TheVoiceKeyersSavedSettingsComeBackIntoItsWindow) {
    install(t);
    t.writeFile(QStringLiteral("wave2.txt"), test::fixture(QStringLiteral("wave2-done.txt")));
    openSetup(t);
    const PhoneFrm& v = t.app().forms().PhoneFrm();
    EXPECT_TRUE(v.isHidden());
    EXPECT_EQ(v.Text1->Text(), QStringLiteral("/waves/cq.wav"));
    EXPECT_EQ(v.Text2->Text(), QStringLiteral("/waves/my call.wav"));
    EXPECT_EQ(v.Text9->Text(), QStringLiteral("/waves/73.wav"));
    EXPECT_EQ(v.Text10->Text(), QStringLiteral("3"));
    EXPECT_TRUE(v.Option2->Value());  // DTR
    EXPECT_EQ(v.txtPHLoop->Text(), QStringLiteral("5"));
    EXPECT_EQ(v.tmrRepeat->Interval(), 5000);
    EXPECT_FALSE(v.tmrRepeat->Enabled());
    EXPECT_EQ(v.Text11->Text(), QStringLiteral("&H278"));
    // Reading the port number opens nothing: the port opens at the first message.
    EXPECT_FALSE(v.CommPhone->PortOpen());
}

TEST_F(StationSetupTest, TheWindowScalesToTheScreenWithEveryControlInside) {
    install(t);
    frmStationID& w = openSetup(t);
    // 28800 x 16200 twips: x3 across, x2.25 down; 170 twips above the centre.
    EXPECT_DOUBLE_EQ(w.Width(), (4950 + 2 * Form::kBorderTwips) * 3.0);
    EXPECT_DOUBLE_EQ(w.Height(), (5400 + 2 * Form::kBorderTwips + Form::kCaptionTwips) * 2.25);
    EXPECT_DOUBLE_EQ(w.Left(), (28800 - w.Width()) / 2);
    EXPECT_DOUBLE_EQ(w.Top(), (16200 - w.Height()) / 2 - 170);
    EXPECT_DOUBLE_EQ(w.Text1->Left(), 3720 * 3.0);
    EXPECT_DOUBLE_EQ(w.Command1->Top(), 4920 * 2.25);
    EXPECT_DOUBLE_EQ(w.Labels[0]->FontSize(), 9.75 * 2.25);
    for (Control* c : w.controls()) {
        if (!c->hasGeometry() || !c->Visible() || c->widget()->parentWidget() != w.client()) {
            continue;
        }
        EXPECT_LE(c->Left() + c->Width(), w.ScaleWidth()) << c->Name().toStdString();
        EXPECT_LE(c->Top() + c->Height(), w.ScaleHeight()) << c->Name().toStdString();
    }
}

TEST_F(StationSetupTest, AnOutOfStateStationGetsNoAndADisabledRoverQuestion) {
    install(t);
    const QByteArray prefs = test::fixture(QStringLiteral("setup-QSOpref.txt"));
    t.writeFile(QStringLiteral("QSOpref.txt"), withLine(prefs, 20, "1"));
    frmStationID& w = openSetup(t);
    EXPECT_TRUE(w.Option2->Value());
    EXPECT_FALSE(w.Option1->Value());
    // The stored rover answer is still put in, though the question cannot be answered.
    EXPECT_TRUE(w.Option4->Value());
    for (Control* c : std::initializer_list<Control*>{w.Frame3, w.Option3, w.Option4}) {
        EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
    }
}

TEST_F(StationSetupTest, AnsweringNoClearsTheRoverAnswerAndYesEnablesItAgain) {
    install(t);
    frmStationID& w = openSetup(t);
    clickOption(w.Option2);
    EXPECT_TRUE(w.Option3->Value());
    EXPECT_FALSE(w.Option4->Value());
    EXPECT_FALSE(w.Frame3->Enabled());
    EXPECT_FALSE(w.Option4->Enabled());
    clickOption(w.Option1);
    EXPECT_TRUE(w.Frame3->Enabled());
    EXPECT_TRUE(w.Option4->Enabled());
    EXPECT_TRUE(w.Option3->Value());  // the rover answer stays No
}

TEST_F(StationSetupTest, EnterIsDoneInEveryBoxButTheCountryBox) {
    for (const char* name :
         {"Text1", "Text5", "Text8", "Text6", "Text3", "Text4", "Text7", "Text9", "Text2"}) {
        SCOPED_TRACE(name);
        test::TestApp app;
        install(app);
        frmStationID& w = openSetup(app);
        auto* box = static_cast<TextBox*>(w.control(QString::fromLatin1(name)));
        box->SetFocus();
        const QString before = box->Text();
        press(Qt::Key_Return);
        if (box == w.Text2) {
            EXPECT_TRUE(setupOpen(app));
            EXPECT_EQ(box->Text(), before);
            EXPECT_FALSE(app.app().forms().infrmSlot().isLoaded());
        } else {
            EXPECT_FALSE(setupOpen(app));
            EXPECT_TRUE(app.app().forms().infrmSlot().isLoaded());
        }
    }
}

TEST_F(StationSetupTest, TypedKeysAreFilteredBoxByBox) {
    install(t);
    frmStationID& w = openSetup(t);
    const struct {
        TextBox* box;
        const char* keys;
        const char* text;
    } cases[] = {
        {w.Text1, "k0a\"b/p", "K0AB/P"},  // upper case; no double quote in a record field
        {w.Text1, "w\xe9\xfc 9-z", "W9Z"},  // a call: letters, digits and "/" only
        {w.Text5, "on", "ON"},
        {w.Text8, "stl", "STL"},
        {w.Text7, "na", "NA"},
        {w.Text9, "ann", "ANN"},
        {w.Text6, "+-5.5a ", "-5.5"},      // "-" to "9" only
        {w.Text6, "12345678", "1234567"},  // at most 7 characters
        {w.Text3, "93/1,x", "93/1"},
        {w.Text4, "46.78", "46.78"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        c.box->setText(QString());
        typeInto(c.box, QString::fromLatin1(c.keys));
        EXPECT_EQ(c.box->Text(), QLatin1String(c.text));
    }
    EXPECT_EQ(t.beeper().count(), 0);
}

TEST_F(StationSetupTest, TheUTCBoxKeepsTheFocusUntilItHoldsANumber) {
    install(t);
    frmStationID& w = openSetup(t);
    const struct {
        const char* text;
        bool refused;
    } cases[] = {{"", true}, {"-", true}, {"5.", false}, {"-3.5", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        t.beeper().reset();
        w.Text6->setText(QString::fromLatin1(c.text));
        w.Text6->SetFocus();
        QCoreApplication::processEvents();
        press(Qt::Key_Tab);
        QCoreApplication::processEvents();  // the leaving handler runs once the Tab is done
        EXPECT_EQ(QApplication::focusWidget(), c.refused ? w.Text6 : w.Text2);
        EXPECT_EQ(t.beeper().count(), c.refused ? 1 : 0);
    }
}

TEST_F(StationSetupTest, TypingACountryCompletesItFromTheLastMatchingPrefixRow) {
    install(t);
    frmStationID& w = openSetup(t);
    w.Text2->setText(QString());
    typeInto(w.Text2, QStringLiteral("c"));
    // Chile, Canada and Cayman Islands begin with C: the row nearest the end wins.
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("Cayman Islands"));
    EXPECT_EQ(w.Text2->SelStart(), 1);
    EXPECT_EQ(w.Text2->SelLength(), 13);
    EXPECT_EQ(w.Text3->Text(), QStringLiteral("80.5"));
    EXPECT_EQ(w.Text4->Text(), QStringLiteral("19.5"));
    EXPECT_EQ(w.Text7->Text(), QStringLiteral("NA"));

    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("an"));
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("Canada"));
    EXPECT_EQ(w.Text2->SelStart(), 3);
    EXPECT_EQ(w.Text2->SelLength(), 3);
    EXPECT_EQ(w.Text3->Text(), QStringLiteral("80"));
    EXPECT_EQ(w.Text4->Text(), QStringLiteral("45"));

    press(Qt::Key_Backspace);  // never completes: takes the offered rest away
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("Can"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("Canx"));

    // Only the first character is upper-cased; the typed part keeps its case.
    w.Text2->setText(QString());
    typeInto(w.Text2, QStringLiteral("us"));
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("UsA"));
    EXPECT_EQ(w.Text7->Text(), QStringLiteral("NA"));
}

TEST_F(StationSetupTest, DoneSavesTheSettingsSharesThemAndOpensTheInStateWindow) {
    install(t);
    frmStationID& w = openSetup(t);
    clickOption(w.Option3);  // not a rover after all
    w.Text9->SetFocus();
    press(Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("e\r"));

    EXPECT_EQ(t.readFile(QStringLiteral("QSOpref.txt")),
              test::fixture(QStringLiteral("setup-QSOpref-done.txt")));
    const QByteArray expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K0XYZ</OWN_CALL>\r\n"
        "<OWN_SPC>MN</OWN_SPC>\r\n<OWN_UTC>5</OWN_UTC>\r\n<OWN_COUNTY>STL</OWN_COUNTY>\r\n"
        "<OWN_COUNTRY>USA</OWN_COUNTRY>\r\n<OWN_LONGITUDE>92.1</OWN_LONGITUDE>\r\n"
        "<OWN_LATITUDE>46.78</OWN_LATITUDE>\r\n<OWN_CONTINENT>NA</OWN_CONTINENT>\r\n"
        "<OWN_ARRL_SECTION>ANNE</OWN_ARRL_SECTION>\r\n";
    EXPECT_EQ(t.readFile(QStringLiteral("prefs.xml")), expected);

    EXPECT_FALSE(setupOpen(t));
    ASSERT_TRUE(t.app().forms().infrmSlot().isLoaded());
    EXPECT_TRUE(t.app().forms().Infrm().isVisible());
    EXPECT_FALSE(t.app().forms().outfrmSlot().isLoaded());
}

// A number box whose text is no number, or a number too large for the settings file: Done
// keeps the stored value, beeps, and shows and shares the stored value again.
TEST(StationSetupDoneTest, ANumberBoxWithoutAUsableNumberKeepsTheStoredValue) {
    QByteArray settings, shared;
    {
        // What Done writes when the boxes hold the stored values.
        test::TestApp t;
        install(t);
        frmStationID& w = openSetup(t);
        clickOption(w.Option2);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        ASSERT_EQ(t.beeper().count(), 0);
        settings = t.readFile(QStringLiteral("QSOpref.txt"));
        shared = t.readFile(QStringLiteral("prefs.xml"));
        ASSERT_TRUE(shared.contains("<OWN_UTC>5</OWN_UTC>"));
    }
    const std::pair<const char*, TextBox* frmStationID::*> boxes[] = {
        {"UTC offset", &frmStationID::Text6},
        {"longitude", &frmStationID::Text3},
        {"latitude", &frmStationID::Text4}};
    const QString texts[] = {QStringLiteral("89.691.87"), QStringLiteral("abc"), QString(),
                             QStringLiteral("-"),
                             QStringLiteral("1") + QString(40, QLatin1Char('0'))};  // too large
    for (const auto& [name, box] : boxes) {
        for (const QString& text : texts) {
            SCOPED_TRACE(std::string(name) + " \"" + text.toStdString() + "\"");
            test::TestApp t;
            install(t);
            frmStationID& w = openSetup(t);
            const StationSettings stored = t.app().station();
            clickOption(w.Option2);
            (w.*box)->setText(text);
            QTest::mouseClick(w.Command1, Qt::LeftButton);

            EXPECT_EQ(t.beeper().count(), 1);
            const StationSettings& s = t.app().station();
            EXPECT_EQ(s.UTCOffsetHours, stored.UTCOffsetHours);
            EXPECT_EQ(s.OwnLongitude, stored.OwnLongitude);
            EXPECT_EQ(s.OwnLatitude, stored.OwnLatitude);
            EXPECT_EQ(t.readFile(QStringLiteral("QSOpref.txt")), settings);
            EXPECT_EQ(t.readFile(QStringLiteral("prefs.xml")), shared);
            // Done still goes on to the logging window the answer selects.
            EXPECT_EQ(s.OutOfStateFlag, 1);
            EXPECT_TRUE(t.app().forms().outfrmSlot().isLoaded());
            EXPECT_FALSE(setupOpen(t));
        }
    }
}

TEST_F(StationSetupTest, AnUnwritableSharedFileIsReportedAndTheLogStillOpens) {
    install(t);
    t.files().setFault([](Files::Op, const QString& path) {
        if (path.endsWith(QLatin1String("prefs.xml"))) {
            throw Error(err::kPermissionDenied, QStringLiteral("Permission denied"));
        }
    });
    frmStationID& w = openSetup(t);
    t.dialogs().answerMessage(Answer::OK);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_GE(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].text, QStringLiteral("Permission denied"));
    EXPECT_EQ(t.readFile(QStringLiteral("QSOpref.txt")).left(9), QByteArray("\"K0XYZ\"\r\n"));
    EXPECT_TRUE(t.app().forms().infrmSlot().isLoaded());
    EXPECT_FALSE(setupOpen(t));
}

TEST_F(StationSetupTest, ATinyStoredNumberShowsWithoutAnExponentAndSurvivesDone) {
    install(t);
    const QByteArray prefs = test::fixture(QStringLiteral("setup-QSOpref.txt"));
    t.writeFile(QStringLiteral("QSOpref.txt"), withLine(prefs, 13, "1E-05"));
    frmStationID& w = openSetup(t);
    EXPECT_EQ(w.Text4->Text(), QStringLiteral("0.00001"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(t.app().station().OwnLatitude, 1e-5f);
}

TEST_F(StationSetupTest, AFirstRunReportsEachMissingFileAndDoneStillStartsTheLog) {
    frmStationID& w = openSetup(t);  // an empty working folder
    // Each reading step fails on its own and the load goes on: the settings, the states and
    // the voice keyer's file are reported; a missing prefix table is silent.
    const auto msgs = t.dialogs().messages();
    ASSERT_EQ(msgs.size(), 3u);
    for (const auto& m : msgs) {
        EXPECT_EQ(m.text, QStringLiteral("Error opening file"));
        EXPECT_EQ(m.title, QStringLiteral("Error opeining file"));
    }
    for (TextBox* box : {w.Text1, w.Text5, w.Text8, w.Text2, w.Text7, w.Text9}) {
        EXPECT_EQ(box->Text(), QString()) << box->Name().toStdString();
    }
    EXPECT_EQ(t.app().tables().prefixes.PrefixCount, 0);
    // No "cw.txt": the CW window is not touched, and loads with its design values later.
    EXPECT_FALSE(t.app().forms().cwFrmSlot().isLoaded());
    EXPECT_EQ(t.app().forms().CWFrm().Text11->Text(), QStringLiteral("13"));

    typeInto(w.Text1, QStringLiteral("n0new"));
    clickOption(w.Option2);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(t.app().forms().outfrmSlot().isLoaded());
    StationSettings saved;
    ReadQSOPref(saved, t.files());
    EXPECT_EQ(saved.OwnCall, QStringLiteral("N0NEW"));
    EXPECT_EQ(saved.OutOfStateFlag, 1);
    EXPECT_EQ(saved.ContestState, QStringLiteral("MN"));
}

TEST_F(StationSetupTest, AFirstRunStillLoadsTheTables) {
    install(t);
    t.files().remove(QStringLiteral("QSOpref.txt"));
    frmStationID& w = openSetup(t);
    EXPECT_GT(t.app().tables().prefixes.PrefixCount, 0);
    EXPECT_EQ(t.app().tables().StateLocations[1].LocationCode.size(), 2);
    EXPECT_EQ(w.Text1->Text(), QString());
}

TEST_F(StationSetupTest, AFailedReadingStepIsReportedAndTheStationStillShows) {
    const QByteArray states = test::shippedData(QStringLiteral("states.txt"));
    const QByteArray wave = test::shippedData(QStringLiteral("wave2.txt"));
    QByteArray bigPrefixes;
    for (int i = 0; i <= 10000; ++i) bigPrefixes += "\"K\",\"USA\",\"NA\",90,40,5,8,291\r\n";
    const struct {
        const char* what;
        std::function<void(test::TestApp&)> spoil;
        bool voiceRead;
    } cases[] = {
        {"no states.txt", [](test::TestApp& a) { a.files().remove(QStringLiteral("states.txt")); },
         false},
        {"49 states",
         [&](test::TestApp& a) {
             a.writeFile(QStringLiteral("states.txt"), states.left(states.lastIndexOf("\"")));
         },
         false},
        {"10001 prefixes",
         [&](test::TestApp& a) { a.writeFile(QStringLiteral("arrlpre2.txt"), bigPrefixes); },
         false},
        {"no wave2.txt", [](test::TestApp& a) { a.files().remove(QStringLiteral("wave2.txt")); },
         false},
        {"12 voice values",
         [&](test::TestApp& a) {
             a.writeFile(QStringLiteral("wave2.txt"), wave.left(wave.lastIndexOf("\"&H378\"")));
         },
         false},
        {"voice repeat not a number",
         [&](test::TestApp& a) {
             a.writeFile(QStringLiteral("wave2.txt"), withLine(wave, 12, "\"x\""));
         },
         true},
        {"voice repeat too long",
         [&](test::TestApp& a) {
             a.writeFile(QStringLiteral("wave2.txt"), withLine(wave, 12, "\"66\""));
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestApp app;
        install(app);
        c.spoil(app);
        frmStationID& w = openSetup(app);
        ASSERT_EQ(app.dialogs().messages().size(), 1u);
        EXPECT_EQ(app.dialogs().messages()[0].title, QStringLiteral("Error opeining file"));
        // The reading goes on with its next step: the CW keyer's file is still read.
        EXPECT_EQ(app.app().forms().CWFrm().Text11->Text(), QStringLiteral("22"));
        EXPECT_EQ(app.app().forms().PhoneFrm().txtPHLoop->Text() != QStringLiteral("0"),
                  c.voiceRead);
        // What was read still shows, so Done keeps the station as it was.
        EXPECT_EQ(w.Text1->Text(), QStringLiteral("K0XYZ"));
        EXPECT_TRUE(w.Option1->Value());
        EXPECT_TRUE(w.Option4->Value());
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        StationSettings saved;
        ReadQSOPref(saved, app.files());
        EXPECT_EQ(saved.OwnName, QStringLiteral("ANN"));
        EXPECT_EQ(saved.OwnCategory, QStringLiteral("SO"));
        EXPECT_EQ(saved.OwnCity, QStringLiteral("Duluth"));
        EXPECT_EQ(saved.RoverFlag, 1);
    }
}

TEST_F(StationSetupTest, ACWFileThatCannotBeReadIsPassedOverQuietly) {
    install(t);
    t.files().remove(QStringLiteral("cw.txt"));
    frmStationID& w = openSetup(t);
    EXPECT_TRUE(t.dialogs().shown().empty());
    EXPECT_EQ(t.app().forms().CWFrm().Text11->Text(), QStringLiteral("13"));
    EXPECT_EQ(w.Text9->Text(), QStringLiteral("ANN"));
}

TEST_F(StationSetupTest, SettingsCutShortKeepTheHiddenValuesTheyHeld) {
    install(t);
    const QByteArray prefs = test::fixture(QStringLiteral("setup-QSOpref.txt"));
    t.writeFile(QStringLiteral("QSOpref.txt"), prefs.left(prefs.indexOf("\"CW\"")));
    frmStationID& w = openSetup(t);
    EXPECT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("K0XYZ"));  // what was read still shows
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    StationSettings saved;
    ReadQSOPref(saved, t.files());
    EXPECT_EQ(saved.OwnCategory, QStringLiteral("SO"));
    EXPECT_EQ(saved.OwnCity, QStringLiteral("Duluth"));
}

TEST_F(StationSetupTest, ADamagedValueIsNamedAndTheFileCopiedBeforeAnythingRewritesIt) {
    install(t);
    t.clock().set(QDateTime(QDate(2026, 6, 13), QTime(12, 0, 0)), 5 * 3600);
    const QByteArray damaged =
        withLine(test::fixture(QStringLiteral("setup-QSOpref.txt")), 11, "abc");
    t.writeFile(QStringLiteral("QSOpref.txt"), damaged);
    QDir().mkpath(t.root() + QStringLiteral("/data"));  // as the start sequence leaves it
    frmStationID& w = openSetup(t);
    const QString copy = t.root() + QStringLiteral("/data/BACKUP/QSOpref-20260613120000.txt");
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Error opeining file"));
    EXPECT_EQ(t.dialogs().messages()[0].text,
              QStringLiteral("Error opening file\r\n\r\nQSOpref.txt: line 11 holds abc, which "
                             "does not read as a number.\r\n\r\nEvery other value was read. "
                             "The file as it was is saved as:\r\n") +
                  copy);
    EXPECT_EQ(t.readFile(copy), damaged);
    // The values after the damaged one were read and show; Done saves them, not defaults.
    EXPECT_EQ(w.Text9->Text(), QStringLiteral("ANN"));
    EXPECT_EQ(w.Text3->Text(), QStringLiteral("92.1"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    StationSettings saved;
    ReadQSOPref(saved, t.files());
    EXPECT_EQ(saved.OwnLatitude, 46.78f);
    EXPECT_EQ(saved.WorkedColor, 32768);
    EXPECT_EQ(saved.RoverFlag, 1);
    EXPECT_EQ(t.readFile(copy), damaged);
}

TEST_F(StationSetupTest, AFifoNamedQSOprefIsNamedAndNeverWaitedOnOrReplaced) {
    install(t);
    const QByteArray name = QFile::encodeName(t.path(QStringLiteral("QSOpref.txt")));
    QFile::remove(t.path(QStringLiteral("QSOpref.txt")));
    ASSERT_EQ(::mkfifo(name.constData(), 0666), 0);
    frmStationID& w = openSetup(t);
    ASSERT_FALSE(t.dialogs().messages().empty());
    EXPECT_EQ(t.dialogs().messages()[0].text,
              QStringLiteral("Error opening file\r\n\r\nQSOpref.txt is a named pipe (FIFO), not a "
                             "regular file, so it was not opened."));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    struct stat st {};
    ASSERT_EQ(::lstat(name.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    QFile::remove(t.path(QStringLiteral("QSOpref.txt")));
}

TEST_F(StationSetupTest, TheWindowFrameCannotCloseIt) {
    install(t);
    frmStationID& w = openSetup(t);
    w.close();
    EXPECT_TRUE(setupOpen(t));
    EXPECT_TRUE(w.isVisible());
}

// ---- the keyer settings files

QByteArray voiceFile(const QByteArray& line11, const QByteArray& repeat) {
    QByteArray f;
    for (int i = 1; i <= 9; ++i) f += "\"F" + QByteArray::number(i) + ".wav\"\r\n";
    return f + "\"2\"\r\n" + line11 + "\r\n" + repeat + "\r\n\"&H3BC\"\r\n";
}

TEST(KeyerSettingsFiles, VoiceValuesGoToTheirControlsUntilOneIsRefused) {
    const struct {
        const char* line11;
        const char* repeat;
        int option;  // starting from Option2
        int interval;
        bool fails;
    } cases[] = {
        {"", "\"0\"", 1, 0, false},  // nothing chosen: RTS
        {"0", "\"1.5\"", 1, 1500, false},
        {"1", "\"65.535\"", 2, 65535, false},
        {"2", "\"0\"", 3, 0, false},
        {"7", "\"0\"", 2, 0, false},      // unknown line: the window keeps its choice
        {"0", "\"65.536\"", 1, 0, true},  // beyond a timer's interval
        {"0", "\"-1\"", 1, 0, true},
        {"0", "\"soon\"", 1, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line11) + " " + c.repeat);
        test::TestApp t;
        PhoneFrm& v = t.app().forms().PhoneFrm();
        v.Option2->setValue(true);
        const QByteArray file = voiceFile(c.line11, c.repeat);
        if (c.fails) {
            EXPECT_THROW(v.LoadVoiceSettings(file), Error);
            EXPECT_EQ(v.Text11->Text(), QStringLiteral("&H378"));  // not reached
        } else {
            v.LoadVoiceSettings(file);
            EXPECT_EQ(v.tmrRepeat->Interval(), c.interval);
            EXPECT_EQ(v.Text11->Text(), QStringLiteral("&H3BC"));
        }
        const OptionButton* options[] = {v.Option1, v.Option2, v.Option3};
        EXPECT_TRUE(options[c.option - 1]->Value());
        EXPECT_EQ(v.Text9->Text(), QStringLiteral("F9.wav"));
        EXPECT_EQ(v.Text10->Text(), QStringLiteral("2"));
    }
}

// ---- the UTC-offset check

class UTCOffsetCheckTest : public ::testing::Test {
protected:
    test::TestApp t;
    StationSettings s;
};

TEST_F(UTCOffsetCheckTest, AsksOnlyWhenTheClockDisagrees) {
    const struct {
        int localSecond;
        qint64 utcAhead;
        float stored;
        const char* proposed;  // nullptr: no question
    } cases[] = {
        {0, 6 * 3600, 6, nullptr},      {0, 0, 0, nullptr},      {0, 5 * 3600, 6, "5"},
        {0, 5 * 3600 + 1800, 5, "5.5"}, {0, -3 * 3600, 0, "-3"}, {0, 20 * 60, 0, "0.33"},
        {59, 5 * 3600 + 1, 5, "5.02"},  // minute boundaries crossed: 12:00 to 17:01
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utcAhead);
        t.dialogs().clearShown();
        t.clock().set(QDateTime(QDate(2026, 6, 13), QTime(12, 0, c.localSecond), Qt::UTC),
                      c.utcAhead);
        s.UTCOffsetHours = c.stored;
        if (c.proposed) t.dialogs().answerInputCancel();
        CheckUTCOffset(s, t.app().platform());
        if (!c.proposed) {
            EXPECT_TRUE(t.dialogs().shown().empty());
            continue;
        }
        ASSERT_EQ(t.dialogs().shown().size(), 1u);
        EXPECT_EQ(t.dialogs().shown()[0].defaultText, QLatin1String(c.proposed));
        EXPECT_EQ(s.UTCOffsetHours, c.stored);  // Cancel keeps it
    }
    EXPECT_FALSE(t.files().fileExists(QStringLiteral("QSOpref.txt")));
}

TEST_F(UTCOffsetCheckTest, ThePromptTellsBothTimesAndBothOffsets) {
    s.UTCOffsetHours = 6;
    t.dialogs().answerInputCancel();
    CheckUTCOffset(s, t.app().platform());
    ASSERT_EQ(t.dialogs().shown().size(), 1u);
    EXPECT_EQ(t.dialogs().shown()[0].title, QStringLiteral("Update the Local Time / UTC Offset?"));
    EXPECT_EQ(t.dialogs().shown()[0].text,
              QStringLiteral("Would you like to adjust the UTC offset in this program for your "
                             "local time setting?\r\n\r\nCurrent System Time: 17:00\r\n\r\n"
                             "Current Local Time: 12:00\r\n\r\nRecommended Offset Setting: 5\r\n"
                             "\r\nCurrent Offset Setting: 6\r\n\r\nPlease click OK to accept the "
                             "recommended change or Cancel to keep the current setting."));
}

TEST_F(UTCOffsetCheckTest, ANumericAnswerIsStoredAndSaved) {
    const struct {
        const char* answer;
        float stored;
    } cases[] = {
        {"4.5", 4.5f},
        {"abc", 6},
        {"-", 6},
        {"1e3", 6},
        {"100000000000000000000000000000000000000000", 6},  // too large: the old value stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        t.files().remove(QStringLiteral("QSOpref.txt"));
        s.UTCOffsetHours = 6;
        t.dialogs().answerInput(QString::fromLatin1(c.answer));
        CheckUTCOffset(s, t.app().platform());
        EXPECT_EQ(s.UTCOffsetHours, c.stored);
        const bool saved = t.files().fileExists(QStringLiteral("QSOpref.txt"));
        EXPECT_EQ(saved, c.stored != 6);
        if (saved) {
            EXPECT_EQ(t.readFile(QStringLiteral("QSOpref.txt")), encodeQSOPref(s));
        }
    }
}

}  // namespace
}  // namespace qf
