// The rig as the logging window starts, shows and closes it.
#include "logging/LoggingFixture.h"
#include "rig/RigControlfrm.h"

namespace qf::test {
namespace {

class RigStartupTest : public LoggingFixture {
  protected:
    RigStartupTest() { writeLog({}); }
    FormSlot<RigControlfrm>& slot() { return t.app().forms().rigFrmSlot(); }
    RigControlfrm& rig() { return *slot().peek(); }
    QByteArray rigFile(const char* model, int port = 1) {
        return QByteArray("\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n"
                          "\"4800,N,8,2\"\r\n") +
               QByteArray::number(port) + "\r\n\"N\"\r\n\"M\"\r\n\"" + model +
               "\"\r\n0\r\n1\r\n1\r\n";
    }
};

TEST_F(RigStartupTest, NoneInTheRigFileWinsAfterTheFirstStepSawTheSetupsModel) {
    t.app().station().RigModel = QStringLiteral("Kenwood");
    t.writeFile(QStringLiteral("RigCntrl.txt"), rigFile("None"));
    openOut();
    ASSERT_TRUE(slot().isLoaded());
    EXPECT_TRUE(rig().isHidden());
    EXPECT_EQ(t.app().station().RigModel, QStringLiteral("None"));
    EXPECT_EQ(rig().lblMode->Caption(), QStringLiteral("No Response"));
    EXPECT_EQ(rig().lblFreq->Caption(), QStringLiteral("No Response"));
    EXPECT_FALSE(rig().Label2->isHidden());
    EXPECT_TRUE(rig().Command2->isEnabled());
    EXPECT_FALSE(rig().comComm1->PortOpen());
    EXPECT_FALSE(rig().tmrGetData->Enabled());
    EXPECT_EQ(t.beeper().count(), 0);
}

TEST_F(RigStartupTest, NoneInAnyCaseStartsNothing) {
    t.app().station().RigModel = QStringLiteral("nONE");
    openOut();
    EXPECT_FALSE(slot().isLoaded());
}

// The rig window, its Done and its mode command ask the same rule as the start-up: a stored
// "NONE" is no rig anywhere, not a rig of an unknown family whose port Test would open.
TEST_F(RigStartupTest, NoneInAnyCaseIsNoRigInTheRigWindowToo) {
    for (const char* spelling : {"None", "NONE", "none"}) {
        SCOPED_TRACE(spelling);
        t.app().station().RigModel = QLatin1String(spelling);
        RigControlfrm& w = t.app().forms().RigControlfrm();
        w.Show();
        w.Command1_Click();
        EXPECT_TRUE(w.Label2->isHidden());
        EXPECT_NE(w.lblFreq->Caption(), QStringLiteral("No Response"));
        EXPECT_FALSE(w.comComm1->PortOpen());
        EXPECT_FALSE(w.tmrGetData->Enabled());
        w.cmdDone_Click();
        EXPECT_FALSE(w.tmrGetData->Enabled());
        const size_t sleeps = t.clock().sleeps().size();
        float mhz = 14.025f;
        QString cw = QStringLiteral("CW");
        w.ChangeMode(mhz, cw);
        EXPECT_EQ(t.clock().sleeps().size(), sleeps);  // no wait for a port
        EXPECT_TRUE(t.dialogs().messages().empty());
        EXPECT_EQ(t.beeper().count(), 0);
    }
}

TEST_F(RigStartupTest, NoModelAtAllStartsNothing) {
    // A first run without settings must not open a port and stop on its failure.
    t.app().station().RigModel = QString();
    openOut();
    EXPECT_FALSE(slot().isLoaded());
    EXPECT_EQ(t.beeper().count(), 0);
}

TEST_F(RigStartupTest, AMissingPortShowsTheRigWindowModallyAndDoneRetriesOnce) {
    t.app().station().RigModel = QStringLiteral("Kenwood");
    t.writeFile(QStringLiteral("RigCntrl.txt"), rigFile("Kenwood", 4));
    bool shownModally = false;
    t.dialogs().onShown = [&](const ShownDialog& d) {
        if (d.title != QStringLiteral("Invalid Comm Settings.") || !slot().isLoaded()) return;
        if (t.dialogs().messages().size() > 2) return;  // the retry's own box
        QMetaObject::invokeMethod(
            &rig(),
            [this, &shownModally] {
                shownModally = rig().isVisible() && QApplication::activeModalWidget() == &rig();
                rig().cmdDone->Press();
            },
            Qt::QueuedConnection);
    };
    openOut();
    // Both boxes: the start-up's, then the retry's inside Done; the window is hidden again.
    std::vector<ShownDialog> boxes = t.dialogs().messages();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].title, QStringLiteral("Invalid Comm Settings."));
    EXPECT_EQ(boxes[2].title, QStringLiteral("Invalid Comm Settings."));
    EXPECT_EQ(t.beeper().count(), 2);
    EXPECT_TRUE(shownModally);
    EXPECT_TRUE(rig().isHidden());
    EXPECT_FALSE(rig().tmrGetData->Enabled());
    // Done saved the rig file on its way out.
    EXPECT_EQ(t.readFile(QStringLiteral("RigCntrl.txt")), rigFile("Kenwood", 4));
}

TEST_F(RigStartupTest, PegasusPollsWithNoPortAndTheUnloadClosesTheRigWindow) {
    t.app().station().RigModel = QStringLiteral("Ten Tec Pegasus");
    t.writeFile(QStringLiteral("RigCntrl.txt"), rigFile("Ten Tec Pegasus"));
    Outfrm& w = openOut();
    ASSERT_TRUE(slot().isLoaded());
    EXPECT_TRUE(rig().tmrGetData->Enabled());
    EXPECT_EQ(rig().tmrGetData->Interval(), 250);
    EXPECT_FALSE(rig().comComm1->PortOpen());
    EXPECT_EQ(rig().PollTicks, 1);
    t.clock().advance(500);
    EXPECT_EQ(rig().PollTicks, 3);
    EXPECT_EQ(t.beeper().count(), 0);
    w.Unload();
    settle();
    EXPECT_FALSE(slot().isLoaded());
}

TEST_F(RigStartupTest, CtrlRAndTheMenuShowTheRigWindowModeless) {
    Outfrm& w = openOut();
    EXPECT_FALSE(slot().isLoaded());
    key(Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(slot().isLoaded());
    EXPECT_TRUE(rig().isVisible());
    EXPECT_FALSE(rig().isModal());
    EXPECT_EQ(rig().Caption(), QStringLiteral(" Rig Interface Setup"));
    rig().cmdDone_Click();
    EXPECT_TRUE(rig().isHidden());
    w.mnuRigInterface->action()->trigger();
    settle();
    EXPECT_TRUE(rig().isVisible());
}

}  // namespace
}  // namespace qf::test
