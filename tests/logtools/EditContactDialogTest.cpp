// The edit-contact dialogs as the operator uses them: opened from "Edit Contact" or a right click
// on the log list, typed into with real keys, ended by "Done" or "Delete Dupe"; then the logging
// window rewrites "log.txt" and reloads.
#include "logging/LoggingFixture.h"
#include "logtools/DEEditInfrm.h"
#include "logtools/DEEditOut.h"
#include "platform/Error.h"

#include <QTimer>

#include <functional>

namespace qf {
namespace {

using test::LoggingFixture;

QSORecord contact(const char* call, const char* spc, const char* county, const char* sent = "AIT") {
    QSORecord q;
    q.Call = QString::fromLatin1(call);
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("AL");
    q.SPC = QString::fromLatin1(spc);
    q.CountyRcvd = QString::fromLatin1(county);
    q.CountySent = QString::fromLatin1(sent);
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:00:00");
    q.Mode = QStringLiteral("PH");
    q.Band = QStringLiteral("20");
    return q;
}

class EditDialogTest : public LoggingFixture {
  protected:
    enum class How { Button, RightClick };

    // In state: two contacts of K0AA (the first stored in lower case), a station of another
    // state, and K0AA again sent from another own county.
    void openInState() {
        StationSettings& st = t.app().station();
        st.OutOfStateFlag = 0;
        st.OwnSPC = QStringLiteral("MN");
        st.OwnCounty = QStringLiteral("AIT");
        writeLog({contact("k0aa", "MN", "hen"), contact("K0AA", "MN", "HEN"),
                  contact("W1AW", "OH", ""), contact("K0AA", "MN", "HEN", "CRW")});
        win = &open(&Forms::Infrm);
        // Country names for the St/Prv/Country type-ahead, in table order.
        PrefixTable& p = t.app().tables().prefixes;
        p.rows.resize(1);
        for (const char* c : {"Canada", "Germany", "Ghana", "Mexico", "Moldova"}) {
            p.rows.push_back(
                {QStringLiteral("X"), QString::fromLatin1(c), QStringLiteral("EU"), 0, 0});
        }
        p.PrefixCount = 5;
        before = t.readFile(kLogFile);
    }
    void openOutOfState() {
        writeLog({contact("K1AA", "", "HEN", ""), contact("W9XYZ", "", "AIT", "")});
        win = &openOut();
        before = t.readFile(kLogFile);
    }

    EditContactDialog* dialog() {
        Forms& f = t.app().forms();
        if (f.editInSlot().peek()) return f.editInSlot().peek();
        return f.editOutSlot().peek();
    }

    int listRowOf(int record) {
        for (int row = 1; row <= win->ListView1->count(); ++row) {
            if (win->ListView1->text(row, 0).toInt() == record) return row;
        }
        return 0;
    }

    // Runs `body` inside the dialog that editing `record` opens, and returns once the window has
    // ended the edit.
    void edit(int record, const std::function<void(EditContactDialog&)>& body,
              How how = How::Button) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            EditContactDialog* d = dialog();
            EXPECT_NE(d, nullptr);
            if (d) {
                EXPECT_TRUE(QTest::qWaitForWindowActive(d));
                settle();
                EXPECT_EQ(QApplication::focusWidget(), d->txtEditCall);
                body(*d);
                ran = true;
            }
            // A body that left the dialog open (a failed expectation) must not hang the test.
            if (EditContactDialog* still = dialog(); still && still->isVisible()) still->Hide();
        });
        const int row = listRowOf(record);
        ASSERT_GT(row, 0);
        if (how == How::Button) {
            win->ListView1->selectRow(row);
            win->ListView1_Click();
            ASSERT_TRUE(win->cmdEdit->Visible());
            win->cmdEdit->Press();
        } else {
            QTreeWidgetItem* item = win->ListView1->topLevelItem(row - 1);
            const QRect r = win->ListView1->visualItemRect(item);
            QTest::mouseClick(win->ListView1->viewport(), Qt::RightButton, {}, r.center());
        }
        settle();
        EXPECT_TRUE(ran);
        EXPECT_EQ(dialog(), nullptr);  // unloaded
        EXPECT_FALSE(win->cmdEdit->Visible());
        EXPECT_FALSE(win->cmdDelete->Visible());
    }

    // Replaces a box's text by typing, as the operator does after selecting it.
    static void retype(TextBox* box, const QString& keys) {
        box->SetFocus();
        settle();
        box->selectAll();
        type(keys);
    }
    int beeps() { return t.beeper().count(); }
    QString listed(int record, int column) {
        return win->ListView1->text(listRowOf(record), column);
    }

    LoggingWindow* win = nullptr;
    QByteArray before;
};

TEST_F(EditDialogTest, DoneWithoutAChangeWritesTheLogAsItWas) {
    openInState();
    edit(3, [&](EditContactDialog& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Edit Contact Entry"));
        EXPECT_EQ(d.txtEditPre->Text(), QStringLiteral("OH"));
        EXPECT_EQ(static_cast<DEEditInfrm&>(d).Text3->Text(), QStringLiteral("AIT"));
        for (Label* mark : {d.Label1, d.Label2, d.Label3, d.Label6}) EXPECT_FALSE(mark->Visible());
        EXPECT_FALSE(d.cmdDeleteDupe->Visible());
        type(QStringLiteral("\n"));
        EXPECT_FALSE(d.isVisible());  // the record is not its own duplicate
    });
    EXPECT_EQ(t.readFile(kLogFile), before);
    EXPECT_EQ(win->ListView1->count(), 4);
}

TEST_F(EditDialogTest, OutOfStateDoneRemovesBlanksAroundCallNamesAndCounty) {
    openOutOfState();
    edit(
        2,
        [&](EditContactDialog& d) {
            EXPECT_EQ(d.txtEditPre->Text(), QStringLiteral("AIT"));  // the county box out of state
            type(QStringLiteral("\n"));
            EXPECT_FALSE(d.isVisible());
        },
        How::RightClick);
    EXPECT_EQ(t.readFile(kLogFile), before);

    const int start = beeps();
    edit(2, [&](EditContactDialog& d) {
        retype(d.txtEditCall, QStringLiteral("k1aa "));
        retype(d.txtEditCk, QStringLiteral(" sue "));
        retype(d.txtEditNum, QStringLiteral(" joe"));
        // Compared with the blank, K1AA is not found again; Enter runs Done without the check.
        retype(d.txtEditPre, QStringLiteral("hen \n"));
    });
    EXPECT_EQ(beeps(), start);
    const QSORecord& q = t.app().log()[2];
    EXPECT_EQ(q.Call, QStringLiteral("K1AA"));
    EXPECT_EQ(q.NameRcvd, QStringLiteral("SUE"));
    EXPECT_EQ(q.NameSent, QStringLiteral("JOE"));
    EXPECT_EQ(q.CountyRcvd, QStringLiteral("HEN"));
    EXPECT_EQ(listed(2, 1), QStringLiteral("K1AA"));  // reloaded
    QSOLog expected;
    expected[1] = contact("K1AA", "", "HEN", "");
    expected[2] = q;
    EXPECT_EQ(t.readFile(kLogFile), encodeRecord(expected[1]) + encodeRecord(expected[2]));
}

TEST_F(EditDialogTest, AnEditThatRepeatsAnotherContactIsMarkedAndNotWritten) {
    openInState();
    int start = beeps();
    edit(
        3,
        [&](EditContactDialog& d) {
            auto& in = static_cast<DEEditInfrm&>(d);
            retype(d.txtEditCall, QStringLiteral("k0aa"));
            retype(in.txtEditSec, QStringLiteral("hen"));
            EXPECT_EQ(in.txtEditSec->Text(), QStringLiteral("HEN"));
            retype(d.txtEditPre, QStringLiteral("mn"));
            d.cmdDone->Press();
            // Records 1 (in lower case) and 2: one beep each, nothing written.
            EXPECT_EQ(d.Label1->Caption(), QStringLiteral("  Dupe!"));
            EXPECT_TRUE(d.Label1->Visible());
            EXPECT_TRUE(d.cmdDeleteDupe->Visible());
            EXPECT_EQ(beeps(), start + 2);
            EXPECT_EQ(t.app().log()[3].Call, QStringLiteral("W1AW"));
            EXPECT_TRUE(d.isVisible());

            // Sent from CRW it repeats record 4 alone.
            retype(in.Text3, QStringLiteral("CRW"));
            d.cmdDone->Press();
            EXPECT_EQ(beeps(), start + 3);
            EXPECT_TRUE(d.Label1->Visible());

            // From yet another own county it is no repeat: the mark goes, the button stays.
            retype(in.Text3, QStringLiteral("MRS"));
            start = beeps();
            d.cmdDone->Press();
            EXPECT_FALSE(d.Label1->Visible());
            EXPECT_TRUE(d.cmdDeleteDupe->Visible());
            EXPECT_EQ(beeps(), start);
        },
        How::RightClick);
    const QSORecord& q = t.app().log()[3];
    EXPECT_EQ(q.Call, QStringLiteral("K0AA"));
    EXPECT_EQ(q.SPC, QStringLiteral("MN"));
    EXPECT_EQ(q.CountyRcvd, QStringLiteral("HEN"));
    EXPECT_EQ(q.CountySent, QStringLiteral("MRS"));
    EXPECT_EQ(listed(3, 1), QStringLiteral("K0AA"));
    EXPECT_TRUE(
        t.readFile(kLogFile).contains("\"K0AA\",\"JOE\",\"AL\",\"MN\",\"HEN\",\"\",\"MRS\""));
}

TEST_F(EditDialogTest, TheStateBoxCompletesCountriesAndChecksTwoLetterCodes) {
    openInState();
    edit(3, [&](EditContactDialog& d) {
        // A key at the start empties the box; the country nearest the end of the table is offered.
        d.txtEditPre->SetFocus();
        settle();
        d.txtEditPre->setSelStart(0);
        type(QStringLiteral("g"));
        EXPECT_EQ(d.txtEditPre->Text(), QStringLiteral("Ghana"));
        type(QStringLiteral("e"));
        EXPECT_EQ(d.txtEditPre->Text(), QStringLiteral("Germany"));
        EXPECT_EQ(d.txtEditPre->SelStart(), 2);
        // A blank at the start empties it too.
        d.txtEditPre->setSelStart(0);
        type(QStringLiteral(" "));
        EXPECT_EQ(d.txtEditPre->Text(), QStringLiteral(" "));

        // "xx" is no code: the mark, a beep, nothing written.
        retype(d.txtEditPre, QStringLiteral("xx"));
        EXPECT_EQ(d.txtEditPre->Text(), QStringLiteral("Xx"));
        const int start = beeps();
        d.cmdDone->Press();
        EXPECT_EQ(d.txtEditPre->Text(), QStringLiteral("XX"));
        EXPECT_TRUE(d.Label2->Visible());
        EXPECT_EQ(beeps(), start + 1);
        EXPECT_EQ(t.app().log()[3].SPC, QStringLiteral("OH"));

        // "mn" completes to Moldova, then the second letter leaves "Mn"; stored as "MN".
        retype(d.txtEditPre, QStringLiteral("m"));
        EXPECT_EQ(d.txtEditPre->Text(), QStringLiteral("Moldova"));
        type(QStringLiteral("n\n"));
    });
    EXPECT_EQ(t.app().log()[3].SPC, QStringLiteral("MN"));

    // A country name passes unchecked.
    edit(3, [&](EditContactDialog& d) { retype(d.txtEditPre, QStringLiteral("ca\n")); });
    EXPECT_EQ(t.app().log()[3].SPC, QStringLiteral("Canada"));
}

TEST_F(EditDialogTest, EachBoxFiltersItsKeys) {
    openInState();
    edit(3, [&](EditContactDialog& d) {
        auto& in = static_cast<DEEditInfrm&>(d);
        struct Case {
            TextBox* box;
            const char* keys;
            const char* expected;
        };
        // Letters, "-", ".", "/", ":" and a double quote in every box.
        const Case cases[] = {
            {d.txtEditCall, "k-./:\"1", "K-./:1"}, {d.txtEditCk, "al-./:\"", "AL-./:"},
            {d.txtEditNum, "jo-./:\"", "JO-./:"},  {d.txtEditBnd, "c-./:\"w", "C-./:W"},
            {d.Text1, "b-./:\"2", "B-./:2"},       {d.txtEditDate, "2a-./:\"1", "2/1"},
            {d.txtEditTime, "2a-./:\"1", "2:1"},   {d.txtEditPre, "ca-./:\"", "Ca-./:"},
            {in.txtEditSec, "a-./:\"", "A-./:"},   {in.Text3, "a-./:\"b", "A-./:b"},
        };
        for (const Case& c : cases) {
            const QString was = c.box->Text();
            retype(c.box, QString::fromLatin1(c.keys));
            EXPECT_EQ(c.box->Text(), QString::fromLatin1(c.expected))
                << c.box->Name().toStdString();
            c.box->setText(was);  // so that leaving the box passes its check
        }
        d.Hide();
    });
    EXPECT_EQ(t.readFile(kLogFile), before);
}

TEST_F(EditDialogTest, CountyBoxesOfferTheAbbreviationNearestTheEndOfTheTable) {
    openInState();
    edit(3, [&](EditContactDialog& d) {
        auto& in = static_cast<DEEditInfrm&>(d);
        // The shipped table ends its "S" rows with STL, STR, STE, STV and SWI.
        retype(in.txtEditSec, QStringLiteral("s"));
        EXPECT_EQ(in.txtEditSec->Text(), QStringLiteral("SWI"));
        type(QStringLiteral("t"));
        EXPECT_EQ(in.txtEditSec->Text(), QStringLiteral("STV"));
        type(QStringLiteral("r"));
        EXPECT_EQ(in.txtEditSec->Text(), QStringLiteral("STR"));
        // A blank at the start of a county box does not empty it.
        in.txtEditSec->setSelStart(0);
        type(QStringLiteral(" "));
        EXPECT_EQ(in.txtEditSec->Text(), QStringLiteral(" STR"));
        in.txtEditSec->setText(QStringLiteral("STR"));

        // The county sent keeps the case typed after its first letter.
        retype(in.Text3, QStringLiteral("st"));
        EXPECT_EQ(in.Text3->Text(), QStringLiteral("StV"));
        EXPECT_EQ(in.Text3->SelStart(), 2);
        type(QStringLiteral("e\n"));
    });
    EXPECT_EQ(t.app().log()[3].CountyRcvd, QStringLiteral("STR"));
    EXPECT_EQ(t.app().log()[3].CountySent, QStringLiteral("Ste"));
}

TEST_F(EditDialogTest, LeaveChecksMarkOnlyTheirOwnBox) {
    openInState();
    edit(3, [&](EditContactDialog& d) {
        auto& in = static_cast<DEEditInfrm&>(d);
        auto& flags = t.app().run().EntryCheckFlags;
        // The state mark, set by Done, stays through the other boxes' checks.
        retype(d.txtEditPre, QStringLiteral("xx"));
        d.cmdDone->Press();
        ASSERT_TRUE(d.Label2->Visible());

        struct Case {
            TextBox* box;
            Label* mark;
            const char* bad;
            const char* good;
        };
        const Case cases[] = {
            {d.Text1, d.Label6, "17", "20"},
            {d.txtEditBnd, d.Label3, "RY", "cw"},
            {in.txtEditSec, in.Label7, "zz", "hen"},
            {in.Text3, in.Label9, "zz", "ait"},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.box->Name().toStdString());
            retype(c.box, QString::fromLatin1(c.bad));
            int start = beeps();
            key(Qt::Key_Tab);
            EXPECT_TRUE(c.mark->Visible());
            EXPECT_EQ(beeps(), start + 1);
            EXPECT_EQ(QApplication::focusWidget(), c.box);  // back for correction
            retype(c.box, QString::fromLatin1(c.good));
            key(Qt::Key_Tab);
            EXPECT_FALSE(c.mark->Visible());
            EXPECT_NE(QApplication::focusWidget(), c.box);
            EXPECT_TRUE(d.Label2->Visible());
        }
        // Leaving the county received box empty is accepted; the county sent is required.
        in.txtEditSec->setText(QString());
        in.txtEditSec->SetFocus();
        settle();
        key(Qt::Key_Tab);
        EXPECT_FALSE(in.Label7->Visible());
        EXPECT_EQ(flags.BadCountyFlag, 0);
        in.Text3->setText(QString());
        in.Text3->SetFocus();
        settle();
        key(Qt::Key_Tab);
        EXPECT_TRUE(in.Label9->Visible());
        EXPECT_EQ(flags.BadCountyFlag, 1);
        d.Hide();
    });
    EXPECT_EQ(t.readFile(kLogFile), before);
}

TEST_F(EditDialogTest, DateAndTimeMustReadAsSuch) {
    openOutOfState();
    edit(1, [&](EditContactDialog& d) {
        retype(d.txtEditDate, QStringLiteral("2026/13/40"));
        const int start = beeps();
        key(Qt::Key_Tab);
        EXPECT_EQ(t.dialogs().messages().back().text,
                  QStringLiteral("You have entered an invalid date format!"));
        EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Invalid Date Format!"));
        EXPECT_EQ(QApplication::focusWidget(), d.txtEditDate);
        EXPECT_EQ(beeps(), start + 1);
        retype(d.txtEditDate, QStringLiteral("2026/9/13"));
        // An empty time fails Done first, with its own box.
        d.txtEditTime->SetFocus();
        settle();
        d.txtEditTime->setText(QString());
        d.txtEditDate->setText(QString());
        d.cmdDone->Press();
        settle();
        EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Invalid Time Format!"));
        EXPECT_EQ(QApplication::focusWidget(), d.txtEditTime);
        type(QStringLiteral("9:05"));
        d.cmdDone->Press();
        settle();
        EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Invalid Date Format!"));
        EXPECT_EQ(QApplication::focusWidget(), d.txtEditDate);
        EXPECT_TRUE(d.isVisible());
        type(QStringLiteral("2026/9/13"));
        // Enter in the band box stores a band its leave check would refuse.
        retype(d.Text1, QStringLiteral("17\n"));
    });
    const QSORecord& q = t.app().log()[1];
    EXPECT_EQ(q.QSODate, QStringLiteral("2026/9/13"));  // as typed
    EXPECT_EQ(q.QSOTime, QStringLiteral("9:05"));
    EXPECT_EQ(q.Band, QStringLiteral("17"));
}

TEST_F(EditDialogTest, DeleteDupeHandsTheEditedRecordToTheWindowsDeletion) {
    openOutOfState();
    auto makeDupe = [&](EditContactDialog& d) {
        retype(d.txtEditCall, QStringLiteral("k1aa"));
        retype(d.txtEditPre, QStringLiteral("hen\n"));
        EXPECT_TRUE(d.cmdDeleteDupe->Visible());
        d.cmdDeleteDupe->Press();
    };
    // Answered No: nothing is deleted, and the dialog has ended all the same.
    t.dialogs().answerMessage(Answer::No);
    edit(2, makeDupe);
    EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Are you sure?"));
    EXPECT_EQ(t.app().log().QSOCount, 2);
    EXPECT_EQ(t.readFile(kLogFile), before);

    // Answered Yes: the record being edited goes, not the one it repeats.
    t.dialogs().answerMessage(Answer::Yes);
    edit(2, makeDupe, How::RightClick);
    ASSERT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(t.app().log()[1].Call, QStringLiteral("K1AA"));
    EXPECT_EQ(win->ListView1->count(), 1);
    EXPECT_EQ(t.readFile(kLogFile), encodeRecord(contact("K1AA", "", "HEN", "")));
}

TEST_F(EditDialogTest, ARecordNumberOutsideTheLogOpensNothing) {
    openOutOfState();
    // The list still shows record 2 after the log in memory lost it.
    t.app().log().QSOCount = 1;
    win->ListView1->selectRow(listRowOf(2));
    win->cmdEdit->Press();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(t.readFile(kLogFile), before);
    EXPECT_EQ(t.app().log()[1].Call, QStringLiteral("K1AA"));

    // Should a dialog be loaded on such a number, it fills nothing and writes nothing.
    t.app().run().EditRecordNumber = 7;
    DEEditOut& d = t.app().forms().DEEditOut();
    EXPECT_EQ(d.editedRow(), 0);
    EXPECT_TRUE(d.txtEditCall->Text().isEmpty());
    d.cmdDone->Press();
    EXPECT_EQ(t.app().log()[7].Call, QString());
    d.Unload();
}

TEST_F(EditDialogTest, AFailedRewriteKeepsTheEditInMemoryAndUnsaved) {
    openOutOfState();
    t.files().setFault([](Files::Op op, const QString& path) {
        if (op == Files::Op::Rewrite && path.endsWith(kLogFile)) {
            throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
        }
    });
    edit(2, [&](EditContactDialog& d) { retype(d.txtEditCall, QStringLiteral("n0ne\n")); });
    EXPECT_TRUE(t.app().logStore().unsaved());
    EXPECT_EQ(t.app().log()[2].Call, QStringLiteral("N0NE"));
    EXPECT_EQ(listed(2, 1), QStringLiteral("N0NE"));  // rebuilt from memory
    EXPECT_EQ(t.readFile(kLogFile), before);
    ASSERT_FALSE(t.dialogs().messages().empty());
    EXPECT_TRUE(t.dialogs().messages().back().text.contains(QStringLiteral("log.txt")));
    EXPECT_FALSE(t.ending().ended());
}

}  // namespace
}  // namespace qf
