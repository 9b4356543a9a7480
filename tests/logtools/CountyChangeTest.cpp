// The own-county dialog and the rover county list, opened from the in-state window's "Change
// County", typed into with real keys; the list's first county becomes the own county and the
// window logs each contact once more for every further county.
#include "logging/LoggingFixture.h"
#include "logtools/frmCountyChange.h"
#include "logtools/frmCountyChangeRover.h"

#include <QTimer>

#include <functional>

namespace qf {
namespace {

using test::LoggingFixture;

// A county table where "AIT" alone begins with "A", and "STE" (row 10) and "STR" (row 40) alone
// with "ST".
QByteArray countyTable() {
    QByteArray data;
    for (int row = 1; row <= 40; ++row) {
        QByteArray abbrev = "X" + QByteArray::number(row);
        if (row == 1) abbrev = "AIT";
        if (row == 10) abbrev = "STE";
        if (row == 20) abbrev = "HEN";
        if (row == 30) abbrev = "WRI";
        if (row == 40) abbrev = "STR";
        data += "\"MNCounty" + QByteArray::number(row) + "\",\"" + abbrev + "\"\r\n";
    }
    return data;
}

class CountyChangeTest : public LoggingFixture {
  protected:
    CountyChangeTest() {
        StationSettings& st = t.app().station();
        st.OutOfStateFlag = 0;
        st.OwnSPC = QStringLiteral("MN");
        st.OwnCounty = QStringLiteral("AIT");
        st.RoverFlag = 1;
        t.writeFile(QStringLiteral("county2.txt"), countyTable());
        writeLog({});
        open(&Forms::Infrm);
        w().cmdLogOn->Press();
        settle();
    }
    Infrm& w() { return *t.app().forms().infrmSlot().peek(); }
    FormSlot<frmCountyChange>& ownSlot() { return t.app().forms().countyChangeSlot(); }
    FormSlot<frmCountyChangeRover>& roverSlot() { return t.app().forms().countyChangeRoverSlot(); }

    // Runs `body` inside the modal window that `open` shows, then returns when it has ended.
    template <class F>
    void whileOpen(FormSlot<F>& slot, const std::function<void()>& open,
                   const std::function<void(F&)>& body) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            F* d = slot.peek();
            EXPECT_NE(d, nullptr);
            if (d) {
                EXPECT_TRUE(QTest::qWaitForWindowActive(d));
                settle();
                body(*d);
                ran = true;
                if (d->isVisible()) d->Hide();  // a failed expectation must not hang the test
            }
        });
        open();
        EXPECT_TRUE(ran);
    }
    void changeCounty(const std::function<void(frmCountyChange&)>& body) {
        whileOpen<frmCountyChange>(
            ownSlot(), [this] { w().mnuChangeCounty->action()->trigger(); }, body);
        EXPECT_EQ(ownSlot().peek(), nullptr);  // unloaded after each opening
    }
    void roverList(frmCountyChange& own, const std::function<void(frmCountyChangeRover&)>& body) {
        whileOpen<frmCountyChangeRover>(
            roverSlot(), [&own] { own.cmdMultipleCounties->Press(); }, body);
    }
    QStringList entries() {
        QStringList out;
        const ListBox* list = roverSlot().peek()->List1;
        for (int i = 0; i < list->ListCount(); ++i) out << list->List(i);
        return out;
    }
    QString savedOwnCounty() {
        // Line 7, a quoted text.
        return QString::fromLatin1(t.readFile(QStringLiteral("QSOpref.txt")).split('\n').value(6))
            .trimmed();
    }
    // Types a county in the rover box and adds it with Enter.
    static void add(const char* keys) { type(QString::fromLatin1(keys) + QLatin1Char('\n')); }
    int beeps() { return t.beeper().count(); }
};

TEST_F(CountyChangeTest, TheOwnCountyBoxCompletesFromTheEndOfTheTableAndStoresWhatItHolds) {
    changeCounty([&](frmCountyChange& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("County Change"));
        ASSERT_EQ(QApplication::focusWidget(), d.Text1);
        EXPECT_EQ(d.Text1->SelLength(), 3);  // the own county, selected on arrival
        type(QStringLiteral("a"));
        EXPECT_EQ(d.Text1->Text(), QStringLiteral("AIT"));
        EXPECT_EQ(d.Text1->SelStart(), 1);
        EXPECT_EQ(d.Text1->SelLength(), 2);
        type(QStringLiteral("i"));
        EXPECT_EQ(d.Text1->Text(), QStringLiteral("AIT"));
        EXPECT_EQ(d.Text1->SelLength(), 1);

        d.Text1->setSelStart(0);
        type(QStringLiteral("st"));
        EXPECT_EQ(d.Text1->Text(), QStringLiteral("STR"));
        EXPECT_EQ(d.Text1->SelStart(), 2);
        // Backspace and a blank at the start empty the box.
        d.Text1->setSelStart(0);
        type(QStringLiteral(" "));
        EXPECT_EQ(d.Text1->Text(), QStringLiteral(" "));

        // A county not in the table: leaving the box marks it, Enter stores it all the same.
        d.Text1->setSelStart(0);
        type(QStringLiteral("zz"));
        const int start = beeps();
        key(Qt::Key_Tab);
        EXPECT_TRUE(d.Label2->Visible());
        EXPECT_EQ(d.Label2->Caption(), QStringLiteral("   Invalid!"));
        EXPECT_EQ(beeps(), start + 1);
        EXPECT_EQ(QApplication::focusWidget(), d.Text1);
        EXPECT_EQ(t.app().run().EntryCheckFlags.BadCountyFlag, 1);
        type(QStringLiteral("\n"));
    });
    EXPECT_EQ(t.app().station().OwnCounty, QStringLiteral("ZZ"));
    EXPECT_EQ(savedOwnCounty(), QStringLiteral("\"ZZ\""));
    EXPECT_EQ(w().Label25->Caption(), QStringLiteral("ZZ"));
}

TEST_F(CountyChangeTest, ARoverOnACountyLineLogsEachContactOnceForEveryCounty) {
    changeCounty([&](frmCountyChange& own) {
        roverList(own, [&](frmCountyChangeRover& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("County Change for Rovers"));
            ASSERT_EQ(QApplication::focusWidget(), d.Text1);
            EXPECT_EQ(d.Text1->Text(), QStringLiteral("AIT"));  // the own county at first load
            // Letters after the first keep the case they are typed in.
            type(QStringLiteral("a"));
            EXPECT_EQ(d.Text1->Text(), QStringLiteral("AIT"));
            type(QStringLiteral("i"));
            EXPECT_EQ(d.Text1->Text(), QStringLiteral("AiT"));
            add("");
            EXPECT_EQ(entries(), QStringList{QStringLiteral("AiT")});
            EXPECT_TRUE(d.Text1->Text().isEmpty());
            add("st");
            EXPECT_EQ(entries(), (QStringList{QStringLiteral("AiT"), QStringLiteral("StR")}));
            // Not in the table: marked and not added; the box keeps it for correction.
            const int start = beeps();
            add("zz");
            EXPECT_TRUE(d.Label2->Visible());
            EXPECT_EQ(beeps(), start + 1);
            EXPECT_EQ(d.Text1->Text(), QStringLiteral("Zz"));
            EXPECT_EQ(entries().size(), 2);

            // A click removes an entry at once.
            for (int i = 0; i < 2; ++i) {
                const QRect r = d.List1->visualItemRect(d.List1->item(0));
                QTest::mouseClick(d.List1->viewport(), Qt::LeftButton, {}, r.center());
                settle();
            }
            EXPECT_TRUE(entries().isEmpty());
            EXPECT_EQ(QApplication::focusWidget(), d.Command1);

            d.Text1->SetFocus();
            settle();
            d.Text1->setSelStart(0);
            add("w");
            EXPECT_FALSE(d.Label2->Visible());
            add("h");
            add("h");  // a county added twice is listed twice
            EXPECT_EQ(entries(), (QStringList{QStringLiteral("HEN"), QStringLiteral("HEN"),
                                              QStringLiteral("WRI")}));
            const QRect r = d.List1->visualItemRect(d.List1->item(1));
            QTest::mouseClick(d.List1->viewport(), Qt::LeftButton, {}, r.center());
            settle();
            EXPECT_EQ(entries(), (QStringList{QStringLiteral("HEN"), QStringLiteral("WRI")}));
            d.Command1->Press();
        });
        EXPECT_FALSE(own.isVisible());  // the rover list's Done ends the own-county dialog too
    });
    // The rover window is hidden, not closed.
    ASSERT_NE(roverSlot().peek(), nullptr);
    EXPECT_FALSE(roverSlot().peek()->isVisible());
    EXPECT_EQ(t.app().station().OwnCounty, QStringLiteral("HEN"));
    EXPECT_EQ(savedOwnCounty(), QStringLiteral("\"HEN\""));
    EXPECT_EQ(w().Label25->Caption(), QStringLiteral("HEN"));

    // The next contact is logged for HEN and again for WRI. (The offscreen platform does not hand
    // the activation back to the window when the dialogs close, as a desktop does.)
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    t.clock().advance(60 * 1000);
    w().txtCall->setText(QStringLiteral("K0ABC"));
    w().txtRSTR->setText(QStringLiteral("SUE"));
    w().txtCntry->setText(QStringLiteral("MN"));
    w().txtSec->setText(QStringLiteral("STE"));
    w().Mains();
    settle();
    EXPECT_EQ(t.readFile(kLogFile), test::fixture(QStringLiteral("rover-county-line-log.txt")));
    EXPECT_EQ(t.app().station().OwnCounty, QStringLiteral("HEN"));

    // Opened again, the list and its box are as they were left.
    changeCounty([&](frmCountyChange& own) {
        roverList(own, [&](frmCountyChangeRover& d) {
            EXPECT_EQ(entries(), (QStringList{QStringLiteral("HEN"), QStringLiteral("WRI")}));
            EXPECT_TRUE(d.Text1->Text().isEmpty());
            d.Command1->Press();
        });
    });
    EXPECT_EQ(t.app().station().OwnCounty, QStringLiteral("HEN"));

    // It goes when the in-state window unloads.
    EXPECT_TRUE(w().Unload());
    EXPECT_EQ(roverSlot().peek(), nullptr);
}

TEST_F(CountyChangeTest, AnEmptyRoverListLeavesTheOwnCountyBoxAsItStands) {
    changeCounty([&](frmCountyChange& own) {
        type(QStringLiteral("st"));
        roverList(own, [&](frmCountyChangeRover& d) { d.Command1->Press(); });
    });
    EXPECT_EQ(t.app().station().OwnCounty, QStringLiteral("STR"));
    EXPECT_EQ(savedOwnCounty(), QStringLiteral("\"STR\""));
}

TEST_F(CountyChangeTest, TheWindowsFirstLookAtTheListLoadsItHidden) {
    EXPECT_EQ(roverSlot().peek(), nullptr);
    t.app().station().OwnCounty = QStringLiteral("WRI");
    w().txtCall->setText(QStringLiteral("W1AW"));
    w().txtRSTR->setText(QStringLiteral("BOB"));
    w().txtCntry->setText(QStringLiteral("OH"));
    w().Mains();
    settle();
    ASSERT_NE(roverSlot().peek(), nullptr);
    EXPECT_FALSE(roverSlot().peek()->isVisible());
    EXPECT_EQ(roverSlot().peek()->Text1->Text(), QStringLiteral("WRI"));
    EXPECT_EQ(t.app().log().QSOCount, 1);
}

}  // namespace
}  // namespace qf
