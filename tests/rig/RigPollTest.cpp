// The poll loop on a set clock: the fake rig on a socat pair answers each send tick's query,
// the next tick reads and decodes it, and the open out-of-state window takes band, mode and
// frequency from it.
#include "logging/Outfrm.h"
#include "rig/RigPollFixture.h"
#include "support/FakeRigBytes.h"
#include "support/ScriptedSerialPort.h"

#include <QDir>

#include <memory>

namespace qf::test {
namespace {

class RigPollTest : public RigPollFixture {
  protected:
    // Test: the port opens and the first tick, a send tick, runs at once.
    void test() {
        w().Command1_Click();
        ASSERT_TRUE(w().tmrGetData->Enabled());
    }
    // The rig got the send tick's query bytes and its answer is waiting at the program's port;
    // then the receive tick reads it.
    void answeredAndRead(qsizetype queryBytes) {
        ASSERT_TRUE(rig->waitForBytes(static_cast<int>(queryBytes)));
        rig->clearReceived();
        ASSERT_TRUE(w().comComm1->waitForBytes(2000));
        ASSERT_EQ(w().AwaitingReply, 1);
        tick();
    }
    // One whole poll after a receive tick: send, answer, read.
    void poll(qsizetype queryBytes) {
        tick();
        answeredAndRead(queryBytes);
    }
};

TEST_F(RigPollTest, KenwoodAlternatesSendAndReceiveTicksAndHandsTheReadingOn) {
    w().Show();
    choose("Kenwood");
    rig->answer("FA;MD;", FakeRig::kenwoodFrequency(7025500) + FakeRig::kenwoodMode('3'));
    test();  // the first tick after the load is a send tick
    EXPECT_EQ(w().PollTicks, 1);
    ASSERT_TRUE(rig->waitForBytes(6));
    EXPECT_EQ(rig->received(), QByteArray("FA;MD;"));
    answeredAndRead(6);
    EXPECT_EQ(w().AwaitingReply, 0);
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("7.02550"));
    EXPECT_EQ(w().lblMode->Caption(), QStringLiteral("CW"));
    EXPECT_EQ(w().lblUnProcess->Caption(), QStringLiteral("FA00007025500;MD3;"));
    EXPECT_EQ(station().CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(station().CurrentMode, QStringLiteral("CW"));
    EXPECT_EQ(toLog(), QStringLiteral("7.026"));
    EXPECT_TRUE(rig->staysQuiet(100));  // the receive tick sent nothing

    // No reply: the receive tick changes nothing, and the next tick asks again.
    rig->answer("FA;MD;", {});
    tick();
    ASSERT_TRUE(rig->waitForBytes(6));
    rig->clearReceived();
    t.app().run().FrequencyToLog.clear();
    tick();
    EXPECT_EQ(w().AwaitingReply, 0);
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("7.02550"));
    EXPECT_EQ(toLog(), QString());
    tick();
    ASSERT_TRUE(rig->waitForBytes(6));
    EXPECT_EQ(rig->received(), QByteArray("FA;MD;"));
}

// A reply still coming at its tick is kept, and read once it is whole: no query goes out in
// between, so its rest never lands behind a new one. A reply that never ends is dropped after
// about a second, and the poll asks again.
TEST_F(RigPollTest, AReplyStillComingIsWaitedForAndOneThatNeverEndsIsDropped) {
    w().Show();
    choose("Kenwood 2");
    test();
    ASSERT_TRUE(rig->waitForBytes(3));
    rig->clearReceived();
    const QByteArray status = FakeRig::kenwoodStatus(14025000, '3', '0');
    rig->send(status.left(20));  // cut before its mode digit
    ASSERT_TRUE(w().comComm1->waitForBytes(2000));
    tick();
    EXPECT_EQ(w().AwaitingReply, 1);
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("No Response"));
    EXPECT_EQ(w().lblMode->Caption(), QStringLiteral("No Response"));
    tick();  // still waiting: nothing new came, nothing is asked
    EXPECT_TRUE(rig->staysQuiet(100));
    rig->send(status.mid(20));
    ASSERT_TRUE(w().comComm1->waitForBytes(2000));
    tick();
    EXPECT_EQ(w().AwaitingReply, 0);
    EXPECT_EQ(w().lblUnProcess->Caption(), QString::fromLatin1(status));
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("14.02500"));
    EXPECT_EQ(station().CurrentMode, QStringLiteral("CW"));

    tick();
    ASSERT_TRUE(rig->waitForBytes(3));
    rig->clearReceived();
    rig->send(FakeRig::kenwoodStatus(7030000, '2', '0').left(30));  // and no more
    ASSERT_TRUE(w().comComm1->waitForBytes(2000));
    const int interval = w().tmrGetData->Interval();
    for (int waited = 0; waited < 1000; waited += interval) {
        tick();
        EXPECT_EQ(w().AwaitingReply, 1) << waited;
        EXPECT_TRUE(rig->staysQuiet(20));
    }
    tick();  // the bound: dropped
    EXPECT_EQ(w().AwaitingReply, 0);
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("14.02500"));
    EXPECT_EQ(station().CurrentMode, QStringLiteral("CW"));
    rig->answer("IF;", FakeRig::kenwoodStatus(7030000, '2', '0'));
    poll(3);
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("7.03000"));
    EXPECT_EQ(station().CurrentMode, QStringLiteral("PH"));
}

TEST_F(RigPollTest, TheTextFamiliesAgainstTheFakeRig) {
    struct Exchange {
        QByteArray query, reply;
    };
    struct Case {
        const char* model;
        std::vector<Exchange> polls;
        int wakeUpBytes;
        float mhz;
        const char* mode;
        int vfo;  // ActiveVFO keeps its load value until a status reply sets it
        const char* band;
    };
    // Each model moves the band away from the one before.
    const Case cases[] = {
        {"Elecraft",
         {{"FA;MD;", FakeRig::kenwoodFrequency(3550000) + FakeRig::kenwoodMode('2')}},
         0,
         3.55f,
         "PH",
         10,
         "80"},
        {"Yaesu FTdx9000",
         {{"FA;", FakeRig::ftdx9000Frequency(21020000)}, {"MD0;", FakeRig::ftdx9000Mode('3')}},
         0,
         21.02f,
         "CW",
         10,
         "15"},
        {"Ten Tec Orion",
         {{"?AF\r?RMM\r", FakeRig::orionFrequency(50125000) + FakeRig::orionMode('1')}},
         2,
         50.125f,
         "PH",
         10,
         "6"},
        {"Kenwood 2",
         {{"IF;", FakeRig::kenwoodStatus(14074000, '3', '1')}},
         0,
         14.074f,
         "CW",
         1,
         "20"},
    };
    w().Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        choose(c.model);
        for (const Exchange& e : c.polls) rig->answer(e.query, e.reply);
        test();
        answeredAndRead(c.wakeUpBytes + c.polls.front().query.size());
        for (size_t i = 1; i < c.polls.size(); ++i) poll(c.polls[i].query.size());
        EXPECT_EQ(w().ReportedFrequency, c.mhz);
        EXPECT_EQ(w().ReportedMode, QLatin1String(c.mode));
        EXPECT_EQ(w().ActiveVFO, c.vfo);
        EXPECT_EQ(station().CurrentBand, QLatin1String(c.band));
        EXPECT_EQ(station().CurrentMode, QLatin1String(c.mode));
        w().Command2_Click();
        rig->pump();
        rig->clearReceived();
    }
}

TEST_F(RigPollTest, ModeByFrequencyAndDontUse) {
    struct Case {
        qint64 hz;
        char rigMode;
        OptionButton* RigControlfrm::*modeBy;
        const char* shown;   // the rig window's mode
        const char* logged;  // the logging window's mode afterwards (it starts on PH)
    };
    const Case cases[] = {
        {1900000, '3', &RigControlfrm::OptFreq, "CW", "CW"},   // 160 m: the rig's own mode
        {14150000, '2', &RigControlfrm::OptFreq, "PH", "PH"},  // an edge lies in neither part
        {14100000, '2', &RigControlfrm::OptFreq, "CW", "CW"},  // CW whatever the rig says
        {14100000, '3', &RigControlfrm::OptDont, "CW", "PH"},  // shown, never handed on
        {14250000, '3', &RigControlfrm::OptRig, "CW", "CW"},
    };
    w().Show();
    choose("Kenwood");
    test();
    ASSERT_TRUE(rig->waitForBytes(6));
    rig->clearReceived();
    tick();  // nothing came back
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hz);
        t.app().forms().outfrmSlot().peek()->mnuSSB_Click();
        ASSERT_EQ(station().CurrentMode, QStringLiteral("PH"));
        (w().*c.modeBy)->setValue(true);
        rig->answer("FA;MD;", FakeRig::kenwoodFrequency(c.hz) + FakeRig::kenwoodMode(c.rigMode));
        poll(6);
        EXPECT_EQ(w().lblMode->Caption(), QLatin1String(c.shown));
        EXPECT_EQ(station().CurrentMode, QLatin1String(c.logged));
    }
}

TEST_F(RigPollTest, ModeFromFrequencyEdgesAreStrict) {
    struct Case {
        float mhz;
        const char* mode;
    };
    const Case cases[] = {{3.5f, "AM"},    {3.55f, "CW"},   {3.6f, "AM"},   {3.8f, "PH"},
                          {5.3f, "AM"},    {7.1f, "CW"},    {7.125f, "AM"}, {7.2f, "PH"},
                          {10.12f, "CW"},  {10.2f, "AM"},   {18.1f, "CW"},  {18.15f, "PH"},
                          {21.3f, "PH"},   {24.9f, "CW"},   {24.95f, "PH"}, {28.1f, "CW"},
                          {29.0f, "PH"},   {29.7f, "AM"},   {50.05f, "CW"}, {52.0f, "PH"},
                          {144.05f, "CW"}, {146.52f, "PH"}, {148.0f, "AM"}, {0.0f, "AM"}};
    for (const Case& c : cases) {
        w().ReportedFrequency = c.mhz;
        w().ReportedMode = QStringLiteral("AM");
        w().ModeFromFrequency();
        EXPECT_EQ(w().ReportedMode, QLatin1String(c.mode)) << c.mhz;
    }
}

TEST_F(RigPollTest, DisplayFormatsAndTheHiddenWindow) {
    w().Show();
    choose("Kenwood");
    w().txtMode->setText(QString());
    test();
    rig->answer("FA;", FakeRig::kenwoodFrequency(500000));
    answeredAndRead(3);
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral(".50000"));
    EXPECT_EQ(toLog(), QStringLiteral(".500"));
    // A frequency of 0 leaves the caption, and is never handed to the logging window.
    rig->answer("FA;", FakeRig::kenwoodFrequency(0));
    poll(3);
    EXPECT_EQ(w().ReportedFrequency, 0.0f);
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral(".50000"));
    EXPECT_EQ(toLog(), QStringLiteral(".500"));
    // "Convert from Hex" shows the reply as pairs.
    w().ChkConvHex->setValue(1);
    rig->answer("FA;", FakeRig::kenwoodFrequency(14074000));
    poll(3);
    EXPECT_EQ(w().lblUnProcess->Caption(),
              QStringLiteral("46 41 30 30 30 31 34 30 37 34 30 30 30 3B "));
    // Hidden: the labels keep their captions while the logging window goes on reading.
    w().Hide();
    rig->answer("FA;", FakeRig::kenwoodFrequency(7010000));
    poll(3);
    EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("14.07400"));
    EXPECT_EQ(w().lblUnProcess->Caption(),
              QStringLiteral("46 41 30 30 30 31 34 30 37 34 30 30 30 3B "));
    EXPECT_EQ(station().CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(toLog(), QStringLiteral("7.010"));
}

TEST_F(RigPollTest, IcomQueriesWithAShortOrBadPairSkipTheirTurn) {
    const QByteArray modeQuery = QByteArray::fromHex("FEFE64E004FD");
    struct Case {
        const char* frequencyQuery;
        QByteArray sentInFourPolls;
    };
    const Case cases[] = {
        // Sixteen characters: the frequency query never goes, the mode query every other poll.
        {"FE FE 64 E0 03 F", modeQuery + modeQuery},
        {"FE FE 64 E0 03 FD", QByteArray::fromHex("FEFE64E003FD") + modeQuery +
                                  QByteArray::fromHex("FEFE64E003FD") + modeQuery},
        // A bad pair never goes out either; the mode query still does.
        {"FE FE 64 E0 03 FX", modeQuery + modeQuery},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frequencyQuery);
        choose("Icom");
        w().txtFreq->setText(QLatin1String(c.frequencyQuery));
        w().FrequencyQueried = 0;
        w().AwaitingReply = 0;
        test();
        for (int i = 1; i < 8; ++i) tick();
        ASSERT_TRUE(rig->waitForBytes(static_cast<int>(c.sentInFourPolls.size())));
        EXPECT_EQ(rig->received(), c.sentInFourPolls);
        w().Command2_Click();
        rig->clearReceived();
    }
}

TEST_F(RigPollTest, AfterAChangeToOtherNoEarlierReadingReachesTheLoggingWindow) {
    w().Show();
    choose("Kenwood");
    w().txtMode->setText(QString());
    rig->answer("FA;", FakeRig::kenwoodFrequency(7025500));
    test();
    answeredAndRead(3);
    ASSERT_EQ(station().CurrentBand, QStringLiteral("40"));
    t.app().forms().outfrmSlot().peek()->mnuBandItems[3]->action()->trigger();  // back to 20 m
    t.app().run().FrequencyToLog.clear();

    choose("Other");
    EXPECT_EQ(w().ReportedFrequency, 0.0f);
    EXPECT_EQ(w().ReportedMode, QString());
    w().chkConvToHex->setValue(1);
    w().txtFreq->setText(QStringLiteral("46 41 3B"));  // "FA;"
    w().ChkConvHex->setValue(1);
    rig->answer("FA;", FakeRig::kenwoodFrequency(3550000).left(5));
    test();
    answeredAndRead(3);
    EXPECT_EQ(w().lblUnProcess->Caption(), QStringLiteral("46 41 30 30 30 "));
    EXPECT_EQ(station().CurrentBand, QStringLiteral("20"));
    EXPECT_EQ(toLog(), QString());
}

TEST_F(RigPollTest, PendingOutputSkipsTheQueryButTheNextTickStillReads) {
    auto* port = new ScriptedSerialPort;
    w().comComm1.reset(port);
    choose("Kenwood");
    port->pending = 4;
    test();
    EXPECT_EQ(port->written, QByteArray());
    EXPECT_EQ(w().AwaitingReply, 1);
    port->input = FakeRig::kenwoodFrequency(21074000) + FakeRig::kenwoodMode('2');
    tick();
    EXPECT_EQ(station().CurrentBand, QStringLiteral("15"));
    port->pending = 0;
    tick();
    EXPECT_EQ(port->written, QByteArray("FA;MD;"));
}

// A whole answer that came after its tick waits at the next send tick. The framed families find
// it by its marker or frame at the tick after; a fixed-layout family drops it before asking, as
// only bytes after its own query can be read at the right place.
TEST_F(RigPollTest, AnAnswerLateForItsTickIsReadOnlyByTheFramedFamilies) {
    struct Case {
        const char* model;
        QByteArray late;  // for the query of the second send tick's reading
        const char* shown;
        const char* mode;
    };
    const Case cases[] = {
        {"Kenwood", FakeRig::kenwoodFrequency(21074000) + FakeRig::kenwoodMode('3'), "21.07400",
         "CW"},
        {"Yaesu FTdx9000", FakeRig::ftdx9000Frequency(21074000), "21.07400", ""},
        {"Ten Tec Orion", FakeRig::orionFrequency(21074000), "21.07400", ""},
        // The second tick asks the alternating models for the mode.
        {"Icom", rigbytes::civMode(0x64, 0x03), "No Response", "CW"},
        {"Yaesu", rigbytes::yaesuFrequencyMode(21074000, 0x02), "No Response", "No Response"},
        {"Yaesu 990", rigbytes::yaesuStatusBlock(QStringLiteral("Yaesu 990"), 21074000, 2),
         "No Response", "No Response"},
        {"Ten Tec Fnt Pnl", rigbytes::panelMode('3'), "No Response", "No Response"},
    };
    w().Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        auto* port = new ScriptedSerialPort;
        w().comComm1.reset(port);
        choose(c.model);
        w().FrequencyQueried = 0;
        ASSERT_EQ(w().AwaitingReply, 0);
        test();  // asks
        tick();  // finds nothing
        port->input = c.late;
        tick();  // asks again
        tick();
        EXPECT_EQ(w().lblFreq->Caption(), QLatin1String(c.shown));
        EXPECT_EQ(w().lblMode->Caption(), QLatin1String(c.mode));
        w().Command2_Click();
    }
}

TEST_F(RigPollTest, PegasusReadsItsExchangeFileWithThePortClosed) {
    struct Case {
        const char* what;
        std::optional<QByteArray> file;  // none: no folder at all
        float mhz;
        const char* mode;
        const char* band;
    };
    const Case cases[] = {
        {"no folder", std::nullopt, 0.0f, "", "20"},
        {"7.0255 and USB", QByteArray("7.0255\r\n\"USB\"\r\n"), 7.0255f, "PH", "40"},
        {"lower-case cw", QByteArray("14.02\r\n\"cw\"\r\n"), 14.02f, "PH", "20"},
        {"CW", QByteArray("14.02,\"CW\"\r\n"), 14.02f, "CW", "20"},
        {"a frequency alone keeps the mode", QByteArray("3.55\r\n"), 3.55f, "CW", "80"},
    };
    const QString folder = t.home() + QStringLiteral("/Pegasus");
    w().Show();
    choose("Ten Tec Pegasus");
    test();
    EXPECT_FALSE(w().comComm1->PortOpen());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.file) {
            QDir().mkpath(folder);
            t.writeFile(folder + QStringLiteral("/PEGASUS.OUT"), *c.file);
        }
        tick();  // receive
        EXPECT_EQ(w().AwaitingReply, 0);
        EXPECT_EQ(w().ReportedFrequency, c.mhz);
        EXPECT_EQ(w().ReportedMode, QLatin1String(c.mode));
        EXPECT_EQ(station().CurrentBand, QLatin1String(c.band));
        EXPECT_EQ(w().lblUnProcess->Caption(), QString());
        tick();  // send: nothing goes anywhere
    }
}

}  // namespace
}  // namespace qf::test
