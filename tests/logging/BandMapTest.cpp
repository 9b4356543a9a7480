#include "logging/LoggingFixture.h"
#include "platform/Keys.h"
#include "platform/ListView.h"
#include "support/StationWindowDoubles.h"

#include <QAbstractEventDispatcher>
#include <QScrollBar>

#include <map>

namespace qf {
namespace {

using test::LoggingFixture;

class BandMapTest : public LoggingFixture {
  protected:
    Outfrm& w() { return *t.app().forms().outfrmSlot().peek(); }
    Form1& facade() { return t.app().forms().Form1(); }
    SpotSlotTable& spotTable() { return t.app().spots(); }
    // The spotting window passes its own variables; this one's are thrown away.
    void spot(const QString& call, QString khz, QString record = QString()) {
        facade().BandMapSpots(call, khz, record);
    }
    void showSpots(const char* source, bool list) {
        test::chooseSpotDisplay(t.app(), QLatin1String(source), list);
        facade().PacketResize();
    }
    Label* labelOf(const QString& call) {
        for (int i = SpotSlotTable::kSlots - 1; i >= 0; --i) {
            if (spotTable()[i].SpotCall == call) return w().lblDXSpot[static_cast<size_t>(i)];
        }
        return nullptr;
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
};

TEST_F(BandMapTest, SpotsFillTheSlotsTheListAndTheMap) {
    writeLog({});
    openOut();
    showSpots("TNC", false);
    ASSERT_TRUE(w().lblDX->Visible());
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025.0"),
         QStringLiteral("de W3LPL:   14025.0  K1ABC        CQ up 2"));
    spot(QStringLiteral("DL1XX"), QStringLiteral("14200"));
    EXPECT_EQ(spotTable()[49].SpotCall, QStringLiteral("DL1XX"));
    EXPECT_EQ(spotTable()[48].SpotFrequency, 14.025f);
    EXPECT_EQ(spotTable()[48].SpotTime, t.clock().localNow());

    // The list: newest first, the frequency as sent in MHz, the record cut into its columns.
    ASSERT_EQ(w().txtDX->count(), 2);
    EXPECT_EQ(w().txtDX->text(1, 0), QStringLiteral("DL1XX"));
    EXPECT_EQ(w().txtDX->text(2, 1), QStringLiteral("14.025"));
    EXPECT_EQ(w().txtDX->text(2, 4), QStringLiteral("de W3LPL:  CQ up 2"));

    // The map zooms onto the two spots; each label sits centred on its frequency above the axis.
    EXPECT_EQ(scale(), (QStringList{"14.024", "14.068", "14.112", "14.157", "14.201"}));
    EXPECT_EQ(visibleSpotLabels(), (std::vector<int>{48, 49}));
    Label* k1 = w().lblDXSpot[48];
    EXPECT_EQ(k1->Caption(), QStringLiteral("K1"));
    EXPECT_EQ(k1->toolTip(), QStringLiteral("K1ABC  14.025  15:00:00"));
    EXPECT_EQ(k1->ForeColor(), kSpotNewColor);
    const Line* axis = w().LineDX;
    const double x =
        axis->X1() + (14.025f - 14.024f) / (14.201f - 14.024f) * (axis->X2() - axis->X1());
    EXPECT_NEAR(k1->Left() + k1->Width() / 2, x, 1e-3);
    EXPECT_NEAR(k1->Top() + k1->Height(), axis->Y1() - 0.004 * w().Height(), 1e-6);

    // A frequency that is not a number changes nothing anywhere.
    spot(QStringLiteral("W1AW"), QStringLiteral("14.0.1"));
    spot(QStringLiteral("W1AW"), QString());
    EXPECT_EQ(spotTable()[49].SpotCall, QStringLiteral("DL1XX"));
    EXPECT_EQ(w().txtDX->count(), 2);
}

TEST_F(BandMapTest, TheListKeepsTheNewestTwoHundred) {
    writeLog({});
    openOut();
    for (int i = 1; i <= 201; ++i) spot(QStringLiteral("K%1A").arg(i), QStringLiteral("7010"));
    EXPECT_FALSE(w().txtDX->Visible());  // filled even while hidden
    ASSERT_EQ(w().txtDX->count(), 200);
    EXPECT_EQ(w().txtDX->text(1, 0), QStringLiteral("K201A"));
    EXPECT_EQ(w().txtDX->text(200, 0), QStringLiteral("K2A"));
    EXPECT_EQ(spotTable()[0].SpotCall, QStringLiteral("K152A"));
}

// Spots keep coming while the operator works a row of the full list: the cap takes the oldest
// row without taking the view, or the clicked row, with it. One read of the cluster can hand on
// several spots before the view runs the work it put off (its layout, a scroll after a click), so
// each read is checked once the view has run all of it.
TEST_F(BandMapTest, TheFullListKeepsTheViewAtTheTopAndTheClickedRowCurrent) {
    writeLog({});
    openOut();
    showSpots("TNC", true);
    ListView* list = w().txtDX;
    ASSERT_TRUE(list->Visible());
    // Qt's item views put work off on timers of their own.
    auto viewSettled = [list] {
        return QAbstractEventDispatcher::instance()->registeredTimers(list).isEmpty();
    };
    int sent = 0;
    auto read = [&](int spots) {
        for (int i = 0; i < spots; ++i) {
            ++sent;
            spot(QStringLiteral("K%1A").arg(sent), QStringLiteral("7010"));
        }
        EXPECT_TRUE(QTest::qWaitFor(viewSettled)) << sent;
    };
    read(200);
    ASSERT_GT(list->verticalScrollBar()->maximum(), 0);  // the list scrolls

    struct Case {
        int clicked;  // counted from the top, as the list stands then
        int perRead;
    };
    // Ten spots in one read push row 3 out of sight; rows 200 and 190 are out of sight as soon
    // as the view is back at the top.
    const Case cases[] = {{3, 1}, {3, 10}, {200, 1}, {190, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clicked << " per read " << c.perRead);
        QTreeWidgetItem* item = list->topLevelItem(c.clicked - 1);
        const QString call = item->text(0);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        ASSERT_EQ(list->currentItem(), item);
        list->verticalScrollBar()->setValue(0);  // back to the top, where new spots show
        for (int n = c.perRead; n <= 20; n += c.perRead) {
            read(c.perRead);
            ASSERT_EQ(list->count(), 200);
            EXPECT_EQ(list->verticalScrollBar()->value(), 0) << n;
            const QTreeWidgetItem* top = list->itemAt(QPoint(2, 2));
            ASSERT_NE(top, nullptr) << n;
            EXPECT_EQ(top->text(0), QStringLiteral("K%1A").arg(sent)) << n;
            if (c.clicked + n <= 200) {
                ASSERT_NE(list->currentItem(), nullptr) << n;
                EXPECT_EQ(list->currentItem()->text(0), call) << n;
            } else {
                EXPECT_EQ(list->currentItem(), nullptr) << n;  // it left the list
            }
        }
    }
}

TEST_F(BandMapTest, AgeColoursChangeAtTenThirtyAndSixtyMinutes) {
    writeLog({});
    openOut();
    showSpots("Telnet", false);
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025"));
    spot(QStringLiteral("W9XYZ"), QStringLiteral("14030"));
    struct Step {
        qint64 seconds;  // age of the spots after the step
        bool shown;
        quint32 color;
    };
    const Step steps[] = {{599, true, kSpotNewColor},  {600, true, kSpotColor},
                          {1799, true, kSpotColor},    {1800, true, kSpotOldColor},
                          {3599, true, kSpotOldColor}, {3600, false, 0}};
    qint64 age = 0;
    for (const Step& s : steps) {
        t.clock().advance((s.seconds - age) * 1000);
        age = s.seconds;
        facade().DisplayBandMapLabels();  // the spotting window's periodic refresh
        Label* l = labelOf(QStringLiteral("K1ABC"));
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->Visible(), s.shown) << s.seconds;
        if (s.shown) {
            EXPECT_EQ(l->ForeColor(), s.color) << s.seconds;
        }
    }
    // A new spot draws again: the new one in light yellow, the hour-old ones hidden.
    spot(QStringLiteral("N0NEW"), QStringLiteral("14040"));
    EXPECT_EQ(visibleSpotLabels(), (std::vector<int>{49}));
    EXPECT_EQ(w().lblDXSpot[49]->ForeColor(), kSpotNewColor);
}

TEST_F(BandMapTest, ARepeatedCallFreesItsEarlierSlot) {
    writeLog({});
    openOut();
    showSpots("TNC", false);
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025"));
    spot(QStringLiteral("W9XYZ"), QStringLiteral("14030"));
    spot(QStringLiteral("k1abc"), QStringLiteral("14250"));
    EXPECT_EQ(spotTable()[47].SpotFrequency, 0.0f);
    EXPECT_EQ(visibleSpotLabels(), (std::vector<int>{48, 49}));
    // The list keeps every row.
    EXPECT_EQ(w().txtDX->count(), 3);
}

TEST_F(BandMapTest, SqueezeSwitchAndStretch) {
    writeLog({});
    openOut();
    struct Geometry {
        double top, height;
    };
    std::map<Control*, Geometry> before;
    for (Control* c : w().controls()) {
        if (c->kind() == ControlKind::Label || c->kind() == ControlKind::TextBox ||
            c->kind() == ControlKind::CommandButton || c->kind() == ControlKind::ListBox ||
            c->kind() == ControlKind::ListView) {
            before[c] = {c->Top(), c->Height()};
        }
    }
    const double line3 = w().Line3->Y1(), lineX = w().Line3->X1();

    // The first source: every control gives up a tenth; the map fills the strip below.
    showSpots("TNC", false);
    double lowest = 0;
    for (const auto& [c, g] : before) {
        // The list, the map and its scale are placed by the layout itself.
        const auto& scaleLabels = w().lblFreqSpot;
        if (c == w().txtDX || c == w().lblDX ||
            std::find(scaleLabels.begin(), scaleLabels.end(), c) != scaleLabels.end()) {
            continue;
        }
        EXPECT_DOUBLE_EQ(c->Top(), g.top * 0.9) << c->Name().toStdString();
        EXPECT_DOUBLE_EQ(c->Height(), g.height * 0.9) << c->Name().toStdString();
        lowest = std::max(lowest, c->Top() + c->Height());
    }
    EXPECT_DOUBLE_EQ(w().Line3->Y1(), line3 * 0.9);
    EXPECT_DOUBLE_EQ(w().Line3->X1(), lineX);
    EXPECT_DOUBLE_EQ(w().List1->Top() + w().List1->Height(), w().Line3->Y1());  // lists refitted
    Label* map = w().lblDX;
    EXPECT_DOUBLE_EQ(map->Top(), lowest);
    EXPECT_DOUBLE_EQ(map->Height(), w().ScaleHeight() - lowest);
    EXPECT_DOUBLE_EQ(map->Left(), 0.01 * w().Width());
    EXPECT_DOUBLE_EQ(map->Width(), 0.97 * w().Width());
    const double half = w().lblDXSpot[0]->Width() / 2;
    EXPECT_DOUBLE_EQ(w().LineDX->X1(), map->Left() + half);
    EXPECT_DOUBLE_EQ(w().LineDX->X2(), map->Left() + map->Width() - half);
    EXPECT_DOUBLE_EQ(w().LineDX->Y1(), map->Top() + map->Height() / 2);
    for (size_t i = 0; i < w().lblFreqSpot.size(); ++i) {
        Label* s = w().lblFreqSpot[i];
        EXPECT_DOUBLE_EQ(s->Top(), w().LineDX->Y1() + 0.004 * w().Height());
        EXPECT_DOUBLE_EQ(s->Left() + s->Width() / 2,
                         w().LineDX->X1() +
                             static_cast<double>(i) * 0.25 * (w().LineDX->X2() - w().LineDX->X1()));
        EXPECT_TRUE(s->Visible());
    }
    EXPECT_EQ(scale(), (QStringList{"14.000", "14.088", "14.175", "14.262", "14.350"}));
    EXPECT_TRUE(map->Visible());
    EXPECT_TRUE(w().LineDX->Visible());
    EXPECT_FALSE(w().txtDX->Visible());
    EXPECT_TRUE(facade().lblDX->Visible());

    // List and map take turns in the same place; the facade's flag follows the map.
    showSpots("TNC", true);
    EXPECT_TRUE(w().txtDX->Visible());
    EXPECT_FALSE(map->Visible());
    EXPECT_FALSE(w().LineDX->Visible());
    EXPECT_FALSE(w().lblFreqSpot[0]->Visible());
    EXPECT_FALSE(facade().lblDX->Visible());
    EXPECT_DOUBLE_EQ(w().txtDX->Top(), lowest);
    EXPECT_DOUBLE_EQ(w().txtDX->Width(), 0.97 * w().Width());
    // Another source changes nothing in the layout.
    showSpots("Telnet", true);
    EXPECT_DOUBLE_EQ(w().txtCall->Top(), before[w().txtCall].top * 0.9);
    showSpots("AGW Packet Engine", false);
    EXPECT_TRUE(map->Visible());
    EXPECT_TRUE(facade().lblDX->Visible());

    // No source: both go, and the controls stretch back by 1.1111111 (nearly, not exactly).
    showSpots("None", false);
    EXPECT_FALSE(map->Visible());
    EXPECT_FALSE(w().txtDX->Visible());
    EXPECT_FALSE(w().LineDX->Visible());
    EXPECT_FALSE(facade().lblDX->Visible());
    EXPECT_EQ(visibleSpotLabels(), std::vector<int>{});
    EXPECT_DOUBLE_EQ(map->Top(), 1000);
    EXPECT_DOUBLE_EQ(w().LineDX->Y1(), 1000);
    EXPECT_DOUBLE_EQ(w().lblFreqSpot[4]->Top(), 1000);
    const Geometry call = before[w().txtCall];
    EXPECT_DOUBLE_EQ(w().txtCall->Top(), call.top * 0.9 * 1.1111111);
    EXPECT_NEAR(w().txtCall->Top(), call.top, call.top * 1e-7);
    EXPECT_NE(w().txtCall->Top(), call.top);
    EXPECT_DOUBLE_EQ(w().Line3->Y1(), line3 * 0.9 * 1.1111111);

    // A second start squeezes once more, from where the stretch left the controls.
    showSpots("TNC", true);
    EXPECT_TRUE(w().txtDX->Visible());
    EXPECT_DOUBLE_EQ(w().txtCall->Top(), call.top * 0.9 * 1.1111111 * 0.9);
    // "None" while nothing shows changes nothing.
    showSpots("None", true);
    showSpots("None", true);
    EXPECT_DOUBLE_EQ(w().txtCall->Top(), call.top * 0.9 * 1.1111111 * 0.9 * 1.1111111);
}

TEST_F(BandMapTest, ABandChangeRedrawsTheMapForTheNewBand) {
    writeLog({});
    openOut();
    showSpots("TNC", false);
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025"));
    spot(QStringLiteral("JA1XX"), QStringLiteral("7010"));
    EXPECT_EQ(visibleSpotLabels(), (std::vector<int>{48}));
    w().mnuBandItems[2]->action()->trigger();  // "40"
    EXPECT_EQ(scale(), (QStringList{"7.000", "7.075", "7.150", "7.225", "7.300"}));
    EXPECT_EQ(visibleSpotLabels(), (std::vector<int>{49}));
    w().mnuBandItems[9]->action()->trigger();  // "70"
    EXPECT_EQ(scale().front(), QStringLiteral("420.000"));
    EXPECT_EQ(scale().back(), QStringLiteral("450.000"));
    EXPECT_EQ(visibleSpotLabels(), std::vector<int>{});
    // With only the list showing, the scale follows the band too.
    showSpots("TNC", true);
    w().mnuBandItems[3]->action()->trigger();
    EXPECT_EQ(scale().front(), QStringLiteral("14.000"));
}

TEST_F(BandMapTest, ClicksOnTheMapAndTheList) {
    writeLog({});
    openOut();
    showSpots("TNC", false);
    // A spotted call is cut to letters, digits and "/" before it goes anywhere.
    spot(QStringLiteral("K1ABC-7\",\"x"), QStringLiteral("14025"));
    spot(QStringLiteral("W9XYZ/P"), QStringLiteral("14030"));
    EXPECT_EQ(spotTable()[48].SpotCall, QStringLiteral("K1ABC"));
    EXPECT_EQ(w().txtDX->text(2, 0), QStringLiteral("K1ABC"));

    // The pointer over a spot shows its tooltip in the possible-dupes label.
    Label* k1 = w().lblDXSpot[48];
    QTest::mouseMove(k1);
    settle();
    EXPECT_EQ(w().lblDupe->Caption(), k1->toolTip());

    // Right button: the call goes to the call box, and a Tab moves the focus on.
    QTest::mouseClick(k1, Qt::RightButton);
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("K1ABC"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);
    settle();
    EXPECT_NE(QApplication::focusWidget(), w().txtCall);
    EXPECT_TRUE(k1->Visible());

    // Left button: the spot leaves the map at once, the list keeps it; a new spot shows again.
    QTest::mouseClick(k1, Qt::LeftButton);
    EXPECT_FALSE(k1->Visible());
    EXPECT_EQ(spotTable()[48].SpotFrequency, 0.0f);
    EXPECT_EQ(w().txtDX->count(), 2);
    spot(QStringLiteral("K1ABC"), QStringLiteral("14026"));
    EXPECT_EQ(visibleSpotLabels(), (std::vector<int>{48, 49}));

    // A list row: its call goes to the call box, and the focus stays there.
    showSpots("TNC", true);
    w().txtCall->setText(QString());
    w().txtDX->selectRow(2);  // W9XYZ/P
    w().txtDX_Click();
    EXPECT_EQ(w().txtCall->Text(), QStringLiteral("W9XYZ/P"));
    EXPECT_EQ(QApplication::focusWidget(), w().txtCall);
    // No row picked: nothing is taken.
    w().txtCall->setText(QString());
    w().txtDX->clearSelection();
    w().txtDX_Click();
    EXPECT_TRUE(w().txtCall->Text().isEmpty());
}

TEST_F(BandMapTest, ActivationRedrawsTheMap) {
    writeLog({});
    openOut();
    showSpots("TNC", false);
    spot(QStringLiteral("K1ABC"), QStringLiteral("14025"));
    ASSERT_TRUE(w().lblDXSpot[49]->Visible());
    t.clock().advance(3600 * 1000);
    EXPECT_TRUE(w().lblDXSpot[49]->Visible());
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w(), &activate);
    EXPECT_FALSE(w().lblDXSpot[49]->Visible());
}

TEST_F(BandMapTest, TheInStateWindowSharesTheSlots) {
    t.app().station().OutOfStateFlag = 0;
    writeLog({});
    Infrm& in = open(&Forms::Infrm);
    test::chooseSpotDisplay(t.app(), QStringLiteral("TNC"), false);
    facade().PacketResize();
    EXPECT_TRUE(in.lblDX->Visible());
    EXPECT_TRUE(facade().lblDX->Visible());
    spot(QStringLiteral("VE3AB"), QStringLiteral("14100"));
    EXPECT_EQ(spotTable()[49].SpotCall, QStringLiteral("VE3AB"));
    EXPECT_TRUE(in.lblDXSpot[49]->Visible());
    EXPECT_EQ(in.lblDXSpot[49]->Caption(), QStringLiteral("VE3"));
    EXPECT_EQ(in.txtDX->count(), 1);
    EXPECT_FALSE(t.app().forms().outfrmSlot().isLoaded());
}

}  // namespace
}  // namespace qf
