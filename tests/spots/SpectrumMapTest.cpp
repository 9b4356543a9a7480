// The spectrum map on the offscreen platform with a set clock and work area: its band scales,
// the fit to the work area, the spot labels with their place, tooltip and age colour, the clicks
// on them, and how the logging windows open it, feed it and close it.
#include "logging/LoggingFixture.h"
#include "platform/Keys.h"
#include "rig/RigControlfrm.h"
#include "spots/SpectrumMap.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"
#include "support/RigStart.h"
#include "support/StationWindowDoubles.h"

#include <QTimer>

namespace qf {
namespace {

class SpectrumMapTest : public test::LoggingFixture {
  protected:
    SpectrumMap& map() { return t.app().forms().SpectrumMap(); }
    SpotSlotTable& spotTable() { return t.app().spots(); }
    // A spot in a given slot that arrived `age` seconds ago.
    void put(int slot, const char* call, float mhz, qint64 age = 0) {
        SpotSlot& s = spotTable()[slot];
        s.SpotCall = QString::fromLatin1(call);
        s.SpotFrequency = mhz;
        s.SpotTime = t.clock().localNow().addSecs(-age);
        s.SpotLabel = SpotLabelText(s.SpotCall);
    }
    QStringList captions(int band) {
        QStringList c;
        for (int i = 0; i < 5; ++i)
            c << map().lblFreqSpot[static_cast<size_t>(5 * band + i)]->Caption();
        return c;
    }
    std::vector<int> shownSpots() {
        std::vector<int> v;
        for (int i = 0; i < 50; ++i) {
            if (map().lblDXSpot[static_cast<size_t>(i)]->Visible()) v.push_back(i);
        }
        return v;
    }
    // The screen at the design canvas with a work area the size of the window's design outer
    // size, so every control keeps its design geometry.
    void designScreen() { t.screen().set(QSizeF(9600, 7200), QRectF(0, 0, 9600, 7185)); }
    // A spot from the spotting window, through the facade.
    void spot(const QString& call, QString khz) {
        QString record;
        t.app().forms().Form1().BandMapSpots(call, khz, record);
    }
    // Runs `whileOpen` inside the modal display that `open` starts, once the map is on screen
    // (its load lets pending events run before it shows); true when it ran.
    bool whileModal(const std::function<void()>& open, const std::function<void()>& whileOpen) {
        bool ran = false;
        int tries = 0;
        QObject scope;  // a retry still queued when this returns never runs
        std::function<void()> attempt = [&] {
            SpectrumMap* m = t.app().forms().spectrumMapSlot().peek();
            if (!m || !m->isVisible() || !m->isModal()) {
                if (++tries < 500) QTimer::singleShot(1, &scope, attempt);
                return;
            }
            whileOpen();
            ran = true;
            // Never left open: the test would hang in its modal display.
            m = t.app().forms().spectrumMapSlot().peek();
            if (m && m->isVisible()) m->Hide();
        };
        QTimer::singleShot(0, &scope, attempt);
        open();
        return ran;
    }
};

TEST_F(SpectrumMapTest, DefaultScalesOfAllElevenBands) {
    const QStringList expected[] = {
        {"1.800", "1.850", "1.900", "1.950", "2.000"},
        {"3.500", "3.625", "3.750", "3.875", "4.000"},
        {"7.000", "7.075", "7.150", "7.225", "7.300"},
        // The 4-byte edges worked in double: exact decimals would end 10.112, 10.138 here.
        {"10.100", "10.113", "10.125", "10.137", "10.150"},
        {"14.000", "14.088", "14.175", "14.263", "14.350"},
        {"18.068", "18.093", "18.118", "18.143", "18.168"},
        {"21.000", "21.113", "21.225", "21.338", "21.450"},
        {"24.890", "24.915", "24.940", "24.965", "24.990"},
        {"28.000", "28.425", "28.850", "29.275", "29.700"},
        {"50.000", "51.000", "52.000", "53.000", "54.000"},
        {"144.000", "145.000", "146.000", "147.000", "148.000"},
    };
    EXPECT_EQ(map().Caption(), QStringLiteral(" HF Spectrum Map"));
    for (int k = 0; k < 11; ++k) EXPECT_EQ(captions(k), expected[k]) << k;
    for (Label* l : map().lblFreqSpot) EXPECT_TRUE(l->Visible());
}

TEST_F(SpectrumMapTest, ScalesNarrowOntoTwoOrMoreFrequenciesOfSlotsOneToFortyNine) {
    put(49, "K1AA", 7.010f);
    put(48, "K1AB", 7.040f);
    // 20 m: two spots on its edges and one inside count as one frequency: no narrowing.
    put(47, "K1AC", 14.000f);
    put(46, "K1AD", 14.350f);
    put(45, "K1AE", 14.100f);
    // 15 m: the second frequency is in slot 0, which takes no part.
    put(44, "K1AF", 21.200f);
    put(0, "K1AG", 21.300f);
    // 30 m: two spots on one frequency.
    put(43, "K1AH", 10.120f);
    put(42, "K1AI", 10.120f);
    map().BandMapLabelDisplay();
    EXPECT_EQ(captions(2), (QStringList{"7.009", "7.017", "7.025", "7.033", "7.041"}));
    EXPECT_EQ(captions(4), (QStringList{"14.000", "14.088", "14.175", "14.263", "14.350"}));
    EXPECT_EQ(captions(6), (QStringList{"21.000", "21.113", "21.225", "21.338", "21.450"}));
    EXPECT_EQ(captions(3), (QStringList{"10.100", "10.113", "10.125", "10.137", "10.150"}));

    // The 40 m spots removed: the band returns to its own edges at the next redraw.
    spotTable()[49].SpotFrequency = 0;
    map().BandMapLabelDisplay();
    EXPECT_EQ(captions(2), (QStringList{"7.000", "7.075", "7.150", "7.225", "7.300"}));
}

TEST_F(SpectrumMapTest, SpotLabelStandsOnItsLineAtDesignGeometry) {
    designScreen();
    put(49, "K1ABC", 14.025f);
    map().BandMapLabelDisplay();
    const Line* line = map().lineHF[4];
    EXPECT_DOUBLE_EQ(line->X1(), 360);
    EXPECT_DOUBLE_EQ(line->X2(), 9120);
    EXPECT_DOUBLE_EQ(line->Y1(), 2760);
    Label* l = map().lblDXSpot[49];
    EXPECT_EQ(shownSpots(), std::vector<int>{49});
    EXPECT_EQ(l->Caption(), QStringLiteral("K1"));
    EXPECT_DOUBLE_EQ(l->Top(), 2580);
    EXPECT_NEAR(l->Left(), 685.7, 0.05);
    // The scale sits just below the line, centred on its quarters.
    Label* mid = map().lblFreqSpot[22];
    EXPECT_NEAR(mid->Top(), 2760 + 0.004 * map().Height(), 1e-9);
    EXPECT_NEAR(mid->Left() + mid->Width() / 2, 360 + 0.5 * 8760, 1e-9);
}

TEST_F(SpectrumMapTest, FillsTheWorkAreaFromTheScreensCorner) {
    struct Case {
        const char* taskbar;
        QRectF area;
    };
    const Case cases[] = {{"bottom", QRectF(0, 0, 28800, 15600)},
                          {"top", QRectF(0, 600, 28800, 15600)},
                          {"left", QRectF(900, 0, 27900, 16200)}};
    for (const Case& c : cases) {
        test::TestApp a;
        a.screen().set(QSizeF(28800, 16200), c.area);
        SpectrumMap& m = a.app().forms().SpectrumMap();
        EXPECT_DOUBLE_EQ(m.Left(), 0) << c.taskbar;
        EXPECT_DOUBLE_EQ(m.Top(), 0) << c.taskbar;
        EXPECT_DOUBLE_EQ(m.Width(), c.area.width()) << c.taskbar;
        EXPECT_DOUBLE_EQ(m.Height(), c.area.height()) << c.taskbar;
        // Design value x work area / design outer size (9600 x 7185).
        const double wr = c.area.width() / 9600, hr = c.area.height() / 7185;
        EXPECT_NEAR(m.lineHF[10]->X2(), 9120 * wr, 1e-6) << c.taskbar;
        EXPECT_NEAR(m.lineHF[10]->Y1(), 6360 * hr, 1e-6) << c.taskbar;
        EXPECT_NEAR(m.lblHFSpots[3]->Top(), 1920 * hr, 1e-6) << c.taskbar;
        EXPECT_NEAR(m.lblHFSpots[3]->Width(), 9255 * wr, 1e-6) << c.taskbar;
        EXPECT_NEAR(m.lblDXSpot[0]->Height(), 180 * hr, 1e-6) << c.taskbar;
        // Fonts are scaled with the screen only, not by the fit.
        EXPECT_DOUBLE_EQ(m.lblDXSpot[0]->FontSize(), 6.75 * 1.5) << c.taskbar;
    }
}

TEST_F(SpectrumMapTest, AgeColoursAndTheHourThatEndsTheRedraw) {
    put(49, "K1ABC", 14.025f);
    const std::pair<qint64, quint32> steps[] = {
        {599, kSpotNewColor}, {600, kSpotColor}, {1799, kSpotColor}, {1800, kSpotOldColor}};
    qint64 age = 0;
    for (const auto& [seconds, color] : steps) {
        t.clock().advance((seconds - age) * 1000);
        age = seconds;
        map().BandMapLabelDisplay();
        EXPECT_EQ(shownSpots(), std::vector<int>{49}) << seconds;
        EXPECT_EQ(map().lblDXSpot[49]->ForeColor(), color) << seconds;
    }
    t.clock().advance((3600 - age) * 1000);
    map().BandMapLabelDisplay();
    EXPECT_TRUE(shownSpots().empty());
    EXPECT_EQ(map().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SpectrumMapTest, UnplacedSlotsStillEndTheRedrawByAge) {
    put(49, "K1AA", 7.010f, 10);
    // A spot exactly on an edge is on no line, yet at an hour old it ends the redraw, as a
    // removed one does: the younger-looking spot below it is never reached.
    put(48, "K1AB", 7.3f, 3600);
    put(47, "K1AC", 7.020f, 20);
    map().BandMapLabelDisplay();
    EXPECT_EQ(shownSpots(), std::vector<int>{49});
    spotTable()[48].SpotFrequency = 0;
    map().BandMapLabelDisplay();
    EXPECT_EQ(shownSpots(), std::vector<int>{49});
    // Young enough, the edge spot stays hidden and the loop goes on.
    put(48, "K1AB", 7.3f, 15);
    map().BandMapLabelDisplay();
    EXPECT_EQ(shownSpots(), (std::vector<int>{47, 49}));
    // A spot in slot 0 takes no part in the narrowing: it stands past the end of its line.
    put(0, "K1AD", 7.100f, 30);
    put(46, "K1AE", 7.015f, 25);
    for (int i = 1; i < 46; ++i) put(i, "K1AF", 7.016f, 28);
    map().BandMapLabelDisplay();
    Label* outside = map().lblDXSpot[0];
    EXPECT_TRUE(outside->Visible());
    EXPECT_GT(outside->Left() + outside->Width() / 2, map().lineHF[2]->X2());
    // Two spots on one frequency stand at exactly the same place.
    EXPECT_EQ(map().lblDXSpot[1]->Left(), map().lblDXSpot[2]->Left());
}

TEST_F(SpectrumMapTest, TooltipGivesCallFrequencyAndUtcArrival) {
    t.clock().set(QDateTime(QDate(2026, 9, 12), QTime(13, 45, 10)), 5 * 3600);
    put(49, "DL1ABC", 14.025f);
    map().BandMapLabelDisplay();
    EXPECT_EQ(map().lblDXSpot[49]->toolTip(), QStringLiteral("DL1ABC  14.025  18:45:10"));

    // An offset too large to form a time ends the redraw at once: nothing shown, the pointer
    // back to the arrow.
    t.app().station().UTCOffsetHours = 1e30f;
    map().BandMapLabelDisplay();
    EXPECT_TRUE(shownSpots().empty());
    EXPECT_EQ(map().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SpectrumMapTest, ASpotNeverLoadsAMapThatWasNotOpened) {
    writeLog({});
    openOut();
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025"));
    EXPECT_FALSE(t.app().forms().spectrumMapSlot().isLoaded());
    EXPECT_EQ(spotTable()[49].SpotCall, QStringLiteral("K1ABC"));
}

TEST_F(SpectrumMapTest, EveryWayInShowsTheMapModallyAndUnloadsItAfter) {
    writeLog({});
    Outfrm& w = openOut();
    test::chooseSpotDisplay(t.app(), QStringLiteral("Telnet"), false);
    t.app().forms().Form1().PacketResize();
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025"));
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"menu", [&] { w.mnuSpectrumMap->action()->trigger(); }},
        {"Ctrl+B", [&] { QTest::keyClick(w.txtCall, Qt::Key_B, Qt::ControlModifier); }},
        {"spot list", [&] { w.txtDX->DblClick(); }},
        {"band map", [&] { w.lblDX->DblClick(); }},
    };
    for (const auto& [name, open] : ways) {
        const bool ran = whileModal(open, [&] {
            SpectrumMap* m = t.app().forms().spectrumMapSlot().peek();
            ASSERT_NE(m, nullptr) << name;
            EXPECT_TRUE(QTest::qWaitForWindowActive(m)) << name;
            EXPECT_TRUE(m->isModal()) << name;
            // Its activation drew the spots already held.
            EXPECT_TRUE(m->lblDXSpot[49]->Visible()) << name;
            // A spot while it is shown redraws it.
            spot(QStringLiteral("W9XYZ"), QStringLiteral("7010"));
            EXPECT_EQ(m->lblDXSpot[49]->Caption(), QStringLiteral("W9")) << name;
            EXPECT_TRUE(m->lblDXSpot[49]->Visible()) << name;
            m->close();
        });
        EXPECT_TRUE(ran) << name;
        EXPECT_FALSE(t.app().forms().spectrumMapSlot().isLoaded()) << name;
    }
}

TEST_F(SpectrumMapTest, RightClickTunesAndHandsTheCallToTheCallBox) {
    writeLog({});
    Outfrm& w = openOut();
    spot(QStringLiteral("DL1ABC"), QStringLiteral("14025"));
    ASSERT_TRUE(w.txtRSTR->Visible());
    w.txtRSTR->SetFocus();
    settle();
    std::vector<float> tuned;
    const bool ran = whileModal([&] { w.mnuSpectrumMap->action()->trigger(); },
                                [&] {
                                    SpectrumMap& m = *t.app().forms().spectrumMapSlot().peek();
                                    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
                                    // The tuning lets events run: a spot arrives during it and
                                    // moves every slot down.
                                    m.tuneRig = [&](float& mhz) {
                                        tuned.push_back(mhz);
                                        spot(QStringLiteral("JA1XYZ"), QStringLiteral("21200"));
                                    };
                                    Label* l = m.lblDXSpot[49];
                                    ASSERT_TRUE(l->Visible());
                                    QTest::mouseClick(l, Qt::RightButton);
                                });
    ASSERT_TRUE(ran);
    EXPECT_EQ(tuned, std::vector<float>{14.025f});
    EXPECT_EQ(w.txtCall->Text(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(spotTable()[49].SpotCall, QStringLiteral("JA1XYZ"));
    EXPECT_FALSE(t.app().forms().spectrumMapSlot().isLoaded());
    settle();
    // The call box is the window's focus, whether or not the desktop has activated it again.
    EXPECT_EQ(w.focusWidget(), w.txtCall);
}

TEST_F(SpectrumMapTest, RightClickTunesAPolledRigOnASerialPort) {
    if (!test::PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
    test::PtyPair pty;
    ASSERT_TRUE(pty.available());
    t.serialPorts().setDevicePath(2, pty.first());
    test::FakeRig rig(pty.second());
    ASSERT_TRUE(rig.isOpen());
    writeLog({});
    Outfrm& w = openOut();
    // A polled "Kenwood" on the second port; no band plan in the folder, so no mode command.
    RigControlfrm& r = t.app().forms().RigControlfrm();
    r.optComm[1]->setValue(true);
    const int row = r.List1->find(QStringLiteral("Kenwood"));
    ASSERT_GE(row, 0);
    r.List1->setListIndex(row);
    r.List1_Click();
    r.optComm[1]->setValue(true);
    r.Command1_Click();
    ASSERT_TRUE(r.tmrGetData->Enabled());
    test::forgetStart(rig, QStringLiteral("Kenwood"), r.AwaitingReply == 1);
    spot(QStringLiteral("DL1ABC"), QStringLiteral("14025"));
    const bool ran = whileModal([&] { w.mnuSpectrumMap->action()->trigger(); },
                                [&] {
                                    SpectrumMap& m = *t.app().forms().spectrumMapSlot().peek();
                                    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
                                    ASSERT_TRUE(m.lblDXSpot[49]->Visible());
                                    QTest::mouseClick(m.lblDXSpot[49], Qt::RightButton);
                                });
    ASSERT_TRUE(ran);
    EXPECT_TRUE(rig.waitForBytes(14));
    EXPECT_TRUE(rig.staysQuiet(30));
    EXPECT_EQ(rig.received(), QByteArray("FA00014025000;"));
    EXPECT_EQ(w.txtCall->Text(), QStringLiteral("DL1ABC"));
    EXPECT_FALSE(t.app().forms().spectrumMapSlot().isLoaded());
    EXPECT_TRUE(r.tmrGetData->Enabled());
    for (const auto& m : t.dialogs().messages())
        EXPECT_FALSE(m.title.startsWith(QLatin1String("Error Changing"))) << m.text.toStdString();
}

TEST_F(SpectrumMapTest, AnyOtherClickRemovesTheSpotFromBothMapsAndLeavesTheList) {
    writeLog({});
    Outfrm& w = openOut();
    test::chooseSpotDisplay(t.app(), QStringLiteral("Telnet"), false);
    t.app().forms().Form1().PacketResize();
    spot(QStringLiteral("DL1ABC"), QStringLiteral("14025"));
    spot(QStringLiteral("K1ABC"), QStringLiteral("14030"));
    ASSERT_TRUE(w.lblDXSpot[48]->Visible());
    bool stillOpen = false;
    const bool ran = whileModal([&] { w.mnuSpectrumMap->action()->trigger(); },
                                [&] {
                                    SpectrumMap& m = *t.app().forms().spectrumMapSlot().peek();
                                    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
                                    m.tuneRig = [](float&) { ADD_FAILURE() << "tuned"; };
                                    QTest::mouseClick(m.lblDXSpot[48], Qt::LeftButton);
                                    EXPECT_FALSE(m.lblDXSpot[48]->Visible());
                                    EXPECT_TRUE(m.lblDXSpot[49]->Visible());
                                    stillOpen = m.isVisible();
                                    m.close();
                                });
    ASSERT_TRUE(ran);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(spotTable()[48].SpotFrequency, 0.0f);
    EXPECT_TRUE(w.txtCall->Text().isEmpty());
    EXPECT_EQ(w.txtDX->count(), 2);
    // The logging window's band map leaves it out at its next redraw.
    t.app().forms().Form1().DisplayBandMapLabels();
    EXPECT_FALSE(w.lblDXSpot[48]->Visible());
    EXPECT_TRUE(w.lblDXSpot[49]->Visible());
}

TEST_F(SpectrumMapTest, ClosesWithTheLoggingWindowAfterSpottingAndBeforeTheRig) {
    writeLog({});
    Outfrm& w = openOut();
    std::vector<QString> order;
    std::vector<Form*> windows = {&t.app().forms().PacketSpotfrm(), &map(),
                                  &t.app().forms().RigControlfrm()};
    for (Form* f : windows) {
        QObject::connect(f, &Form::hiddenOrUnloaded, f, [f, &order] {
            if (f->unloaded()) order.push_back(f->Name());
        });
    }
    ASSERT_TRUE(w.Unload());
    EXPECT_EQ(order,
              (std::vector<QString>{QStringLiteral("PacketSpotfrm"), QStringLiteral("SpectrumMap"),
                                    QStringLiteral("RigControlfrm")}));
    EXPECT_FALSE(t.app().forms().spectrumMapSlot().isLoaded());
}

}  // namespace
}  // namespace qf
