// The rig link against the fake rig on a socat pair: what goes out at each opening and closing.
#include "rig/RigFixture.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"
#include "support/RigStart.h"

#include <memory>

namespace qf::test {
namespace {

class RigLinkTest : public RigFixture {
  protected:
    void SetUp() override {
        if (!PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(plugFakeRig(t.serialPorts(), pty, rig));
        w().Show();
        w().optComm[1]->setValue(true);
    }
    void test() {
        w().Command1_Click();
        ASSERT_TRUE(polling());
        ASSERT_TRUE(w().comComm1->PortOpen());
    }
    PtyPair pty;
    std::unique_ptr<FakeRig> rig;
};

TEST_F(RigLinkTest, AYaesuIsWokenAtEveryTestAndPollingStartsAtTheChosenRate) {
    choose(QStringLiteral("Yaesu 890"));
    w().optReallySlow->setValue(true);
    test();
    EXPECT_EQ(w().comComm1->Settings(), QStringLiteral("4800,N,8,2"));
    EXPECT_EQ(w().tmrGetData->Interval(), 5000);
    EXPECT_EQ(w().PollTicks, 1);  // one tick at once: the frequency query after the wake-up
    const QByteArray wake(5, '\0');
    const QByteArray query = QByteArray::fromHex("0000000210");
    ASSERT_TRUE(rig->waitForBytes(10));
    EXPECT_EQ(rig->received(), wake + query);
    test();  // while polling: reopened and woken again; its tick is the receive tick
    ASSERT_TRUE(rig->waitForBytes(15));
    EXPECT_EQ(rig->received(), wake + query + wake);
    EXPECT_EQ(w().PollTicks, 2);
    t.clock().advance(5000);
    EXPECT_EQ(w().PollTicks, 3);
    ASSERT_TRUE(rig->waitForBytes(20));
    EXPECT_EQ(rig->received(), wake + query + wake + query);
    EXPECT_FALSE(t.serialPorts().devicePath(2).isEmpty());
    EXPECT_EQ(t.beeper().count(), 0);
}

TEST_F(RigLinkTest, AnOrionIsWokenAndItsHandshakingStaysForTheRun) {
    choose(QStringLiteral("Ten Tec Orion"));
    test();
    ASSERT_TRUE(rig->waitForBytes(11));
    EXPECT_EQ(rig->received(), QByteArray("X\r?AF\r?RMM\r"));  // woken, then asked
    EXPECT_TRUE(FakeRig::hasRtsCts(pty.first()));
    rig->clearReceived();
    choose(QStringLiteral("Kenwood"));
    w().optComm[1]->setValue(true);
    test();  // the poll goes on in its receive phase: nothing is sent
    EXPECT_TRUE(FakeRig::hasRtsCts(pty.first()));
    EXPECT_TRUE(rig->staysQuiet());
}

TEST_F(RigLinkTest, ConnectionPowerAsksForItsLine) {
    struct Case {
        OptionButton* RigControlfrm::*option;
        bool rts, dtr;
    };
    const Case cases[] = {{&RigControlfrm::optPowerRTS, true, false},
                          {&RigControlfrm::optPowerDTR, false, true},
                          {&RigControlfrm::optPowerNone, false, false}};
    choose(QStringLiteral("Kenwood"));
    w().optComm[1]->setValue(true);
    for (const Case& c : cases) {
        (w().*c.option)->setValue(true);
        test();
        EXPECT_EQ(w().comComm1->RTSEnable(), c.rts);
        EXPECT_EQ(w().comComm1->DTREnable(), c.dtr);
        EXPECT_EQ(t.beeper().count(), 0);  // a pty without modem lines is no failure
    }
}

TEST_F(RigLinkTest, TheUnloadStopsAPollingYaesuBeforeThePortCloses) {
    struct Case {
        const char* model;
        bool endTestFirst;
        QByteArray sent;
    };
    const Case cases[] = {{"Yaesu 990", false, QByteArray::fromHex("0000000080")},
                          {"Yaesu 990", true, {}},
                          {"Yaesu FTdx9000", false, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        w().Show();
        choose(QLatin1String(c.model));
        w().optComm[1]->setValue(true);
        rig->clearReceived();
        test();
        if (c.endTestFirst) w().Command2_Click();
        // The wake-up bytes and the first query, where the model sends them: until quiet.
        for (int i = 0; i < 20 && !rig->staysQuiet(100); ++i) {
        }
        rig->clearReceived();
        t.app().forms().rigFrmSlot().peek()->Unload();
        QCoreApplication::processEvents();
        if (c.sent.isEmpty()) {
            EXPECT_TRUE(rig->staysQuiet());
        } else {
            ASSERT_TRUE(rig->waitForBytes(5));
            EXPECT_EQ(rig->received(), c.sent);
        }
    }
}

TEST_F(RigLinkTest, SocatEndingWhilePollingNeitherCrashesNorHangs) {
    choose(QStringLiteral("Kenwood"));
    w().optComm[1]->setValue(true);
    w().optPollFast->setValue(true);
    test();
    rig.reset();
    pty.end();
    for (int i = 0; i < 20; ++i) t.clock().advance(50);
    EXPECT_GE(w().PollTicks, 20);
    // The next Test and End Test return, whatever is left of the device.
    w().Command1_Click();
    w().Command2_Click();
    EXPECT_FALSE(polling());
    EXPECT_FALSE(w().comComm1->PortOpen());
}

TEST_F(RigLinkTest, DoneWritesTheKenwoodSettingsByteForByte) {
    choose(QStringLiteral("Kenwood"));
    w().optComm[1]->setValue(true);
    w().optPollMed->setValue(true);
    w().cmdDone_Click();
    EXPECT_TRUE(polling());
    EXPECT_TRUE(w().isHidden());
    EXPECT_EQ(t.readFile(QStringLiteral("RigCntrl.txt")),
              QByteArray("\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n"
                         "\"4800,N,8,2\"\r\n2\r\n\"N\"\r\n\"M\"\r\n\"Kenwood\"\r\n0\r\n1\r\n1\r\n"));
}

}  // namespace
}  // namespace qf::test
