// The in-state window fed by the rig and the spotting window (through stand-ins that call the
// facade as those windows do): band and mode from the rig, the rig's frequency through a
// logging attempt, and the band map with its scale, colours, labels, layout and periodic redraw.
#include "common/QuotedFieldLine.h"
#include "logging/BandRanges.h"
#include "logging/LoggingFixture.h"
#include "logging/SpotSlots.h"
#include "support/StationWindowDoubles.h"

#include <map>

namespace qf {
namespace {

using test::LoggingFixture;
using test::RigPollDouble;
using test::SpotSourceDouble;

QSORecord contact(const char* call, const char* band) {
    QSORecord q;
    q.Call = QString::fromLatin1(call);
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("AL");
    q.SPC = QStringLiteral("OH");
    q.CountySent = QStringLiteral("AIT");
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:00:00");
    q.Mode = QStringLiteral("PH");
    q.Band = QString::fromLatin1(band);
    return q;
}

class InStateStationTest : public LoggingFixture {
protected:
    InStateStationTest() {
        StationSettings& st = t.app().station();
        st.OutOfStateFlag = 0;
        st.OwnSPC = QStringLiteral("MN");
        st.OwnCounty = QStringLiteral("AIT");
    }
    Infrm& openIn() {
        Infrm& in = open(&Forms::Infrm);
        rig = std::make_unique<RigPollDouble>(t.app(), t.clock());
        spots = std::make_unique<SpotSourceDouble>(t.app(), t.clock());
        return in;
    }
    Infrm& w() { return *t.app().forms().infrmSlot().peek(); }
    StationSettings saved() {
        StationSettings s;
        ReadQSOPref(s, t.files());
        return s;
    }
    // A contact written behind the window's back shows only after a reload.
    void addContactOnDisk(const char* call) {
        QFile f(t.work() + QStringLiteral("/log.txt"));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(encodeRecord(contact(call, "40")));
    }
    // The spotting window's Done with a source and a display.
    void done(const char* source, bool list) {
        spots->List1 = QLatin1String(source);
        spots->OptList = list;
        spots->cmdDone_Click();
    }
    void spot(const QString& call, const QString& khz) {
        spots->PostSpot(SpotSourceDouble::line(QStringLiteral("W3LPL"), khz, call));
    }
    std::vector<int> visibleSpotLabels() {
        std::vector<int> v;
        for (size_t i = 0; i < w().lblDXSpot.size(); ++i) {
            if (w().lblDXSpot[i]->Visible()) v.push_back(static_cast<int>(i));
        }
        return v;
    }
    QStringList scale() {
        QStringList s;
        for (Label* l : w().lblFreqSpot) s << l->Caption();
        return s;
    }
    std::unique_ptr<RigPollDouble> rig;
    std::unique_ptr<SpotSourceDouble> spots;
};

// ---- rig intake

// A reading on the current band, or on a band without a menu item, only keeps the frequency;
// one on another of the ten bands switches, saves and reloads like the band menu.
TEST_F(InStateStationTest, RigFrequencyReadings) {
    writeLog({});
    openIn();
    struct Case {
        const char* bandBefore;
        float mhz;
        const char* bandAfter;
        const char* toLog;
    };
    const Case cases[] = {{"20", 14.2f, "20", "14.200"},      {"20", 10.125f, "20", "10.125"},
                          {"20", 5.3305f, "20", "5.331"},     {"20", 1296.0f, "20", "1296.000"},
                          {"20", 10368.1f, "10", "10368.100"}, {"10", 10368.1f, "10", "10368.100"},
                          {"20", 7.0255f, "40", "7.026"},     {"40", 3.4999f, "40", "3.500"},
                          {"40", 3.5f, "80", "3.500"},        {"80", 432.1f, "70", "432.100"}};
    int onDisk = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mhz);
        t.app().station().CurrentBand = QLatin1String(c.bandBefore);
        t.files().remove(kSettingsFile);
        addContactOnDisk("N0NEW");
        ++onDisk;
        rig->reading(c.mhz, QString());
        const bool switched = QLatin1String(c.bandBefore) != QLatin1String(c.bandAfter);
        EXPECT_EQ(t.app().station().CurrentBand, QLatin1String(c.bandAfter));
        EXPECT_EQ(t.app().run().FrequencyToLog, QLatin1String(c.toLog));
        EXPECT_EQ(t.files().fileExists(kSettingsFile), switched);
        if (switched) {
            EXPECT_EQ(saved().CurrentBand, QLatin1String(c.bandAfter));
            EXPECT_EQ(w().Label24->Caption(), QLatin1String(c.bandAfter));
            EXPECT_EQ(t.app().log().QSOCount, onDisk);  // reloaded
        }
    }
    // With "Use Frequency" unticked the reading is not handed over.
    rig->useFrequency = false;
    t.app().run().FrequencyToLog.clear();
    rig->reading(7.01f, QString());
    EXPECT_EQ(t.app().station().CurrentBand, QStringLiteral("70"));
    EXPECT_TRUE(t.app().run().FrequencyToLog.isEmpty());
}

TEST_F(InStateStationTest, RigModeReadings) {
    writeLog({});
    openIn();
    struct Case {
        const char* before;
        const char* reported;
        const char* after;
    };
    const Case cases[] = {{"PH", "USB", "PH"}, {"PH", "cw", "CW"}, {"CW", "", "CW"},
                          {"CW", "Ph", "PH"},  {"PH", "DG", "PH"}, {"CW", "CW", "CW"}};
    int onDisk = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reported);
        t.app().station().CurrentMode = QLatin1String(c.before);
        t.files().remove(kSettingsFile);
        addContactOnDisk("N0NEW");
        ++onDisk;
        const int before = t.app().log().QSOCount;
        rig->reading(14.2f, QLatin1String(c.reported));
        const bool switched = QLatin1String(c.before) != QLatin1String(c.after);
        EXPECT_EQ(t.app().station().CurrentMode, QLatin1String(c.after));
        EXPECT_EQ(t.files().fileExists(kSettingsFile), switched);
        EXPECT_EQ(t.app().log().QSOCount, switched ? onDisk : before);  // reloaded or not
        if (switched) {
            EXPECT_EQ(w().Label30->Caption(), QLatin1String(c.after));
        }
    }
    // Mode source "Don't Use": the mode is never handed over.
    t.app().station().CurrentMode = QStringLiteral("PH");
    rig->modeDontUse = true;
    rig->reading(14.2f, QStringLiteral("CW"));
    EXPECT_EQ(t.app().station().CurrentMode, QStringLiteral("PH"));
}

// A reading can arrive inside a logging attempt, where Mains lets events run: the stored
// contact keeps the frequency of the Enter, the reading is taken (even one that switches the
// band and reloads the log), and the attempt still ends with no frequency kept.
TEST_F(InStateStationTest, AReadingThatArrivesInsideALoggingAttempt) {
    writeLog({});
    openIn();
    w().cmdLogOn->Press();
    int countAtArrival = -1;
    QString keptAtArrival;
    rig->onReading = [&] {
        countAtArrival = t.app().log().QSOCount;
        keptAtArrival = t.app().run().FrequencyToLog;
    };
    struct Attempt {
        const char* typed;
        float atEnter;   // the last reading before Enter
        float arriving;  // the reading that arrives while the attempt runs
        const char* bandAfter;
        bool stores;
    };
    const Attempt attempts[] = {{"w1aw bob oh", 14.2f, 14.25f, "20", true},
                                {"k2aa sam ny", 14.2f, 7.01f, "40", true},  // switches and reloads
                                {"k3aa ", 7.005f, 7.02f, "40", false}};     // refused: no name
    for (const Attempt& a : attempts) {
        SCOPED_TRACE(a.typed);
        const int before = t.app().log().QSOCount;
        rig->reading(a.atEnter, QString());
        type(QLatin1String(a.typed));
        rig->replyOnNextPoll(a.arriving, QString());
        t.clock().sleepMs(300);  // the poll falls due; it runs when events next run
        countAtArrival = -1;
        key(Qt::Key_Return);
        const int after = before + (a.stores ? 1 : 0);
        if (a.stores) {
            ASSERT_EQ(countAtArrival, after) << "the reading arrived after the contact was stored";
        }
        EXPECT_EQ(keptAtArrival, frequencyText(a.arriving));
        EXPECT_EQ(t.app().station().CurrentBand, QLatin1String(a.bandAfter));
        ASSERT_EQ(t.app().log().QSOCount, after);
        if (a.stores) {
            EXPECT_EQ(t.app().log()[after].Frequency, frequencyText(a.atEnter));
        }
        EXPECT_TRUE(t.app().run().FrequencyToLog.isEmpty());
    }
    // What was stored reached the file, the band switch's reload included.
    RecordReader r(t.readFile(QStringLiteral("log.txt")));
    QStringList frequencies;
    while (!r.atEnd()) frequencies << readRecord(r).Frequency;
    EXPECT_EQ(frequencies, (QStringList{"14.200", "14.200"}));
}

// ---- band map

// Form1.lblDX is up exactly while the band map shows, whichever way it came to show, so the
// periodic redraw never leaves hour-old spots standing.
TEST_F(InStateStationTest, TheFacadeFlagFollowsTheBandMapThroughEveryTransition) {
    writeLog({});
    openIn();
    Label* flag = t.app().forms().Form1().lblDX;
    struct Step {
        const char* source;
        bool list;
        bool listShown, mapShown;
    };
    const Step steps[] = {{"TNC", true, true, false},         {"TNC", false, false, true},
                          {"Telnet", true, true, false},      {"None", true, false, false},
                          {"Telnet", false, false, true},     {"AGW Packet Engine", false, false, true},
                          {"none", false, false, false},      {"None", false, false, false},
                          {"TNC", false, false, true},        {"TNC", true, true, false}};
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.source << (s.list ? " list" : " map"));
        done(s.source, s.list);
        EXPECT_EQ(w().txtDX->Visible(), s.listShown);
        EXPECT_EQ(w().lblDX->Visible(), s.mapShown);
        EXPECT_EQ(w().LineDX->Visible(), s.mapShown);
        EXPECT_EQ(w().lblFreqSpot[2]->Visible(), s.mapShown);
        EXPECT_EQ(flag->Visible(), s.mapShown);
        const double divider = w().Line3->Y1();
        EXPECT_DOUBLE_EQ(w().List3->Top() + w().List3->Height(), divider);
    }
}

// The spotting window's timer redraws on its 361st tick without a new spot, and only while the
// band map shows. Its ticks fall every 333 ms from the opening, and so do the spots here.
TEST_F(InStateStationTest, ThePeriodicRedrawDropsHourOldSpots) {
    writeLog({});
    openIn();
    done("TNC", false);
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025"));
    spot(QStringLiteral("W9XYZ"), QStringLiteral("14030"));
    ASSERT_EQ(visibleSpotLabels(), (std::vector<int>{48, 49}));
    constexpr qint64 kTick = 333;
    t.clock().advance(10450 * kTick);  // 361 ticks short of the hour
    spot(QStringLiteral("N0NEW"), QStringLiteral("14040"));  // the count starts again
    const int redraws = spots->redraws;
    EXPECT_EQ(visibleSpotLabels(), (std::vector<int>{47, 48, 49}));
    t.clock().advance(360 * kTick);
    EXPECT_EQ(spots->redraws, redraws);
    t.clock().advance(kTick);  // the hour is full at the 361st tick
    EXPECT_EQ(spots->redraws, redraws + 1);
    EXPECT_EQ(visibleSpotLabels(), (std::vector<int>{49}));

    // With the list showing the timer asks for nothing.
    done("TNC", true);
    t.clock().advance(3 * 361 * kTick);
    EXPECT_EQ(spots->redraws, redraws + 1);
    done("TNC", false);
    t.clock().advance(360 * kTick);
    EXPECT_EQ(spots->redraws, redraws + 1);
    t.clock().advance(kTick);
    EXPECT_EQ(spots->redraws, redraws + 2);
}

TEST_F(InStateStationTest, SpotsTheSlotsAndTheList) {
    writeLog({});
    openIn();
    done("TNC", false);
    // A kHz text with a decimal part lands in MHz, in the slot, the list and the caller's variable.
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025.5"));
    EXPECT_EQ(t.app().spots()[49].SpotFrequency, 14.0255f);
    EXPECT_EQ(w().txtDX->text(1, 1), QStringLiteral("14.0255"));
    EXPECT_EQ(spots->DXSpotFreq, QStringLiteral("14.0255"));
    // The 51st spot pushes the first out of slot 0; the list keeps it until 200 newer rows.
    for (int i = 2; i <= 51; ++i) spot(QStringLiteral("K%1AA").arg(i), QStringLiteral("7010"));
    EXPECT_EQ(t.app().spots()[0].SpotCall, QStringLiteral("K2AA"));
    EXPECT_EQ(w().txtDX->count(), 51);
    EXPECT_EQ(w().txtDX->text(51, 0), QStringLiteral("K1ABC"));
    for (int i = 52; i <= 200; ++i) spot(QStringLiteral("K%1AA").arg(i), QStringLiteral("7010"));
    EXPECT_EQ(w().txtDX->text(200, 0), QStringLiteral("K1ABC"));
    spot(QStringLiteral("K201AA"), QStringLiteral("7010"));
    EXPECT_EQ(w().txtDX->count(), 200);
    EXPECT_EQ(w().txtDX->text(200, 0), QStringLiteral("K2AA"));
}

// The scale and what is drawn, for a band and the spots in arrival order (the first in slot 0
// when there are fifty).
TEST_F(InStateStationTest, TheScaleAndTheDrawnSpots) {
    writeLog({});
    openIn();
    done("TNC", false);
    struct Case {
        const char* band;
        std::vector<const char*> khz;
        QStringList scale;
        std::vector<int> drawn;
    };
    std::vector<const char*> slotZeroOutside = {"14300"};
    for (int i = 1; i < 50; ++i) slotZeroOutside.push_back(i % 2 ? "14010" : "14090");
    const Case cases[] = {
        {"20", {"14025"}, {"14.000", "14.088", "14.175", "14.262", "14.350"}, {49}},
        {"20", {"14010", "14090"}, {"14.009", "14.030", "14.050", "14.071", "14.091"}, {48, 49}},
        {"20", {"14000", "14100"}, {"14.000", "14.088", "14.175", "14.262", "14.350"}, {49}},
        {"20", {"14350", "14000"}, {"14.000", "14.088", "14.175", "14.262", "14.350"}, {}},
        {"70", {"432100"}, {"420.000", "427.500", "435.000", "442.500", "450.000"}, {49}},
        {"30", {"10110", "10120"}, {".000", ".000", ".000", ".000", ".000"}, {}},
        {"20", slotZeroOutside, {"14.009", "14.030", "14.050", "14.071", "14.091"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.band << " " << c.khz.size() << " spots from " << c.khz.front());
        t.app().spots() = SpotSlotTable();
        t.app().station().CurrentBand = QLatin1String(c.band);
        int n = 0;
        for (const char* khz : c.khz) spot(QStringLiteral("K%1XX").arg(++n), QLatin1String(khz));
        EXPECT_EQ(scale(), c.scale);
        std::vector<int> drawn = visibleSpotLabels();
        if (c.khz.size() == 50) {
            EXPECT_EQ(drawn.size(), 49u);
            EXPECT_FALSE(w().lblDXSpot[0]->Visible());  // 14.300 lies outside the zoomed scale
        } else {
            EXPECT_EQ(drawn, c.drawn);
        }
    }
}

// Spots of several ages on one map, newest first: the colours by age, and nothing at or past
// the first spot an hour old.
TEST_F(InStateStationTest, AgeColoursAndLabelsOnOneMap) {
    writeLog({});
    openIn();
    done("TNC", false);
    struct Arrival {
        const char* call;
        qint64 ageSeconds;  // when the map is drawn
        const char* label;
        bool shown;
        quint32 color;
    };
    const Arrival arrivals[] = {{"W9ZZZ", 4000, "W9", false, 0},
                                {"K1ABC/QRP", 3600, "QR", false, 0},
                                {"KH6/K1ABC", 3599, "KH6", true, kSpotOldColor},
                                {"K1ABC/4", 1800, "K4", true, kSpotOldColor},
                                {"9A1ZZ", 1799, "9A1", true, kSpotColor},
                                {"DL1ABC", 600, "DL1", true, kSpotColor},
                                {"VE3ABC/P", 599, "P", true, kSpotNewColor},
                                {"N0AX", 0, "N0", true, kSpotNewColor}};
    qint64 at = arrivals[0].ageSeconds;
    int khz = 14010;
    for (const Arrival& a : arrivals) {
        t.clock().advance((at - a.ageSeconds) * 1000);
        at = a.ageSeconds;
        spot(QLatin1String(a.call), QString::number(khz += 10));
    }
    t.app().forms().Form1().DisplayBandMapLabels();
    for (size_t i = 0; i < std::size(arrivals); ++i) {
        const Arrival& a = arrivals[i];
        Label* l = w().lblDXSpot[SpotSlotTable::kSlots - std::size(arrivals) + i];
        EXPECT_EQ(l->Visible(), a.shown) << a.call;
        if (!a.shown) continue;
        EXPECT_EQ(l->Caption(), QLatin1String(a.label)) << a.call;
        EXPECT_EQ(l->ForeColor(), a.color) << a.call;
    }
}

// Showing the spot panel and taking it away again leaves every control at 0.99999999 of its top
// and height, the states grid included.
TEST_F(InStateStationTest, SqueezeAndStretch) {
    writeLog({});
    openIn();
    std::map<Control*, std::pair<double, double>> before;
    for (Control* c : w().controls()) {
        switch (c->kind()) {
            case ControlKind::Label:
            case ControlKind::TextBox:
            case ControlKind::CommandButton:
            case ControlKind::ListBox:
            case ControlKind::ListView:
                before[c] = {c->Top(), c->Height()};
                break;
            default:
                break;
        }
    }
    const double divider = w().Line3->Y1();
    done("TNC", true);
    done("None", true);
    const auto& spotControls = std::vector<Control*>{w().txtDX, w().lblDX};
    for (const auto& [c, g] : before) {
        if (std::find(spotControls.begin(), spotControls.end(), c) != spotControls.end()) continue;
        const auto& scaleLabels = w().lblFreqSpot;
        const auto& spotLabels = w().lblDXSpot;
        if (std::find(scaleLabels.begin(), scaleLabels.end(), c) != scaleLabels.end() ||
            std::find(spotLabels.begin(), spotLabels.end(), c) != spotLabels.end()) {
            continue;
        }
        EXPECT_NEAR(c->Top(), g.first * 0.99999999, 1e-9 * (1 + g.first)) << c->Name().toStdString();
        EXPECT_NEAR(c->Height(), g.second * 0.99999999, 1e-9 * (1 + g.second)) << c->Name().toStdString();
    }
    EXPECT_NEAR(w().Line3->Y1(), divider * 0.99999999, 1e-9 * divider);
}

// A list row whose frequency is no number only puts the focus in the call box.
TEST_F(InStateStationTest, AListClickOnARowWithoutANumber) {
    writeLog({});
    openIn();
    done("TNC", true);
    w().txtDX->addRow({QStringLiteral("K1ABC"), QStringLiteral("abc")}, true);
    w().txtDX->selectRow(1);
    w().txtRSTR->SetFocus();
    settle();
    w().txtDX_Click();
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);
    EXPECT_TRUE(w().txtCall->Text().isEmpty());
}

}  // namespace
}  // namespace qf
