// The in-state window's help while a contact is typed, through real keys: the possible-dupes
// line, the look back when the call box is left, the country of the call, the Canadian
// provinces, the St/Prv/Country completion, the county box and the digit hand-over.
#include "logging/LoggingFixture.h"

namespace qf {
namespace {

using test::LoggingFixture;

constexpr quint32 kRed = 255, kTeal = 0xC0C000;

QSORecord contact(const char* call, const char* spc, const char* county, const char* band = "20",
                  const char* sent = "AIT", const char* name = "AL", const char* mode = "PH") {
    QSORecord q;
    q.Call = QString::fromLatin1(call);
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QString::fromLatin1(name);
    q.SPC = QString::fromLatin1(spc);
    q.CountyRcvd = QString::fromLatin1(county);
    q.CountySent = QString::fromLatin1(sent);
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:00:00");
    q.Mode = QString::fromLatin1(mode);
    q.Band = QString::fromLatin1(band);
    return q;
}

class InStateLookupsTest : public LoggingFixture {
  protected:
    InStateLookupsTest() {
        t.installShipped({"arrlpre2.txt", "states.txt"});
        StationSettings& st = t.app().station();
        st.OutOfStateFlag = 0;
        st.OwnSPC = QStringLiteral("MN");
        st.OwnCounty = QStringLiteral("AIT");
        st.OwnLatitude = 46.6f;
        st.OwnLongitude = 93.6f;
        ReferenceTables& tables = t.app().tables();
        LoadPrefixTable(tables.prefixes, t.app().startup(), t.files());
        LoadStateLocations(tables.StateLocations, t.files());
    }
    // The window, logged on, with the focus in the call box.
    Infrm& openIn(const std::vector<QSORecord>& log = {}) {
        writeLog(log);
        Infrm& in = open(&Forms::Infrm);
        in.cmdLogOn->Press();
        settle();
        return in;
    }
    Infrm& w() { return *t.app().forms().infrmSlot().peek(); }
    QWidget* focus() { return QApplication::focusWidget(); }
    QString status() { return w().lblDialog->Caption(); }
};

TEST_F(InStateLookupsTest, ThePossibleDupesLineListsOnlyTheOwnCountyNowInUse) {
    openIn({contact("K0AB", "MN", "HEN"), contact("K0AC", "MN", "HEN", "20", "CRW"),
            contact("K0AD", "MN", "HEN", "40"),
            contact("K0AE", "MN", "HEN", "20", "AIT", "AL", "CW"), contact("K0AF", "MN", "HEN")});
    type(QStringLiteral("k0"));
    // Newest first; a box of one character before the key calls nothing a possible duplicate.
    EXPECT_EQ(w().lblDupe->Caption(), QStringLiteral("K0AF K0AB "));
    EXPECT_EQ(w().lblDupe->BackColor(), kTeal);
    EXPECT_EQ(status(), QStringLiteral(" "));
    type(QStringLiteral("a"));
    EXPECT_EQ(status(), QStringLiteral(" "));
    type(QStringLiteral("f"));
    EXPECT_EQ(w().lblDupe->Caption(), QStringLiteral("K0AF "));
    EXPECT_EQ(status(), QStringLiteral("Possible Duplicate!"));
    type(QStringLiteral("x"));  // nothing begins so
    EXPECT_TRUE(w().lblDupe->Caption().isEmpty());
    EXPECT_EQ(status(), QStringLiteral(" "));

    // From another county of a rover's line, only what was sent from there.
    key(Qt::Key_Escape);
    t.app().station().OwnCounty = QStringLiteral("CRW");
    type(QStringLiteral("k0a"));
    EXPECT_EQ(w().lblDupe->Caption(), QStringLiteral("K0AC "));

    // Three letters: a call has a digit or "/" in second or third place.
    key(Qt::Key_Escape);
    const int beeps = t.beeper().count();
    type(QStringLiteral("abc"));
    EXPECT_EQ(status(), QStringLiteral("The second or third character is not numeric!"));
    EXPECT_EQ(t.beeper().count(), beeps + 1);
}

TEST_F(InStateLookupsTest, LeavingTheCallBoxFillsOnlyEmptyBoxesWithTheFirstValuesInLogOrder) {
    // Other bands, so no contact here is a duplicate.
    openIn({contact("W0XY", "MN", "", "40", "AIT", ""), contact("K1ZZ", "OH", "", "40"),
            contact("W0XY", "WI", "HEN", "40", "AIT", "SUE"),
            contact("W0XY", "MN", "CRV", "80", "AIT", "BOB")});
    type(QStringLiteral("w0xy"));
    w().txtRSTR->setText(QStringLiteral("ANN"));
    const int beeps = t.beeper().count();
    type(QStringLiteral(" "));
    EXPECT_EQ(focus(), w().txtRSTR);
    EXPECT_EQ(w().txtRSTR->Text(), QStringLiteral("ANN"));  // already typed: kept
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("MN"));
    EXPECT_EQ(w().txtCntry->SelLength(), 2);
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));  // the first non-empty county
    EXPECT_EQ(t.beeper().count(), beeps);
    EXPECT_EQ(status(), QStringLiteral(" "));

    // An empty name box takes the first name that is not empty.
    key(Qt::Key_Escape);
    type(QStringLiteral("w0xy "));
    EXPECT_EQ(w().txtRSTR->Text(), QStringLiteral("SUE"));
}

TEST_F(InStateLookupsTest, ARepeatOfAStationOutsideTheStateIsRefusedAtOnce) {
    openIn({contact("W1AW", "OH", "")});
    type(QStringLiteral("w1aw "));
    EXPECT_EQ(status(), QStringLiteral("Duplicate W1AW 09/12 14:00:00  Rec#  1"));
    EXPECT_EQ(w().lblDialog->BackColor(), kRed);
    EXPECT_EQ(t.app().run().EntryCheckFlags.DupeFlag, 1);
    EXPECT_TRUE(w().txtCall->Text().isEmpty());
    EXPECT_TRUE(w().txtCntry->Text().isEmpty());
    EXPECT_EQ(focus(), w().txtCall);
    EXPECT_EQ(t.app().log().QSOCount, 1);
}

TEST_F(InStateLookupsTest, AContestStateRepeatWarnsInRedAndListsEveryEarlierContact) {
    const std::vector<QSORecord> log{contact("K0AB", "MN", "HEN"), contact("K1ZZ", "OH", ""),
                                     contact("K0AB", "MN", "HEN", "40"),
                                     contact("K0AB", "MN", "CRV")};
    openIn(log);
    int beeps = t.beeper().count();
    type(QStringLiteral("k0ab "));
    // Without the list the first repeat is named and the scan ends.
    EXPECT_EQ(status(), QStringLiteral("Dupe if not rover!  K0AB  09/26  14:00:00   Rec#  1"));
    EXPECT_EQ(w().lblDialog->BackColor(), kRed);
    EXPECT_EQ(t.beeper().count(), beeps + 1);
    EXPECT_EQ(t.app().run().EntryCheckFlags.DupeFlag, 0);
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));

    key(Qt::Key_Escape);
    w().mnuListPrevious_Click();
    ASSERT_TRUE(w().mnuListPrevious->Checked());
    beeps = t.beeper().count();
    type(QStringLiteral("k0ab "));
    EXPECT_EQ(status(), QStringLiteral("Dupe if not rover!  K0AB  09/26  14:00:00   Rec#  4"));
    EXPECT_EQ(t.beeper().count(), beeps + 2);
    ASSERT_EQ(w().ListView1->count(), 3);
    for (int row : {1, 2, 3}) {
        EXPECT_EQ(w().ListView1->text(row, 0),
                  QString::number(std::vector<int>{1, 3, 4}[static_cast<size_t>(row - 1)]));
        EXPECT_EQ(w().ListView1->text(row, 1), QStringLiteral("K0AB"));
    }
}

TEST_F(InStateLookupsTest, TheCountryOfTheCallIsShownWhileItIsTyped) {
    openIn();
    type(QStringLiteral("ja1abc"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("Japan"));
    EXPECT_EQ(w().txtCntry->SelLength(), 5);
    EXPECT_EQ(w().Label19->Caption(), QStringLiteral("AS"));
    EXPECT_FALSE(w().Label22->Caption().trimmed().isEmpty());
    EXPECT_FALSE(w().Label23->Caption().trimmed().isEmpty());
    EXPECT_TRUE(w().Label3->Visible());  // new on this band

    key(Qt::Key_Escape);
    type(QStringLiteral("q1abc"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("Not Found"));
    for (Label* l : {w().Label19, w().Label22, w().Label23}) EXPECT_TRUE(l->Caption().isEmpty());

    // A US call leaves the box as it is and is in North America.
    key(Qt::Key_Escape);
    type(QStringLiteral("w1"));
    w().txtCntry->setText(QStringLiteral("OH"));
    type(QStringLiteral("aw"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("OH"));
    EXPECT_EQ(w().Label19->Caption(), QStringLiteral("NA"));
    EXPECT_TRUE(w().Label22->Caption().isEmpty());

    key(Qt::Key_Escape);
    type(QStringLiteral("k1ab/kh6"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("HI"));
    EXPECT_EQ(w().Label19->Caption(), QStringLiteral("OC"));
    key(Qt::Key_Escape);
    type(QStringLiteral("kg4abc"));
    EXPECT_TRUE(w().txtCntry->Text().isEmpty());
    EXPECT_EQ(w().Label19->Caption(), QStringLiteral("NA"));
}

TEST_F(InStateLookupsTest, ACanadianCallNamesItsProvinceOnlyInAnEmptyBox) {
    openIn();
    type(QStringLiteral("ve3xyz "));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("ON"));
    EXPECT_EQ(w().txtCntry->SelStart(), 0);
    EXPECT_EQ(w().txtCntry->SelLength(), 2);
    EXPECT_EQ(w().Label19->Caption(), QStringLiteral("NA"));

    key(Qt::Key_Escape);
    type(QStringLiteral("ve3xyz"));
    w().txtCntry->setText(QStringLiteral("QC"));
    type(QStringLiteral(" "));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("QC"));
}

TEST_F(InStateLookupsTest, TheStateBoxKeepsCodesInCapitalsAndCompletesCountries) {
    openIn();
    type(QStringLiteral("k1abc bob "));
    ASSERT_EQ(focus(), w().txtCntry);
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("MN"));  // offered, selected
    type(QStringLiteral("oh"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("OH"));
    EXPECT_EQ(w().Label19->Caption(), QStringLiteral("NA"));  // a state's position
    key(Qt::Key_Home);
    type(QStringLiteral("ja"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("JA"));
    type(QStringLiteral("p"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("Japan"));
    EXPECT_EQ(w().txtCntry->SelStart(), 3);
    EXPECT_EQ(w().txtCntry->SelLength(), 2);
    EXPECT_EQ(w().Label19->Caption(), QStringLiteral("AS"));
    type(QStringLiteral("an"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("Japan"));
    // A space inside a name goes on completing; one that no name continues moves on, and the
    // county box of a station outside the state sends the operator back to the call.
    key(Qt::Key_Home);
    type(QStringLiteral("un"));
    type(QStringLiteral("i"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("United Arab Emirates"));
    type(QStringLiteral("ted "));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("United Arab Emirates"));
    EXPECT_EQ(focus(), w().txtCntry);
    type(QStringLiteral("Arab Emirates "));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("United Arab Emirates"));
    EXPECT_EQ(focus(), w().txtCall);
    EXPECT_FALSE(w().lblStation.at(4)->Enabled());

    // A space at the start of the box goes to the county box.
    w().txtCntry->setText(QStringLiteral("MN"));
    w().txtCntry->SetFocus();
    settle();
    key(Qt::Key_Home);
    type(QStringLiteral(" "));
    EXPECT_EQ(focus(), w().txtSec);
    EXPECT_TRUE(w().lblStation.at(4)->Enabled());
}

TEST_F(InStateLookupsTest, TheCountyBoxCompletesAndMovesOn) {
    openIn();
    type(QStringLiteral("k0abc sue "));
    ASSERT_EQ(w().txtCntry->Text(), QStringLiteral("MN"));
    key(Qt::Key_Tab);
    ASSERT_EQ(focus(), w().txtSec);
    type(QStringLiteral("c"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("CRL"));  // the first in table order
    EXPECT_EQ(w().txtSec->SelStart(), 1);
    EXPECT_EQ(w().txtSec->SelLength(), 2);
    type(QStringLiteral("rv"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("CRV"));
    type(QStringLiteral(" "));  // at the end: back to the call
    EXPECT_EQ(focus(), w().txtCall);
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("CRV"));

    // A space or a digit in front of the completed rest stays in the county box, dropped; the
    // digit is still the RST sent.
    w().txtSec->SetFocus();
    settle();
    key(Qt::Key_Home);
    type(QStringLiteral("h"));
    ASSERT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));
    type(QStringLiteral(" "));
    EXPECT_EQ(focus(), w().txtSec);
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));
    type(QStringLiteral("5"));
    EXPECT_EQ(focus(), w().txtSec);
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));
    EXPECT_EQ(w().txtRSTS->Text(), QStringLiteral("5"));
    EXPECT_EQ(t.app().run().HandOverTarget, 0);
    type(QStringLiteral("\n"));
    ASSERT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(t.app().log()[1].CountyRcvd, QStringLiteral("HEN"));
}

TEST_F(InStateLookupsTest, TheCountyBoxIsRefusedUnlessTheStateBoxHoldsTheContestState) {
    openIn();
    type(QStringLiteral("w1aw bob oh"));
    key(Qt::Key_Tab);
    EXPECT_EQ(focus(), w().txtCall);
    EXPECT_FALSE(w().lblStation.at(4)->Enabled());
    w().txtCntry->setText(QStringLiteral("mn"));  // in any case
    w().txtSec->SetFocus();
    settle();
    EXPECT_EQ(focus(), w().txtSec);
    EXPECT_TRUE(w().lblStation.at(4)->Enabled());
}

// A digit typed after a complete call waits for the county box's next key.
TEST_F(InStateLookupsTest, TheHandOverToTheCountyBoxNeverLeavesAnEmptyCharacter) {
    openIn();
    RunState& run = t.app().run();
    const auto arriveWithHandOver = [&] {
        key(Qt::Key_Escape);
        type(QStringLiteral("k0ab5"));
        EXPECT_EQ(run.HandOverTarget, 4);
        EXPECT_EQ(focus(), w().txtRSTR);
        type(QStringLiteral("sue "));
        ASSERT_EQ(focus(), w().txtCntry);
        type(QStringLiteral(" "));  // the hand-over keeps the blank out of the first rule
        ASSERT_EQ(focus(), w().txtSec);
        EXPECT_EQ(run.HandOverTarget, 4);
    };
    const auto noEmptyCharacter = [&] {
        EXPECT_FALSE(w().txtSec->Text().contains(QChar(0)));
        EXPECT_EQ(run.HandOverTarget, 0);
    };

    // A key that completes a county: the completion stays.
    arriveWithHandOver();
    type(QStringLiteral("h"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));
    noEmptyCharacter();

    // A key that completes nothing becomes the whole text.
    arriveWithHandOver();
    w().txtSec->setText(QStringLiteral("CRV"));
    w().txtSec->setSelStart(3);
    type(QStringLiteral("x"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("X"));
    EXPECT_EQ(w().txtSec->SelStart(), 1);
    noEmptyCharacter();

    // A dropped key (a blank in front of a word) leaves the text as it was.
    arriveWithHandOver();
    w().txtSec->setText(QStringLiteral("WSH"));
    type(QStringLiteral(" "));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("WSH"));
    EXPECT_EQ(focus(), w().txtSec);
    noEmptyCharacter();
    type(QStringLiteral("\n"));
    ASSERT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(t.app().log()[1].CountyRcvd, QStringLiteral("WSH"));

    // A blank at the end moves back to the call box and keeps the text.
    arriveWithHandOver();
    w().txtSec->setText(QStringLiteral("AIT"));
    w().txtSec->setSelStart(3);
    type(QStringLiteral(" "));
    EXPECT_EQ(focus(), w().txtCall);
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("AIT"));
    noEmptyCharacter();
}

}  // namespace
}  // namespace qf
