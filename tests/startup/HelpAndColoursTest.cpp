#include "app/Forms.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

namespace qf {
namespace {

void press(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

// Shows a window modally as the logging window's menu command does, runs `whileOpen` inside the
// modal loop, and unloads the window when the show returns.
template <class W>
void showModal(FormSlot<W>& slot, const std::function<void(W&)>& whileOpen) {
    QTimer::singleShot(0, [&] {
        W* w = slot.peek();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        whileOpen(*w);
        if (w->isVisible() && !w->unloaded()) {
            ADD_FAILURE() << "the window did not close";
            w->Hide();
        }
    });
    slot.get().ShowModal();
    if (W* w = slot.peek()) w->Unload();
}

void expectInsideClientArea(Form& w) {
    for (Control* c : w.controls()) {
        if (!c->hasGeometry() || !c->Visible()) continue;
        EXPECT_LE(c->Left() + c->Width(), w.ScaleWidth()) << c->Name().toStdString();
        EXPECT_LE(c->Top() + c->Height(), w.ScaleHeight()) << c->Name().toStdString();
    }
}

// ---- the help window

class HelpWindowTest : public ::testing::Test {
protected:
    // Opens the help window, returns what its box showed, and closes it with Enter on the
    // button that has the focus.
    QString showHelp(const std::function<void(Form5&)>& alsoCheck = {}) {
        QString shown;
        showModal<Form5>(t.app().forms().form5Slot(), [&](Form5& w) {
            shown = w.Text1->Text();
            EXPECT_EQ(QApplication::focusWidget(), w.Command1);
            if (alsoCheck) alsoCheck(w);
            w.Command1->setFocus();
            press(Qt::Key_Return);
        });
        EXPECT_FALSE(t.app().forms().form5Slot().isLoaded());
        return shown;
    }
    test::TestApp t;
};

TEST_F(HelpWindowTest, ShowsEveryCharacterOfTheFileReadOnlyAndScrolling) {
    QByteArray text = "Caf\xe9 rules\r\n\r\nline with a lone\rCR\r\n";
    for (int i = 0; i < 200; ++i) text += "more help\r\n";
    t.writeFile(QStringLiteral("ReadVEVI.txt"), text);
    const QString shown = showHelp([&](Form5& w) {
        EXPECT_EQ(w.Caption(), QStringLiteral("Help Page"));
        EXPECT_TRUE(w.Text1->Locked());
        EXPECT_TRUE(w.Text1->verticalScrollBar()->isVisible());
        EXPECT_GT(w.Text1->verticalScrollBar()->maximum(), 0);
        // Each line end is one line: CR LF and the lone CR.
        EXPECT_TRUE(w.Text1->toPlainText().startsWith(
            QStringLiteral("Caf\u00e9 rules\n\nline with a lone\nCR\n")));
        w.Text1->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("xyz"));
        press(Qt::Key_Delete);
        EXPECT_EQ(w.Text1->Text(), QString::fromLatin1(text));
        EXPECT_FALSE(w.Text1->toPlainText().contains(QStringLiteral("xyz")));
    });
    EXPECT_EQ(shown, QString::fromLatin1(text));
}

TEST_F(HelpWindowTest, EachOpeningReadsTheFileAgainAndAMissingFileShowsNothing) {
    t.writeFile(QStringLiteral("ReadVEVI.txt"), "first");
    EXPECT_EQ(showHelp(), QStringLiteral("first"));
    t.writeFile(QStringLiteral("ReadVEVI.txt"), "second");
    EXPECT_EQ(showHelp(), QStringLiteral("second"));
    t.writeFile(QStringLiteral("ReadVEVI.txt"), "");
    EXPECT_EQ(showHelp(), QString());
    t.files().remove(QStringLiteral("ReadVEVI.txt"));
    EXPECT_EQ(showHelp(), QString());
    EXPECT_TRUE(t.dialogs().shown().empty());
}

TEST_F(HelpWindowTest, TheShippedHelpTextShowsAndTheWindowFitsTheScreen) {
    QFile shipped(test::shippedDataFile(QStringLiteral("ReadVEVI.txt")));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray text = shipped.readAll();
    t.writeFile(QStringLiteral("ReadVEVI.txt"), text);
    const QString shown = showHelp([](Form5& w) {
        // 28800 x 16200 twips: x3 across, x2.25 down; control fonts by the smaller ratio.
        EXPECT_DOUBLE_EQ(w.Left(), (28800 - w.Width()) / 2);
        EXPECT_DOUBLE_EQ(w.Top(), (16200 - w.Height()) / 2);
        EXPECT_DOUBLE_EQ(w.Text1->FontSize(), 9.75 * 2.25);
        EXPECT_DOUBLE_EQ(w.Command1->FontSize(), 8.25 * 2.25);
        expectInsideClientArea(w);
    });
    EXPECT_EQ(shown, QString::fromLatin1(text));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("QUILLFEN")));
}

// ---- the colours dialog

class ColoursDialogTest : public ::testing::Test {
protected:
    ColoursDialogTest() {
        t.app().station().WorkedColor = 0x008000;     // green
        t.app().station().RemainingColor = 0x0000FF;  // red
    }
    StationSettings& s() { return t.app().station(); }
    test::TestApp t;
};

TEST_F(ColoursDialogTest, EachButtonChangesItsOwnColourAndCancelChangesNothing) {
    showModal<Form6>(t.app().forms().form6Slot(), [&](Form6& w) {
        EXPECT_EQ(w.Caption(), QStringLiteral(" Modify Multiplier Color Selections"));
        EXPECT_EQ(w.Label1->ForeColor(), 0x008000u);
        EXPECT_EQ(w.Label2->ForeColor(), 0x0000FFu);
        EXPECT_EQ(QApplication::focusWidget(), w.Command1);

        t.dialogs().answerColor(0xFF0000);
        press(Qt::Key_Return);  // "Change "Remaining" Color"
        EXPECT_EQ(s().RemainingColor, 0xFF0000);
        EXPECT_EQ(w.Label2->ForeColor(), 0xFF0000u);
        EXPECT_EQ(s().WorkedColor, 0x008000);

        press(Qt::Key_Tab);
        press(Qt::Key_Return);  // "Change "Worked" Color", cancelled
        EXPECT_EQ(s().WorkedColor, 0x008000);
        EXPECT_EQ(w.Label1->ForeColor(), 0x008000u);
        t.dialogs().answerColor(0xC0C000);
        press(Qt::Key_Return);
        EXPECT_EQ(s().WorkedColor, 0xC0C000);
        EXPECT_EQ(w.Label1->ForeColor(), 0xC0C000u);
        EXPECT_EQ(s().RemainingColor, 0xFF0000);

        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), w.Command6);
        press(Qt::Key_Return);  // Done
    });
    EXPECT_FALSE(t.app().forms().form6Slot().isLoaded());
    EXPECT_EQ(t.dialogs().shown().size(), 3u);
    EXPECT_EQ(s().WorkedColor, 0xC0C000);
    EXPECT_EQ(s().RemainingColor, 0xFF0000);
}

TEST_F(ColoursDialogTest, TheCloseBoxKeepsTheChosenColours) {
    showModal<Form6>(t.app().forms().form6Slot(), [&](Form6& w) {
        t.dialogs().answerColor(0x00FFFF);
        w.Command3->Press();
        w.close();
    });
    EXPECT_FALSE(t.app().forms().form6Slot().isLoaded());
    EXPECT_EQ(s().WorkedColor, 0x00FFFF);
}

TEST_F(ColoursDialogTest, TheDialogScalesByTheScreenWidth) {
    Form6& w = t.app().forms().Form6();
    EXPECT_DOUBLE_EQ(w.Left(), (28800 - w.Width()) / 2);
    EXPECT_DOUBLE_EQ(w.Label1->FontSize(), 9.0 * 3);  // the width ratio, uncapped
    EXPECT_DOUBLE_EQ(w.Line1->X2(), 5520.0 * 3);
    EXPECT_DOUBLE_EQ(w.Line1->Y1(), 1440 * 2.25);
    EXPECT_DOUBLE_EQ(w.Line2->Y2(), 1440 * 2.25);
    expectInsideClientArea(w);
    w.Unload();
}

TEST_F(ColoursDialogTest, AScalingFailureIsReportedAndTheColoursStillShow) {
    t.screen().set(QSizeF(1e12, 1e12), QRectF(0, 0, 1e12, 1e12));
    Form6& w = t.app().forms().Form6();
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Form Resize Error"));
    EXPECT_EQ(w.Label1->ForeColor(), 0x008000u);
    EXPECT_EQ(w.Label2->ForeColor(), 0x0000FFu);
    w.Unload();
}

}  // namespace
}  // namespace qf
