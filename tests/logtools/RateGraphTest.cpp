// The rate graph's arithmetic over small logs with known columns: at 10 seconds a column
// (a log spanning 15000 seconds), a contact at second s falls in column s / 10.
#include "logtools/RateGraph.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <utility>
#include <vector>

namespace qf {
namespace {

const BandColours kColours{0xFFFFFF, 0xFF0000, 0x0000FF, 0x00FF00, 0xFFFF80, 0xFF00FF, 0x00FFFF};
const QDateTime kStart(QDate(2026, 9, 12), QTime(14, 0, 0), Qt::UTC);

struct At {
    qint64 second;
    const char* band = "20";
};

QSOLog logOf(const std::vector<At>& contacts) {
    QSOLog log;
    int r = 0;
    for (const At& a : contacts) {
        QSORecord& q = log[++r];
        const QDateTime t = kStart.addSecs(a.second);
        q.QSODate = t.toString(QStringLiteral("yyyy/MM/dd"));
        q.QSOTime = t.toString(QStringLiteral("hh:mm:ss"));
        q.Band = QString::fromLatin1(a.band);
    }
    log.QSOCount = r;
    return log;
}

RateGraph graphOf(const QSOLog& log, quint32 background = 0) {
    return ComputeRateGraph(log, log.QSOCount, kColours, background);
}

// Contacts in columns 1, 100 (two of them), 200, 216, 300, 341 and 1500.
QSOLog gapsLog() {
    return logOf({{0}, {1000}, {1001}, {1004}, {2000}, {2160}, {3000}, {3410}, {15000}});
}

TEST(RateGraphTest, SevenContactsDrawAndSixDoNot) {
    const struct {
        int count;
        GraphStop stop;
    } cases[] = {{6, GraphStop::TooFewContacts}, {7, GraphStop::None}};
    for (const auto& c : cases) {
        std::vector<At> contacts;
        for (int i = 0; i < c.count; ++i) contacts.push_back({i * 700});
        const RateGraph g = graphOf(logOf(contacts));
        EXPECT_EQ(g.stop, c.stop) << c.count;
        EXPECT_EQ(g.timeLabelsSet, c.count == 7);
    }
}

TEST(RateGraphTest, TheRateCountsTheTenMinutesUpToAContact) {
    // Row 3 is 600 seconds after row 2: the scan stops there.
    EXPECT_EQ(ContactsInTenMinutes({0, 100, 700, 750}, 4), 2);
    EXPECT_EQ(ContactsInTenMinutes({0, 100, 599}, 3), 3);
    // A later row counts, and the scan goes on past it.
    EXPECT_EQ(ContactsInTenMinutes({0, 100, 900, 50}, 4), 4);
    EXPECT_EQ(ContactsInTenMinutes({0, 100, 900, 50}, 1), 1);
}

TEST(RateGraphTest, ColumnsGapsAndSmoothing) {
    const RateGraph g = graphOf(gapsLog());
    ASSERT_EQ(g.stop, GraphStop::None);
    // The first column always plots 6, whatever the contacts after it.
    EXPECT_EQ(g.plotRate[1], 6.f);
    EXPECT_EQ(g.plotRate[0], 0.f);
    // Two contacts in column 100: the later one's rate (3 contacts in ten minutes).
    EXPECT_EQ(g.columnRate[100], 18.f);
    // A gap of 15 empty columns never plots 0.
    for (int c = 201; c <= 215; ++c) EXPECT_GT(g.plotRate[c], 0.f) << c;
    // A gap of 40: six smoothed columns, twenty at 0, then fourteen rising to the next contact.
    for (int c = 301; c <= 306; ++c) {
        float sum = 0;
        int n = 0;
        for (int k = c - 6; k <= c; ++k) {
            if (g.columnRate[k] > 0) sum += g.columnRate[k], ++n;
        }
        EXPECT_FLOAT_EQ(g.plotRate[c], sum / n) << c;
    }
    for (int c = 307; c <= 326; ++c) EXPECT_EQ(g.plotRate[c], 0.f) << c;
    for (int c = 327; c <= 340; ++c) {
        EXPECT_GT(g.plotRate[c], g.plotRate[c - 1]) << c;
        EXPECT_LT(g.columnRate[c], 12.f) << c;
    }
    EXPECT_EQ(g.plotMin, 0.f);
    EXPECT_EQ(g.rateLabels[0], QStringLiteral("0.0"));
    EXPECT_EQ(g.timeLabels[0], QStringLiteral("14:00"));
    EXPECT_EQ(g.timeLabels[14], QStringLiteral("18:10"));
    EXPECT_EQ(g.dateLabels[14], QStringLiteral("09/12"));
}

TEST(RateGraphTest, BandsTakeTheirLegendColour) {
    const struct {
        const char* band;
        size_t legend;
    } cases[] = {{"160", 0}, {"80", 1}, {"40", 2},   {"20", 3}, {"15", 4}, {"10", 5},
                 {"6", 6},   {"2", 6},  {"1.25", 6}, {"70", 6}, {"20m", 6}};
    for (const auto& c : cases) {
        std::vector<At> contacts;
        for (int s : {0, 1, 2, 3, 4, 5, 1000}) contacts.push_back({s, c.band});
        const RateGraph g = graphOf(logOf(contacts), 0x808080);
        EXPECT_EQ(g.columnColor[1], kColours[c.legend]) << c.band;
        // Column 5 has no contact: the ramp carries the colour of the one before it.
        EXPECT_EQ(g.columnRate[5] > 0 && g.columnColor[5] == kColours[c.legend], true) << c.band;
    }
}

TEST(RateGraphTest, ZeroRateStretchesCarryTheBackground) {
    const RateGraph g = graphOf(gapsLog(), 0xFFFFFF);
    // After column 300's contact the stretch carries its band; after the zero stretch the
    // ramp has no contact of its own before it, so it keeps the background.
    EXPECT_EQ(g.columnColor[303], kColours[3]);
    EXPECT_EQ(g.columnColor[310], 0xFFFFFFu);
    EXPECT_EQ(g.columnColor[330], 0xFFFFFFu);
}

TEST(RateGraphTest, TheStripLeavesOutColumnsWhereBothRatesAreZero) {
    const RateGraph g = graphOf(gapsLog());
    const GraphFrame frame{480, 9240, 120, 5880, 5900, 6000};
    const GraphShape s = ShapeRateGraph(g, frame);
    ASSERT_EQ(s.curve.size(), 1500u);
    size_t expected = 0;
    for (int c = 1; c <= 1500; ++c) expected += g.plotRate[c] > 0 || g.plotRate[c - 1] > 0;
    EXPECT_EQ(s.strip.size(), expected);
    const double columnWidth = (9240.0 - 480) / 1500;
    for (const StripBox& b : s.strip) {
        const int c = static_cast<int>(std::lround((b.box.right() - 490) / columnWidth)) + 2;
        EXPECT_FALSE(c >= 308 && c <= 326) << c;
    }
    // The curve keeps 0.25 % of the height clear at the bottom and the top.
    double low = 0, high = 1e9;
    for (const QLineF& l : s.curve) low = std::max(low, l.y1()), high = std::min(high, l.y1());
    EXPECT_NEAR(low, 5880 - 0.0025 * 5760, 1e-6);
    EXPECT_NEAR(high, 5880 - 0.9975 * 5760, 1e-6);
}

TEST(RateGraphTest, WhereTheGraphStopsNothingIsWrittenOutsideTheArrays) {
    std::vector<At> flat;
    for (int k = 0; k <= 100; ++k) flat.push_back({600 * k});  // rate 6 in every column
    QSOLog unreadable = gapsLog();
    unreadable[4].QSODate = QStringLiteral("someday");
    QSOLog unreadableFirst = gapsLog();
    unreadableFirst[1].QSOTime = QStringLiteral("25:99");
    const struct {
        const char* name;
        QSOLog log;
        GraphStop stop;
        bool timeLabels, rateLabels;
    } cases[] = {
        {"span of 0", logOf({{0}, {10}, {20}, {30}, {40}, {50}, {0}}), GraphStop::ZeroSpan, true,
         false},
        {"equal extremes", logOf(flat), GraphStop::FlatRate, true, true},
        {"earlier than the first", logOf({{100}, {0}, {200}, {300}, {400}, {500}, {600}}),
         GraphStop::ColumnOutside, true, false},
        {"far beyond the last", logOf({{0}, {10}, {20}, {30}, {4000}, {50}, {1500}}),
         GraphStop::ColumnOutside, true, false},
        {"unreadable date", unreadable, GraphStop::UnreadableDate, true, false},
        {"unreadable first time", unreadableFirst, GraphStop::UnreadableDate, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RateGraph g = graphOf(c.log);
        EXPECT_EQ(g.stop, c.stop);
        EXPECT_EQ(g.timeLabelsSet, c.timeLabels);
        EXPECT_EQ(g.rateLabelsSet, c.rateLabels);
        EXPECT_EQ(g.columnRate.size(), 1601u);
        EXPECT_TRUE(ShapeRateGraph(g, {480, 9240, 120, 5880, 5900, 6000}).curve.empty());
    }
}

}  // namespace
}  // namespace qf
