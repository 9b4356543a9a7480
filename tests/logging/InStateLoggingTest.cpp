// The in-state window logging contacts: a contest typed key by key, what a stored contact adds
// to the tallies, the rover's further counties, the lock-out after a duplicate, and the faults
// mended on the way (the county refill, the midnight stamp).
#include "logging/LogTallies.h"
#include "logging/LoggingFixture.h"
#include "platform/Error.h"
#include "support/KeyingRecorder.h"

#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace qf {
namespace {

using test::LoggingFixture;

constexpr qint32 kWorked = 0x0000FF, kRemaining = 0x00FF00;

QSORecord contact(const char* call, const char* spc, const char* county, const char* band = "20",
                  const char* sent = "AIT") {
    QSORecord q;
    q.Call = QString::fromLatin1(call);
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("AL");
    q.SPC = QString::fromLatin1(spc);
    q.CountyRcvd = QString::fromLatin1(county);
    q.CountySent = QString::fromLatin1(sent);
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:00:00");
    q.Mode = QStringLiteral("PH");
    q.Band = QString::fromLatin1(band);
    return q;
}

// A rover's county line as the rover county dialog will hold it; an entry may be made to fail.
class ListedCounties : public RoverCountyList {
  public:
    explicit ListedCounties(QStringList entries, int failAt = -1)
        : entries_(std::move(entries)), failAt_(failAt) {}
    int count() const override { return static_cast<int>(entries_.size()); }
    QString entry(int p) const override {
        if (p == failAt_) throw Error(err::kSubscript, QStringLiteral("Subscript out of range"));
        return entries_.at(p);
    }

  private:
    QStringList entries_;
    int failAt_;
};

class InStateLoggingTest : public LoggingFixture {
  protected:
    InStateLoggingTest() {
        StationSettings& st = t.app().station();
        st.OutOfStateFlag = 0;
        st.OwnSPC = QStringLiteral("MN");
        st.OwnCounty = QStringLiteral("AIT");
        st.WorkedColor = kWorked;
        st.RemainingColor = kRemaining;
    }
    Infrm& openIn() { return open(&Forms::Infrm); }
    Infrm& w() { return *t.app().forms().infrmSlot().peek(); }
    QString statusLine() { return w().lblDialog->Caption(); }
    void minute() { t.clock().advance(60 * 1000); }
    Label* gridLabel(const char* code) {
        return w().Label10[static_cast<size_t>(t.app().spc().find(QString::fromLatin1(code)))];
    }
    // Fills the boxes as the operator would have typed them, then Enter.
    void enter(const char* call, const char* name, const char* spc, const char* county) {
        w().txtCall->setText(QString::fromLatin1(call));
        w().txtRSTR->setText(QString::fromLatin1(name));
        w().txtCntry->setText(QString::fromLatin1(spc));
        w().txtSec->setText(QString::fromLatin1(county));
        w().Mains();
        settle();
    }
    QStringList stored(int from = 1) {
        QStringList out;
        const QSOLog& log = t.app().log();
        for (int r = from; r <= log.QSOCount; ++r) {
            out << log[r].Call + QLatin1Char('/') + log[r].SPC + QLatin1Char('/') +
                       log[r].CountyRcvd + QLatin1Char('/') + log[r].CountySent;
        }
        return out;
    }
};

TEST_F(InStateLoggingTest, AContestTypedKeyByKey) {
    writeLog({});
    openIn();
    ASSERT_EQ(QApplication::focusWidget(), w().txtCall);
    const int counties = t.app().tables().counties.CountyCount;
    ASSERT_GT(counties, 80);

    // A station of another state; Enter logs the operator on by itself.
    minute();
    type(QStringLiteral("w1aw bob "));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("MN"));  // offered, selected
    type(QStringLiteral("OH\n"));
    EXPECT_EQ(t.app().run().LoggedOn, 1);
    EXPECT_EQ(t.beeper().count(), 5);  // a hint for each key typed before the log-on
    const int noBeeps = t.beeper().count();
    ASSERT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(gridLabel("OH")->ForeColor(), static_cast<quint32>(kWorked));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);

    // A contest-state station with its county typed by name.
    minute();
    type(QStringLiteral("k0abc sue "));
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w().txtSec);
    EXPECT_TRUE(w().lblStation.at(4)->Enabled());
    type(QStringLiteral("hennepin\n"));
    ASSERT_EQ(t.app().log().QSOCount, 2);
    EXPECT_FALSE(w().lblStation.at(4)->Enabled());  // cleared with the row

    // A DX country, new on this band.
    minute();
    type(QStringLiteral("dl1abc hans Germany"));
    EXPECT_TRUE(w().Label3->Visible());
    type(QStringLiteral("\n"));
    ASSERT_EQ(t.app().log().QSOCount, 3);
    EXPECT_EQ(w().lblStation.at(5)->Caption(), QStringLiteral("DX All - 1"));
    EXPECT_EQ(noBeeps, t.beeper().count());

    // The same station again from the same county: leaving the call box fills the boxes and
    // warns; Enter refuses it in red and empties the boxes.
    minute();
    type(QStringLiteral("k0abc "));
    EXPECT_EQ(statusLine(), QStringLiteral("Dupe if not rover!  K0ABC  09/26  15:02:00   Rec#  2"));
    EXPECT_EQ(w().txtRSTR->Text(), QStringLiteral("SUE"));
    EXPECT_EQ(w().txtCntry->Text(), QStringLiteral("MN"));
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));
    type(QStringLiteral("\n"));
    EXPECT_EQ(statusLine(), QStringLiteral("Duplicate K0ABC 09/12 15:02:00  Rec#  2"));
    EXPECT_EQ(w().lblDialog->BackColor(), 255u);
    EXPECT_EQ(t.app().log().QSOCount, 3);
    EXPECT_TRUE(w().txtCall->Text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);
    EXPECT_EQ(t.beeper().count(), noBeeps + 2);

    // The same station from another county (a rover) is logged.
    minute();
    type(QStringLiteral("k0abc "));
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Home);
    type(QStringLiteral("crv\n"));
    ASSERT_EQ(t.app().log().QSOCount, 4);
    EXPECT_EQ(t.beeper().count(), noBeeps + 3);  // the warning on leaving the call box

    // Name and country missing: each failing test beeps, the last message and box stay.
    minute();
    type(QStringLiteral("n0x \n"));
    EXPECT_EQ(statusLine(), QStringLiteral("Need Country!"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCntry);
    EXPECT_EQ(t.beeper().count(), noBeeps + 5);
    key(Qt::Key_Escape);

    // A bad section, then a country name in its place.
    type(QStringLiteral("ja1abc ken ZZ\n"));
    EXPECT_EQ(statusLine(), QStringLiteral("Invald Section!"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCntry);
    EXPECT_EQ(t.app().log().QSOCount, 4);
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    type(QStringLiteral("Japan\n"));
    ASSERT_EQ(t.app().log().QSOCount, 5);
    EXPECT_EQ(w().lblStation.at(5)->Caption(), QStringLiteral("DX All - 2"));

    // A county that does not exist.
    minute();
    type(QStringLiteral("k0zz ann "));
    key(Qt::Key_Tab);
    type(QStringLiteral("xyz\n"));
    EXPECT_EQ(statusLine(), QStringLiteral("XYZ is not a valid county!"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtSec);
    EXPECT_EQ(t.app().log().QSOCount, 5);
    key(Qt::Key_Escape);

    // After the contest: "12" is no time; "930" is 09:30.
    w().mnuPostContest->action()->trigger();
    type(QStringLiteral("n0pc pat "));
    key(Qt::Key_Tab);
    type(QStringLiteral("wsh"));
    w().txtPostConDate->SetFocus();
    settle();
    type(QStringLiteral("2026/9/13 12\n"));
    EXPECT_EQ(statusLine(), QStringLiteral("Invalid time format!"));
    EXPECT_EQ(t.app().log().QSOCount, 5);
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    type(QStringLiteral("930\n"));
    ASSERT_EQ(t.app().log().QSOCount, 6);
    EXPECT_EQ(t.beeper().count(), noBeeps + 8);

    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")),
              test::fixture(QStringLiteral("contest-in-state.txt")));
    // 12 points times OH, HEN, CRV and WSH.
    EXPECT_EQ(w().lblTotCon->Caption(), QStringLiteral("6"));
    EXPECT_EQ(w().lblsectogo->Caption(), QStringLiteral("0"));
    EXPECT_EQ(w().lblTotSec->Caption(), QStringLiteral("4"));
    EXPECT_EQ(w().lblTotScore->Caption(), QStringLiteral("48"));
    EXPECT_EQ(w().List2->ListCount(), 3);
    EXPECT_EQ(w().lblStation.at(8)->Caption(), QStringLiteral("Cnty Wkd - 3"));
    EXPECT_EQ(w().lblStation.at(7)->Caption(),
              QStringLiteral("Cnty Rem - %1").arg(w().List3->ListCount()));
    EXPECT_LT(w().List3->find(QStringLiteral("AIT")), w().List3->ListCount());
    EXPECT_LT(w().List3->find(QStringLiteral("HEN")), 0);
    EXPECT_GE(w().List1->find(QStringLiteral("Japan")), 0);
    EXPECT_EQ(gridLabel("MN")->ForeColor(),
              static_cast<quint32>(kRemaining));  // own state: no flag
    EXPECT_EQ(gridLabel("WI")->ForeColor(), static_cast<quint32>(kRemaining));
    EXPECT_EQ(w().ListView1->count(), 6);
    EXPECT_EQ(w().ListView1->text(1, 1), QStringLiteral("N0PC"));
    EXPECT_TRUE(t.app().run().FrequencyToLog.isEmpty());
}

// What one stored contact changes, against a small log already loaded.
struct StoredCase {
    const char* what;
    std::vector<QSORecord> before;
    const char* band;
    const char* spc;
    const char* county;
    int multipliers;   // added by the new contact
    const char* grid;  // a grid label, and whether it shows worked afterwards
    bool gridWorked;
    int bandList;  // DXCountryCount of the band's list afterwards (-1: the band has none)
    int dxAll;     // items of List1 afterwards
};

std::vector<QSORecord> fullBand() {
    std::vector<QSORecord> log;
    for (int i = 0; i < kDXListCapacity; ++i) {
        log.push_back(contact("DL1X", qPrintable(QStringLiteral("Land%1").arg(i)), "", "40"));
    }
    return log;
}

class StoredContactTest : public InStateLoggingTest,
                          public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredContactTest, Changes) {
    const StoredCase& c = GetParam();
    writeLog(c.before);
    t.app().station().CurrentBand = QString::fromLatin1(c.band);
    openIn();
    w().cmdLogOn->Press();
    settle();
    const int multipliers = t.app().tallies().MultiplierCount;
    enter("K9NEW", "AL", c.spc, c.county);
    ASSERT_EQ(t.app().log().QSOCount, static_cast<int>(c.before.size()) + 1)
        << w().lblDialog->Caption().toStdString();
    EXPECT_EQ(t.app().tallies().MultiplierCount - multipliers, c.multipliers);
    EXPECT_EQ(w().lblTotSec->Caption(), QString::number(t.app().tallies().MultiplierCount));
    EXPECT_EQ(gridLabel(c.grid)->ForeColor(),
              static_cast<quint32>(c.gridWorked ? kWorked : kRemaining));
    int bandList = -1;
    for (const BandDXList& l : t.app().tallies().DXLists) {
        if (l.name == QString::fromLatin1(c.band)) bandList = l.DXCountryCount;
    }
    EXPECT_EQ(bandList, c.bandList);
    EXPECT_EQ(w().List1->ListCount(), c.dxAll);
    EXPECT_EQ(w().lblStation.at(5)->Caption(), QStringLiteral("DX All - %1").arg(c.dxAll));
    // The county flag: the first table row of the county, once.
    const int row = CountyRow(t.app().tables().counties, QString::fromLatin1(c.county));
    if (row > 0) {
        EXPECT_EQ(t.app().tallies().WorkedFlags[static_cast<size_t>(row)][3], 1);
    }
    // The same country typed again: "New" only where the band keeps no list of it.
    w().txtCntry->setText(QString::fromLatin1(c.spc));
    const bool longName = QString::fromLatin1(c.spc).size() > 2;
    EXPECT_EQ(w().Label3->Visible(), longName && (c.bandList < 0 || c.bandList == kDXListCapacity));
}

INSTANTIATE_TEST_SUITE_P(
    InState, StoredContactTest,
    ::testing::Values(
        StoredCase{"a new state", {}, "20", "OH", "", 1, "OH", true, 0, 0},
        StoredCase{"a state worked before",
                   {contact("W8A", "oh", "")},
                   "20",
                   "OH",
                   "",
                   0,
                   "OH",
                   true,
                   0,
                   0},
        StoredCase{"the contest state's own code", {}, "20", "MN", "HEN", 1, "MN", false, 0, 0},
        StoredCase{"a county worked before",
                   {contact("K0A", "MN", "hen")},
                   "20",
                   "MN",
                   "HEN",
                   0,
                   "MN",
                   false,
                   0,
                   0},
        StoredCase{
            "a DX country on a band with a list", {}, "20", "Germany", "", 0, "OH", false, 1, 1},
        StoredCase{"a DX country on 2 m", {}, "2", "Germany", "", 0, "OH", false, -1, 1},
        StoredCase{"a full band list", fullBand(), "40", "Japan", "", 0, "OH", false,
                   kDXListCapacity, kDXListCapacity + 1}),
    [](const ::testing::TestParamInfo<StoredCase>& info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QString());
        return name.toStdString();
    });

TEST_F(InStateLoggingTest, ARoverLogsOnceForEachCountyOfTheLine) {
    t.app().station().RoverFlag = 1;
    writeLog({});
    openIn();
    w().cmdLogOn->Press();
    settle();
    ListedCounties line({QStringLiteral("AIT"), QStringLiteral("CRW"), QStringLiteral("MRS")});
    w().setRoverCountyList(&line);
    enter("K0ABC", "SUE", "MN", "HEN");
    EXPECT_EQ(stored(), (QStringList{"K0ABC/MN/HEN/AIT", "K0ABC/MN/HEN/CRW", "K0ABC/MN/HEN/MRS"}));
    // A station outside the state: its copies take its state from the contact just stored.
    enter("W1AW", "BOB", "OH", "");
    EXPECT_EQ(stored(4), (QStringList{"W1AW/OH//AIT", "W1AW/OH//CRW", "W1AW/OH//MRS"}));
    EXPECT_EQ(t.app().station().OwnCounty, QStringLiteral("AIT"));
    EXPECT_EQ(w().Label25->Caption(), QStringLiteral("AIT"));
    EXPECT_EQ(t.app().run().CWMacroValues.MacroCounty, QStringLiteral("AIT"));
    EXPECT_EQ(w().RoverLogIndex, 0);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")).count('\n'), 6);
    EXPECT_EQ(w().ListView1->columnCount(), 10);  // the county sent is listed

    // A single county on the line logs nothing more.
    ListedCounties single({QStringLiteral("AIT")});
    w().setRoverCountyList(&single);
    enter("K0XYZ", "ED", "MN", "WSH");
    EXPECT_EQ(stored(7), (QStringList{"K0XYZ/MN/WSH/AIT"}));

    // A pass that fails ends the loop with a beep and the line's first county back.
    ListedCounties broken({QStringLiteral("AIT"), QStringLiteral("CRW"), QStringLiteral("MRS")}, 2);
    w().setRoverCountyList(&broken);
    const int beeps = t.beeper().count();
    enter("N0PC", "PAT", "MN", "STE");
    EXPECT_EQ(stored(8), (QStringList{"N0PC/MN/STE/AIT", "N0PC/MN/STE/CRW"}));
    EXPECT_EQ(t.beeper().count(), beeps + 1);
    EXPECT_EQ(t.app().station().OwnCounty, QStringLiteral("AIT"));
    EXPECT_EQ(w().Label25->Caption(), QStringLiteral("AIT"));
    EXPECT_EQ(w().RoverLogIndex, 0);
}

// Typed and entered from the state box, as an operator does: the copies for the further
// counties are no duplicates of the contact, so no red line, no beep and no lock-out follow.
TEST_F(InStateLoggingTest, ARoverCopyIsNoDuplicateOfTheContactItCopies) {
    t.app().station().RoverFlag = 1;
    writeLog({});
    openIn();
    w().cmdLogOn->Press();
    settle();
    ListedCounties line({QStringLiteral("AIT"), QStringLiteral("CRW")});
    w().setRoverCountyList(&line);
    const int beeps = t.beeper().count();
    type(QStringLiteral("w9lin lin il\n"));
    EXPECT_EQ(stored(), (QStringList{"W9LIN/IL//AIT", "W9LIN/IL//CRW"}));
    EXPECT_EQ(t.app().run().EntryCheckFlags.DupeFlag, 0);
    EXPECT_FALSE(w().lblDialog->Caption().startsWith(QStringLiteral("Duplicate")))
        << w().lblDialog->Caption().toStdString();
    EXPECT_EQ(t.beeper().count(), beeps);
}

// A refused entry makes no copies: the recall would otherwise log the last contact again,
// from a county of the line it was never worked from.
TEST_F(InStateLoggingTest, ARefusedEntryOfARoverCopiesNothing) {
    t.app().station().RoverFlag = 1;
    writeLog({});
    openIn();
    w().cmdLogOn->Press();
    settle();
    ListedCounties alone({QStringLiteral("AIT")});
    w().setRoverCountyList(&alone);
    enter("K0ABC", "SUE", "MN", "HEN");
    ListedCounties line({QStringLiteral("AIT"), QStringLiteral("CRW")});
    w().setRoverCountyList(&line);
    enter("W1AW", "", "OH", "");         // no name: refused
    enter("K0ABC", "SUE", "MN", "HEN");  // a duplicate: refused
    EXPECT_EQ(stored(), (QStringList{"K0ABC/MN/HEN/AIT"}));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")).count('\n'), 1);
}

TEST_F(InStateLoggingTest, TheLockOutRunsNoEventsAndEndsThreeSecondsAfterTheDupe) {
    writeLog({});
    openIn();
    w().cmdLogOn->Press();
    settle();
    KitTimer timer(t.clock());
    QList<qint64> ticks;
    timer.Tick = [&] { ticks << t.clock().tickMs(); };
    timer.setInterval(1000);
    timer.setEnabled(true);
    const qint64 start = t.clock().tickMs();
    RunState& run = t.app().run();
    struct Case {
        const char* what;
        qint64 dupeAgoMs;  // how long before the first key the dupe was found
        qint64 waitMs;     // how long the key then blocks
    };
    for (const Case& c : {Case{"right after the dupe", 0, 3000}, Case{"a second after", 1000, 2000},
                          Case{"after the wall clock was set back", -3600 * 1000, 3000}}) {
        SCOPED_TRACE(c.what);
        key(Qt::Key_Escape);
        ticks.clear();
        run.EntryCheckFlags.DupeFlag = 1;
        run.LastDupeTime = t.clock().localNow().addMSecs(-c.dupeAgoMs);
        // Both keys wait in the queue; the second may only run once the first has ended.
        const qint64 before = t.clock().tickMs();
        QCoreApplication::postEvent(
            w().txtCall,
            new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
        QCoreApplication::postEvent(
            w().txtCall,
            new QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b")));
        settle();
        settle();
        EXPECT_EQ(t.clock().tickMs() - before, c.waitMs);
        EXPECT_EQ(run.EntryCheckFlags.DupeFlag, 0);
        EXPECT_EQ(w().txtCall->Text(), QStringLiteral("AB"));
        // The timer that fell due during the wait fires once, afterwards.
        EXPECT_EQ(ticks.size(), 1);
        if (!ticks.empty()) {
            EXPECT_EQ(ticks.front(), t.clock().tickMs());
        }
    }
    EXPECT_GT(t.clock().tickMs(), start);
}

// The same station, now operating from another state, after a contest-state contact on another
// band: the county of that contact is not carried over.
TEST_F(InStateLoggingTest, AStationOutsideTheStateIsNeverStoredWithACounty) {
    writeLog({contact("K0ABC", "MN", "HEN", "40")});
    openIn();
    w().cmdLogOn->Press();
    settle();
    const int multipliers = t.app().tallies().MultiplierCount;
    enter("K0ABC", "SUE", "WI", "");
    ASSERT_EQ(t.app().log().QSOCount, 2);
    EXPECT_TRUE(t.app().log()[2].CountyRcvd.isEmpty());
    EXPECT_EQ(t.app().tallies().MultiplierCount, multipliers + 1);  // Wisconsin only
    EXPECT_EQ(w().List2->ListCount(), 1);
    // Inside the state the county is still taken from the earlier contact (after the required
    // fields were checked: this attempt stores nothing).
    enter("K0ABC", "SUE", "MN", "");
    EXPECT_EQ(w().txtSec->Text(), QStringLiteral("HEN"));
    EXPECT_EQ(t.app().log().QSOCount, 2);
}

// A clock that moves on by a millisecond at every reading, as a real one does between two reads.
class SteppingClock : public TestClock {
  public:
    ClockReading now() const override {
        ClockReading r = TestClock::now();
        const qint64 step = stepping ? reads_++ : 0;
        r.local = r.local.addMSecs(step);
        r.utc = r.utc.addMSecs(step);
        return r;
    }
    bool stepping = false;

  private:
    mutable qint64 reads_ = 0;
};

TEST(InStateStampTest, AContactAtMidnightTakesDateAndTimeFromOneReading) {
    QTemporaryDir dir;
    Services s;
    auto clock = std::make_unique<SteppingClock>();
    auto dialogs = std::make_unique<ScriptedDialogs>();
    SteppingClock* c = clock.get();
    dialogs->answerMessage(Answer::Yes);  // "Open existing log?"
    s.clock = std::move(clock);
    s.dialogs = std::move(dialogs);
    s.screen = std::make_unique<FixedScreen>(QSizeF(28800, 16200));
    s.files = std::make_unique<Files>(dir.path());
    s.registry = std::make_unique<Registry>(dir.path() + QStringLiteral("/registry.ini"));
    s.ending = std::make_unique<RecordingEnding>();
    s.beeper = std::make_unique<CountingBeeper>();
    s.environment = std::make_unique<MapEnvironment>(QMap<QString, QString>{});
    auto ports = std::make_unique<SystemSerialPorts>();
    ports->setDeviceFolder(dir.path() + QStringLiteral("/dev"));  // no real device is reached
    s.keyingLines = std::make_unique<test::KeyingRecorder>(*c);
    s.serialPorts = std::move(ports);
    App app(std::move(s));
    app.platform().files.rewriteAtomic(QStringLiteral("county2.txt"),
                                       test::shippedData(QStringLiteral("county2.txt")));
    app.platform().files.rewriteAtomic(QStringLiteral("log.txt"), QByteArray());
    StationSettings& st = app.station();
    st.ContestState = QStringLiteral("MN");
    st.OwnCounty = QStringLiteral("AIT");
    st.CurrentBand = QStringLiteral("20");
    st.CurrentMode = QStringLiteral("CW");
    st.FormSizePercent = 100;
    st.RigModel = QStringLiteral("None");
    st.UTCOffsetHours = 5;
    Infrm& w = app.forms().Infrm();
    w.Show();
    w.cmdLogOn->Press();
    QCoreApplication::processEvents();
    // The last millisecond of the UTC day, local time five hours behind.
    c->set(QDateTime(QDate(2026, 9, 12), QTime(18, 59, 59, 999)), 5 * 3600);
    c->stepping = true;
    w.txtCall->setText(QStringLiteral("W1AW"));
    w.txtRSTR->setText(QStringLiteral("BOB"));
    w.txtCntry->setText(QStringLiteral("OH"));
    w.Mains();
    c->stepping = false;
    ASSERT_EQ(app.log().QSOCount, 1);
    EXPECT_EQ(app.log()[1].QSODate + QLatin1Char(' ') + app.log()[1].QSOTime,
              QStringLiteral("2026/09/12 23:59:59"));
}

}  // namespace
}  // namespace qf
