// Tuning the rig through the rig window against the fake rig on a socat pair: each model's
// set-frequency command byte for byte, its pauses on the test clock, the band plan's mode
// command first, the refusals and the failures.
#include "rig/CatCommands.h"
#include "rig/RigFixture.h"
#include "rig/RigModels.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"
#include "support/RigStart.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace qf::test {
namespace {

QByteArray hex(const char* pairs) {
    return QByteArray::fromHex(pairs);
}

class RigTuneTest : public RigFixture {
  protected:
    void SetUp() override {
        if (!PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(plugFakeRig(t.serialPorts(), pty, rig));
        w().optComm[1]->setValue(true);
    }
    // The model chosen and polled; what its start sent is drained and forgotten.
    void poll(const QString& model) {
        choose(model);
        w().optComm[1]->setValue(true);
        // What the last case's tuning sent is forgotten first, or it would count as the start.
        rig->clearReceived();
        w().Command1_Click();
        ASSERT_TRUE(polling()) << model.toStdString();
        forgetStart(*rig, model, w().AwaitingReply == 1);
    }
    // Tunes and returns the pauses taken meanwhile.
    std::vector<qint64> tune(float mhz) {
        const size_t before = t.clock().sleeps().size();
        w().ChangeFrequency(mhz);
        const auto& s = t.clock().sleeps();
        return {s.begin() + static_cast<std::ptrdiff_t>(before), s.end()};
    }
    QByteArray sent(int n) {
        EXPECT_TRUE(rig->waitForBytes(n));
        EXPECT_TRUE(rig->staysQuiet(30));
        return rig->received();
    }
    PtyPair pty;
    std::unique_ptr<FakeRig> rig;
};

TEST_F(RigTuneTest, EachModelsCommandAndPausesAt14025) {
    struct Case {
        const char* model;
        QByteArray bytes;
        std::vector<qint64> pauses;
    };
    const Case cases[] = {
        {"Kenwood", "FA00014025000;", {205}},
        {"Kenwood 2", "FA00014025000;", {205}},  // before any status reply: VFO A
        {"Elecraft", "FA00014025000;", {205, 1000}},
        {"Icom", hex("FEFE64E0050050021400FD"), {140}},
        {"Icom 735", hex("FEFE64E00500500214FD"), {140}},
        {"Ten Tec Omni VI", hex("FEFE04E0050050021400FD"), {140, 220}},
        {"Ten Tec Fnt Pnl", hex("2A4100D601280D"), {205}},
        {"Ten Tec Orion", "*AF14025000\r", {205}},
        {"Yaesu", hex("0140250001"), {205}},
        {"Yaesu 890", hex("002540010A"), {205}},
        {"Yaesu 920", hex("002540010A"), {205}},
        {"Yaesu 990", hex("002540010A"), {205}},
        {"Yaesu 1000 D", hex("002540010A"), {205}},
        {"Yaesu 757 GX II", hex("002540010A"), {205}},
        {"Yaesu 1000", hex("002540010A"), {10}},
        {"Yaesu FTdx9000", "FA14025000;", {205}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        poll(QLatin1String(c.model));
        float f = 14.025f;
        EXPECT_EQ(tune(f), c.pauses);
        EXPECT_EQ(f, 14.025f);  // the caller's value stays as it was
        EXPECT_EQ(sent(static_cast<int>(c.bytes.size())), c.bytes);
        EXPECT_TRUE(polling());
        EXPECT_TRUE(t.dialogs().messages().empty());
    }
    // "Other" has no command: nothing sent, no pause, and polling goes on.
    poll(QStringLiteral("Other"));
    EXPECT_TRUE(tune(14.025f).empty());
    EXPECT_TRUE(rig->staysQuiet());
    EXPECT_TRUE(polling());
}

TEST_F(RigTuneTest, OtherFrequenciesAddressesAndVfos) {
    struct Case {
        const char* model;
        float mhz;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"Kenwood", 7.0f, "FA00007000000;"},
        {"Yaesu 890", 7.0f, hex("000070000A")},
        {"Yaesu", 7.0f, hex("0070000001")},
        {"Yaesu FTdx9000", 144.2f, "FA144200000;"},  // wider than its field: written whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        poll(QLatin1String(c.model));
        tune(c.mhz);
        EXPECT_EQ(sent(static_cast<int>(c.bytes.size())), c.bytes);
    }

    // The CI-V address is the read string's, as the operator edited it.
    poll(QStringLiteral("Icom"));
    w().txtFreq->setText(QStringLiteral("FE FE 04 E0 03 FD"));
    tune(14.025f);
    EXPECT_EQ(sent(11), hex("FEFE04E0050050021400FD"));
    // One that is not two hex digits is refused: no pause, no mode command, nothing sent, and
    // polling goes on.
    rig->clearReceived();
    w().txtFreq->setText(QStringLiteral("FE FE 4 E0 03 FD"));
    EXPECT_TRUE(tune(14.025f).empty());
    float zero = 0;
    QString cw = QStringLiteral("CW");
    w().ChangeMode(zero, cw);
    EXPECT_TRUE(rig->staysQuiet());
    EXPECT_TRUE(polling());

    // "Kenwood 2" addresses VFO B once a status reply said it is in use.
    poll(QStringLiteral("Kenwood 2"));
    w().ActiveVFO = 1;
    tune(14.025f);
    EXPECT_EQ(sent(14), QByteArray("FB00014025000;"));
}

TEST_F(RigTuneTest, TheBandPlansModeGoesFirst) {
    t.installShipped({"BandPlan.txt"});
    w().LoadBandPlanSegments();
    poll(QStringLiteral("Kenwood"));
    EXPECT_EQ(tune(14.025f), (std::vector<qint64>{99, 205}));
    EXPECT_EQ(sent(18), QByteArray("MD3;FA00014025000;"));
    rig->clearReceived();
    tune(7.2f);
    EXPECT_EQ(sent(18), QByteArray("MD1;FA00007200000;"));
    rig->clearReceived();
    tune(5.3585f);  // 60 m phone is upper sideband
    EXPECT_EQ(sent(18), QByteArray("MD2;FA00005358500;"));
    rig->clearReceived();
    EXPECT_EQ(tune(1.84f), (std::vector<qint64>{205}));  // no mode command on 160 m
    EXPECT_EQ(sent(14), QByteArray("FA00001840000;"));
}

TEST_F(RigTuneTest, NothingHappensWithoutPolling) {
    choose(QStringLiteral("Kenwood"));
    w().Command1_Click();
    const bool sendTick = w().AwaitingReply == 1;
    w().Command2_Click();  // End Test
    ASSERT_FALSE(polling());
    forgetStart(*rig, QStringLiteral("Kenwood"), sendTick);
    EXPECT_TRUE(tune(14.025f).empty());
    EXPECT_FALSE(polling());
    EXPECT_TRUE(t.dialogs().messages().empty());
    EXPECT_TRUE(rig->staysQuiet());
}

TEST_F(RigTuneTest, RefusedFrequenciesSendNothingAndPollingGoesOn) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<std::pair<QString, float>> cases;
    for (const rig::RigModelRow& r : rig::RigModels()) {
        if (r.name == u"None") continue;
        for (float f : {0.0f, -14.025f, nan, inf}) cases.emplace_back(r.name, f);
    }
    // One step past each byte field's width.
    for (const auto& [model, mhz] :
         std::initializer_list<std::pair<const char*, float>>{{"Icom 735", 100.0f},
                                                              {"Icom", 10000.0f},
                                                              {"Ten Tec Omni VI", 10000.0f},
                                                              {"Ten Tec Fnt Pnl", 4295.0f},
                                                              {"Yaesu", 1000.0f},
                                                              {"Yaesu 757 GX II", 1000.0f},
                                                              {"Yaesu 1000", 1000.0f}})
        cases.emplace_back(QLatin1String(model), mhz);
    t.installShipped({"BandPlan.txt"});
    w().LoadBandPlanSegments();
    for (const auto& [model, mhz] : cases) {
        SCOPED_TRACE(model.toStdString() + " " + std::to_string(mhz));
        poll(model);
        EXPECT_TRUE(tune(mhz).empty());
        EXPECT_TRUE(polling());
    }
    EXPECT_TRUE(rig->staysQuiet());
    EXPECT_EQ(rig->received(), QByteArray());
    // The polls hand readings to a logging window this bare fixture has to make, which asks its
    // own questions; none of the boxes may be a tuning error.
    for (const auto& m : t.dialogs().messages())
        EXPECT_FALSE(m.text.startsWith(QLatin1String("Error Changing"))) << m.text.toStdString();
}

TEST_F(RigTuneTest, AFailingPortReportsAndPollingStaysOff) {
    poll(QStringLiteral("Kenwood"));
    pty.end();
    tune(14.025f);
    const auto shown = t.dialogs().messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Error Changing Frequency"));
    EXPECT_FALSE(shown[0].text.isEmpty());
    EXPECT_FALSE(polling());
}

TEST_F(RigTuneTest, ModeCommandsAndTheirFailure) {
    // "None": nothing sent, no wait, no message.
    w().Show();
    t.app().station().RigModel = QStringLiteral("None");
    float zero = 0;
    QString cw = QStringLiteral("CW");
    const size_t before = t.clock().sleeps().size();
    w().ChangeMode(zero, cw);
    EXPECT_EQ(t.clock().sleeps().size(), before);

    // A mode button while polling sends at once, after the 99 ms pause.
    poll(QStringLiteral("Yaesu FTdx9000"));
    QString usb = QStringLiteral("USB");
    w().ChangeMode(zero, usb);
    EXPECT_EQ(sent(5), QByteArray("MD02;"));
    EXPECT_EQ(t.clock().sleeps().back(), 99);
    EXPECT_EQ(usb, QStringLiteral("USB"));

    // A model without mode commands sends nothing, but the mode still costs the pause.
    poll(QStringLiteral("Icom 735"));
    const size_t before735 = t.clock().sleeps().size();
    w().ChangeMode(zero, cw);
    EXPECT_EQ(
        std::vector<qint64>(t.clock().sleeps().begin() + static_cast<std::ptrdiff_t>(before735),
                            t.clock().sleeps().end()),
        std::vector<qint64>{99});
    EXPECT_TRUE(rig->staysQuiet());

    // A closed port shows its error with the mode's name, titled as a mode error.
    choose(QStringLiteral("Kenwood"));
    ASSERT_FALSE(w().comComm1->PortOpen());
    w().ChangeMode(zero, cw);
    const auto shown = t.dialogs().messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Error Changing Mode"));
    EXPECT_TRUE(shown[0].text.endsWith(QStringLiteral(" CW"))) << shown[0].text.toStdString();
    EXPECT_GT(shown[0].text.size(), 3);
    EXPECT_TRUE(rig->staysQuiet());
}

TEST_F(RigTuneTest, PegasusWritesItsCommandFileOnly) {
    const QString folder = t.root() + QStringLiteral("/Pegasus");
    w().PegasusInFile = [&] { return folder + QStringLiteral("/PEGASUS.IN"); };
    poll(QStringLiteral("Ten Tec Pegasus"));
    w().ReportedMode = QStringLiteral(" PH ");
    // Without the folder nothing is written and nothing shown; polling goes on.
    EXPECT_EQ(tune(14.025f), (std::vector<qint64>{205}));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/PEGASUS.IN")));
    EXPECT_TRUE(t.dialogs().messages().empty());
    EXPECT_TRUE(polling());
    ASSERT_TRUE(QDir().mkpath(folder));
    t.writeFile(folder + QStringLiteral("/PEGASUS.IN"), "old content that is longer\r\n");
    tune(7.0255f);
    EXPECT_EQ(t.readFile(folder + QStringLiteral("/PEGASUS.IN")), QByteArray("7.0255\r\nPH\r\n"));
    EXPECT_TRUE(rig->staysQuiet());
    // No folder service at all: nothing written either.
    w().PegasusInFile = nullptr;
    tune(14.025f);
    EXPECT_EQ(t.readFile(folder + QStringLiteral("/PEGASUS.IN")), QByteArray("7.0255\r\nPH\r\n"));
}

}  // namespace
}  // namespace qf::test

namespace qf::test {
namespace {

using RigBandPlanLoad = RigFixture;

TEST_F(RigBandPlanLoad, TheWindowsLoadKeepsTheExtraRowsOfTheWorkingFoldersFile) {
    t.installShipped({"BandPlan.txt"});
    const auto& plan = w().RigBandPlan;
    ASSERT_FALSE(plan.empty());
    for (const rig::BandPlanSegment& s : plan) EXPECT_EQ(s.SegmentClass, QStringLiteral("E"));
    EXPECT_EQ(plan.front().SegmentBand, QStringLiteral("160"));
}

TEST_F(RigBandPlanLoad, NoFileLeavesTheTableEmptyWithoutAWord) {
    EXPECT_TRUE(w().RigBandPlan.empty());
    EXPECT_TRUE(t.dialogs().messages().empty());
}

}  // namespace
}  // namespace qf::test
