// The in-state window's shell and the facade window: the shrunk and the full-screen layouts,
// the three county lists on the divider line, the archive names, and Form1 forwarding each call
// to the running window only, writing back into its caller's variables, and closing with the
// logging window.
#include "logging/LoggingFixture.h"
#include "support/StationWindowDoubles.h"

#include <functional>
#include <map>

namespace qf {
namespace {

using test::LoggingFixture;
using test::RigPollDouble;
using test::SpotSourceDouble;

QSORecord contact(const char* call, const char* spc, const char* county) {
    QSORecord q;
    q.Call = QString::fromLatin1(call);
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("AL");
    q.SPC = QString::fromLatin1(spc);
    q.CountyRcvd = QString::fromLatin1(county);
    q.CountySent = QStringLiteral("AIT");
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:00:00");
    q.Mode = QStringLiteral("PH");
    q.Band = QStringLiteral("20");
    return q;
}

bool scaledByForm(const Control* c) {
    switch (c->kind()) {
        case ControlKind::Label:
        case ControlKind::TextBox:
        case ControlKind::CommandButton:
        case ControlKind::ListBox:
        case ControlKind::ListView:
            return true;
        default:
            return false;
    }
}

// The in-state window as the station setup opened it, at a form size, on a 1920 x 1080 screen.
struct Snapshot {
    double left, top, width, height, font;
    std::map<QString, std::array<double, 5>> controls;  // font, left, top, width, height
    std::map<QString, std::array<double, 4>> lines;
    std::vector<double> spotColumns;
};

// A station inside the contest state on 20 m phone, with an empty log, at a form size.
void prepareInState(test::TestApp& t, quint8 percent, quint8 taskbar = 0) {
    t.installShipped({"county2.txt"});
    t.writeFile(QStringLiteral("log.txt"), QByteArray());
    StationSettings& st = t.app().station();
    st.ContestState = QStringLiteral("MN");
    st.OutOfStateFlag = 0;
    st.OwnCounty = QStringLiteral("AIT");
    st.CurrentBand = QStringLiteral("20");
    st.CurrentMode = QStringLiteral("PH");
    st.RigModel = QStringLiteral("None");
    st.FormSizePercent = percent;
    st.TaskbarDisplay = taskbar;
    t.dialogs().answerMessage(Answer::Yes);  // "Open existing log?"
}

// The three county lists share one top and end on the divider line.
void expectListsOnTheDivider(Infrm& w, const char* when) {
    for (ListBox* l : {w.List1, w.List2, w.List3}) {
        EXPECT_DOUBLE_EQ(l->Top(), w.List1->Top()) << when;
        EXPECT_DOUBLE_EQ(l->Top() + l->Height(), w.Line3->Y1()) << when << " " << l->Name().toStdString();
    }
}

Snapshot inStateAt(quint8 percent) {
    test::TestApp t;
    prepareInState(t, percent);
    Infrm& w = t.app().forms().Infrm();
    Snapshot s{w.Left(), w.Top(), w.Width(), w.Height(), w.FontSize(), {}, {}, {}};
    for (Control* c : w.controls()) {
        if (scaledByForm(c)) {
            s.controls[c->Name()] = {c->FontSize(), c->Left(), c->Top(), c->Width(), c->Height()};
        } else if (c->kind() == ControlKind::Line) {
            const auto* l = static_cast<Line*>(c);
            s.lines[c->Name()] = {l->X1(), l->Y1(), l->X2(), l->Y2()};
        }
    }
    for (int i = 0; i < w.txtDX->columnCount(); ++i) s.spotColumns.push_back(w.txtDX->columnWidth(i));
    return s;
}

// At 75 % every size, place and font of the full-size window comes at three quarters, and the
// window sits in the middle of the screen.
TEST(InStateFormSizeTest, SeventyFivePercentIsTheFullWindowAtThreeQuartersCentred) {
    const Snapshot full = inStateAt(100);
    const Snapshot small = inStateAt(75);
    EXPECT_DOUBLE_EQ(full.width, 28800);
    EXPECT_DOUBLE_EQ(small.width, 28800 * 0.75);
    EXPECT_DOUBLE_EQ(small.height, 16200 * 0.75);
    EXPECT_DOUBLE_EQ(small.left, 28800 * 0.125);
    EXPECT_DOUBLE_EQ(small.top, 16200 * 0.125);
    EXPECT_NEAR(small.font, full.font * 0.75, 1e-9);
    ASSERT_EQ(small.controls.size(), full.controls.size());
    ASSERT_GT(full.controls.size(), 100u);  // the states grid too
    const char* what[] = {"font", "left", "top", "width", "height"};
    for (const auto& [name, f] : full.controls) {
        const auto& s = small.controls.at(name);
        for (size_t i = 0; i < f.size(); ++i) {
            EXPECT_NEAR(s[i], f[i] * 0.75, 1e-6 * (1 + f[i])) << name.toStdString() << " " << what[i];
        }
    }
    for (const auto& [name, f] : full.lines) {
        for (size_t i = 0; i < f.size(); ++i) {
            EXPECT_NEAR(small.lines.at(name)[i], f[i] * 0.75, 1e-6 * (1 + f[i])) << name.toStdString();
        }
    }
    for (size_t i = 0; i < full.spotColumns.size(); ++i) {
        EXPECT_NEAR(small.spotColumns[i], full.spotColumns[i] * 0.75, 1e-6);
    }
}

class InStateShellTest : public LoggingFixture {
protected:
    InStateShellTest() {
        StationSettings& st = t.app().station();
        st.OutOfStateFlag = 0;
        st.OwnSPC = QStringLiteral("MN");
        st.OwnCounty = QStringLiteral("AIT");
    }
    Infrm& openIn() { return open(&Forms::Infrm); }
};

// At 100 % the window always starts at the top left corner over the work area or the whole
// screen, whatever the work area's own place; below 100 % only the menu tick follows the option.
TEST(InStateFormSizeTest, TheFullSizeWindowFitsTheWorkAreaOrTheScreenAtTheCorner) {
    const QRectF workArea(0, 600, 27000, 15000);  // taskbars above and at the right
    struct Case {
        quint8 percent;
        quint8 taskbar;
        QRectF window;
    };
    const Case cases[] = {{100, 1, QRectF(0, 0, 27000, 15000)},
                          {100, 0, QRectF(0, 0, 28800, 16200)},
                          {100, 2, QRectF(0, 0, 28800, 16200)},
                          {90, 1, QRectF(1440, 810, 25920, 14580)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.percent) << "% taskbar " << int(c.taskbar));
        test::TestApp t;
        prepareInState(t, c.percent, c.taskbar);
        t.screen().set({28800, 16200}, workArea);
        Infrm& w = t.app().forms().Infrm();
        EXPECT_EQ(QRectF(w.Left(), w.Top(), w.Width(), w.Height()), c.window);
        EXPECT_EQ(w.mnuTaskbar->Checked(), c.taskbar != 0);
        EXPECT_TRUE(w.isVisible());
        expectListsOnTheDivider(w, "after the load");
    }
}

TEST_F(InStateShellTest, TheCountyListsEndOnTheDividerThroughTheSpotPanel) {
    writeLog({contact("K0AA", "MN", "HEN")});
    t.screen().set({28800, 16200}, {0, 0, 28800, 15600});
    Infrm& w = openIn();
    expectListsOnTheDivider(w, "after the load");
    EXPECT_GT(w.List3->ListCount(), 80);
    w.mnuTaskbar->action()->trigger();  // over the work area, at once
    EXPECT_DOUBLE_EQ(w.Height(), 15600);
    expectListsOnTheDivider(w, "over the work area");
    SpotSourceDouble spots(t.app(), t.clock());
    spots.List1 = QStringLiteral("TNC");
    spots.cmdDone_Click();
    ASSERT_TRUE(w.lblDX->Visible());
    expectListsOnTheDivider(w, "after the squeeze");
    spots.List1 = QStringLiteral("None");
    spots.cmdDone_Click();
    ASSERT_FALSE(w.lblDX->Visible());
    expectListsOnTheDivider(w, "after the stretch");
}

// The archive is named by the own call's leading letters and digits and the date.
TEST_F(InStateShellTest, ArchiveNamesAndARestoreThatRebuildsTheInStateTallies) {
    writeLog({contact("K0AA", "MN", "HEN"), contact("W1AW", "OH", "")});
    Infrm& w = openIn();
    const QByteArray original = t.readFile(QStringLiteral("log.txt"));
    const QString backup = t.app().startup().DataFolder + QStringLiteral("/BACKUP/");
    const std::pair<const char*, const char*> names[] = {{"K1AB/7", "K1AB2026-09-12.log"},
                                                         {"/K1AB", "YourCall2026-09-12.log"},
                                                         {"K9ABC", "K9ABC2026-09-12.log"}};
    for (const auto& [call, name] : names) {
        t.app().station().OwnCall = QString::fromLatin1(call);
        t.dialogs().clearShown();
        t.dialogs().answerFile(backup + QString::fromLatin1(name));
        w.mnuArchive->action()->trigger();
        ASSERT_EQ(t.dialogs().shown().size(), 2u);
        EXPECT_EQ(t.dialogs().shown()[1].text, backup + QString::fromLatin1(name)) << call;
        EXPECT_EQ(t.readFile(backup + QString::fromLatin1(name)), original) << call;
    }

    // Restored into a new contest, the archive brings back the in-state grid and county lists.
    t.dialogs().answerInput(QStringLiteral("YES"));
    w.mnuNew->action()->trigger();
    ASSERT_EQ(t.app().log().QSOCount, 0);
    EXPECT_EQ(w.lblStation.at(8)->Caption(), QStringLiteral("Cnty Wkd - 0"));
    t.dialogs().answerFile(backup + QStringLiteral("K1AB2026-09-12.log"));
    w.mnuRestore->action()->trigger();
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), original);
    EXPECT_EQ(t.app().log().QSOCount, 2);
    EXPECT_EQ(w.lblStation.at(8)->Caption(), QStringLiteral("Cnty Wkd - 1"));
    EXPECT_EQ(w.List2->ListCount(), 1);
    EXPECT_EQ(w.ListView1->count(), 2);
}

// ---- the facade window

class FacadeTest : public LoggingFixture {
protected:
    // Both logging windows loaded, as a test can have them; one of them is the running one.
    void openBoth() {
        writeLog({});
        t.dialogs().answerMessage(Answer::Yes);
        t.dialogs().answerMessage(Answer::Yes);
        in = &t.app().forms().Infrm();
        out = &t.app().forms().Outfrm();
    }
    Form1& facade() { return t.app().forms().Form1(); }
    Infrm* in = nullptr;
    Outfrm* out = nullptr;
};

// Each forwarded call reaches the window that OutOfStateFlag names at the moment of the call,
// and only that one.
TEST_F(FacadeTest, EachCallReachesOnlyTheRunningWindow) {
    openBoth();
    struct Call {
        const char* name;
        std::function<void(int run, LoggingWindow& running)> call;
        std::function<QString(LoggingWindow&)> probe;
    };
    // Each call is made to change what the running window shows: the shared band and mode are
    // set aside first, and a reading is chosen that differs from what the window shows.
    StationSettings& st = t.app().station();
    const bool lists[] = {false, false, true};
    const Call calls[] = {
        {"BandFreqConversion",
         [&](int, LoggingWindow& running) {
             st.CurrentBand = QStringLiteral("160");
             facade().BandFreqConversion(running.Label24->Caption() == QLatin1String("40") ? 3.55f : 7.01f);
         },
         [](LoggingWindow& w) { return w.Label24->Caption(); }},
        {"ModeSelection",
         [&](int, LoggingWindow& running) {
             st.CurrentMode = QStringLiteral("DG");
             facade().ModeSelection(running.Label30->Caption() == QLatin1String("CW") ? QStringLiteral("PH")
                                                                                     : QStringLiteral("CW"));
         },
         [](LoggingWindow& w) { return w.Label30->Caption(); }},
        {"BandMapSpots",
         [&](int, LoggingWindow&) {
             QString khz = QStringLiteral("14025"), record;
             facade().BandMapSpots(QStringLiteral("K1ABC"), khz, record);
         },
         [](LoggingWindow& w) { return QString::number(w.txtDX->count()); }},
        {"PacketResize",
         [&](int run, LoggingWindow&) {
             test::chooseSpotDisplay(t.app(), QStringLiteral("TNC"), lists[run]);
             facade().PacketResize();
         },
         [](LoggingWindow& w) {
             return QStringLiteral("list %1 map %2").arg(w.txtDX->Visible()).arg(w.lblDX->Visible());
         }}};
    const int flags[] = {1, 0, 1};
    for (int run = 0; run < 3; ++run) {
        t.app().station().OutOfStateFlag = static_cast<quint8>(flags[run]);
        LoggingWindow& running = flags[run] ? static_cast<LoggingWindow&>(*out) : *in;
        LoggingWindow& other = flags[run] ? static_cast<LoggingWindow&>(*in) : *out;
        for (const Call& c : calls) {
            const QString runningBefore = c.probe(running), otherBefore = c.probe(other);
            c.call(run, running);
            EXPECT_NE(c.probe(running), runningBefore) << c.name << " run " << run;
            EXPECT_EQ(c.probe(other), otherBefore) << c.name << " run " << run;
        }
    }

    // The periodic redraw: both windows show their maps with a spot drawn an hour ago; only the
    // running window's map drops it.
    st.CurrentBand = QStringLiteral("20");
    test::chooseSpotDisplay(t.app(), QStringLiteral("TNC"), false);
    out->PacketResize();
    ASSERT_TRUE(in->lblDX->Visible() && out->lblDX->Visible());
    QString khz = QStringLiteral("14030"), record;
    facade().BandMapSpots(QStringLiteral("W9XYZ"), khz, record);  // drawn by Outfrm
    in->DisplayBandMapLabels();
    ASSERT_TRUE(in->lblDXSpot[49]->Visible() && out->lblDXSpot[49]->Visible());
    t.clock().advance(3600 * 1000);
    facade().DisplayBandMapLabels();
    EXPECT_FALSE(out->lblDXSpot[49]->Visible());
    EXPECT_TRUE(in->lblDXSpot[49]->Visible());
    t.app().station().OutOfStateFlag = 0;
    facade().DisplayBandMapLabels();
    EXPECT_FALSE(in->lblDXSpot[49]->Visible());
}

// The spotting window's variables come back as the logging window left them: the kHz as MHz
// and the record cut before its first CR; a spot that is not taken leaves both alone.
TEST_F(FacadeTest, ASpotWritesBackIntoTheCallersVariables) {
    t.app().station().OutOfStateFlag = 0;
    writeLog({});
    Infrm& w = open(&Forms::Infrm);
    SpotSourceDouble spots(t.app(), t.clock());
    struct Case {
        const char* khz;
        const char* tail;  // after the time, on the same line
        const char* freqAfter;
        bool taken;
    };
    const Case cases[] = {{"14025.5", "", "14.0255", true},
                          {"7010", "\r\nDX de N0XX", "7.01", true},
                          {"144300", "\r", "144.3", true},
                          {"14.0.1", "\rmore", "14.0.1", false}};
    int rows = 0;
    for (const Case& c : cases) {
        const QString line = SpotSourceDouble::line(QStringLiteral("W3LPL"), QLatin1String(c.khz),
                                                    QStringLiteral("K1ABC"), QStringLiteral("CQ up 2"),
                                                    QStringLiteral("1425Z")) +
                             QLatin1String(c.tail);
        spots.PostSpot(line);
        EXPECT_EQ(spots.DXSpotFreq, QLatin1String(c.freqAfter)) << c.khz;
        const QString record = line.mid(3).trimmed();
        if (c.taken) {
            ++rows;
            EXPECT_EQ(spots.DXSpotRecord, record.left(record.indexOf(QLatin1Char('\r')))) << c.khz;
            EXPECT_FALSE(spots.DXSpotRecord.contains(QLatin1Char('\r')));
            EXPECT_EQ(w.txtDX->text(1, 1), QLatin1String(c.freqAfter));
            EXPECT_EQ(w.txtDX->text(1, 6), QStringLiteral("1425"));
        } else {
            EXPECT_EQ(spots.DXSpotRecord, record) << c.khz;
        }
        EXPECT_EQ(spots.DXSpotCall, QStringLiteral("K1ABC"));
        EXPECT_EQ(w.txtDX->count(), rows);
    }
    // The same through the out-of-state window.
    t.app().station().OutOfStateFlag = 1;
    t.dialogs().answerMessage(Answer::Yes);
    QString khz = QStringLiteral("3525"), record = QStringLiteral("de K1TTT:   3525.0\rX");
    facade().BandMapSpots(QStringLiteral("W1AW"), khz, record);
    EXPECT_EQ(khz, QStringLiteral("3.525"));
    EXPECT_EQ(record, QStringLiteral("de K1TTT:   3525.0"));
    EXPECT_EQ(t.app().forms().Outfrm().txtDX->count(), 1);
}

TEST_F(FacadeTest, NeverShownItCarriesItsStateAndSavesTheSettings) {
    t.app().station().OutOfStateFlag = 0;
    writeLog({});
    Infrm& w = open(&Forms::Infrm);
    Form1& f = facade();
    EXPECT_EQ(f.Caption(), QStringLiteral("Form1"));
    EXPECT_DOUBLE_EQ(f.FontSize(), 8.25);  // the tuning window scales from it
    EXPECT_FALSE(f.lblDX->Visible());
    for (TextBox* box : {f.txtCall, f.txtDX}) {
        EXPECT_TRUE(box->Text().isEmpty()) << box->Name().toStdString();
    }
    // The spectrum map will write a call here; nothing takes it anywhere.
    f.txtCall->setText(QStringLiteral("K1ABC"));
    EXPECT_TRUE(w.txtCall->Text().isEmpty());

    // The rig window's Done saves the settings through it.
    t.app().station().RigModel = QStringLiteral("Kenwood TS-590");
    RigPollDouble rig(t.app(), t.clock());
    t.files().remove(kSettingsFile);
    rig.cmdDone_Click();
    StationSettings saved;
    ReadQSOPref(saved, t.files());
    EXPECT_EQ(saved.RigModel, QStringLiteral("Kenwood TS-590"));
    EXPECT_FALSE(f.isVisible());

    // It closes with the logging window.
    ASSERT_TRUE(t.app().forms().form1Slot().isLoaded());
    EXPECT_TRUE(w.Unload());
    EXPECT_FALSE(t.app().forms().form1Slot().isLoaded());
    EXPECT_EQ(quits, 1);
}

}  // namespace
}  // namespace qf
