#include "platform/Clock.h"
#include "platform/Controls.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

namespace qf {
namespace {

TEST(TestClockTest, AdvancingFiresDueTimersInTimeOrder) {
    TestClock clock;
    QStringList fired;
    KitTimer fast(clock), slow(clock), off(clock);
    fast.setInterval(400);
    fast.Tick = [&] { fired << QStringLiteral("fast@%1").arg(clock.tickMs()); };
    slow.setInterval(1000);
    slow.Tick = [&] { fired << QStringLiteral("slow@%1").arg(clock.tickMs()); };
    off.setInterval(100);
    off.Tick = [&] { fired << QStringLiteral("off"); };
    fast.setEnabled(true);
    slow.setEnabled(true);
    clock.advance(999);
    clock.advance(201);
    EXPECT_EQ(fired, (QStringList{QStringLiteral("fast@400"), QStringLiteral("fast@800"),
                                  QStringLiteral("slow@1000"), QStringLiteral("fast@1200")}));
    // Re-enabling starts the count again.
    fired.clear();
    clock.advance(300);
    fast.setEnabled(true);
    clock.advance(399);
    EXPECT_TRUE(fired.isEmpty());
    clock.advance(1);
    EXPECT_EQ(fired, (QStringList{QStringLiteral("fast@1900")}));
}

TEST(TestClockTest, LocalAndUtcComeFromOneReading) {
    TestClock clock;
    clock.set(QDateTime(QDate(2026, 9, 12), QTime(23, 59, 59)), 5 * 3600);
    clock.advance(1000);
    const ClockReading r = clock.now();
    EXPECT_EQ(r.local.date(), QDate(2026, 9, 13));
    EXPECT_EQ(r.local.time(), QTime(0, 0, 0));
    EXPECT_EQ(r.utc.time(), QTime(5, 0, 0));
    EXPECT_EQ(r.utc.timeSpec(), Qt::UTC);
}

TEST(TestClockTest, SleepingMovesTimeOnAndFiresADueTimerOnceWhenEventsRun) {
    TestClock clock;
    KitTimer timer(clock);
    QList<qint64> ticks;
    timer.Tick = [&] { ticks << clock.tickMs(); };
    timer.setInterval(1000);
    timer.setEnabled(true);
    const QDateTime before = clock.localNow();
    for (int i = 0; i < 250; ++i) clock.sleepMs(10);
    EXPECT_EQ(clock.tickMs(), 2500);
    EXPECT_EQ(before.msecsTo(clock.localNow()), 2500);
    EXPECT_TRUE(ticks.isEmpty());  // nothing fires inside the sleep
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, (QList<qint64>{2500}));
    clock.advance(1000);  // and it goes on from there
    EXPECT_EQ(ticks, (QList<qint64>{2500, 3000}));
}

TEST(TestClockTest, TimersTickInsideAModalWindow) {
    test::TestApp t;
    Form f(t.app().platform(), QStringLiteral("frmModal"));
    auto* tmr = f.add<qf::Timer>(QStringLiteral("Timer1"), 500);
    int ticks = 0;
    tmr->Tick = [&] {
        if (++ticks == 3) f.Hide();
    };
    QTimer::singleShot(0, [&] { t.clock().advance(1500); });
    f.ShowModal();
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(f.isVisible());
}

}  // namespace
}  // namespace qf
