#include "common/Formats.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(FormatsTest, CountsAndScores) {
    EXPECT_EQ(formatCount(0), QStringLiteral("0"));
    EXPECT_EQ(formatCount(1234), QStringLiteral("1,234"));
    EXPECT_EQ(formatScore(2.0 * 11000 * 87), QStringLiteral("1,914,000"));
}

TEST(FormatsTest, OperatingTimeDigitByDigit) {
    const std::pair<float, const char*> cases[] = {
        {0, "00:00:00"}, {3723, "01:02:03"}, {123 * 3600 + 4 * 60 + 5, "23:04:05"},
        {59, "00:00:59"}, {36000, "10:00:00"}};
    for (const auto& [s, text] : cases) EXPECT_EQ(operatingTimeText(s), QString::fromLatin1(text)) << s;
}

TEST(FormatsTest, Clocks) {
    const QTime evening(20, 15, 0);
    EXPECT_EQ(clockText(QTime(1, 15, 0)), QStringLiteral("01:15:00"));
    EXPECT_EQ(localClockText(evening), QStringLiteral("8:15:00"));
    EXPECT_EQ(amPmText(evening), QStringLiteral("PM"));
    EXPECT_EQ(amPmText(QTime(0, 5)), QStringLiteral("AM"));
    EXPECT_EQ(addUtcOffset(QDateTime(QDate(2026, 9, 12), evening), 5).time(), QTime(1, 15));
    EXPECT_EQ(addUtcOffset(QDateTime(QDate(2026, 9, 12), evening), 5).date(), QDate(2026, 9, 13));
    EXPECT_EQ(addUtcOffset(QDateTime(QDate(2026, 9, 12), evening), -3.5f).time(), QTime(16, 45));
}

TEST(FormatsTest, StoredDatesAndTimes) {
    EXPECT_EQ(parseStoredDate(QStringLiteral("2026/09/12")), QDate(2026, 9, 12));
    EXPECT_EQ(parseStoredDate(QStringLiteral("2026-9-2")), QDate(2026, 9, 2));
    EXPECT_EQ(parseStoredDate(QStringLiteral("9/12/26")), QDate(2026, 9, 12));
    EXPECT_EQ(parseStoredDate(QStringLiteral("9/12/2026")), QDate(2026, 9, 12));
    EXPECT_FALSE(parseStoredDate(QStringLiteral("12th")));
    EXPECT_EQ(parseStoredTime(QStringLiteral("14:02:33")), QTime(14, 2, 33));
    EXPECT_EQ(parseStoredTime(QStringLiteral("14:09")), QTime(14, 9));
    EXPECT_FALSE(parseStoredTime(QStringLiteral("25:00")));
}

// The written forms are read without the general parser; one that is not quite right falls to it.
TEST(FormatsTest, StoredDatesAndTimesNearTheWrittenForm) {
    EXPECT_EQ(parseStoredDate(QStringLiteral("0999/12/31")), QDate(999, 12, 31));
    EXPECT_EQ(parseStoredDate(QStringLiteral(" 2026/9/12")), QDate(2026, 9, 12));
    for (const char* bad : {"2026/02/30", "2026/13/01", "2026/0a/01", "ab26/09/12"})
        EXPECT_FALSE(parseStoredDate(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(parseStoredTime(QStringLiteral("00:00:00")), QTime(0, 0));
    EXPECT_EQ(parseStoredTime(QStringLiteral("23:59")), QTime(23, 59));
    EXPECT_EQ(parseStoredTime(QStringLiteral("9:5:07")), QTime(9, 5, 7));
    for (const char* bad : {"24:00:00", "12:60:00", "12:00:60", "1a:00:00", "12:0x", "12-00"})
        EXPECT_FALSE(parseStoredTime(QString::fromLatin1(bad))) << bad;
}

}  // namespace
}  // namespace qf
