// The rig link against the fake rig on a socat pair: what goes out at each opening and closing.
#include "rig/RigFixture.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"
#include "support/RigStart.h"

#include <QTest>

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

// A rig unplugged while polling (socat ended under the fast poll): the next read or write
// finds the port gone, and polling ends as End Test ends it, said in the reply box with one
// beep and no box. Ticks that find nothing waiting are no loss. Back at the same path, Test
// polls again.
TEST_F(RigLinkTest, ARigWhosePortGoesAwayEndsPollingAndTestResumesIt) {
    choose(QStringLiteral("Kenwood"));
    w().optComm[1]->setValue(true);
    w().optPollFast->setValue(true);
    rig->answer("FA;MD;", FakeRig::kenwoodFrequency(14025000) + FakeRig::kenwoodMode('3'));
    test();
    for (int i = 0; i < 20; ++i) {  // silent ticks first: the rig answers only when pumped
        t.clock().advance(50);
        ASSERT_TRUE(polling());
    }
    // socat may hand the ten queries on in pieces, and the rig answers a read that ends with a
    // whole query: it reads until the last one is whole.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            rig->pump();
            return rig->received().endsWith("FA;MD;");
        },
        2000));
    ASSERT_TRUE(w().comComm1->waitForBytes(2000));
    if (w().AwaitingReply == 0) t.clock().advance(50);
    t.clock().advance(50);
    ASSERT_EQ(w().ReportedFrequency, 14.025f);
    EXPECT_EQ(t.beeper().count(), 0);

    const size_t boxes = t.dialogs().messages().size();
    rig.reset();
    pty.end();
    for (int i = 0; i < 3 && polling(); ++i) t.clock().advance(50);
    EXPECT_FALSE(polling());
    EXPECT_FALSE(w().comComm1->PortOpen());
    EXPECT_TRUE(w().Label2->isHidden());
    EXPECT_FALSE(w().Command2->isEnabled());
    EXPECT_EQ(w().lblFreq->Caption(), QString());  // no dead rig's reading stays up
    EXPECT_EQ(w().lblMode->Caption(), QString());
    EXPECT_EQ(w().lblUnProcess->Caption(), QStringLiteral("** Connection to rig ended: ") +
                                               pty.first() + QStringLiteral(" is gone **"));
    EXPECT_EQ(t.beeper().count(), 1);
    EXPECT_EQ(t.dialogs().messages().size(), boxes);
    const int ticks = w().PollTicks;
    t.clock().advance(500);
    EXPECT_EQ(w().PollTicks, ticks);
    EXPECT_EQ(t.beeper().count(), 1);

    PtyPair replugged(pty.folder());
    ASSERT_TRUE(replugged.available());
    auto back = std::make_unique<FakeRig>(replugged.second());
    ASSERT_TRUE(back->isOpen());
    back->answer("FA;MD;", FakeRig::kenwoodFrequency(7030000) + FakeRig::kenwoodMode('2'));
    test();
    ASSERT_TRUE(back->waitForBytes(6));
    ASSERT_TRUE(w().comComm1->waitForBytes(2000));
    if (w().AwaitingReply == 0) t.clock().advance(50);
    t.clock().advance(50);
    EXPECT_TRUE(polling());
    EXPECT_EQ(w().ReportedFrequency, 7.03f);
    EXPECT_EQ(w().lblUnProcess->Caption(), QStringLiteral("FA00007030000;MD2;"));
    EXPECT_EQ(t.beeper().count(), 1);
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
