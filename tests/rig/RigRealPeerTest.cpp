// The poll loop against a real Kenwood-speaking peer: Hamlib's dummy rig behind rigctlcom, on a
// socat pair. Started once for this program; skipped when Hamlib's tools are not installed.
#include "logging/LoggingFixture.h"
#include "rig/RigControlfrm.h"
#include "support/RigctlPeer.h"

#include <QElapsedTimer>

#include <memory>

namespace qf::test {
namespace {

class RigRealPeerTest : public LoggingFixture {
  protected:
    static void SetUpTestSuite() {
        if (RigctlPeer::installed()) peer = std::make_unique<RigctlPeer>();
    }
    static void TearDownTestSuite() { peer.reset(); }

    void SetUp() override {
        if (!peer) GTEST_SKIP() << "rigctld, rigctlcom or socat is not installed";
        ASSERT_TRUE(peer->failure().isEmpty()) << peer->failure().toStdString();
        t.serialPorts().setDevicePath(3, peer->device());
        writeLog({});
        openOut();
    }

    RigControlfrm& w() { return t.app().forms().RigControlfrm(); }

    // Polls on the set clock until the logging window holds `toLog`, at most five seconds of
    // real time; each send tick waits for the peer's answer before the receive tick.
    bool pollUntil(const QString& toLog) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000) {
            if (w().AwaitingReply == 1) (void)w().comComm1->waitForBytes(500);
            t.clock().advance(w().tmrGetData->Interval());
            if (t.app().run().FrequencyToLog == toLog) return true;
        }
        return false;
    }

    static std::unique_ptr<RigctlPeer> peer;
};

std::unique_ptr<RigctlPeer> RigRealPeerTest::peer;

TEST_F(RigRealPeerTest, AKenwoodReadingMovesTheLoggingWindowsBandAndFrequency) {
    w().Show();
    w().List1->setListIndex(w().List1->find(QStringLiteral("Kenwood")));
    w().List1_Click();
    w().txtMode->setText(QString());  // the peer is asked FA; only
    w().optComm[2]->setValue(true);
    ASSERT_TRUE(peer->setFrequency(7025500));
    w().Command1_Click();
    ASSERT_TRUE(w().comComm1->PortOpen());
    ASSERT_TRUE(pollUntil(QStringLiteral("7.026")));
    EXPECT_EQ(t.app().station().CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("7.02550"));

    // Asked FB; instead, the reply is read by the marker the query box gives.
    w().Command2_Click();
    w().txtFreq->setText(QStringLiteral("FB;"));
    ASSERT_TRUE(peer->setFrequency(21074000));
    w().Command1_Click();
    ASSERT_TRUE(pollUntil(QStringLiteral("21.074")));
    EXPECT_EQ(t.app().station().CurrentBand, QStringLiteral("15"));
    w().Command2_Click();
}

// Tuning goes out as FA...; and the following polls read the rig's new frequency back.
TEST_F(RigRealPeerTest, TuningAKenwoodIsReadBackByTheNextPolls) {
    w().Show();
    // No band plan here, so tuning sends no mode command before the frequency.
    ASSERT_TRUE(w().RigBandPlan.empty());
    w().List1->setListIndex(w().List1->find(QStringLiteral("Kenwood")));
    w().List1_Click();
    w().txtMode->setText(QString());  // the peer is asked FA; only
    w().optComm[2]->setValue(true);
    ASSERT_TRUE(peer->setFrequency(21074000));
    w().Command1_Click();
    ASSERT_TRUE(pollUntil(QStringLiteral("21.074")));
    const size_t shownBefore = t.dialogs().messages().size();

    struct Step {
        float mhz;
        qint64 hz;
        const char* toLog;
        const char* band;
    };
    for (const Step s :
         {Step{7.025f, 7025000, "7.025", "40"}, Step{14.025f, 14025000, "14.025", "20"}}) {
        SCOPED_TRACE(s.toLog);
        float mhz = s.mhz;
        w().ChangeFrequency(mhz);
        ASSERT_TRUE(w().tmrGetData->Enabled());  // polling goes on
        ASSERT_TRUE(pollUntil(QLatin1String(s.toLog)));
        EXPECT_EQ(peer->frequency(), s.hz);
        EXPECT_FLOAT_EQ(w().ReportedFrequency, s.mhz);
        EXPECT_EQ(t.app().station().CurrentBand, QLatin1String(s.band));
    }
    EXPECT_EQ(t.dialogs().messages().size(), shownBefore);  // no error box
    w().Command2_Click();
}

}  // namespace
}  // namespace qf::test
