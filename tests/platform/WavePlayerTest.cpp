// The wave player's header reading and its state on the set clock (the silent double shares the
// program's own state code).
#include "platform/Error.h"
#include "support/TestApp.h"
#include "support/WaveFiles.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

using test::le16;
using test::le32;

TEST(WaveHeader, LengthAndFormatFromTheHeader) {
    const QByteArray samples16(16000, '\0');  // one second of 8000 Hz 16-bit mono
    const QByteArray fmtExtensible = "fmt " + le32(40) + le16(0xFFFE) + le16(2) + le32(8000) +
                                     le32(32000) + le16(4) + le16(16) + le16(22) + le16(16) +
                                     le32(3) + le16(1) + QByteArray(14, '\0');
    const struct {
        const char* what;
        QByteArray bytes;
        qint64 lengthMs;  // -1: not playable
    } cases[] = {
        {"16-bit mono", test::waveHeader(1, 8000, 16, 16000) + samples16, 1000},
        {"8-bit stereo", test::waveHeader(2, 8000, 8, 16000) + QByteArray(16000, '\x80'), 1000},
        {"float", test::waveHeader(1, 8000, 32, 32000, 3) + QByteArray(32000, '\0'), 1000},
        {"extensible PCM",
         "RIFF" + le32(0) + "WAVE" + fmtExtensible + "data" + le32(16000) + samples16 + samples16,
         500},
        {"odd chunk before the samples",
         "RIFF" + le32(0) + "WAVE" + "LIST" + le32(3) + "abc" + '\0' +
             test::waveHeader(1, 8000, 16, 16000).mid(12) + samples16,
         1000},
        {"cut short: what it holds", test::waveHeader(1, 8000, 16, 160000) + samples16, 1000},
        {"a part of a millisecond rounds up", test::waveHeader(1, 8000, 16, 2) + "ab", 1},
        {"not RIFF", "RIFX" + test::waveHeader(1, 8000, 16, 0).mid(4), -1},
        {"no samples chunk", test::waveHeader(1, 8000, 16, 0).left(36), -1},
        {"192000 Hz", test::waveHeader(1, 192000, 8, 192000) + QByteArray(192000, '\x80'), 1000},
        {"below 8000 Hz", test::waveHeader(1, 7999, 16, 0), -1},
        {"above 192000 Hz", test::waveHeader(1, 192001, 16, 0), -1},
        {"24-bit", test::waveHeader(1, 8000, 24, 0), -1},
        {"compressed", test::waveHeader(1, 8000, 4, 0, 2), -1},
        {"text", "hello", -1},
    };
    test::TestApp t;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        t.writeFile(QStringLiteral("w.wav"), c.bytes);
        const auto info = ReadWaveInfo(t.path(QStringLiteral("w.wav")));
        if (c.lengthMs < 0) {
            EXPECT_FALSE(info.has_value());
        } else {
            ASSERT_TRUE(info.has_value());
            EXPECT_EQ(info->lengthMs(), c.lengthMs);
        }
    }
    EXPECT_FALSE(ReadWaveInfo(t.path(QStringLiteral("missing.wav"))).has_value());
}

TEST(WavePlayerState, TheModeFollowsTheClockAndTheCommands) {
    test::TestApp t;
    test::writeBytes(t.path(QStringLiteral("a.wav")), test::toneWave(800));
    auto p = t.app().platform().wavePlayers.create();
    EXPECT_EQ(p->Mode(), mci::kNotOpen);
    p->FileName = t.path(QStringLiteral("a.wav"));
    // Only the wave device, and nothing plays before it is open.
    EXPECT_THROW(p->setCommand(QStringLiteral("Open")), Error);
    EXPECT_THROW(p->setCommand(QStringLiteral("play")), Error);
    EXPECT_THROW(p->setCommand(QStringLiteral("Rewind")), Error);
    p->DeviceType = QStringLiteral("WaveAudio");
    p->setCommand(QStringLiteral("open"));
    EXPECT_EQ(p->Mode(), mci::kStopped);
    p->setCommand(QStringLiteral("PLAY"));
    t.clock().advance(799);
    EXPECT_EQ(p->Mode(), mci::kPlaying);
    t.clock().advance(1);
    EXPECT_EQ(p->Mode(), mci::kStopped);
    p->setCommand(QStringLiteral("play"));
    t.clock().advance(100);
    p->setCommand(QStringLiteral("Stop"));
    EXPECT_EQ(p->Mode(), mci::kStopped);

    // Wait holds for the one command after it: this play returns at the end, the next at once.
    p->Wait = true;
    const qint64 start = t.clock().tickMs();
    p->setCommand(QStringLiteral("play"));
    EXPECT_EQ(t.clock().tickMs() - start, 800);
    EXPECT_FALSE(p->Wait);
    p->setCommand(QStringLiteral("play"));
    EXPECT_EQ(p->Mode(), mci::kPlaying);

    // A wait on the mode ends with the recording, or after five seconds at most.
    WaitWhilePlaying(*p, t.clock());
    EXPECT_EQ(t.clock().tickMs() - start, 1600);
    test::writeBytes(t.path(QStringLiteral("long.wav")), test::toneWave(9000));
    p->FileName = t.path(QStringLiteral("long.wav"));
    p->setCommand(QStringLiteral("Open"));
    p->setCommand(QStringLiteral("play"));
    WaitWhilePlaying(*p, t.clock());
    EXPECT_EQ(t.clock().tickMs() - start, 6600);
    EXPECT_EQ(p->Mode(), mci::kPlaying);

    // A file that cannot be opened leaves nothing open.
    p->FileName = t.path(QStringLiteral("missing.wav"));
    EXPECT_THROW(p->setCommand(QStringLiteral("Open")), Error);
    EXPECT_EQ(p->Mode(), mci::kNotOpen);
    EXPECT_EQ(t.sound().names(), (QStringList{"a", "a", "a", "a", "long"}));
    p->setCommand(QStringLiteral("Close"));
}

}  // namespace
}  // namespace qf
