// The Morse table and the keying of one character: patterns, unit lengths and the three
// timing methods, on the recorder and the set clock.
#include "keying/MorseTable.h"
#include "keying/MorseTiming.h"
#include "support/KeyingRecorder.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(MorseTableTest, PatternsOfCharactersAndProsigns) {
    const struct {
        QChar c;
        const char* pattern;
    } cases[] = {
        {QLatin1Char('E'), "1000"},
        {QLatin1Char('T'), "111000"},
        {QLatin1Char('e'), "1000"},  // keyed as its capital
        {QLatin1Char('A'), "10111000"},
        {QLatin1Char('0'), "1110111011101110111000"},
        {QLatin1Char('-'), "111010101010111000"},         // dash, four dots, dash
        {QLatin1Char('='), "1110101010111000"},           // BT: dash, three dots, dash
        {QLatin1Char('['), "1011101011101000"},           // AR
        {QLatin1Char(']'), "101010111010111000"},         // SK
        {QLatin1Char(';'), "111010111011101000"},         // KN
        {QLatin1Char('\\'), "111010111010101110101000"},  // CL
        {QLatin1Char(' '), "00000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString(c.c).toStdString());
        ASSERT_TRUE(MorsePattern(c.c).has_value());
        EXPECT_EQ(*MorsePattern(c.c), QLatin1String(c.pattern));
    }
    for (QChar none : {QLatin1Char('$'), QLatin1Char('!'), QLatin1Char('#'), QLatin1Char('"')}) {
        EXPECT_FALSE(MorsePattern(none).has_value()) << QString(none).toStdString();
    }
    EXPECT_EQ(MorseCharacters(),
              QStringLiteral(" ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-[];\\="));
    // Every pattern is elements of 10 and 1110 closed by 00: characters three units apart.
    for (QChar c : MorseCharacters().mid(1)) {
        const QString p = *MorsePattern(c);
        EXPECT_TRUE(p.endsWith(QLatin1String("1000"))) << QString(c).toStdString();
        EXPECT_FALSE(p.contains(QLatin1String("11110")));
    }
}

TEST(MorseTableTest, WordSpaceAdjustment) {
    const struct {
        double n;
        int units;
    } cases[] = {{0, 8}, {-4, 4}, {-8, 0}, {-12, 0}, {2, 10}, {2.7, 10}, {-2.5, 6}, {-3.5, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(WordSpacePattern(c.n), QString(c.units, QLatin1Char('0'))) << c.n;
    }
}

class KeyingTest : public ::testing::Test {
  protected:
    TestClock clock;
    test::KeyingRecorder rec{clock};
    std::unique_ptr<KeyingLine> line = rec.parallelLine(0x378);
};

TEST_F(KeyingTest, EachUnitSetsTheLineAndWaitsOneUnit) {
    const UnitTiming sleep{clock, TimingMethod::Sleep, 0};
    ASSERT_EQ(KeyPattern(*MorsePattern(QLatin1Char('T')), line.get(), sleep, [] { return 20.0; }),
              KeyingEnd::Completed);
    EXPECT_EQ(rec.pattern(), QStringLiteral("111000"));  // set again at every unit
    EXPECT_EQ(rec.lengths(static_cast<double>(clock.tickMs())), (std::vector<double>(6, 60.0)));
    for (const auto& c : rec.changes()) EXPECT_EQ(c.address, 0x37A);
    EXPECT_FALSE(rec.lineDown());
}

TEST_F(KeyingTest, UnitLengthsOfTheThreeMethods) {
    EXPECT_NEAR(UnitMs(13), 92.3077, 1e-4);
    EXPECT_DOUBLE_EQ(UnitMs(20), 60);
    // "Timer" at 13 WPM ends at the first reading 93 ms after its start.
    clock.setTick32(1000);
    WaitTimer(clock, UnitMs(13));
    EXPECT_EQ(clock.lastTick32(), 1093u);
    // "Sleep" sleeps the unit rounded half to even: 92 ms; 62.5 ms gives 62.
    WaitSleep(clock, UnitMs(13));
    WaitSleep(clock, 62.5);
    EXPECT_EQ(clock.sleeps(), (std::vector<qint64>{92, 62}));
}

TEST_F(KeyingTest, ATimerWaitAcrossTheWrapLastsOneUnit) {
    clock.setTick32(0xFFFFFFF0u);
    const qint64 readings = clock.tick32Readings();
    WaitTimer(clock, UnitMs(20));
    EXPECT_EQ(clock.lastTick32(), 44u);  // 0xFFFFFFF0 + 60, modulo 2^32
    EXPECT_EQ(clock.tick32Readings() - readings, 61);
}

TEST_F(KeyingTest, TheLoopWaitAndTheCalibrationCountTheSamePasses) {
    // Calibration: 5,000,000 passes between two readings 1 ms apart (the clock's step).
    EXPECT_EQ(CalibrateLoopPasses(clock), 300000000.0);
    clock.setTickStep(0);  // too quick to measure: counted as 1 ms, never a division by zero
    EXPECT_EQ(CalibrateLoopPasses(clock), 300000000.0);
    clock.setTickStep(250);
    EXPECT_EQ(CalibrateLoopPasses(clock), 1200000.0);
    // An uncalibrated loop waits nothing and keys on.
    const UnitTiming loop{clock, TimingMethod::Loop, 0};
    EXPECT_EQ(KeyPattern(QStringLiteral("10"), line.get(), loop, [] { return 20.0; }),
              KeyingEnd::Completed);
    EXPECT_EQ(rec.pattern(), QStringLiteral("10"));
}

TEST_F(KeyingTest, ASpeedChangeInsideACharacterChangesItsRemainingUnits) {
    double wpm = 20;
    rec.afterSet = [&](size_t index) {
        if (index == 1) wpm = 40;  // while the second unit of the dash is keyed
    };
    const UnitTiming sleep{clock, TimingMethod::Sleep, 0};
    KeyPattern(*MorsePattern(QLatin1Char('-')), line.get(), sleep, [&] { return wpm; });
    const std::vector<double> len = rec.lengths(static_cast<double>(clock.tickMs()));
    ASSERT_EQ(len.size(), 18u);
    EXPECT_EQ(len[0], 60);
    EXPECT_EQ(len[1], 60);
    for (size_t i = 2; i < len.size(); ++i) EXPECT_EQ(len[i], 30) << i;
}

TEST_F(KeyingTest, NoKeyStaysDown) {
    const UnitTiming sleep{clock, TimingMethod::Sleep, 0};
    // A speed that drops to 0 (or an empty box, read as 0) between units: the line goes up
    // and nothing more is waited.
    int units = 0;
    EXPECT_EQ(KeyPattern(QStringLiteral("1110"), line.get(), sleep,
                         [&] { return ++units < 3 ? 20.0 : 0.0; }),
              KeyingEnd::NoSpeed);
    EXPECT_EQ(rec.pattern(), QStringLiteral("110"));
    EXPECT_EQ(clock.tickMs(), 120);
    // A line that fails while down: put up, and the rest of the character is not waited.
    rec.clear();
    rec.failAt(2);
    EXPECT_EQ(KeyPattern(QStringLiteral("111000"), line.get(), sleep, [] { return 20.0; }),
              KeyingEnd::LineFailed);
    EXPECT_EQ(rec.pattern(), QStringLiteral("10"));
    EXPECT_FALSE(rec.lineDown());
    EXPECT_EQ(clock.tickMs(), 180);
    // Without a line the units are only timed.
    EXPECT_EQ(KeyPattern(QStringLiteral("1000"), nullptr, sleep, [] { return 20.0; }),
              KeyingEnd::Completed);
    EXPECT_EQ(clock.tickMs(), 420);
}

}  // namespace
}  // namespace qf
