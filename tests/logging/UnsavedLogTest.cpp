// A contact that could not be written lives in memory only: every reload of the logging window
// keeps it, and closing the window asks before it is lost, as Exit does.
#include "logging/LoggingFixture.h"
#include "platform/Error.h"

#include <QTimer>

#include <functional>

namespace qf {
namespace {

using test::LoggingFixture;

QSORecord contact(int n) {
    QSORecord q;
    q.Call = QStringLiteral("K%1ZZ").arg(n);
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("OP%1").arg(n);
    q.CountyRcvd = QStringLiteral("AIT");
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:5%1:00").arg(n);
    q.Mode = QStringLiteral("PH");
    q.Band = QStringLiteral("20");
    return q;
}

class UnsavedLogTest : public LoggingFixture {
  protected:
    Outfrm& w() { return *t.app().forms().outfrmSlot().peek(); }
    // Three contacts on disk, then a fourth whose write fails: it lives in memory only.
    void failAFourth() {
        writeLog({contact(1), contact(2), contact(3)});
        openOut();
        onDisk = t.readFile(QStringLiteral("log.txt"));
        t.files().setFault([](Files::Op op, const QString& path) {
            if ((op == Files::Op::Append || op == Files::Op::Rewrite) &&
                path.endsWith(QStringLiteral("log.txt"))) {
                throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
            }
        });
        t.app().log()[4] = contact(4);
        t.app().log().QSOCount = 4;
        ASSERT_FALSE(t.app().logStore().AppendRecord());
        w().FillLogList();  // as the logging step shows it
        t.dialogs().clearShown();
    }
    // The fourth contact is still in the log, in the list and in the counts.
    void expectKept(const char* after) {
        SCOPED_TRACE(after);
        const QSOLog& log = t.app().log();
        ASSERT_GE(log.QSOCount, 1);
        EXPECT_EQ(log[log.QSOCount].Call, QStringLiteral("K4ZZ"));
        EXPECT_EQ(w().ListView1->text(1, 1), QStringLiteral("K4ZZ"));
        EXPECT_TRUE(t.app().logStore().unsaved());
        EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), onDisk);
        EXPECT_FALSE(t.ending().ended());
    }
    QByteArray onDisk;
};

TEST_F(UnsavedLogTest, EveryReloadKeepsAContactThatCouldNotBeWritten) {
    failAFourth();
    w().mnuBandItems[2]->action()->trigger();  // band
    expectKept("band");
    w().BandFreqConversion(14.2f);  // band from the rig
    expectKept("band from the rig");
    w().mnu160->action()->trigger();  // mode
    expectKept("mode");
    w().ModeSelection(QStringLiteral("PH"));  // mode from the rig
    expectKept("mode from the rig");
    EXPECT_EQ(w().lblsectogo->Caption(), QStringLiteral("0"));  // counted from memory
    EXPECT_EQ(w().lblTotCon->Caption(), QStringLiteral("4"));

    bool ran = false;
    QTimer::singleShot(0, [&] {
        t.app().forms().Form6().Command6->Press();  // Done
        ran = true;
    });
    w().mnuColors_Click();  // the out-of-state window has no item for it; the step is shared
    EXPECT_TRUE(ran);
    expectKept("colours");

    t.dialogs().answerInput(QStringLiteral("no"));
    w().mnuNew->action()->trigger();
    expectKept("new log answered no");
    // Answered YES, it will not erase a log whose contacts cannot be written first.
    t.dialogs().answerInput(QStringLiteral("YES"));
    w().mnuNew->action()->trigger();
    expectKept("new log answered yes");
    EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("New Log"));

    t.writeFile(QStringLiteral("other.log"), encodeRecord(contact(9)));
    t.dialogs().answerMessage(Answer::OK);
    t.dialogs().answerMessage(Answer::Yes);
    t.dialogs().answerFile(t.path(QStringLiteral("other.log")));
    w().mnuRestore->action()->trigger();
    expectKept("restore");
    EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Error Restoring Log"));
    EXPECT_TRUE(t.dialogs().messages().back().text.contains(QStringLiteral("nothing was restored")));

    // Deleting the first contact: the rewrite fails too, and the reload keeps the rest.
    w().ListView1->selectRow(4);
    w().ListView1_Click();
    t.dialogs().answerMessage(Answer::Yes);
    w().cmdDelete->Press();
    expectKept("delete");
    EXPECT_EQ(t.app().log().QSOCount, 3);
    EXPECT_EQ(t.app().log()[1].Call, QStringLiteral("K2ZZ"));

    // The disk is back: the next reload writes the log whole, then reads it.
    t.files().setFault({});
    w().mnuBandItems[3]->action()->trigger();
    EXPECT_FALSE(t.app().logStore().unsaved());
    const QByteArray now = t.readFile(QStringLiteral("log.txt"));
    EXPECT_EQ(now, encodeRecord(contact(2)) + encodeRecord(contact(3)) + encodeRecord(contact(4)));
}

TEST_F(UnsavedLogTest, ClosingTheWindowAsksAsExitDoes) {
    failAFourth();
    // The write fails again: No keeps the window and the contact.
    t.dialogs().answerMessage(Answer::OK);  // the failure
    t.dialogs().answerMessage(Answer::No);
    EXPECT_FALSE(w().Unload(Form::kUnloadFromControlMenu));
    EXPECT_EQ(quits, 0);
    const auto asked = t.dialogs().messages().back();
    EXPECT_EQ(asked.title, QStringLiteral("Exit"));
    EXPECT_EQ(asked.text, QStringLiteral("Some contacts could not be written to log.txt and would "
                                         "be lost.  Exit anyway?"));
    EXPECT_EQ(asked.defaultButton, 1);
    expectKept("No");

    // Yes: the operator chose to end; the window closes and the program ends.
    t.dialogs().answerMessage(Answer::OK);
    t.dialogs().answerMessage(Answer::Yes);
    EXPECT_TRUE(w().Unload(Form::kUnloadFromControlMenu));
    EXPECT_EQ(quits, 1);
}

TEST_F(UnsavedLogTest, ClosingWritesTheLogWhenTheDiskIsBack) {
    failAFourth();
    t.files().setFault({});
    EXPECT_TRUE(w().Unload(Form::kUnloadFromControlMenu));
    EXPECT_TRUE(t.dialogs().messages().empty());  // nothing to ask
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(t.readFile(QStringLiteral("log.txt")).endsWith(encodeRecord(contact(4))));
}

}  // namespace
}  // namespace qf
