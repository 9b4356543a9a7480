// The rate-graph window on the offscreen platform: opened from each logging window's menu, the
// too-few-contacts box, and the drawn picture on each background.
#include "logging/LoggingFixture.h"
#include "logtools/GraphQSO.h"

#include <QTimer>

namespace qf {
namespace {

using test::LoggingFixture;

class GraphQSOTest : public LoggingFixture {
  protected:
    // Contacts every 90 seconds on 40 m, then a pause, then 160 m: rows 1 to n of the log.
    void fillLog(int n) {
        QSOLog& log = t.app().log();
        const QDateTime start(QDate(2026, 9, 12), QTime(14, 0, 0), Qt::UTC);
        for (int r = 1; r <= n; ++r) {
            QSORecord& q = log[r];
            const QDateTime at = start.addSecs(r <= n / 2 ? 90 * r : 3600 + 90 * r);
            q.QSODate = at.toString(QStringLiteral("yyyy/MM/dd"));
            q.QSOTime = at.toString(QStringLiteral("hh:mm:ss"));
            q.Band = QString::fromLatin1(r <= n / 2 ? "40" : "160");
        }
        log.QSOCount = n;
    }

    GraphQSO& graph() { return t.app().forms().GraphQSO(); }

    void opensFromMenu(LoggingWindow& w) {
        fillLog(40);  // the window's load read the (empty) log file
        bool modal = false;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            GraphQSO* g = t.app().forms().graphSlot().peek();
            if (!g || !g->isVisible()) return;
            poll.stop();
            modal = g->isModal();
            EXPECT_NE(g->lblY[16]->Caption(), QStringLiteral("0"));
            g->close();
        });
        poll.start();
        w.mnuGraph->action()->trigger();
        EXPECT_TRUE(modal);
        EXPECT_FALSE(t.app().forms().graphSlot().isLoaded());
    }

    // How many pixels of the picture have this colour (0x00BBGGRR).
    static int pixelsOf(const QImage& image, quint32 colour) {
        const QRgb want = toQColor(colour).rgb();
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) n += (line[x] & 0xFFFFFF) == (want & 0xFFFFFF);
        }
        return n;
    }
};

TEST_F(GraphQSOTest, TheOutOfStateMenuOpensTheGraphModally) {
    writeLog({});
    opensFromMenu(openOut());
}

TEST_F(GraphQSOTest, TheInStateMenuOpensTheGraphModally) {
    t.app().station().OutOfStateFlag = 0;
    writeLog({});
    opensFromMenu(open(&Forms::Infrm));
}

TEST_F(GraphQSOTest, SixContactsShowTheMessageAndKeepTheDesignCaptions) {
    fillLog(6);
    GraphQSO& g = graph();
    ASSERT_EQ(t.dialogs().shown().size(), 1u);
    EXPECT_EQ(t.dialogs().shown().back().title, QStringLiteral("Not Enough Contacts to Graph."));
    EXPECT_EQ(t.dialogs().shown().back().text,
              QStringLiteral("The graph will not display with less than 7 contacts.  The graph "
                             "becomes more meaningful as several hours of contest logging are "
                             "accumulated."));
    EXPECT_EQ(g.lblTime[3]->Caption(), QStringLiteral("00:00"));
    EXPECT_EQ(g.lblDate[3]->Caption(), QStringLiteral("MM/DD"));
    EXPECT_EQ(g.lblY[16]->Caption(), QStringLiteral("0"));
    EXPECT_EQ(pixelsOf(g.picture(), 0xFF0000), 0);
}

TEST_F(GraphQSOTest, DrawsOnBlackThenWhiteThenBlackWithWhiteGrid) {
    fillLog(40);
    GraphQSO& g = graph();
    g.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    EXPECT_TRUE(t.dialogs().shown().empty());
    EXPECT_EQ(
        g.Caption(),
        QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
    EXPECT_EQ(g.lblTime[0]->Caption(), QStringLiteral("14:01"));
    EXPECT_EQ(g.lblDate[0]->Caption(), QStringLiteral("09/12"));
    EXPECT_EQ(g.gridLines[0]->BorderColor(), 0x808080u);

    const QImage& p = g.picture();
    EXPECT_EQ(p.size(), QSize(qRound(g.ScaleWidth() / 15), qRound(g.ScaleHeight() / 15)));
    EXPECT_EQ(p.pixel(2, 2) & 0xFFFFFF, 0x000000u);
    EXPECT_GT(pixelsOf(p, 0xFF0000), 100);  // the blue curve
    EXPECT_GT(pixelsOf(p, 0x0000FF), 100);  // the 40 m strip, red
    EXPECT_GT(pixelsOf(p, 0xFFFFFF), 100);  // the 160 m strip, white on black

    g.Command1->Press();
    EXPECT_EQ(g.Command1->Caption(), QStringLiteral("White Background"));
    EXPECT_EQ(g.picture().pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_GT(pixelsOf(g.picture(), 0xFF0000), 100);
    EXPECT_GT(pixelsOf(g.picture(), 0x0000FF), 100);
    EXPECT_EQ(g.lblTime[0]->ForeColor(), kBlack);
    EXPECT_EQ(g.gridLines[0]->BorderColor(), kBlack);
    EXPECT_EQ(g.lblBnd[0]->ForeColor(), kWhite);  // the legend keeps its colours

    g.Command1->Press();
    EXPECT_EQ(g.Command1->Caption(), QStringLiteral("Black Background"));
    EXPECT_EQ(g.picture().pixel(2, 2) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(g.gridLines[0]->BorderColor(), kWhite);  // no longer grey
    EXPECT_EQ(g.Line1->BorderColor(), kWhite);
    g.Unload();
}

}  // namespace
}  // namespace qf
