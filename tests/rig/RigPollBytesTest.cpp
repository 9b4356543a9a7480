// The poll loop on a set clock with the fake rig answering in bytes on a socat pair: every byte
// family read through the rig window into the logging window, and answers cut by a tick.
#include "rig/RigPollFixture.h"
#include "support/FakeRig.h"
#include "support/FakeRigBytes.h"
#include "support/ScriptedSerialPort.h"

#include <array>
#include <functional>
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

// A CI-V answer that outlasts the tick arrives in two parts. Its head, read on its own, changes
// nothing: the rig window and the logging window keep the last whole reading. The tail comes in
// front of the next (mode) answer, where no frequency is read; the next whole answer reads.
TEST_F(RigPollBytesTest, AnAnswerCutByTheTickNeverShowsAWrongFrequency) {
    struct Case {
        const char* model;
        QByteArray wakeUp, frequencyQuery, modeQuery;
        QByteArray before, after;  // whole frequency answers, 14.074 then 7.030 MHz
        qsizetype head;            // how much of `after` the cut tick gets
        QByteArray modeAnswer;
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
        // The models whose replies have an end or a length wait for the rest instead (the
        // cut replies' table below).
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        choose(c.model);
        rig->answer(c.frequencyQuery, c.before);
        rig->answer(c.modeQuery, c.modeAnswer);
        w().Command1_Click();
        sentAnsweredRead(c.wakeUp + c.frequencyQuery);
        ASSERT_EQ(w().lblFreq->Caption(), QStringLiteral("14.07400"));
        ASSERT_EQ(toLog(), QStringLiteral("14.074"));
        poll(c.modeQuery);

        rig->answer(c.frequencyQuery, c.after.left(c.head));
        poll(c.frequencyQuery);  // the cut tick
        EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("14.07400"));
        EXPECT_EQ(station().CurrentBand, QStringLiteral("20"));
        EXPECT_EQ(toLog(), QStringLiteral("14.074"));
        // The tail goes out ahead of the echo and answer to the mode query.
        rig->answer(c.modeQuery, c.after.mid(c.head) + c.modeAnswer);
        poll(c.modeQuery);
        EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("14.07400"));
        EXPECT_EQ(toLog(), QStringLiteral("14.074"));
        EXPECT_EQ(w().lblMode->Caption(), QStringLiteral("CW"));
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

// A rig on a slow line: every reply comes in two parts, the head right after the query, the
// rest only after the tick that would read it (one tick later, or two). Should the program
// ask again before the rest came, the rest goes out ahead of the next reply, as on a serial
// line. The rig moves once, after its tenth reply, from 14.025 MHz CW to 7.030 MHz phone.
struct SlowLineRig {
    std::function<QByteArray(const QByteArray& query, bool moved)> reply;
    qsizetype cut;  // how much of each reply comes at once
    int lateTicks;  // the ticks after which the rest comes
    int answers = 0;
    QByteArray late = {};
    int ticksToLate = 0;

    QByteArray answer(const QByteArray& query) {
        const QByteArray whole = reply(query, answers >= 10);
        if (whole.isEmpty()) return {};  // wake-up bytes, or the first of two queries
        ++answers;
        const QByteArray out = late + whole.left(cut);
        late = whole.mid(cut);
        ticksToLate = lateTicks + 1;  // the send tick's own end does not count
        return out;
    }
    // After each tick: the rest, when its time has come.
    void ticked(ScriptedSerialPort& port) {
        if (late.isEmpty() || --ticksToLate > 0) return;
        port.input += late;
        late.clear();
    }
};

// Whatever the cut, the rig window and the logging window show only what the rig was at: the
// frequency, the band and the mode never go back and never run ahead of the rig; they follow
// it before the move and after it.
TEST_F(RigPollBytesTest, AReplyCutByTheTickIsReadWholeAndNeverShowsAValueTheRigWasNotAt) {
    using Reply = std::function<QByteArray(const QByteArray&, bool)>;
    const QByteArray yaesuQ = hex("0000000003"), statusQ = hex("0000000210");
    auto yaesu = [&](const QByteArray& q, bool moved) {
        if (q != yaesuQ) return QByteArray();
        return moved ? rb::yaesuFrequencyMode(7030000, 0x01)
                     : rb::yaesuFrequencyMode(14025000, 0x02);
    };
    auto status990 = [&](const QByteArray& q, bool moved) {
        if (q != statusQ) return QByteArray();
        const QString m = QStringLiteral("Yaesu 990");
        return moved ? rb::yaesuStatusBlock(m, 7030000, 1) : rb::yaesuStatusBlock(m, 14025000, 2);
    };
    // A ROM that sends the 990's block in 16 bytes, not 32: read once it stops.
    auto status990Short = [&](const QByteArray& q, bool moved) {
        if (q != statusQ) return QByteArray();
        const QString m = QStringLiteral("Yaesu 990");
        return moved ? rb::yaesuStatusBlock(m, 7030000, 1, 16)
                     : rb::yaesuStatusBlock(m, 14025000, 2, 16);
    };
    auto block757 = [&](const QByteArray& q, bool moved) {
        if (q != hex("0000000010")) return QByteArray();
        return moved ? rb::yaesu757Block(7030000, 0x01) : rb::yaesu757Block(14025000, 0x02);
    };
    auto kenwoodIF = [](const QByteArray& q, bool moved) {
        if (q != "IF;") return QByteArray();
        return moved ? FakeRig::kenwoodStatus(7030000, '2', '0')
                     : FakeRig::kenwoodStatus(14025000, '3', '0');
    };
    auto orion = [](const QByteArray& q, bool moved) {
        if (q != "?RMM\r") return QByteArray();  // both replies, after the second query
        return moved ? FakeRig::orionFrequency(7030000) + FakeRig::orionMode('0')
                     : FakeRig::orionFrequency(14025000) + FakeRig::orionMode('3');
    };
    auto panel = [&](const QByteArray& q, bool moved) {
        if (q == hex("3F410D")) return rb::panelFrequency(moved ? 7030000 : 14025000);
        if (q == hex("3F4D0D")) return rb::panelMode(moved ? '1' : '3');
        return QByteArray();
    };
    const qsizetype ifModeDigit = 29, orionMode = FakeRig::orionFrequency(14025000).size() + 4;
    struct Case {
        const char* model;
        Reply reply;
        qsizetype cut;
        int lateTicks;
    };
    const Case cases[] = {
        {"Yaesu", yaesu, 1, 1},
        {"Yaesu", yaesu, 2, 1},
        {"Yaesu", yaesu, 3, 1},
        {"Yaesu", yaesu, 4, 1},
        {"Yaesu", yaesu, 2, 2},
        {"Yaesu", yaesu, 3, 2},
        {"Yaesu 990", status990, 5, 1},
        {"Yaesu 990", status990, 12, 2},  // every field in, the block's end still to come
        {"Yaesu 990", status990Short, 10, 1},
        {"Yaesu 757 GX II", block757, 9, 2},
        {"Kenwood 2", kenwoodIF, ifModeDigit, 1},
        {"Kenwood 2", kenwoodIF, 37, 1},  // all but the ";"
        {"Ten Tec Orion", orion, orionMode, 1},
        {"Ten Tec Fnt Pnl", panel, 5, 1},  // the frequency before its CR
        {"Ten Tec Fnt Pnl", panel, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " cut after " + std::to_string(c.cut) + ", rest " +
                     std::to_string(c.lateTicks) + " tick(s) late");
        auto* port = new ScriptedSerialPort;
        w().comComm1.reset(port);
        choose(c.model);
        w().optPollFast->setValue(true);
        SlowLineRig rig{c.reply, c.cut, c.lateTicks};
        port->answer = [&rig](const QByteArray& q) { return rig.answer(q); };
        w().FrequencyQueried = 0;
        w().AwaitingReply = 0;
        t.app().run().FrequencyToLog.clear();
        station().CurrentBand = QStringLiteral("20");
        station().CurrentMode = QStringLiteral("CW");
        w().Command1_Click();
        rig.ticked(*port);

        // Each reading's stage: 0 none yet, 1 the rig before the move, 2 after it.
        // Phone before any CW is a misreading (the logging window starts in CW here).
        bool windowSawCW = false, logSawCW = false;
        auto modeStage = [](const QString& m, bool& sawCW) {
            if (m == u"CW") {
                sawCW = true;
                return 1;
            }
            if (m == u"PH") return sawCW ? 2 : 99;
            return m.isEmpty() || m == u"No Response" ? 0 : 99;
        };
        auto stageOf = [](const QString& v, const char* none, const char* before,
                          const char* after) {
            return v == QLatin1String(none)     ? 0
                   : v == QLatin1String(before) ? 1
                   : v == QLatin1String(after)  ? 2
                                                : 99;
        };
        std::array<int, 5> last{};
        bool followedBeforeMove = false;
        for (int tick = 1; tick <= 200 && rig.answers <= 20; ++tick) {
            SCOPED_TRACE(tick);
            const int rigStage = rig.answers > 10 ? 2 : 1;
            if (rig.answers == 10 && rig.late.isEmpty() && w().AwaitingReply == 0)
                followedBeforeMove = w().lblFreq->Caption() == u"14.02500" &&
                                     w().lblMode->Caption() == u"CW" &&
                                     station().CurrentMode == u"CW" && toLog() == u"14.025";
            this->tick();
            rig.ticked(*port);
            const std::array<int, 5> now{
                stageOf(w().lblFreq->Caption(), "No Response", "14.02500", "7.03000"),
                modeStage(w().lblMode->Caption(), windowSawCW),
                stageOf(toLog(), "", "14.025", "7.030"),
                stageOf(station().CurrentBand, "", "20", "40"),
                modeStage(station().CurrentMode, logSawCW)};
            bool truthful = true;
            for (size_t i = 0; i < now.size(); ++i)
                truthful = truthful && now[i] <= rigStage && now[i] >= last[i];
            if (!truthful) {
                ADD_FAILURE() << "rig at stage " << rigStage << "; shown " << now[0] << now[1]
                              << ", handed on " << now[2] << now[3] << now[4] << ", before "
                              << last[0] << last[1] << last[2] << last[3] << last[4];
                break;
            }
            last = now;
        }
        EXPECT_GT(rig.answers, 20);
        EXPECT_TRUE(followedBeforeMove);
        EXPECT_EQ(w().lblFreq->Caption(), QStringLiteral("7.03000"));
        EXPECT_EQ(w().lblMode->Caption(), QStringLiteral("PH"));
        EXPECT_EQ(station().CurrentBand, QStringLiteral("40"));
        EXPECT_EQ(station().CurrentMode, QStringLiteral("PH"));
        EXPECT_EQ(toLog(), QStringLiteral("7.030"));
        w().Command2_Click();
    }
}

// A rig that sends every answer in two parts: the head right after the query, the rest only
// after the next query has gone out, just in front of that query's head. The poll waits for
// each rest in vain, gives up at its bound and asks again, so every reading but the first is
// the tail of one answer and the head of the next.
struct CutAnswer {
    QByteArray bytes;
    qsizetype head;  // what comes right after the query
};

struct CuttingRig {
    std::map<QByteArray, CutAnswer> answers;
    // The first answer comes whole, so the window has a good reading to keep.
    bool firstWhole = false;
    QByteArray late;  // the tail still to come
    int asked = 0;

    QByteArray operator()(const QByteArray& query) {
        const auto a = answers.find(query);
        if (a == answers.end()) return {};  // the wake-up bytes
        ++asked;
        const qsizetype head = firstWhole ? a->second.bytes.size() : a->second.head;
        const QByteArray out = late + a->second.bytes.left(head);
        late = a->second.bytes.mid(head);
        firstWhole = false;
        return out;
    }
};

// Cut this way, the bytes of a reading lie at the wrong places: a Yaesu reading of
// 00 02 01 40 25 would be 0.2014 MHz. Whatever the cut leaves, the rig window and the logging
// window never show a frequency or mode the rig did not report, and the poll goes on asking.
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
        for (int ticks = 1; ticks <= 120; ++ticks) {
            SCOPED_TRACE(ticks);
            tick();
            if (ticks < 3) continue;  // the first whole answer, where there is one, is read
            ASSERT_EQ(w().lblFreq->Caption(), QLatin1String(c.shown));
            ASSERT_EQ(toLog(), QLatin1String(c.logged));
            // No mode read yet: Test's caption, or the empty mode of a reply that read nothing.
            const QString mode = w().lblMode->Caption();
            if (*c.mode == 0 && mode == u"No Response") continue;
            ASSERT_EQ(mode, QLatin1String(c.mode));
        }
        EXPECT_GE(cutting.asked, 15);
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
