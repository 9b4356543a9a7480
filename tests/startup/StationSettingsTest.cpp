#include "platform/Error.h"
#include "startup/StationSettings.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QFile>

namespace qf {
namespace {

StationSettings station() {
    StationSettings s;
    s.OwnCall = QStringLiteral("K0ABC");
    s.OwnSPC = QStringLiteral("MN");
    s.OwnCountry = QStringLiteral("USA");
    s.ReservedText = QStringLiteral("kept");
    s.OwnName = QStringLiteral("JOHN");
    s.OwnCategory = QStringLiteral("SO");
    s.OwnCounty = QStringLiteral("HEN");
    s.OwnCity = QStringLiteral("Minneapolis");
    s.CurrentMode = QStringLiteral("CW");
    s.CurrentBand = QStringLiteral("1.25");
    s.UTCOffsetHours = 5.5f;
    s.OwnLongitude = 93.1f;
    s.OwnLatitude = 44.98f;
    s.OwnContinent = QStringLiteral("NA");
    s.FormSizePercent = 100;
    s.WorkedColor = 32768;
    s.RemainingColor = 255;
    s.AccumulatedOperatingSeconds = 3600.5f;
    s.ContestState = QStringLiteral("MN");
    s.RoverFlag = 1;
    s.VoiceNavigationLevel = 2;
    s.RigModel = QStringLiteral("None");
    s.TaskbarDisplay = 1;
    return s;
}

TEST(StationSettingsTest, WritesTheExactFileAndReadsItBack) {
    test::TestApp t;
    ASSERT_TRUE(WriteQSOPref(station(), t.files()));
    EXPECT_EQ(t.readFile(QStringLiteral("QSOpref.txt")), test::fixture(QStringLiteral("QSOpref-station.txt")));
    StationSettings back;
    ReadQSOPref(back, t.files());
    EXPECT_EQ(encodeQSOPref(back), encodeQSOPref(station()));
    EXPECT_EQ(back.ReservedText, QStringLiteral("kept"));
    EXPECT_EQ(back.UTCOffsetHours, 5.5f);
}

TEST(StationSettingsTest, NegativeAndWholeOffsets) {
    StationSettings s;
    s.UTCOffsetHours = -3;
    const QList<QByteArray> lines = encodeQSOPref(s).split('\n');
    EXPECT_EQ(lines[10], QByteArray("-3\r"));
    EXPECT_EQ(lines[0], QByteArray("\"\"\r"));
}

TEST(StationSettingsTest, AShortOrBadFileStopsAtTheFailingValue) {
    test::TestApp t;
    QByteArray full = test::fixture(QStringLiteral("QSOpref-station.txt"));
    // 24 values: everything read but the last, which keeps its value.
    t.writeFile(QStringLiteral("QSOpref.txt"), full.left(full.lastIndexOf("0\r\n")));
    StationSettings s;
    s.ListPreviousOn = 0;
    EXPECT_THROW(ReadQSOPref(s, t.files()), Error);
    EXPECT_EQ(s.TaskbarDisplay, 1);
    EXPECT_EQ(s.ListPreviousOn, 0);

    // A value that does not read keeps its field; every other value is still read, and the
    // failure names the file, the lines and their texts.
    QByteArray bad = full;
    bad.replace("\r\n100\r\n", "\r\n300\r\n");
    bad.replace("\r\n93.1\r\n", "\r\nabc\r\n");
    t.writeFile(QStringLiteral("QSOpref.txt"), bad);
    StationSettings b;
    b.OwnLongitude = 7;
    try {
        ReadQSOPref(b, t.files());
        ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kTypeMismatch);
        EXPECT_EQ(e.text(), QStringLiteral("QSOpref.txt: line 12 holds abc, which does not read as "
                                           "a number; line 15 holds 300, which does not read as a "
                                           "whole number from 0 to 255."));
    }
    EXPECT_EQ(b.OwnContinent, QStringLiteral("NA"));
    EXPECT_EQ(b.OwnLongitude, 7);
    EXPECT_EQ(b.FormSizePercent, 0);
    EXPECT_EQ(b.WorkedColor, 32768);
    EXPECT_EQ(b.TaskbarDisplay, 1);

    // More than 25 lines: the rest is not read, and gone after the next save.
    t.writeFile(QStringLiteral("QSOpref.txt"), full + "\"extra\"\r\n");
    StationSettings m;
    ReadQSOPref(m, t.files());
    ASSERT_TRUE(WriteQSOPref(m, t.files()));
    EXPECT_EQ(t.readFile(QStringLiteral("qsopref.txt")), full);

    QFile::remove(t.path(QStringLiteral("QSOpref.txt")));
    EXPECT_THROW(ReadQSOPref(m, t.files()), Error);
}

TEST(StationSettingsTest, AFailedSaveLeavesTheOldFileWhole) {
    test::TestApp t;
    ASSERT_TRUE(WriteQSOPref(station(), t.files()));
    t.files().setFault([](Files::Op, const QString&) {
        throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
    });
    StationSettings other;
    EXPECT_FALSE(WriteQSOPref(other, t.files()));
    EXPECT_EQ(t.readFile(QStringLiteral("QSOpref.txt")), test::fixture(QStringLiteral("QSOpref-station.txt")));
}

TEST(StationSettingsTest, TheShippedDefaultsAreSafeForAFirstRun) {
    test::TestApp t;
    QFile src(test::shippedDataFile(QStringLiteral("QSOpref.txt")));
    ASSERT_TRUE(src.open(QIODevice::ReadOnly));
    t.writeFile(QStringLiteral("QSOpref.txt"), src.readAll());
    StationSettings s;
    ReadQSOPref(s, t.files());
    EXPECT_EQ(s.FormSizePercent, 100);
    EXPECT_EQ(s.RigModel, QStringLiteral("None"));
    EXPECT_EQ(s.CurrentBand, QStringLiteral("20"));
    EXPECT_EQ(s.CurrentMode, QStringLiteral("CW"));
    EXPECT_NE(s.WorkedColor, s.RemainingColor);
    EXPECT_TRUE(s.OwnCall.isEmpty());
}

}  // namespace
}  // namespace qf
