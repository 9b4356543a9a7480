// The tuning window and the privilege chart as the logging windows open them: modal, and
// unloaded once they close, so every opening starts afresh.
#include "logging/LoggingFixture.h"

#include <QTimer>

#include <functional>

namespace qf {
namespace {

using test::LoggingFixture;

class RigToolWindowsTest : public LoggingFixture {
  protected:
    Outfrm& w() { return *t.app().forms().outfrmSlot().peek(); }
    // The logging window active again with the focus in its call box, as the window manager
    // leaves it once a modal window is gone.
    void backToCallBox() {
        w().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
        w().txtCall->SetFocus();
        settle();
    }
    // Runs `whileOpen` inside the modal display that `open` starts.
    static void whileModal(const std::function<void()>& open,
                           const std::function<void()>& whileOpen) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            whileOpen();
            ran = true;
        });
        open();
        EXPECT_TRUE(ran);
    }
};

TEST_F(RigToolWindowsTest, CtrlGOpensAFreshTuningWindowEachTime) {
    writeLog({});
    openOut();
    for (int round = 0; round < 2; ++round) {
        backToCallBox();
        whileModal([] { key(Qt::Key_G, Qt::ControlModifier); },
                   [&] {
                       frmRigTune* tune = t.app().forms().rigTuneSlot().peek();
                       ASSERT_NE(tune, nullptr);
                       EXPECT_TRUE(tune->isVisible());
                       EXPECT_TRUE(tune->isModal());
                       EXPECT_EQ(tune->txtFreq->Text(), QString());
                       EXPECT_EQ(tune->chkScan->Value(), 0);
                       EXPECT_EQ(tune->txtFrom->Text(), QStringLiteral("1.8"));
                       EXPECT_EQ(tune->txtTo->Text(), QStringLiteral("54"));
                       EXPECT_TRUE(tune->Option4->Value());
                       // Change everything, then leave by Done.
                       tune->txtFreq->setText(QStringLiteral("14.2"));
                       tune->txtFrom->setText(QStringLiteral("7"));
                       tune->Option5->setValue(true);
                       tune->chkScan->setValue(1);
                       tune->cmdDone->Press();
                   });
        EXPECT_FALSE(t.app().forms().rigTuneSlot().isLoaded());
    }
    // The key reached no box of the logging window.
    EXPECT_EQ(w().txtCall->Text(), QString());
}

TEST_F(RigToolWindowsTest, CtrlFAndPrivilegesOpenTheChartAfreshEachTime) {
    writeLog({});
    openOut();
    const std::function<void()> ways[] = {[] { key(Qt::Key_F, Qt::ControlModifier); },
                                          [this] { w().mnuPrivileges->action()->trigger(); }};
    for (const auto& way : ways) {
        backToCallBox();
        t.dialogs().clearShown();
        whileModal(way, [&] {
            frmBandPlan* chart = t.app().forms().bandPlanSlot().peek();
            ASSERT_NE(chart, nullptr);
            EXPECT_TRUE(chart->isVisible());
            chart->Command7->Press();
        });
        EXPECT_FALSE(t.app().forms().bandPlanSlot().isLoaded());
        // Read at every opening: no file, one message each time.
        EXPECT_EQ(t.dialogs().messages().size(), 1u);
    }
}

}  // namespace
}  // namespace qf
