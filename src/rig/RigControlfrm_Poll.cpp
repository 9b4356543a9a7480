// The poll loop: a send tick writes the model's query, the next tick reads the reply, decodes it
// through the model's row and hands the reading to the logging window. A reply is read only
// when it is whole (its end character, or its length): a part of it waits for the rest, with no
// new query, for up to a second. The framed families (CI-V, the text replies) find their answer
// anywhere in what arrived, a late tail included; the fixed layouts see only what came after
// their own query. A read string that cannot be sent skips its turn. A port whose device went
// away ends polling, said once. A tick never lets other events run; any other fault ends it
// where it stands, so the same kind of tick runs next time.
#include "rig/RigControlfrm.h"

#include "app/App.h"
#include "app/Forms.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/PegasusFiles.h"

#include <QScopeGuard>

#include <array>

namespace qf {

namespace {

using rig::DecodeStyle;
using rig::QueryStyle;

// What the operator reads in place of the reply while a read string is refused.
QString refusalText(const QString& query, const QString& badPair) {
    return QStringLiteral("Not sent (\"%1\" is not hex): %2").arg(badPair, query);
}

// "###.####0": no leading zero, five decimals.
QString frequencyCaption(float mhz) {
    QString s = QString::number(static_cast<double>(mhz), 'f', 5);
    if (s.startsWith(QLatin1String("0."))) s.remove(0, 1);
    return s;
}

struct SubBand {
    float low, high;
    const char* mode;
};

// The CW and phone parts of the bands, each range open at both ends.
constexpr std::array<SubBand, 19> kSubBands{{
    {3.5f, 3.6f, "CW"},     {3.6f, 4.0f, "PH"},      {7.0f, 7.125f, "CW"},
    {7.125f, 7.3f, "PH"},   {10.1f, 10.15f, "CW"},   {14.0f, 14.15f, "CW"},
    {14.15f, 14.35f, "PH"}, {18.068f, 18.11f, "CW"}, {18.11f, 18.168f, "PH"},
    {21.0f, 21.2f, "CW"},   {21.2f, 21.45f, "PH"},   {24.89f, 24.93f, "CW"},
    {24.93f, 24.99f, "PH"}, {28.0f, 28.3f, "CW"},    {28.3f, 29.7f, "PH"},
    {50.0f, 50.1f, "CW"},   {50.1f, 54.0f, "PH"},    {144.0f, 144.1f, "CW"},
    {144.1f, 148.0f, "PH"},
}};

// How long a reply that has begun to come is waited for: far beyond any reply at 1200 baud,
// short enough that a rig that stopped mid-reply is soon asked again.
constexpr qint64 kReplyWaitMs = 1000;

}  // namespace

void RigControlfrm::tmrGetData_Timer() {
    ++PollTicks;
    const rig::RigModelRow* row = rig::FindRigModel(app_.station().RigModel);
    const bool wasOpen = comComm1->PortOpen();
    try {
        if (AwaitingReply == 0) {
            sendTick(row);
        } else {
            receiveTick(row);
        }
    } catch (const Error&) {
        // A port that closed under this tick's read or write lost its device. Any other fault
        // ends the tick quietly; AwaitingReply keeps its value.
        if (wasOpen && !comComm1->PortOpen()) rigDeviceGone();
    }
}

void RigControlfrm::rigDeviceGone() {
    // A rig unplugged, or its line hung up: polling ends as End Test ends it, so the window
    // never shows a dead rig's last reading as live; Test opens the port again once the device
    // is back.
    Command2_Click();
    lblUnProcess->setCaption(QStringLiteral("** Connection to rig ended: %1 is gone **")
                                 .arg(platform().serialPorts.devicePath(RigPort)));
    platform().beeper.beep();
}

void RigControlfrm::forgetReply() {
    RawReply.clear();
    replyWaitStart_.reset();
}

// Whether what has come of the reply, added to RawReply, is to be read at this tick. A part is
// kept for the next tick; one that never becomes whole is dropped after the bound, and the next
// tick asks again.
bool RigControlfrm::replyReady(const rig::RigModelRow* row, const QString& arrived) {
    RawReply += arrived;
    if (!row || RawReply.isEmpty()) return true;
    const bool modeAnswer = row->decode == DecodeStyle::Alternate && FrequencyQueried == 0;
    const rig::ReplyShape& shape = modeAnswer ? row->modeReply : row->frequencyReply;
    const rig::ReplyProgress progress = rig::ProgressOf(shape, RawReply.toLatin1());
    // A block that holds every field read and has stopped growing is as whole as it gets.
    if (progress == rig::ReplyProgress::Whole ||
        (progress == rig::ReplyProgress::Fields && arrived.isEmpty() && replyWaitStart_))
        return true;
    const qint64 now = platform().clock.tickMs();
    if (!replyWaitStart_) {
        replyWaitStart_ = now;
    } else if (now - *replyWaitStart_ >= kReplyWaitMs) {
        forgetReply();
        AwaitingReply = 0;
    }
    return false;
}

// A read string that cannot be turned into bytes skips its turn, so the other one still goes
// out on its ticks. The value it would have read stays as it was: the box that shows what came
// back says why, once, and keeps saying it while the string stands.
void RigControlfrm::sendPairs(const QString& query, const QString& pairs) {
    if (const auto bytes = rig::HexTextToBytes(pairs)) {
        comComm1->write(*bytes);
        return;
    }
    for (const RefusedQuery& r : refusedQueries_)
        if (r.query == query) return;
    refusedQueries_.push_back({query, refusalText(query, rig::FirstBadHexPair(pairs))});
    QStringList shown;
    for (const RefusedQuery& r : refusedQueries_) shown << r.text;
    lblUnProcess->setCaption(shown.join(QStringLiteral("; ")));
}

void RigControlfrm::sendTick(const rig::RigModelRow* row) {
    // A refusal lasts as long as its string is still one of the two.
    std::erase_if(refusedQueries_, [this](const RefusedQuery& r) {
        return r.query != RigFrequencyQuery && r.query != RigModeQuery;
    });
    // A reply read by its place alone must start with the answer to this query: the tail of an
    // earlier reply, come after its tick, would shift every field. Dropped also while an
    // earlier query is still going out, as nothing waiting can answer that one yet.
    if (row && row->fixedLayoutReplies) comComm1->discardInput();
    // An earlier query still going out: skip this one, but read at the next tick all the same.
    // A closed port (the exchange files) counts 0.
    const QueryStyle style = row ? row->query : QueryStyle::None;
    if (comComm1->outBufferCount() == 0) {
        const QString& f = RigFrequencyQuery;
        const QString& m = RigModeQuery;
        auto text = [](const QString& s) { return s.toLatin1(); };
        auto alternate = [&](auto sendOne) {
            if (FrequencyQueried == 0) {
                sendOne(f);
                FrequencyQueried = 1;
            } else {
                sendOne(m);
                FrequencyQueried = 0;
            }
        };
        switch (style) {
            case QueryStyle::None:
                break;
            case QueryStyle::TextBoth:
                if (!f.isEmpty()) comComm1->write(text(f));
                if (!m.isEmpty()) comComm1->write(text(m));
                break;
            case QueryStyle::HexPairsAlternate6:
                alternate([&](const QString& q) {
                    if (q.size() >= 17) sendPairs(q, q.left(17));
                });
                break;
            case QueryStyle::HexPairsAlternate3:
                alternate([&](const QString& q) {
                    if (q.size() >= 7) sendPairs(q, q.left(8));
                });
                break;
            case QueryStyle::TextAlternate:
                alternate([&](const QString& q) {
                    if (q.size() >= 2) comComm1->write(text(q));
                });
                break;
            case QueryStyle::HexPairs5:
                if (f.size() >= 14) sendPairs(f, f.left(14));
                break;
            case QueryStyle::TextCrBoth:
                if (!f.isEmpty()) comComm1->write(text(f) + '\r');
                if (!m.isEmpty()) comComm1->write(text(m) + '\r');
                break;
            case QueryStyle::Other:
                for (const QString* q : {&f, &m}) {
                    if (q->isEmpty()) continue;
                    if (chkConvToHex->Value() != 0) {
                        sendPairs(*q, *q);
                    } else {
                        comComm1->write(text(*q));
                    }
                }
                break;
        }
    }
    AwaitingReply = 1;
    forgetReply();
}

void RigControlfrm::receiveTick(const rig::RigModelRow* row) {
    const DecodeStyle style = row ? row->decode : DecodeStyle::None;
    const bool exchangeFiles = style == DecodeStyle::ExchangeFiles;
    if (!exchangeFiles && !replyReady(row, comComm1->readAllLatin1())) return;
    // A reply is read once: a fault further on ends the tick, and the next one reads afresh.
    const auto readOnce = qScopeGuard([this] { forgetReply(); });
    if (exchangeFiles || !RawReply.isEmpty()) {
        const QByteArray reply = RawReply.toLatin1();
        const rig::CatQueries queries{RigFrequencyQuery, RigModeQuery};
        auto run = [&](rig::CatDecoder d) {
            if (d) store(d(reply, queries));
        };
        switch (style) {
            case DecodeStyle::None:
                break;
            case DecodeStyle::Sequence:
                run(row->frequencyDecoder);
                run(row->modeDecoder);
                break;
            case DecodeStyle::Alternate:
                run(FrequencyQueried == 1 ? row->frequencyDecoder : row->modeDecoder);
                break;
            case DecodeStyle::ExchangeFiles: {
                // No folder or no file is the normal state while the control program is not
                // running.
                const QString path = PegasusOutPath(platform().environment);
                Files& files = platform().files;
                if (files.fileExists(path)) store(rig::ReadPegasusFile(files.readAll(path)));
                break;
            }
        }
        if (OptFreq->Value()) ModeFromFrequency();
        if (isVisible()) {
            if (ReportedFrequency > 0) lblFreq->setCaption(frequencyCaption(ReportedFrequency));
            lblMode->setCaption(ReportedMode);
            if (ChkConvHex->Value() != 0) RawReply = rig::BytesToHexText(reply);
            // A refused read string's notice stays in the reply's place while it stands.
            if (refusedQueries_.empty()) lblUnProcess->setCaption(RawReply);
        }
        // No frequency yet (0, or an unreadable one) is never handed on: a contact must not be
        // logged on it.
        if (chkFrequency->Value() != 0 && ReportedFrequency > 0)
            app_.forms().Form1().BandFreqConversion(ReportedFrequency);
        if (!OptDont->Value()) app_.forms().Form1().ModeSelection(ReportedMode);
    }
    AwaitingReply = 0;
}

void RigControlfrm::store(const rig::CatReading& reading) {
    if (reading.frequency) ReportedFrequency = *reading.frequency;
    if (reading.mode) ReportedMode = *reading.mode;
    if (reading.activeVfo) ActiveVFO = *reading.activeVfo;
}

void RigControlfrm::ModeFromFrequency() {
    for (const SubBand& b : kSubBands) {
        if (ReportedFrequency > b.low && ReportedFrequency < b.high) {
            ReportedMode = QLatin1String(b.mode);
            return;
        }
    }
}

void RigControlfrm::txtFreq_Change() {
    RigFrequencyQuery = txtFreq->Text();
}

void RigControlfrm::txtMode_Change() {
    RigModeQuery = txtMode->Text();
}

// The caret in a query box stops polling, so a query is never edited while it goes out.
void RigControlfrm::txtFreq_GotFocus() {
    Command2_Click();
}

void RigControlfrm::txtMode_GotFocus() {
    Command2_Click();
}

}  // namespace qf
