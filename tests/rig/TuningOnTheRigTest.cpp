// The tuning window against the fake rig on a socat pair, a Kenwood polled, the shipped band
// plan in the working folder: what each button puts on the wire.
#include "rig/RigFixture.h"
#include "rig/frmRigTune.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"
#include "support/RigStart.h"

#include <QRegularExpression>

#include <functional>
#include <memory>

namespace qf::test {
namespace {

class TuningOnTheRigTest : public RigFixture {
  protected:
    TuningOnTheRigTest() { t.installShipped({"BandPlan.txt"}); }
    void SetUp() override {
        if (!PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(plugFakeRig(t.serialPorts(), pty, rig));
        w().Show();
        choose(QStringLiteral("Kenwood"));
        w().optComm[1]->setValue(true);
        w().Command1_Click();
        ASSERT_TRUE(polling());
        (void)rig->receivedUntilQuiet();
        tune().Show();
    }
    frmRigTune& tune() { return t.app().forms().frmRigTune(); }
    // The commands an action sent, the poll loop's own queries left out.
    QByteArray sentBy(const std::function<void()>& action) {
        rig->clearReceived();
        action();
        QByteArray got = rig->receivedUntilQuiet();
        got.replace("FA;", "").replace("MD;", "");
        return got;
    }
    // Whether the loaded Extra rows give the frequency a mode, so a mode command goes first
    // (none on 160 m).
    bool planHasMode(float mhz) {
        for (const rig::BandPlanSegment& s : w().RigBandPlan)
            if (s.SegmentLow < mhz && s.SegmentHigh > mhz)
                return s.SegmentBand != QLatin1String("160");
        return false;
    }
    void expectTuned(const QByteArray& got, float mhz, const char* command) {
        const QRegularExpression form(QStringLiteral("^(MD[0-9];)?") +
                                      QRegularExpression::escape(QLatin1String(command)) +
                                      QStringLiteral("$"));
        const auto m = form.match(QString::fromLatin1(got));
        ASSERT_TRUE(m.hasMatch()) << got.constData();
        EXPECT_EQ(m.capturedLength(1) > 0, planHasMode(mhz)) << got.constData();
    }
    PtyPair pty;
    std::unique_ptr<FakeRig> rig;
};

TEST_F(TuningOnTheRigTest, BandsStepsAndGoTuneTheRig) {
    ASSERT_FALSE(w().RigBandPlan.empty());
    expectTuned(sentBy([&] { tune().cmdBand[2]->Press(); }), 5.368f, "FA00005368000;");
    expectTuned(sentBy([&] { tune().cmdBand[5]->Press(); }), 14.175f, "FA00014175000;");
    expectTuned(sentBy([&] { tune().cmdTune[0]->Press(); }), 14.17501f, "FA00014175010;");
    tune().txtFreq->setText(QStringLiteral("7.025"));
    expectTuned(sentBy([&] { tune().Command1->Press(); }), 7.025f, "FA00007025000;");
    // No frequency: nothing at all.
    tune().txtFreq->setText(QStringLiteral("0"));
    EXPECT_EQ(sentBy([&] { tune().Command1->Press(); }), QByteArray());
    EXPECT_TRUE(polling());
    EXPECT_TRUE(t.dialogs().messages().empty());
}

TEST_F(TuningOnTheRigTest, TheScanTunesEachStepAndWrapsToFrom) {
    tune().txtFreq->setText(QStringLiteral("53.99999"));
    tune().chkScan->setValue(1);
    expectTuned(sentBy([&] { t.clock().advance(299); }), 54.0f, "FA00054000000;");
    expectTuned(sentBy([&] { t.clock().advance(299); }), 1.8f, "FA00001800000;");
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("1.8"));
}

TEST_F(TuningOnTheRigTest, ModeButtonsSendTheirCommandAndNoneSendsNothing) {
    const std::pair<CommandButton*, QByteArray> buttons[] = {
        {tune().cmdCW, "MD3;"}, {tune().cmdUSB, "MD2;"}, {tune().cmdLSB, "MD1;"},
        {tune().cmdAM, "MD5;"}, {tune().cmdFM, "MD4;"},  {tune().cmdRTTY, "MD6;"}};
    for (const auto& [b, command] : buttons) {
        EXPECT_EQ(sentBy([&] { b->Press(); }), command) << command.constData();
    }
    t.app().station().RigModel = QStringLiteral("None");
    for (const auto& [b, command] : buttons) {
        EXPECT_EQ(sentBy([&] { b->Press(); }), QByteArray()) << command.constData();
    }
    EXPECT_TRUE(t.dialogs().messages().empty());
}

}  // namespace
}  // namespace qf::test
