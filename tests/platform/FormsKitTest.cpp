#include "platform/ChoiceControls.h"
#include "platform/Controls.h"
#include "platform/Error.h"
#include "platform/Keys.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace qf {
namespace {

// A window whose key preview upper-cases, replaces and drops characters, and records the
// order in which the handlers ran.
class PreviewForm : public Form {
public:
    explicit PreviewForm(Platform& p) : Form(p, QStringLiteral("frmPreview")) {
        KeyPreview = true;
        Move(0, 0, 6000, 4000);
        txt = add<TextBox>(QStringLiteral("txtCall"));
        txt->Move(150, 150, 3000, 300);
        txt->KeyDown = [this](int& code, int) { log << QStringLiteral("box down %1").arg(code); };
        txt->KeyPress = [this](int& ascii) { log << QStringLiteral("box press %1").arg(ascii); };
        other = add<TextBox>(QStringLiteral("txtName"));
        other->Move(150, 600, 3000, 300);
        go = add<CommandButton>(QStringLiteral("cmdGo"), QStringLiteral("&Go"));
        go->Move(3300, 150, 1215, 375);
        tick = add<CheckBox>(QStringLiteral("chkTick"), QStringLiteral("Tick"));
        tick->Move(3300, 600, 1215, 300);
        pick = add<OptionButton>(QStringLiteral("optPick"), QStringLiteral("Pick"));
        pick->Move(3300, 1050, 1215, 300);
    }
    void Form_KeyDown(int& KeyCode, int Shift) override {
        log << QStringLiteral("form down %1 %2").arg(KeyCode).arg(Shift);
        if (zeroKeyCode) KeyCode = 0;
    }
    void Form_KeyPress(int& KeyAscii) override {
        log << QStringLiteral("form press %1").arg(KeyAscii);
        if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii -= 32;  // upper-case
        if (KeyAscii == 'X') KeyAscii = 'Y';                      // replace
        if (KeyAscii == 'Q' || KeyAscii == '"') KeyAscii = 0;     // drop
    }
    TextBox* txt;
    TextBox* other;
    CommandButton* go;
    CheckBox* tick;
    OptionButton* pick;
    QStringList log;
    bool zeroKeyCode = false;
};

class FormsKitTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<PreviewForm>(t.app().platform());
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->txt->SetFocus();
    }
    test::TestApp t;
    std::unique_ptr<PreviewForm> form;
};

TEST_F(FormsKitTest, KeyPreviewChangesWhatTheBoxReceives) {
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("w1xq/a"));
    EXPECT_EQ(form->txt->Text(), QStringLiteral("W1Y/A"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(form->txt->Text(), QStringLiteral("W1Y/"));
}

TEST_F(FormsKitTest, WindowHandlersRunFirstAndAZeroKeyCodeKeepsTheCharacter) {
    form->zeroKeyCode = true;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K);
    EXPECT_EQ(form->log, (QStringList{QStringLiteral("form down 75 0"),
                                      QStringLiteral("form press 107"),
                                      QStringLiteral("box press 75")}));
    EXPECT_EQ(form->txt->Text(), QStringLiteral("K"));
}

TEST_F(FormsKitTest, CtrlLetterIsAControlCodeAndInsertsNothing) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(form->log.contains(QStringLiteral("form down 71 2")));
    EXPECT_TRUE(form->log.contains(QStringLiteral("form press 7")));
    EXPECT_EQ(form->txt->Text(), QString());
}

TEST_F(FormsKitTest, NothingGetsIntoABoxAroundTheKeyFilters) {
    QGuiApplication::clipboard()->setText(QStringLiteral("A\"B"));
    QGuiApplication::clipboard()->setText(QStringLiteral("A\"B"), QClipboard::Selection);
    QWidget* box = QApplication::focusWidget();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::mouseClick(box, Qt::MiddleButton);
    EXPECT_EQ(form->txt->Text(), QString());
    EXPECT_EQ(form->txt->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_FALSE(form->txt->acceptDrops());
    // Typed, the quote goes through the window's handler, which drops it.
    QTest::keyClicks(box, QStringLiteral("a\"b"));
    EXPECT_EQ(form->txt->Text(), QStringLiteral("AB"));
}

TEST_F(FormsKitTest, TextSetFromCodeRaisesChangeAndIgnoresMaxLength) {
    int changes = 0;
    form->txt->Change = [&] { ++changes; };
    form->txt->setMaxLength(3);
    form->txt->setText(QStringLiteral("ABCDEF"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form->txt->Text(), QStringLiteral("ABCDEF"));
    EXPECT_EQ(form->txt->SelStart(), 0);
    EXPECT_EQ(form->txt->SelLength(), 0);
    form->txt->setText(QString());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abcdef"));
    EXPECT_EQ(form->txt->Text(), QStringLiteral("ABC"));  // typing is cut at MaxLength
    EXPECT_EQ(changes, 5);                                // one clear, three characters
}

TEST_F(FormsKitTest, TabbingInSelectsNothingAndRunsTheFocusHandlers) {
    QStringList focus;
    form->txt->LostFocus = [&] { focus << QStringLiteral("txtCall lost"); };
    form->other->GotFocus = [&] { focus << QStringLiteral("txtName got"); };
    form->other->setText(QStringLiteral("JOE"));
    form->txt->KeyPress = [&](int&) {
        // Moving the focus inside a handler: the focus handlers wait until it returns.
        form->other->SetFocus();
        focus << QStringLiteral("handler done");
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    EXPECT_EQ(QApplication::focusWidget(), form->other);
    EXPECT_EQ(focus, QStringList{QStringLiteral("handler done")});
    QCoreApplication::processEvents();
    EXPECT_EQ(focus, (QStringList{QStringLiteral("handler done"), QStringLiteral("txtCall lost"),
                                  QStringLiteral("txtName got")}));
    focus.clear();
    form->txt->SetFocus();
    QCoreApplication::processEvents();
    focus.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), form->other);
    EXPECT_EQ(form->other->SelLength(), 0);
    EXPECT_EQ(focus, (QStringList{QStringLiteral("txtCall lost"), QStringLiteral("txtName got")}));
    // Tab reaches no key handler.
    EXPECT_FALSE(form->log.join(QLatin1Char(' ')).contains(QStringLiteral("down 9")));
}

// A box that selects its text on arrival, left with the caret at the end and entered again by
// every route: the whole text is selected each time. A click is sent as a real display sends
// it, with pending events run between press, drag and release.
TEST_F(FormsKitTest, ASelectionMadeOnArrivalSurvivesEveryRouteIn) {
    QStringList focus;
    form->other->GotFocus = [&] {
        focus << QStringLiteral("txtName got");
        form->other->SelectAllText();
    };
    form->other->LostFocus = [&] { focus << QStringLiteral("txtName lost"); };
    form->txt->GotFocus = [&] { focus << QStringLiteral("txtCall got"); };
    form->other->setText(QStringLiteral("2026/01/05"));
    form->other->setSelStart(10);  // where typing the date left the caret
    auto expectWholeSelection = [&](const char* route) {
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), form->other) << route;
        EXPECT_EQ(form->other->SelStart(), 0) << route;
        EXPECT_EQ(form->other->SelLength(), 10) << route;
        form->other->setSelStart(10);
        form->txt->SetFocus();
        QCoreApplication::processEvents();
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    expectWholeSelection("Tab");
    form->other->SetFocus();
    expectWholeSelection("code");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), form->txt);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    expectWholeSelection("Tab after Shift+Tab");

    focus.clear();
    const QPoint inside(form->other->width() / 2, form->other->height() / 2);
    QTest::mousePress(form->other, Qt::LeftButton, {}, inside);
    QCoreApplication::processEvents();
    EXPECT_TRUE(focus.isEmpty()) << "GotFocus waits for the end of the click";
    QMouseEvent drag(QEvent::MouseMove, QPointF(inside + QPoint(12, 0)),
                     form->other->mapToGlobal(QPointF(inside + QPoint(12, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form->other, &drag);
    QCoreApplication::processEvents();
    QTest::mouseRelease(form->other, Qt::LeftButton, {}, inside + QPoint(12, 0));
    expectWholeSelection("click");
    EXPECT_EQ(focus, (QStringList{QStringLiteral("txtName got"), QStringLiteral("txtName lost"),
                                  QStringLiteral("txtCall got")}));

    // Focus taken away before the button comes up: the arrival still runs, before the leaving.
    focus.clear();
    QTest::mousePress(form->other, Qt::LeftButton, {}, inside);
    QCoreApplication::processEvents();
    form->txt->SetFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(focus, (QStringList{QStringLiteral("txtName got"), QStringLiteral("txtName lost"),
                                  QStringLiteral("txtCall got")}));
    QTest::mouseRelease(form->other, Qt::LeftButton, {}, inside);
    QCoreApplication::processEvents();
    EXPECT_EQ(focus.size(), 3) << "no second arrival";
}

// Keys typed faster than the event loop comes round: the box's arrival still comes first.
TEST_F(FormsKitTest, AKeyWaitsForTheArrivalOfItsBox) {
    QStringList order;
    form->other->setText(QStringLiteral("1000"));
    form->other->setSelStart(4);
    form->other->GotFocus = [&] {
        order << QStringLiteral("got");
        form->other->SelectAllText();
    };
    form->other->KeyPress = [&](int&) { order << QStringLiteral("key"); };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1015"));
    EXPECT_EQ(form->other->Text(), QStringLiteral("1015"));
    EXPECT_EQ(order.join(QLatin1Char(' ')), QStringLiteral("got key key key key"));
}

// A button pressed and released before the event loop comes round: its Click still comes
// after the steps of the focus it took, so it reads what the box's LostFocus committed.
TEST_F(FormsKitTest, AClickComesAfterTheFocusStepsOfTheBoxItLeaves) {
    QStringList steps;
    form->txt->LostFocus = [&] { steps << QStringLiteral("txtCall lost"); };
    auto watch = [&](Control* c, std::function<void()>& click) {
        c->GotFocus = [&steps, c] { steps << c->Name() + QStringLiteral(" got"); };
        click = [&steps, c] { steps << c->Name() + QStringLiteral(" click"); };
    };
    watch(form->go, form->go->Click);
    watch(form->tick, form->tick->Click);
    watch(form->pick, form->pick->Click);
    struct Route {
        const char* name;
        Control* control;
        std::function<void()> press;
    };
    const Route routes[] = {
        {"click on a button", form->go, [&] { QTest::mouseClick(form->go, Qt::LeftButton); }},
        {"mnemonic", form->go,
         [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier); }},
        // The focus moved by code, and the key comes before the event loop does.
        {"Enter on a button", form->go,
         [&] {
             form->go->SetFocus();
             QTest::keyClick(form->go, Qt::Key_Return);
         }},
        {"Space on a button", form->go,
         [&] {
             form->go->SetFocus();
             QTest::keyClick(form->go, Qt::Key_Space);
         }},
        {"click on a check box", form->tick,
         [&] { QTest::mouseClick(form->tick, Qt::LeftButton, {}, QPoint(6, 10)); }},
        {"click on an option button", form->pick,
         [&] { QTest::mouseClick(form->pick, Qt::LeftButton, {}, QPoint(6, 10)); }},
    };
    for (const Route& r : routes) {
        SCOPED_TRACE(r.name);
        form->txt->SetFocus();
        QCoreApplication::processEvents();
        steps.clear();
        r.press();
        EXPECT_EQ(steps.join(QStringLiteral(", ")),
                  QStringLiteral("txtCall lost, %1 got, %1 click").arg(r.control->Name()));
        QCoreApplication::processEvents();
        EXPECT_EQ(steps.size(), 3) << "nothing left over";
    }
}

// What the box's LostFocus does to the button before its Click: a button disabled, hidden or
// left is not clicked. A quick click (press and release in one read of events) ends as a slow
// one, where the LostFocus runs while the button is held.
TEST_F(FormsKitTest, AClickUndoneByTheLeavingOfTheBoxDoesNotRun) {
    int clicks = 0;
    struct Case {
        const char* what;
        std::function<void(PreviewForm&)> onLeave;
        int clicks;
    };
    const Case cases[] = {
        {"disables the button", [](PreviewForm& f) { f.go->setEnabled(false); }, 0},
        {"hides the button", [](PreviewForm& f) { f.go->setVisible(false); }, 0},
        {"puts the focus back in the box", [](PreviewForm& f) { f.txt->SetFocus(); }, 0},
        {"hides the window", [](PreviewForm& f) { f.Hide(); }, 0},
        {"lets pending events run", [](PreviewForm&) { QCoreApplication::processEvents(); }, 1},
    };
    const std::pair<const char*, std::function<void(CommandButton*)>> speeds[] = {
        {"quick", [](CommandButton* b) { QTest::mouseClick(b, Qt::LeftButton); }},
        {"slow",
         [](CommandButton* b) {
             QTest::mousePress(b, Qt::LeftButton);
             QCoreApplication::processEvents();
             QTest::mouseRelease(b, Qt::LeftButton);
         }},
    };
    for (const auto& [speed, click] : speeds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(speed) + " click, LostFocus " + c.what);
            // A fresh window each time: one hidden inside a handler is not active again offscreen.
            form = std::make_unique<PreviewForm>(t.app().platform());
            PreviewForm& f = *form;
            f.Show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
            f.txt->SetFocus();
            QCoreApplication::processEvents();
            f.txt->LostFocus = [&f, &c] { c.onLeave(f); };
            f.go->Click = [&] { ++clicks; };
            clicks = 0;
            click(f.go);
            EXPECT_EQ(clicks, c.clicks);
            QCoreApplication::processEvents();
            EXPECT_EQ(clicks, c.clicks) << "no late click";
        }
    }
}

TEST_F(FormsKitTest, FocusOnAHiddenOrDisabledControlIsAnError) {
    form->other->setVisible(false);
    EXPECT_FALSE(form->other->Visible());
    try {
        form->other->SetFocus();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kInvalidCall);
    }
    form->other->setVisible(true);
    form->other->setEnabled(false);
    EXPECT_THROW(form->other->SetFocus(), Error);
}

TEST_F(FormsKitTest, GeometryIsKeptInTwipsAndAppliedInPixels) {
    form->txt->Move(1500, 300, 3000, 450);
    EXPECT_EQ(form->txt->geometry(), QRect(100, 20, 200, 30));
    // Chains of scaling keep the exact value, not the rounded pixels.
    form->txt->setWidth(form->txt->Width() * 0.9);
    form->txt->setWidth(form->txt->Width() * 1.1111111);
    EXPECT_NEAR(form->txt->Width(), 3000, 0.001);
    EXPECT_DOUBLE_EQ(form->ScaleWidth(), 6000 - 2 * Form::kBorderTwips);
    EXPECT_DOUBLE_EQ(form->ScaleHeight(), 4000 - 2 * Form::kBorderTwips - Form::kCaptionTwips);
    form->setHasMenuBar(true);
    EXPECT_DOUBLE_EQ(form->ScaleHeight(),
                     4000 - 2 * Form::kBorderTwips - Form::kCaptionTwips - Form::kMenuBarTwips);
    EXPECT_THROW(form->txt->setWidth(-1), Error);
}

// Windows and controls share one set of checked setters: a size below zero or a value no
// coordinate can hold is refused with its error and leaves the geometry as it was.
TEST_F(FormsKitTest, GeometrySettersRefuseWhatNoWindowOrControlCanHold) {
    const double huge = 3e9, nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::function<void(TwipsGeometry&)> set;
        int error;
    };
    const std::vector<Case> cases = {
        {"negative width", [](TwipsGeometry& g) { g.setWidth(-1); }, err::kInvalidProperty},
        {"negative height", [](TwipsGeometry& g) { g.setHeight(-15); }, err::kInvalidProperty},
        {"huge left", [&](TwipsGeometry& g) { g.setLeft(huge); }, err::kOverflow},
        {"top not a number", [&](TwipsGeometry& g) { g.setTop(nan); }, err::kOverflow},
        {"move to a negative size", [](TwipsGeometry& g) { g.Move(0, 0, 1500, -1); },
         err::kInvalidProperty},
        {"move past any coordinate", [&](TwipsGeometry& g) { g.Move(-huge, 0, 1500, 300); },
         err::kOverflow},
    };
    for (TwipsGeometry* g : {static_cast<TwipsGeometry*>(form.get()),
                             static_cast<TwipsGeometry*>(form->txt)}) {
        const QRectF before(g->Left(), g->Top(), g->Width(), g->Height());
        for (const Case& c : cases) {
            try {
                c.set(*g);
                ADD_FAILURE() << c.what << ": no error";
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), c.error) << c.what;
            }
            EXPECT_EQ(QRectF(g->Left(), g->Top(), g->Width(), g->Height()), before) << c.what;
        }
        g->setLeft(-300);  // a position may be negative
        EXPECT_EQ(g->Left(), -300);
    }
}

TEST_F(FormsKitTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    form->txt->KeyPress = [](int&) { throw Error(err::kDivisionByZero, QStringLiteral("Division by zero")); };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].text, QStringLiteral("Division by zero"));
    EXPECT_EQ(form->txt->Text(), QStringLiteral("A"));  // the key still went in
}

TEST(LabelTest, CaptionChangeAndClicks) {
    test::TestApp t;
    Form f(t.app().platform(), QStringLiteral("frmLabels"));
    auto* lbl = f.add<Label>(QStringLiteral("lblDialog"), QStringLiteral("Ready"));
    lbl->Move(0, 0, 3000, 300);
    f.Show();
    QStringList events;
    lbl->Change = [&] { events << QStringLiteral("change"); };
    lbl->Click = [&] { events << QStringLiteral("click"); };
    lbl->DblClick = [&] { events << QStringLiteral("dblclick"); };
    lbl->MouseUp = [&](int button, int, double, double) {
        events << QStringLiteral("up %1").arg(button);
    };
    lbl->setCaption(QStringLiteral("Dupe"));
    QTest::mouseClick(lbl, Qt::LeftButton);
    QTest::mouseDClick(lbl, Qt::LeftButton);
    QTest::mouseRelease(lbl, Qt::LeftButton);
    QTest::mouseClick(lbl, Qt::RightButton);
    EXPECT_EQ(events, (QStringList{QStringLiteral("change"), QStringLiteral("up 1"),
                                   QStringLiteral("click"), QStringLiteral("dblclick"),
                                   QStringLiteral("up 1"), QStringLiteral("up 2")}));
}

// A window that counts its loads and unloads.
class CountedForm : public Form {
public:
    CountedForm(Platform& p, int& loads, int& unloads)
        : Form(p, QStringLiteral("frmCounted")), loads_(loads), unloads_(unloads) {}
    void Form_Load() override { ++loads_; }
    void Form_QueryUnload(int& Cancel, int) override { Cancel = refuse ? 1 : 0; }
    void Form_Unload(int&) override { ++unloads_; }
    bool refuse = false;

private:
    int& loads_;
    int& unloads_;
};

TEST(FormSlotTest, LoadsAtFirstReferenceAndFreshAfterUnload) {
    test::TestApp t;
    int loads = 0, unloads = 0;
    FormSlot<CountedForm> slot([&] {
        return std::make_unique<CountedForm>(t.app().platform(), loads, unloads);
    });
    EXPECT_FALSE(slot.isLoaded());
    CountedForm& first = slot.get();
    slot.get();
    EXPECT_EQ(loads, 1);
    first.refuse = true;
    EXPECT_FALSE(first.Unload());  // Form_QueryUnload cancelled
    EXPECT_TRUE(slot.isLoaded());
    first.refuse = false;
    QPointer<CountedForm> gone(&first);
    EXPECT_TRUE(first.Unload());
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(slot.isLoaded());
    EXPECT_TRUE(gone);  // deleted later, not inside its own handler
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(gone);
    slot.get();
    EXPECT_EQ(loads, 2);
}

// A window whose load shows a box (a loop of its own) and goes on after it, with a timer that
// unloads the window, as a splash window closes itself.
class BoxInLoadForm : public Form {
  public:
    BoxInLoadForm(Platform& p, std::function<void()> box)
        : Form(p, QStringLiteral("frmBoxInLoad")), box_(std::move(box)) {
        Timer1 = add<qf::Timer>(QStringLiteral("Timer1"), 1900);
        Timer1->Tick = [this] { Unload(); };
    }
    void Form_Load() override {
        box_();
        setCaption(QStringLiteral("after the box"));
    }
    qf::Timer* Timer1;

  private:
    std::function<void()> box_;
};

TEST(FormSlotTest, AWindowUnloadedInsideItsOwnLoadOutlivesTheLoad) {
    test::TestApp t;
    // The box is open past the timer, and its loop runs deletes that were left for later.
    auto box = [&] {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            t.clock().advance(2000);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
    };
    int made = 0;
    FormSlot<BoxInLoadForm> slot([&] {
        ++made;
        return std::make_unique<BoxInLoadForm>(t.app().platform(), box);
    });

    BoxInLoadForm& first = slot.get();
    QPointer<BoxInLoadForm> kept(&first);
    ASSERT_TRUE(kept);
    first.Show();  // does nothing: the window is unloaded
    EXPECT_TRUE(first.unloaded());
    EXPECT_EQ(first.Caption(), QStringLiteral("after the box"));
    EXPECT_FALSE(first.isVisible());
    EXPECT_FALSE(slot.isLoaded());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(kept);
    // The next reference loads a fresh window.
    slot.get();
    EXPECT_EQ(made, 2);
}

}  // namespace
}  // namespace qf
