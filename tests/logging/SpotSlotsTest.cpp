#include "logging/SpotSlots.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

const QDateTime kNoon(QDate(2026, 9, 12), QTime(12, 0, 0), Qt::UTC);

// The slots that still hold the call with a frequency, newest first.
std::vector<int> slotsHolding(const SpotSlotTable& t, const QString& call) {
    std::vector<int> held;
    for (int i = SpotSlotTable::kSlots - 1; i >= 0; --i) {
        if (t[i].SpotCall == call && t[i].SpotFrequency != 0) held.push_back(i);
    }
    return held;
}

TEST(SpotSlotsTest, LabelTexts) {
    const char* cases[][2] = {{"K1", ""},        {"9A1ZZ", "9A1"},      {"KH6/K1ABC", "KH6"},
                              {"K1ABC/4", "K4"}, {"K1ABC/QRP", "QR"},   {"K1ABC", "K1"},
                              {"K1ABC/P", "P"},  {"K1ABC/KH6", "KH6"},  {"ABCD", "ABCD"},
                              {"K1ABC/", ""},    {"VP2E/W1AW", "VP2E"}, {"W1AW/VE3", "VE3"}};
    for (const auto& c : cases)
        EXPECT_EQ(SpotLabelText(QLatin1String(c[0])), QLatin1String(c[1])) << c[0];
}

TEST(SpotSlotsTest, SpottedCallsAreCutToCallCharacters) {
    const char* cases[][2] = {
        {"  K1ABC  ", "K1ABC"}, {"K1ABC-7", "K1ABC"}, {"K1\"ABC", "K1"}, {"W1AW/P", "W1AW/P"},
        {"k1abc\r\n", "k1abc"}, {",K1ABC", ""},       {"", ""},          {"K1ABC,\"x\"", "K1ABC"}};
    for (const auto& c : cases)
        EXPECT_EQ(cleanSpottedCall(QLatin1String(c[0])), QLatin1String(c[1])) << c[0];
}

TEST(SpotSlotsTest, ANewSpotShiftsTheTableAndFreesTheNewestEarlierSlotOfItsCall) {
    SpotSlotTable t;
    t.take(QStringLiteral("K1ABC"), 14.025f, kNoon);
    EXPECT_EQ(t[49].SpotCall, QStringLiteral("K1ABC"));
    EXPECT_EQ(t[49].SpotFrequency, 14.025f);
    EXPECT_EQ(t[49].SpotTime, kNoon);
    EXPECT_EQ(t[49].SpotLabel, QStringLiteral("K1"));

    // Three spots of one call: only the newest keeps a frequency.
    t.take(QStringLiteral("W9XYZ"), 7.010f, kNoon);
    t.take(QStringLiteral("k1abc"), 14.030f, kNoon);  // the call compares ignoring case
    t.take(QStringLiteral("K1ABC"), 14.035f, kNoon);
    EXPECT_EQ(slotsHolding(t, QStringLiteral("K1ABC")), (std::vector<int>{49}));
    EXPECT_EQ(t[47].SpotCall, QStringLiteral("W9XYZ"));
    EXPECT_EQ(t[47].SpotFrequency, 7.010f);
    EXPECT_EQ(t[48].SpotFrequency, 0.0f);
    EXPECT_EQ(t[46].SpotFrequency, 0.0f);
    EXPECT_THROW(t[50], Error);
    EXPECT_THROW(t[-1], Error);
}

TEST(SpotSlotsTest, AnEarlierSpotInSlotZeroIsNotSearched) {
    SpotSlotTable t;
    t.take(QStringLiteral("OLD1"), 14.001f, kNoon);
    for (int i = 0; i < 48; ++i) t.take(QStringLiteral("K%1A").arg(i), 14.1f, kNoon);
    ASSERT_EQ(t[1].SpotCall, QStringLiteral("OLD1"));
    t.take(QStringLiteral("OLD1"), 14.002f, kNoon);  // the earlier spot moves to slot 0
    EXPECT_EQ(slotsHolding(t, QStringLiteral("OLD1")), (std::vector<int>{49, 0}));
    t.take(QStringLiteral("NEXT"), 14.003f, kNoon);  // and then falls out
    EXPECT_EQ(slotsHolding(t, QStringLiteral("OLD1")), (std::vector<int>{48}));
}

TEST(SpotSlotsTest, SpotListRowsCutTheRecordIntoColumns) {
    // Columns 1-11 sender part, 35-59 comment, 62-66 prefix, 68-71 time, 73-76 from.
    QString record = QStringLiteral("de W3LPL:  ").leftJustified(34, QLatin1Char(' ')) +
                     QStringLiteral("CQ CQ up 2   ").leftJustified(27, QLatin1Char(' ')) +
                     QStringLiteral("K1   ") + QLatin1Char(' ') + QStringLiteral("1425") +
                     QLatin1Char('Z') + QStringLiteral("FN42");
    ASSERT_EQ(record.mid(61, 5), QStringLiteral("K1   "));
    const QStringList row =
        spotListRow(QStringLiteral("K1ABC"), 14025.0 / 1000,
                    record + QStringLiteral("\rtrailing junk"), QStringLiteral("USA"));
    EXPECT_EQ(row, (QStringList{"K1ABC", "14.025", "USA", "", "de W3LPL:  CQ CQ up 2", "K1", "1425",
                                "FN42"}));
    // A short record gives what it has.
    EXPECT_EQ(spotListRow(QStringLiteral("W1AW"), 7, QStringLiteral("de N0X"), QString()),
              (QStringList{"W1AW", "7", "", "", "de N0X  ", "", "", ""}));
    EXPECT_EQ(spotListRow(QStringLiteral("W1AW"), 1296000.5 / 1000, QString(), QString()).at(1),
              QStringLiteral("1296.0005"));
}

TEST(SpotSlotsTest, TheMapZoomsOntoTwoOrMoreSpotsOfTheBand) {
    struct Case {
        const char* band;
        std::vector<float> spots;  // oldest first; the first one lands in slot 1
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"20", {14.025f, 14.200f}, "14.024", "14.201"},
        {"20", {14.025f}, "14.000", "14.350"},
        {"20", {14.025f, 14.025f}, "14.000", "14.350"},     // one frequency twice
        {"20", {14.0f, 14.35f, 7.0f}, "14.000", "14.350"},  // edges and other bands do not count
        {"70", {}, "420.000", "450.000"},
        {"17", {18.1f, 18.12f}, ".000", ".000"}};
    for (const Case& c : cases) {
        SpotSlotTable t;
        const int skip = SpotSlotTable::kSlots - 1 - static_cast<int>(c.spots.size());
        for (int i = 0; i < skip; ++i) t.take(QStringLiteral("X%1").arg(i), 1.0f, kNoon);
        for (size_t i = 0; i < c.spots.size(); ++i)
            t.take(QStringLiteral("C%1").arg(i), c.spots[i], kNoon);
        const BandEdges r = bandMapRange(t, QLatin1String(c.band));
        EXPECT_EQ(scaleLabelText(r, 0), QLatin1String(c.first)) << c.band << " " << c.spots.size();
        EXPECT_EQ(scaleLabelText(r, 4), QLatin1String(c.last)) << c.band << " " << c.spots.size();
    }
    // Slot 0 does not widen the range.
    SpotSlotTable t;
    t.take(QStringLiteral("OLD"), 14.300f, kNoon);
    for (int i = 0; i < 47; ++i) t.take(QStringLiteral("K%1").arg(i), 1.0f, kNoon);
    t.take(QStringLiteral("A"), 14.100f, kNoon);
    t.take(QStringLiteral("B"), 14.200f, kNoon);
    ASSERT_EQ(t[0].SpotCall, QStringLiteral("OLD"));
    EXPECT_EQ(scaleLabelText(bandMapRange(t, QStringLiteral("20")), 4), QStringLiteral("14.201"));
    // The quarter marks of the 20 m band; 14.2625 is a tie and goes to the even digit.
    const BandEdges band20 = bandMapEdges(QStringLiteral("20"));
    EXPECT_EQ(scaleLabelText(band20, 1), QStringLiteral("14.088"));
    EXPECT_EQ(scaleLabelText(band20, 2), QStringLiteral("14.175"));
    EXPECT_EQ(scaleLabelText(band20, 3), QStringLiteral("14.262"));
}

TEST(SpotSlotsTest, AgeColoursAndTheHourThatStopsTheDrawing) {
    struct Spot {
        qint64 ageSeconds;
        float mhz;
    };
    // Oldest first, so the last lands in slot 49.
    const Spot spots[] = {{100, 14.010f},  {3600, 14.020f}, {3599, 14.030f}, {100, 7.0f},
                          {1800, 14.040f}, {1799, 14.050f}, {600, 14.060f},  {599, 14.070f}};
    SpotSlotTable t;
    for (size_t i = 0; i < std::size(spots); ++i) {
        t.take(QStringLiteral("S%1").arg(i), spots[i].mhz, kNoon.addSecs(-spots[i].ageSeconds));
    }
    const auto drawn = bandMapSpots(t, 14.0f, 14.35f, kNoon);
    std::vector<std::pair<int, quint32>> got;
    for (const DrawnSpot& d : drawn) got.emplace_back(d.slot, d.color);
    // Slot 45 (7 MHz) lies outside the band and does not stop the drawing; slot 43 is an hour
    // old, so it and the young spot before it stay hidden.
    const std::vector<std::pair<int, quint32>> expected = {{49, kSpotNewColor},
                                                           {48, kSpotColor},
                                                           {47, kSpotColor},
                                                           {46, kSpotOldColor},
                                                           {44, kSpotOldColor}};
    EXPECT_EQ(got, expected);
}

TEST(SpotSlotsTest, ToolTipShowsTheArrivalInUtc) {
    SpotSlot s{QStringLiteral("K1ABC"), 14.025f,
               QDateTime(QDate(2026, 9, 12), QTime(22, 30, 5), Qt::UTC), QStringLiteral("K1")};
    EXPECT_EQ(spotToolTip(s, 5), QStringLiteral("K1ABC  14.025  03:30:05"));
    EXPECT_EQ(spotToolTip(s, -2.5f), QStringLiteral("K1ABC  14.025  20:00:05"));
}

}  // namespace
}  // namespace qf
