// A click on a spot tunes the polled rig (the fake rig on a socat pair) and takes that spot's
// call, even when another spot arrives while the rig commands let events run.
#include "rig/RigPollFixture.h"
#include "support/RigStart.h"
#include "support/StationWindowDoubles.h"

namespace qf::test {
namespace {

class SpotTuningTest : public RigPollFixture {
  protected:
    void SetUp() override {
        RigPollFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        RigControlfrm& r = RigPollFixture::w();
        choose("Kenwood");
        r.Command1_Click();
        ASSERT_TRUE(r.tmrGetData->Enabled());
        forgetStart(*rig, QStringLiteral("Kenwood"), r.AwaitingReply == 1);
    }
    Outfrm& w() { return *t.app().forms().outfrmSlot().peek(); }
    void spot(const QString& call, QString khz) {
        QString record;
        t.app().forms().Form1().BandMapSpots(call, khz, record);
    }
    // A spot that arrives at the first pass of events inside the tuning.
    void spotDuringTuning(const QString& call, const QString& khz) {
        QMetaObject::invokeMethod(
            qApp, [this, call, khz] { spot(call, khz); }, Qt::QueuedConnection);
    }
};

TEST_F(SpotTuningTest, TheClickedSpotsCallAndFrequencyWhateverArrivesMeanwhile) {
    chooseSpotDisplay(t.app(), QStringLiteral("TNC"), false);
    t.app().forms().Form1().PacketResize();
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025"));
    ASSERT_EQ(t.app().spots()[49].SpotCall, QStringLiteral("K1ABC"));

    spotDuringTuning(QStringLiteral("DL1XX"), QStringLiteral("14200"));
    w().lblDXSpot_MouseDown(49, 2);
    EXPECT_EQ(t.app().spots()[49].SpotCall, QStringLiteral("DL1XX"));  // it did arrive
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("K1ABC"));
    ASSERT_TRUE(rig->waitForBytes(14));
    EXPECT_EQ(rig->received(), QByteArray("FA00014025000;"));
    EXPECT_EQ(t.app().spots()[48].SpotFrequency, 14.025f);

    // The list: a row arriving on top while the rig is tuned does not change whose call is taken.
    rig->clearReceived();
    chooseSpotDisplay(t.app(), QStringLiteral("TNC"), true);
    t.app().forms().Form1().PacketResize();
    w().txtCall->setText(QString());
    w().txtDX->selectRow(1);  // DL1XX, the newest
    spotDuringTuning(QStringLiteral("JA1ZZ"), QStringLiteral("7010"));
    w().txtDX_Click();
    EXPECT_EQ(w().txtDX->text(1, 0), QStringLiteral("JA1ZZ"));
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("DL1XX"));
    ASSERT_TRUE(rig->waitForBytes(14));
    EXPECT_EQ(rig->received(), QByteArray("FA00014200000;"));
}

}  // namespace
}  // namespace qf::test
