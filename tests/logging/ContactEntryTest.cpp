#include "common/QuotedFieldLine.h"
#include "logging/LoggingFixture.h"
#include "platform/Error.h"
#include "platform/Keys.h"

#include <QImage>
#include <QMenu>
#include <QScreen>

namespace qf {
namespace {

using test::LoggingFixture;

class ContactEntryTest : public LoggingFixture {
  protected:
    Outfrm& w() { return *t.app().forms().outfrmSlot().peek(); }
    QString statusLine() { return w().lblDialog->Caption(); }
    void minute() { t.clock().advance(60 * 1000); }
};

// Keys typed while Enter is still saving the contact (they arrive at the window during the
// attempt's pause) start the next call: none lands in the stored row and vanishes with it.
TEST_F(ContactEntryTest, KeysTypedWhileAContactIsSavedStartTheNextCall) {
    writeLog({});
    openOut();
    type(QStringLiteral("w1aw bob ait"));
    QWidget* county = QApplication::focusWidget();
    ASSERT_EQ(county, w().txtSec);
    for (const auto& [key, text] :
         {std::pair{Qt::Key_K, QStringLiteral("k")}, std::pair{Qt::Key_0, QStringLiteral("0")}}) {
        QCoreApplication::postEvent(county,
                                    new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
        QCoreApplication::postEvent(county,
                                    new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
    }
    QTest::keyClick(county, Qt::Key_Return);
    settle();
    ASSERT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(t.app().log()[1].CountyRcvd, QStringLiteral("AIT"));
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("K0"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);
}

// A short out-of-state contest typed key by key: contacts, a dupe, the same station from
// another county, a missing field, a bad county and a post-contest entry.
TEST_F(ContactEntryTest, AWholeContestFromTheKeyboard) {
    writeLog({});
    openOut();
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);  // typing starts in the call box

    // The first key before Time On is refused with a hint; Enter logs on by itself.
    minute();
    type(QStringLiteral("w"));
    EXPECT_EQ(statusLine(), QStringLiteral("Click Log \"Time On\"!"));
    type(QStringLiteral("1aw bob ait\n"));
    EXPECT_EQ(t.app().run().LoggedOn, 1);
    EXPECT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);
    EXPECT_TRUE(w().txtRSTR->Text().isEmpty());

    // A county typed by its name is logged as its abbreviation.
    minute();
    type(QStringLiteral("k0abc sue hennepin\n"));
    EXPECT_EQ(t.app().log().QSOCount, 2);

    // The same call: leaving the call box warns and fills name and county; Enter is a dupe.
    minute();
    type(QStringLiteral("w1aw "));
    EXPECT_EQ(statusLine(),
              QStringLiteral("Duplicate Unless Rover!  W1AW  2026/09/12  15:01:00   Rec#  1"));
    EXPECT_EQ(w().txtRSTR->Text(), QStringLiteral("BOB"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("AIT"));
    type(QStringLiteral("\n"));
    EXPECT_EQ(statusLine(), QStringLiteral("Duplicate W1AW  2026/09/12  15:01:00   Rec#  1"));
    EXPECT_EQ(w().lblDialog->BackColor(), 255u);
    EXPECT_EQ(t.app().log().QSOCount, 2);
    EXPECT_TRUE(w().txtCall->Text().isEmpty());
    EXPECT_EQ(t.app().run().LastDupeTime.time(), QTime(10, 3, 0));

    // The same station from another county (a rover) is logged.
    minute();
    type(QStringLiteral("w1aw  c\n"));
    EXPECT_EQ(t.app().log().QSOCount, 3);

    // A missing name and county: the last failing check's message stays, nothing is stored.
    type(QStringLiteral("k9zz  \n"));
    EXPECT_EQ(statusLine(), QStringLiteral(" is not a valid county!"));
    EXPECT_EQ(t.app().log().QSOCount, 3);
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("K9ZZ"));
    key(Qt::Key_Escape);
    EXPECT_TRUE(w().txtCall->Text().isEmpty());

    // A county that does not exist.
    type(QStringLiteral("k9zz al xyz\n"));
    EXPECT_EQ(statusLine(), QStringLiteral("XYZ is not a valid county!"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtSec);
    key(Qt::Key_Escape);

    // After the contest: a typed date and time.
    w().mnuPostContest->action()->trigger();
    EXPECT_TRUE(w().txtPostConDate->Visible());
    w().txtCall->SetFocus();
    settle();
    type(QStringLiteral("n0pc pat wsh"));
    w().txtPostConDate->SetFocus();
    settle();
    EXPECT_EQ(w().txtPostConDate->Text(), QStringLiteral("2026/09/12"));  // today, selected
    type(QStringLiteral("2026/9/13 930x\n"));
    EXPECT_EQ(t.app().log().QSOCount, 4);

    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")),
              test::fixture(QStringLiteral("contest-out-of-state.txt")));
    EXPECT_EQ(w().lblTotCon->Caption(), QStringLiteral("4"));
    EXPECT_EQ(w().lblTotSec->Caption(), QStringLiteral("4"));
    EXPECT_EQ(w().lblTotScore->Caption(), QStringLiteral("32"));
    EXPECT_EQ(w().lblStation.at(5)->Caption(), QStringLiteral("Counties Worked - 4"));
    EXPECT_EQ(w().ListView1->count(), 4);
    EXPECT_EQ(w().ListView1->text(1, 1), QStringLiteral("N0PC"));
}

// What the window shows, not only what the list holds: Enter leaves the paint to the event loop,
// and once that has run the screen holds the list as it now stands, the new contact on top.
TEST_F(ContactEntryTest, TheScreenShowsTheNewContactOnceTheEventLoopHasRun) {
    writeLog({});
    openOut();
    type(QStringLiteral("w1aw bob ait\n"));
    minute();
    type(QStringLiteral("k0abc sue hen\n"));
    ASSERT_EQ(w().ListView1->count(), 2);
    EXPECT_EQ(w().ListView1->text(1, 1), QStringLiteral("K0ABC"));
    QWidget* rows = w().ListView1->viewport();
    const QPoint at = rows->mapTo(&w(), QPoint(0, 0));
    const QImage onScreen =
        w().screen()
            ->grabWindow(w().winId(), at.x(), at.y(), rows->width(), rows->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    const QImage asItStands = rows->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(onScreen.isNull());
    EXPECT_TRUE(onScreen == asItStands) << "the screen still shows an earlier list";
}

TEST_F(ContactEntryTest, CountyTypeAheadAndTheDigitHandOver) {
    writeLog({});
    openOut();
    w().txtCall->setText(QStringLiteral("K1ABC"));
    w().txtSec->SetFocus();
    settle();
    type(QStringLiteral("c"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("CRL"));  // the first county in table order
    EXPECT_EQ(w().txtSec->SelStart(), 1);
    EXPECT_EQ(w().txtSec->SelLength(), 2);
    type(QStringLiteral("rv"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("CRV"));
    type(QStringLiteral("q"));  // matches nothing: typed as it is
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("CRVQ"));
    // A digit in the county box is the RST sent: the box keeps its text, the focus goes on.
    type(QStringLiteral("5"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("CRVQ"));
    EXPECT_EQ(w().txtRSTS->Text(), QStringLiteral("5"));
    EXPECT_EQ(t.app().run().CWMacroValues.MacroRstSent, QStringLiteral("5"));
    EXPECT_EQ(t.app().run().HandOverTarget, 0);
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);
    // Typing at the start of the box begins a new entry.
    w().txtSec->SetFocus();
    w().txtSec->setSelStart(0);
    type(QStringLiteral("h"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));
}

TEST_F(ContactEntryTest, SpaceAndEnterMoveAndLogAndCallMacrosFollowTheBox) {
    writeLog({});
    openOut();
    w().cmdLogOn->Press();
    settle();
    type(QStringLiteral("k1xyz"));
    EXPECT_EQ(t.app().run().CWMacroValues.MacroCall, QStringLiteral("K1XYZ"));
    type(QStringLiteral(" "));
    EXPECT_EQ(QApplication::focusWidget(), w().txtRSTR);
    type(QStringLiteral("ann "));
    EXPECT_EQ(QApplication::focusWidget(), w().txtSec);
    EXPECT_EQ(w().txtRSTR->Text(), QStringLiteral("ANN"));
    type(QStringLiteral(" "));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);
    // Recall brings back the last contact's call and name.
    w().mnuClear->action()->trigger();
    settle();
    EXPECT_TRUE(t.app().run().CWMacroValues.MacroCall.isEmpty());
    w().mnuRecall->action()->trigger();
    EXPECT_TRUE(w().txtCall->Text().isEmpty());  // nothing logged yet
    t.app().log()[++t.app().log().QSOCount].Call = QStringLiteral("W9OLD");
    t.app().log()[t.app().log().QSOCount].NameRcvd = QStringLiteral("OLD");
    w().mnuRecall->action()->trigger();
    settle();
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("W9OLD"));
    EXPECT_EQ(w().txtRSTR->Text(), QStringLiteral("OLD"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtSec);
}

TEST_F(ContactEntryTest, PossibleDupesAsTheCallIsTyped) {
    QSORecord a, b, c;
    a.Call = QStringLiteral("W1AW");
    b.Call = QStringLiteral("W1AX");
    c.Call = QStringLiteral("W1AY");
    for (QSORecord* q : {&a, &b}) {
        q->Mode = QStringLiteral("PH");
        q->Band = QStringLiteral("20");
    }
    c.Mode = QStringLiteral("CW");  // another mode: not listed
    c.Band = QStringLiteral("20");
    writeLog({a, b, c});
    openOut();
    w().cmdLogOn->Press();
    settle();
    type(QStringLiteral("w1a"));
    EXPECT_EQ(w().lblDupe->Caption(), QStringLiteral("W1AX W1AW "));
    EXPECT_EQ(w().lblDupe->BackColor(), 0xC0C000u);
    type(QStringLiteral("w"));
    EXPECT_EQ(w().lblDupe->Caption(), QStringLiteral("W1AW "));
    EXPECT_EQ(statusLine(), QStringLiteral("Possible Duplicate!"));
    w().cmdDup->Press();
    EXPECT_EQ(w().cmdDup->Caption(), QStringLiteral("Off"));
    key(Qt::Key_Backspace);
    EXPECT_TRUE(w().lblDupe->Caption().isEmpty());
    key(Qt::Key_Escape);
    type(QStringLiteral("abc"));
    EXPECT_EQ(statusLine(), QStringLiteral("The second or third character is not numeric!"));
}

TEST_F(ContactEntryTest, RefusedEntriesNeverReachTheLog) {
    writeLog({});
    openOut();
    w().cmdLogOn->Press();
    settle();
    // A double quote handed in by code (typing drops it) is refused by the logging itself.
    w().txtCall->setText(QStringLiteral("K1\"Q"));
    w().txtRSTR->setText(QStringLiteral("AL"));
    w().txtSec->setText(QStringLiteral("AIT"));
    w().Mains();
    EXPECT_EQ(t.app().log().QSOCount, 0);
    EXPECT_EQ(statusLine(), QStringLiteral("Double quotes and line breaks cannot be logged!"));
    EXPECT_TRUE(t.readFile(QStringLiteral("log.txt")).isEmpty());

    // A full log refuses the 11001st contact with a beep.
    t.app().log().QSOCount = kLogCapacity;
    w().txtCall->setText(QStringLiteral("K1NEW"));
    const int beeps = t.beeper().count();
    w().Mains();
    EXPECT_EQ(t.app().log().QSOCount, kLogCapacity);
    EXPECT_EQ(statusLine(), QStringLiteral("The log is full: 11000 contacts!"));
    EXPECT_EQ(t.beeper().count(), beeps + 1);
    t.app().log().QSOCount = 0;

    // A failed append is reported; the row stays on screen instead of being cleared as logged.
    t.files().setFault([](Files::Op op, const QString&) {
        if (op == Files::Op::Append)
            throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
    });
    w().Mains();
    EXPECT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("K1NEW"));
    EXPECT_EQ(statusLine(), QStringLiteral("Kept in memory only: log.txt could not be written!"));
    EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Unable to write file."));
    // The next contact, once the disk is back, writes both.
    t.files().setFault({});
    w().ClearEntry();
    type(QStringLiteral("k2new al ait\n"));
    EXPECT_EQ(t.app().log().QSOCount, 2);
    RecordReader r(t.readFile(QStringLiteral("log.txt")));
    QStringList calls;
    while (!r.atEnd()) calls << readRecord(r).Call;
    EXPECT_EQ(calls, (QStringList{"K1NEW", "K2NEW"}));
}

TEST_F(ContactEntryTest, KeyboardHub) {
    writeLog({});
    openOut();
    w().cmdLogOn->Press();
    settle();
    // Hot keys of windows still to come open nothing and type nothing (Ctrl+C and Ctrl+S open
    // the CW window, Ctrl+R the rig window, Ctrl+D the spotting window, Ctrl+P the voice
    // window, Ctrl+B the spectrum map, Ctrl+F and Ctrl+G the privilege chart and the tuning
    // window: see the keying, rig, spots and rig tool window tests); Ctrl alone swallows the
    // next character.
    for (Qt::Key k : {Qt::Key_V}) {
        key(k, Qt::ControlModifier);
    }
    EXPECT_TRUE(w().txtCall->Text().isEmpty());
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Control, Qt::ControlModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Control);
    type(QStringLiteral("ab'\"c"));
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("BC"));

    // Keyboard CW: F12 in CW mode with a keying interface; typing is keyed, not entered.
    RunState& run = t.app().run();
    t.app().station().CurrentMode = QStringLiteral("CW");
    run.CWKeyingInterface = 1;
    key(Qt::Key_F12);
    EXPECT_EQ(run.KeyboardCWMode, 1);
    EXPECT_EQ(statusLine(), QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit."));
    EXPECT_EQ(w().lblDialog->BackColor(), 0xC0FFFFu);
    type(QStringLiteral("tu'"));
    EXPECT_TRUE(run.CWSendBuffer.isEmpty());  // the send loop has keyed it
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("BC"));
    // In phone mode typing goes to the boxes again, without F12.
    t.app().station().CurrentMode = QStringLiteral("PH");
    type(QStringLiteral("d"));
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("BCD"));
    // Esc while sending only empties the buffer; once idle it clears the row.
    run.CWSending = 1;
    key(Qt::Key_Escape);
    EXPECT_TRUE(run.CWSendBuffer.isEmpty());
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("BCD"));
    run.CWSending = 0;
    key(Qt::Key_Escape);
    EXPECT_TRUE(w().txtCall->Text().isEmpty());
    // Any key stops a repeating message.
    run.CWRepeatActive = 1;
    run.CWSendBuffer = QStringLiteral("CQ");
    key(Qt::Key_F1);
    EXPECT_EQ(run.CWRepeatActive, 0);
    EXPECT_TRUE(run.CWSendBuffer.isEmpty());
}

TEST_F(ContactEntryTest, BearingAndDistance) {
    writeLog({});
    Outfrm& win = openOut();
    StationSettings& st = t.app().station();
    st.OwnLatitude = 45;
    st.OwnLongitude = 93;
    struct Case {
        float lat, lon;
        const char* bearing;
        const char* miles;
    };
    for (const Case& c : {Case{55, 92.99f, " ", "690 "},         // just east of north: rounds to 0
                          Case{55, 93, "360 ", "690 "},          // due north still has a bearing
                          Case{35, 93, "180 ", "690 "},          // due south
                          Case{45, 93, "", ""},                  // the station itself: nothing
                          Case{40.7f, 74, "101 ", "1,004 "}}) {  // New York, to the east
        win.BearingDistance(c.lat, c.lon);
        EXPECT_EQ(win.Label22->Caption(), QString::fromLatin1(c.bearing)) << c.lat << "," << c.lon;
        EXPECT_EQ(win.Label23->Caption(), QString::fromLatin1(c.miles)) << c.lat << "," << c.lon;
    }
}

TEST_F(ContactEntryTest, InStateDigitHandOverAndStateBox) {
    StationSettings& st = t.app().station();
    st.OutOfStateFlag = 0;
    writeLog({});
    Infrm& in = open(&Forms::Infrm);
    in.cmdLogOn->Press();
    settle();
    type(QStringLiteral("k0ab"));
    type(QStringLiteral("5"));  // a digit after a complete call goes to the county box
    EXPECT_EQ(in.txtCall->Text(), QStringLiteral("K0AB"));
    EXPECT_EQ(t.app().run().HandOverTarget, 4);
    EXPECT_EQ(QApplication::focusWidget(), in.txtRSTR);
    in.ClearEntry();
    EXPECT_EQ(t.app().run().HandOverTarget, 0);  // cleared with the row
    settle();
    type(QStringLiteral("k0/p5"));  // "/" stops the hand-over
    EXPECT_EQ(in.txtCall->Text(), QStringLiteral("K0/P5"));
    // The state box offers the contest state and follows what it holds.
    in.txtCntry->SetFocus();
    settle();
    in.txtCntry->setText(QString());
    in.txtCntry_GotFocus();
    EXPECT_EQ(in.txtCntry->Text(), QStringLiteral("MN"));
    EXPECT_TRUE(in.lblStation.at(4)->Enabled());
    in.txtCntry->setText(QStringLiteral("OH"));
    EXPECT_FALSE(in.lblStation.at(4)->Enabled());
    EXPECT_FALSE(in.Label3->Visible());
    st.CurrentBand = QStringLiteral("2");
    in.txtCntry->setText(QStringLiteral("Germany"));  // no DX list on 2 m: always new
    EXPECT_TRUE(in.Label3->Visible());
    in.txtCntry->setText(QStringLiteral("Canada"));
    EXPECT_FALSE(in.Label3->Visible());
}

}  // namespace
}  // namespace qf
