// The code-practice window: random groups from a fixed seed, sending through the CW window's
// send loop into the keying-line recorder on the set clock, the typing box, the speed buttons,
// the close guard, and its opening from the CW window.
#include "app/Forms.h"
#include "common/RandomSource.h"
#include "keying/CWFrm.h"
#include "keying/KeyingFixture.h"
#include "keying/PracticeGroups.h"
#include "keying/frmCodePractice.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTimer>

namespace qf {
namespace {

class CodePracticeTest : public ::testing::Test {
  protected:
    CodePracticeTest() {
        // The parallel port at 20 WPM, timed by sleeping on the set clock.
        cw().Option3->setValue(true);
        cw().OptSleep->setValue(true);
        cw().Text11->setText(QStringLiteral("20"));
        t.app().random().setSeed(7);  // with the set clock, every draw repeats
    }
    CWFrm& cw() { return t.app().forms().CWFrm(); }
    RunState& run() { return t.app().run(); }
    test::KeyingRecorder& rec() { return t.keying(); }
    frmCodePractice& open() {
        frmCodePractice& w = t.app().forms().frmCodePractice();
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        QCoreApplication::processEvents();
        return w;
    }
    // Runs `step` once, when the recorder makes setting number `index` (0 = the first).
    void atSetting(size_t index, std::function<void()> step) {
        rec().afterSet = [index, step = std::move(step), done = false](size_t i) mutable {
            if (i != index || done) return;
            done = true;
            step();
        };
    }
    static int units(QChar c) { return static_cast<int>(MorsePattern(c)->size()); }

    test::TestApp t;
};

TEST_F(CodePracticeTest, GenerateGivesGroupsOfTheChosenCharacters) {
    frmCodePractice& w = open();
    EXPECT_EQ(w.Label8->Caption(), QStringLiteral("20"));
    EXPECT_TRUE(w.Text5->hasFocus());
    w.Command2->Press();
    const QString all = w.Text1->Text();
    ASSERT_EQ(all.size(), 60);
    for (int g = 0; g < 10; ++g) {
        EXPECT_EQ(all[g * 6 + 5], QLatin1Char(' '));
        for (int c = 0; c < 5; ++c) EXPECT_TRUE(PracticeCharacters().contains(all[g * 6 + c]));
    }
    w.Option1->setValue(true);
    w.Text3->setText(QStringLiteral("50"));
    w.Command2->Press();
    const QString letters = w.Text1->Text().remove(QLatin1Char(' '));
    EXPECT_EQ(letters.size(), 250);
    for (QChar c : letters) {
        EXPECT_TRUE(c >= QLatin1Char('A') && c <= QLatin1Char('Z')) << int(c.unicode());
    }
    EXPECT_NE(letters.count(letters[0]), letters.size());
}

TEST_F(CodePracticeTest, TheBoxesAreReadAsNumbersAndCapped) {
    const struct {
        const char* groups;
        const char* length;
        const char* groupsShown;
        const char* lengthShown;
        int size;
    } cases[] = {
        {"abc", "5", "10", "5", 60},   {"3", "", "3", "5", 18},   {"2.5", "2", "2.5", "2", 6},
        {"0", "5", "0", "5", 0},       {"3", "-1", "3", "-1", 3}, {"5000", "5", "1000", "5", 6000},
        {"2", "500", "2", "100", 202},
    };
    frmCodePractice& w = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.groups);
        w.Text3->setText(QString::fromLatin1(c.groups));
        w.Text4->setText(QString::fromLatin1(c.length));
        w.Command2->Press();
        EXPECT_EQ(w.Text3->Text(), QString::fromLatin1(c.groupsShown));
        EXPECT_EQ(w.Text4->Text(), QString::fromLatin1(c.lengthShown));
        EXPECT_EQ(w.Text1->Text().size(), c.size);
    }
}

TEST_F(CodePracticeTest, TheSameSeedAndTimeGiveTheSameGroups) {
    TestClock clock;
    RandomSource a(clock), b(clock);
    a.setSeed(42);
    b.setSeed(42);
    a.reseedFromClock();
    b.reseedFromClock();
    EXPECT_EQ(GeneratePracticeGroups(10, 5, false, a), GeneratePracticeGroups(10, 5, false, b));
    for (int i = 0; i < 1000; ++i) {
        const double v = a.next();
        EXPECT_TRUE(v >= 0 && v < 1) << v;
    }
}

TEST_F(CodePracticeTest, SendKeysEachCharacterThenEchoesIt) {
    frmCodePractice& w = open();
    w.Text1->setText(QStringLiteral("cq de k9abc"));
    // At the first setting of the second character, only the first has been echoed.
    atSetting(static_cast<size_t>(units(QLatin1Char('C'))),
              [&] { EXPECT_EQ(w.Text2->Text(), QStringLiteral("c")); });
    w.Command3->Press();
    EXPECT_EQ(test::Keyed(rec()), QStringLiteral("CQ DE K9ABC"));
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("cq de k9abc"));
    EXPECT_EQ(w.Text1->SelStart(), 11);
    EXPECT_FALSE(rec().lineDown());
    EXPECT_EQ(run().CWSending, 0);
}

TEST_F(CodePracticeTest, SendingAnEmptyTextKeysAndEchoesNothing) {
    frmCodePractice& w = open();
    w.Command3->Press();
    EXPECT_TRUE(rec().changes().empty());
    EXPECT_EQ(w.Text2->Text(), QString());
}

TEST_F(CodePracticeTest, StopDuringACharacterEndsItThereWithoutEchoingIt) {
    frmCodePractice& w = open();
    w.Text1->setText(QStringLiteral("TEST"));
    atSetting(static_cast<size_t>(units(QLatin1Char('T'))), [&] { w.Command4->Press(); });
    w.Command3->Press();
    EXPECT_EQ(test::Keyed(rec()), QStringLiteral("TE"));
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("T"));
    EXPECT_TRUE(run().CWSendBuffer.isEmpty());
    EXPECT_TRUE(w.PracticeText.isEmpty());
}

TEST_F(CodePracticeTest, TypedKeysAreSentAndBackspaceWithdrawsTheLastUnsent) {
    frmCodePractice& w = open();
    ASSERT_TRUE(w.Text5->hasFocus());
    // While "A" is keyed: "b", "c" and Backspace arrive.
    atSetting(0, [&] {
        QTest::keyClicks(w.Text5, QStringLiteral("bc"));
        EXPECT_EQ(w.Text2->Text(), QStringLiteral("ABC"));
        QTest::keyClick(w.Text5, Qt::Key_Backspace);
    });
    QTest::keyClicks(w.Text5, QStringLiteral("a"));
    EXPECT_EQ(test::Keyed(rec()), QStringLiteral("AB"));
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("AB"));
    EXPECT_EQ(w.Text5->Text(), QString());
    // With nothing left to send, Backspace only shortens "Text Sent".
    QTest::keyClick(w.Text5, Qt::Key_Backspace);
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("A"));
    EXPECT_EQ(test::Keyed(rec()), QStringLiteral("AB"));
}

TEST_F(CodePracticeTest, TheCloseIsRefusedWhileSendingThenAllowed) {
    frmCodePractice& w = open();
    w.Text1->setText(QStringLiteral("EEE"));
    bool refused = false;
    atSetting(0, [&] { refused = !w.Unload(Form::kUnloadFromControlMenu); });
    w.Command3->Press();
    EXPECT_TRUE(refused);
    EXPECT_TRUE(t.app().forms().codePracticeSlot().isLoaded());
    EXPECT_EQ(test::Keyed(rec()), QStringLiteral("E"));
    EXPECT_TRUE(w.Unload(Form::kUnloadFromControlMenu));
}

TEST_F(CodePracticeTest, FasterThenSlowerGivesTheFirstSpeedBack) {
    frmCodePractice& w = open();
    w.Command7->Press();
    EXPECT_EQ(w.Label8->Caption(), QStringLiteral("21"));
    EXPECT_EQ(cw().Text11->Text(), QStringLiteral("21"));
    w.Command8->Press();
    EXPECT_EQ(w.Label8->Caption(), QStringLiteral("20"));
    EXPECT_EQ(cw().Text11->Text(), QStringLiteral("20"));
}

TEST_F(CodePracticeTest, PasteClearAndTyping) {
    frmCodePractice& w = open();
    QGuiApplication::clipboard()->setText(QStringLiteral("cq test"));
    w.Command1->Press();
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("cq test"));  // as pasted
    w.Text1->setFocus();
    w.Text1->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.Text1, QStringLiteral(" de k9"));
    EXPECT_EQ(w.Text1->Text(), QStringLiteral("cq test DE K9"));
    w.Text2->setText(QStringLiteral("X"));
    w.Command5->Press();
    EXPECT_EQ(w.Text2->Text(), QString());
    w.Command6->Press();
    EXPECT_EQ(w.Text1->Text(), QString());
}

TEST_F(CodePracticeTest, SendCodePracticeOpensItModallyAndUnloadsIt) {
    bool modal = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        frmCodePractice* w = t.app().forms().codePracticeSlot().peek();
        if (!w || !w->isVisible()) return;
        poll.stop();
        modal = w->isModal();
        run().CWSendBuffer = QStringLiteral("LEFT OVER");
        w->close();
    });
    poll.start();
    cw().Command7->Press();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(t.app().forms().codePracticeSlot().isLoaded());
    EXPECT_TRUE(run().CWSendBuffer.isEmpty());
}

}  // namespace
}  // namespace qf
