// The poll loop on a set clock with the fake rig answering in bytes on a socat pair: every byte
// family read through the rig window into the logging window, and answers cut by a tick.
#include "rig/RigPollFixture.h"
#include "support/FakeRigBytes.h"
#include "support/ScriptedSerialPort.h"

#include <map>
#include <vector>

namespace qf::test {
namespace {

namespace rb = rigbytes;

class RigPollBytesTest : public RigPollFixture {
  protected:
    void SetUp() override {
        RigPollFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        w().Show();
    }
    // The send tick that just ran put out exactly `sent`; the rig's answer is then waiting at
    // the program's port, and the receive tick reads it.
    void sentAnsweredRead(const QByteArray& sent) {
        ASSERT_TRUE(rig->waitForBytes(static_cast<int>(sent.size())));
        EXPECT_EQ(rig->received().toHex(' '), sent.toHex(' '));
        rig->clearReceived();
        ASSERT_TRUE(w().comComm1->waitForBytes(2000));
        ASSERT_EQ(w().AwaitingReply, 1);
        tick();
    }
    void poll(const QByteArray& query) {
        tick();
        sentAnsweredRead(query);
    }
    void endTest() {
        w().Command2_Click();
        rig->pump();
        rig->clearReceived();
    }
};

const QByteArray yaesuWake(5, '\0');
QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}

TEST_F(RigPollBytesTest, EveryByteFamilyReachesTheRigWindowAndTheLoggingWindow) {
    struct Exchange {
        QByteArray query, reply;
    };
    struct Case {
        const char* model;
        QByteArray wakeUp;
        std::vector<Exchange> polls;  // in turn; the alternating models' list goes round twice
        const char* shown;            // lblFreq
        const char* mode;
        const char* band;
        const char* logged;  // the logging window's frequency
    };
    const QByteArray icomF = hex("FEFE64E003FD"), icomM = hex("FEFE64E004FD");
    const QByteArray omniF = hex("FEFE04E003FD"), omniM = hex("FEFE04E004FD");
    const QByteArray status = hex("0000000210");
    // Each model moves the band away from the one before.
    const Case cases[] = {
        {"Yaesu",
         yaesuWake,
         {{hex("0000000003"), rb::yaesuFrequencyMode(14074000, 0x02)}},
         "14.07400",
         "CW",
         "20",
         "14.074"},
        {"Yaesu 757 GX II",
         yaesuWake,
         {{hex("0000000010"), rb::yaesu757Block(7030000, 0x01)}},
         "7.03000",
         "PH",
         "40",
         "7.030"},
        {"Yaesu 890",
         yaesuWake,
         {{status, rb::yaesuStatusBlock(QStringLiteral("Yaesu 890"), 21074000, 2)}},
         "21.07400",
         "CW",
         "15",
         "21.074"},
        {"Yaesu 920",
         yaesuWake,
         {{status, rb::yaesuStatusBlock(QStringLiteral("Yaesu 920"), 3573000, 1)}},
         "3.57300",
         "CW",
         "80",
         "3.573"},
        {"Yaesu 990",
         yaesuWake,
         {{status, rb::yaesuStatusBlock(QStringLiteral("Yaesu 990"), 28450000, 1)}},
         "28.45000",
         "PH",
         "10",
         "28.450"},
        {"Yaesu 1000 D",
         yaesuWake,
         {{status, rb::yaesuStatusBlock(QStringLiteral("Yaesu 1000 D"), 14250000, 0)}},
         "14.25000",
         "PH",
         "20",
         "14.250"},
        {"Yaesu 1000",
         yaesuWake,
         {{status, rb::yaesuStatusBlock(QStringLiteral("Yaesu 1000"), 7010000, 2)}},
         "7.01000",
         "CW",
         "40",
         "7.010"},
        {"Icom",
         {},
         {{icomF, icomF + rb::civFrequency(0x64, 21030000)},
          {icomM, icomM + rb::civMode(0x64, 0x03)}},
         "21.03000",
         "CW",
         "15",
         "21.030"},
        {"Icom 735",
         {},
         {{icomF, icomF + rb::civFrequency(0x04, 3790000, 4)},
          {icomM, icomM + rb::civMode(0x04, 0x01)}},
         "3.79000",
         "PH",
         "80",
         "3.790"},
        {"Ten Tec Omni VI",
         {},
         {{omniF, omniF + rb::civFrequency(0x04, 50090000)},
          {omniM, omniM + rb::civMode(0x04, 0x03)}},
         "50.09000",
         "CW",
         "6",
         "50.090"},
        {"Ten Tec Fnt Pnl",
         {},
         {{hex("3F410D"), rb::panelFrequency(28400000)}, {hex("3F4D0D"), rb::panelMode('1')}},
         "28.40000",
         "PH",
         "10",
         "28.400"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        choose(c.model);
        for (const Exchange& e : c.polls) rig->answer(e.query, e.reply);
        const int rounds = c.polls.size() > 1 ? 2 : 1;  // frequency, mode, frequency, mode
        w().Command1_Click();  // Test: the first tick, a send tick, at once
        ASSERT_TRUE(w().tmrGetData->Enabled());
        sentAnsweredRead(c.wakeUp + c.polls.front().query);
        for (int round = 0; round < rounds; ++round)
            for (size_t i = round == 0 ? 1 : 0; i < c.polls.size(); ++i) poll(c.polls[i].query);
        EXPECT_EQ(w().lblFreq->Caption(), QLatin1String(c.shown));
        EXPECT_EQ(w().lblMode->Caption(), QLatin1String(c.mode));
        EXPECT_EQ(station().CurrentBand, QLatin1String(c.band));
        EXPECT_EQ(station().CurrentMode, QLatin1String(c.mode));
        EXPECT_EQ(toLog(), QLatin1String(c.logged));
        endTest();
    }
}

// An answer that outlasts the tick arrives in two parts. Its head, read on its own, changes
// nothing: the rig window and the logging window keep the last whole reading. The tail comes in
// front of the next (mode) answer, where no frequency is read; the next whole answer reads.
TEST_F(RigPollBytesTest, AnAnswerCutByTheTickNeverShowsAWrongFrequency) {
    struct Case {
        const char* model;
        QByteArray wakeUp, frequencyQuery, modeQuery;  // modeQuery empty: one query
        QByteArray before, after;  // whole frequency answers, 14.074 then 7.030 MHz
        qsizetype head;            // how much of `after` the cut tick gets
        QByteArray modeAnswer;
        bool frames = true;  // CI-V: a tail is passed over by the mode decoder too
    };
    const QByteArray icomF = hex("FEFE64E003FD"), icomM = hex("FEFE64E004FD");
    const Case cases[] = {
        {"Icom",
         {},
         icomF,
         icomM,
         icomF + rb::civFrequency(0x64, 14074000),
         icomF + rb::civFrequency(0x64, 7030000),
         6 + 8,
         icomM + rb::civMode(0x64, 0x03)},
        {"Icom 735",
         {},
         icomF,
         icomM,
         icomF + rb::civFrequency(0x04, 14074000, 4),
         icomF + rb::civFrequency(0x04, 7030000, 4),
         6 + 9,
         icomM + rb::civMode(0x04, 0x03)},
        {"Ten Tec Fnt Pnl",
         {},
         hex("3F410D"),
         hex("3F4D0D"),
         rb::panelFrequency(14074000),
         rb::panelFrequency(7030000),
         4,
         rb::panelMode('3'),
         false},
        // The fixed layouts have no frame to find a late tail in: only the cut tick is checked.
        {"Yaesu",
         yaesuWake,
         hex("0000000003"),
         {},
         rb::yaesuFrequencyMode(14074000, 0x01),
         rb::yaesuFrequencyMode(7030000, 0x01),
         4,
         {}},
        {"Yaesu 757 GX II",
         yaesuWake,
         hex("0000000010"),
         {},
         rb::yaesu757Block(14074000, 0x01),
         rb::yaesu757Block(7030000, 0x01),
         8,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        choose(c.model);
        rig->answer(c.frequencyQuery, c.before);
        if (!c.modeQuery.isEmpty()) rig->answer(c.modeQuery, c.modeAnswer);
        w().Command1_Click();
        sentAnsweredRead(c.wakeUp + c.frequencyQuery);
        ASSERT_EQ(w().lblFreq->Caption(), QStringLiteral("14.07400"));
        ASSERT_EQ(toLog(), QStringLiteral("14.074"));
        if (!c.modeQuery.isEmpty()) poll(c.modeQuery);

        rig->answer(c.frequencyQuery, c.after.left(c.head));
        poll(c.frequencyQuery);  // the cut tick
        EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("14.07400"));
        EXPECT_EQ(station().CurrentBand, QStringLiteral("20"));
        EXPECT_EQ(toLog(), QStringLiteral("14.074"));
        if (c.modeQuery.isEmpty()) {
            (void)w().comComm1->readAllLatin1();
            endTest();
            continue;
        }
        // The tail goes out ahead of the echo and answer to the mode query.
        rig->answer(c.modeQuery, c.after.mid(c.head) + c.modeAnswer);
        poll(c.modeQuery);
        EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("14.07400"));
        EXPECT_EQ(toLog(), QStringLiteral("14.074"));
        if (c.frames) {
            EXPECT_EQ(w().lblMode->Caption(), QStringLiteral("CW"));
        }
        rig->answer(c.frequencyQuery, c.after);
        poll(c.frequencyQuery);
        EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("7.03000"));
        EXPECT_EQ(station().CurrentBand, QStringLiteral("40"));
        EXPECT_EQ(toLog(), QStringLiteral("7.030"));
        // Back to 20 m, and to the frequency query first, for the next model.
        rig->answer(c.frequencyQuery, c.before);
        rig->answer(c.modeQuery, c.modeAnswer);
        poll(c.modeQuery);
        poll(c.frequencyQuery);
        poll(c.modeQuery);
        ASSERT_EQ(station().CurrentBand, QStringLiteral("20"));
        endTest();
    }
}

// A fixed-layout reply cut after its third byte: the head is too short to read, and the rest
// comes after that tick, before the next query. It is dropped when that query goes out, so the
// next reply is read from its own first byte and no field is read at a wrong place.
TEST_F(RigPollBytesTest, ALateTailOfAFixedLayoutReplyIsNeverReadWithTheNextOne) {
    struct Step {
        QByteArray query, reply;
        bool cut;           // the reply comes as its first 3 bytes, then the rest
        const char* shown;  // lblFreq after the tick that read it
        const char* mode;   // lblMode then
    };
    struct Case {
        const char* model;
        QByteArray wakeUp;
        std::vector<Step> steps;
    };
    // 14.074 MHz CW, then a cut reply of 21.074 MHz, then 7.030 MHz phone.
    auto threeReplies = [](const QByteArray& query, const QByteArray& first, const QByteArray& cut,
                           const QByteArray& next) {
        return std::vector<Step>{{query, first, false, "14.07400", "CW"},
                                 {query, cut, true, "14.07400", "CW"},
                                 {query, next, false, "7.03000", "PH"}};
    };
    auto statusBlocks = [&](const char* model, int cw, int phone) {
        const QString m = QLatin1String(model);
        return threeReplies(hex("0000000210"), rb::yaesuStatusBlock(m, 14074000, cw),
                            rb::yaesuStatusBlock(m, 21074000, cw),
                            rb::yaesuStatusBlock(m, 7030000, phone));
    };
    const QByteArray panelF = hex("3F410D"), panelM = hex("3F4D0D");
    const Case cases[] = {
        {"Yaesu", yaesuWake,
         threeReplies(hex("0000000003"), rb::yaesuFrequencyMode(14074000, 0x02),
                      rb::yaesuFrequencyMode(21074000, 0x02),
                      rb::yaesuFrequencyMode(7030000, 0x01))},
        {"Yaesu 757 GX II", yaesuWake,
         threeReplies(hex("0000000010"), rb::yaesu757Block(14074000, 0x02),
                      rb::yaesu757Block(21074000, 0x02), rb::yaesu757Block(7030000, 0x01))},
        {"Yaesu 890", yaesuWake, statusBlocks("Yaesu 890", 2, 0)},
        {"Yaesu 920", yaesuWake, statusBlocks("Yaesu 920", 1, 0)},
        {"Yaesu 990", yaesuWake, statusBlocks("Yaesu 990", 2, 0)},
        {"Yaesu 1000 D", yaesuWake, statusBlocks("Yaesu 1000 D", 2, 0)},
        {"Yaesu 1000", yaesuWake, statusBlocks("Yaesu 1000", 2, 0)},
        // Frequency and mode in turn: a cut mode reply ahead of a frequency reply, and a cut
        // frequency reply ahead of a mode reply.
        {"Ten Tec Fnt Pnl",
         {},
         {{panelF, rb::panelFrequency(14074000), false, "14.07400", ""},  // Test emptied it
          {panelM, rb::panelMode('3'), true, "14.07400", "CW"},
          {panelF, rb::panelFrequency(7030000), false, "7.03000", "CW"},
          {panelM, rb::panelMode('1'), false, "7.03000", "PH"},
          {panelF, rb::panelFrequency(21074000), true, "7.03000", "PH"},
          {panelM, rb::panelMode('3'), false, "7.03000", "CW"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        choose(c.model);
        w().FrequencyQueried = 0;  // the panel starts with its frequency
        ASSERT_EQ(w().AwaitingReply, 0);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            SCOPED_TRACE(i + 1);
            const qsizetype head = s.cut ? 3 : s.reply.size();
            rig->answer(s.query, s.reply.left(head));
            if (i == 0) {
                w().Command1_Click();
                sentAnsweredRead(c.wakeUp + s.query);
            } else {
                poll(s.query);
            }
            EXPECT_EQ(w().lblFreq->Caption(), QLatin1String(s.shown));
            EXPECT_EQ(w().lblMode->Caption(), QLatin1String(s.mode));
            EXPECT_EQ(toLog(), QString::number(QByteArray(s.shown).toDouble(), 'f', 3));
            if (s.cut) {
                rig->send(s.reply.mid(head));
                ASSERT_TRUE(w().comComm1->waitForBytes(2000));
            }
        }
        endTest();
    }
}

// A rig that sends every answer in two parts: the head right after the query, the rest only
// after the next query has gone out, just in front of that query's head. So every reading but
// the first is the tail of one answer and the head of the next.
struct CutAnswer {
    QByteArray bytes;
    qsizetype head;  // what comes right after the query
};

struct CuttingRig {
    std::map<QByteArray, CutAnswer> answers;
    // The first answer comes whole, so the window has a good reading to keep.
    bool firstWhole = false;
    QByteArray late;  // the tail still to come

    QByteArray operator()(const QByteArray& query) {
        const auto a = answers.find(query);
        if (a == answers.end()) return {};  // the wake-up bytes
        const qsizetype head = firstWhole ? a->second.bytes.size() : a->second.head;
        const QByteArray out = late + a->second.bytes.left(head);
        late = a->second.bytes.mid(head);
        firstWhole = false;
        return out;
    }
};

// Cut this way, the bytes of a reading lie at the wrong places: a Yaesu reading of
// 00 02 01 40 25 would be 0.2014 MHz. Whatever the cut leaves, the rig window and the logging
// window never show a frequency or mode the rig did not report.
TEST_F(RigPollBytesTest, RepliesCutAcrossPollsNeverShowAValueTheRigDidNotSend) {
    struct Case {
        const char* model;
        std::map<QByteArray, CutAnswer> answers;
        bool firstWhole;
        // Throughout, from the first reading on; the mode box shows the mode as read so far,
        // none since Test.
        const char *shown, *mode, *logged;
    };
    const QByteArray yaesuQ = hex("0000000003");
    const QByteArray panelF = hex("3F410D"), panelM = hex("3F4D0D");
    const Case cases[] = {
        {"Yaesu",
         {{yaesuQ, {rb::yaesuFrequencyMode(14025000, 0x02), 3}}},
         false,
         "No Response",
         "",
         ""},
        {"Yaesu",
         {{yaesuQ, {rb::yaesuFrequencyMode(14025000, 0x02), 3}}},
         true,
         "14.02500",
         "CW",
         "14.025"},
        {"Yaesu",
         {{yaesuQ, {rb::yaesuFrequencyMode(7030000, 0x01), 3}}},
         true,
         "7.03000",
         "PH",
         "7.030"},
        {"Yaesu",
         {{yaesuQ, {rb::yaesuFrequencyMode(21074000, 0x82), 2}}},
         true,
         "21.07400",
         "CW",
         "21.074"},
        // Frequency and mode in turn: the tail of each in front of the other.
        {"Ten Tec Fnt Pnl",
         {{panelF, {rb::panelFrequency(14025000), 3}}, {panelM, {rb::panelMode('3'), 1}}},
         false,
         "No Response",
         "",
         ""},
        {"Ten Tec Fnt Pnl",
         {{panelF, {rb::panelFrequency(14025000), 4}}, {panelM, {rb::panelMode('3'), 2}}},
         false,
         "No Response",
         "",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " cut after " +
                     std::to_string(c.answers.begin()->second.head) +
                     (c.firstWhole ? ", first whole" : ""));
        auto* port = new ScriptedSerialPort;
        w().comComm1.reset(port);
        choose(c.model);
        CuttingRig cutting{c.answers, c.firstWhole, {}};
        port->answer = [&cutting](const QByteArray& q) { return cutting(q); };
        w().FrequencyQueried = 0;
        w().AwaitingReply = 0;
        w().Command1_Click();  // the first query goes out
        for (int poll = 1; poll <= 20; ++poll) {
            SCOPED_TRACE(poll);
            if (poll > 1) tick();
            ASSERT_FALSE(port->input.isEmpty());
            tick();
            EXPECT_EQ(w().lblFreq->Caption(), QLatin1String(c.shown));
            EXPECT_EQ(w().lblMode->Caption(), QLatin1String(c.mode));
            EXPECT_EQ(toLog(), QLatin1String(c.logged));
        }
        w().Command2_Click();
        t.app().run().FrequencyToLog.clear();
    }
}

// A read string whose address is no hex byte is never sent; it skips its turn, and the other
// string goes out on every second send tick, read and handed on as before. The reply box says
// which string was refused, once, and keeps saying it while the frozen value stays.
TEST_F(RigPollBytesTest, ARefusedReadStringSkipsItsTurnAndTheOtherStillGoesOut) {
    struct Case {
        const char* model;
        const char *frequencyQuery, *modeQuery;
        bool frequencyRefused;  // else the mode string is refused
        QByteArray sent;        // what goes out on the send ticks that are the good one's
        QByteArray answer;
        const char *shown, *mode;
        const char* refusal;
    };
    const QByteArray icomF = hex("FEFE64E003FD"), icomM = hex("FEFE64E004FD");
    const Case cases[] = {
        {"Icom", "FE FE 6G E0 03 FD", "FE FE 64 E0 04 FD", true, icomM,
         icomM + rb::civMode(0x64, 0x03), "No Response", "CW",
         "Not sent (\"6G\" is not hex): FE FE 6G E0 03 FD"},
        {"Icom", "FE FE 64 E0 03 FD", "FE FE 6G E0 04 FD", false, icomF,
         icomF + rb::civFrequency(0x64, 14074000), "14.07400", "",
         "Not sent (\"6G\" is not hex): FE FE 6G E0 04 FD"},
        {"Ten Tec Omni VI", "FE FE 04 E0 03 FD", "FE FE 0x E0 04 FD", false, hex("FEFE04E003FD"),
         hex("FEFE04E003FD") + rb::civFrequency(0x04, 7030000), "7.03000", "",
         "Not sent (\"0x\" is not hex): FE FE 0x E0 04 FD"},
        {"Ten Tec Fnt Pnl", "3F 4X 0D", "3F 4D 0D", true, hex("3F4D0D"), rb::panelMode('3'),
         "No Response", "CW", "Not sent (\"4X\" is not hex): 3F 4X 0D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + (c.frequencyRefused ? " frequency" : " mode"));
        auto* port = new ScriptedSerialPort;
        w().comComm1.reset(port);
        choose(c.model);
        w().txtFreq->setText(QLatin1String(c.frequencyQuery));
        w().txtMode->setText(QLatin1String(c.modeQuery));
        port->answer = [&c](const QByteArray& q) { return q == c.sent ? c.answer : QByteArray(); };
        w().FrequencyQueried = 0;
        w().AwaitingReply = 0;
        w().Command1_Click();
        for (int send = 1; send <= 8; ++send) {
            SCOPED_TRACE(send);
            if (send > 1) tick();
            // The frequency string has the odd send ticks, the mode string the even ones.
            const bool goodOnesTurn = (send % 2 == 1) != c.frequencyRefused;
            EXPECT_EQ(port->written.toHex(' '), goodOnesTurn ? c.sent.toHex(' ') : QByteArray());
            port->written.clear();
            EXPECT_EQ(w().AwaitingReply, 1);
            tick();
            EXPECT_EQ(w().AwaitingReply, 0);
            EXPECT_EQ(w().lblFreq->Caption(), QLatin1String(c.shown));
            if (send == 2) {
                EXPECT_EQ(w().lblMode->Caption(), QLatin1String(c.mode));
                EXPECT_EQ(w().lblUnProcess->Caption(), QLatin1String(c.refusal));
                // Told once: no later tick writes it again, nor a reply over it.
                w().lblUnProcess->setCaption(QStringLiteral("seen"));
            }
        }
        EXPECT_EQ(w().lblMode->Caption(), QLatin1String(c.mode));
        EXPECT_EQ(w().lblUnProcess->Caption(), QStringLiteral("seen"));
        w().Command2_Click();
    }
}

}  // namespace
}  // namespace qf::test
