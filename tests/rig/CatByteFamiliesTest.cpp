// The byte families' replies fed straight to the pure decoders: what each reads, and that a cut
// or garbled reply leaves the values as they were.
#include "rig/CatBytes.h"
#include "rig/CatCodec.h"
#include "rig/RigModels.h"
#include "support/FakeRigBytes.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <optional>
#include <random>

namespace qf::rig {
namespace {

struct ReplyCase {
    const char* what;
    CatDecoder decoder;
    const char* hex;  // the reply's bytes
    std::optional<float> frequency;
    std::optional<QString> mode;
};

const QString CW = QStringLiteral("CW");
const QString PH = QStringLiteral("PH");
const QString AM = QStringLiteral("AM");
const std::nullopt_t unchanged = std::nullopt;

TEST(CatByteFamiliesTest, EachFamilyReadsItsReplyAndACutReplyChangesNothing) {
    const ReplyCase cases[] = {
        // The five-byte frequency-and-mode reply.
        {"yaesu CW", ParseYaesuFreqMode, "0140740002", 14.074f, CW},
        {"yaesu mode byte outside the table", ParseYaesuFreqMode, "014074000A", 14.074f, unchanged},
        {"yaesu 0.5 MHz", ParseYaesuFreqMode, "0005000001", 0.5f, PH},
        {"yaesu digit A in the BCD", ParseYaesuFreqMode, "014A740001", unchanged, unchanged},
        {"yaesu four bytes", ParseYaesuFreqMode, "01407400", unchanged, unchanged},
        {"yaesu narrow DIG", ParseYaesuFreqMode, "014074008A", 14.074f, unchanged},
        // A reply's tail in front of the next one's head: the fifth byte is no mode a Yaesu
        // sends, so the digits before it are no frequency either.
        {"yaesu tail and head of 14.025 CW", ParseYaesuFreqMode, "0002014025", unchanged,
         unchanged},
        {"yaesu mode 10", ParseYaesuFreqMode, "0140740010", unchanged, unchanged},
        // Status blocks: a hexadecimal field and the low digit of byte 8.
        {"890", ParseYaesu890, "00001579A8000002", 14.074f, CW},
        {"990", ParseYaesu990, "001579A800000005", 14.074f, PH},
        {"1000", ParseYaesu1000, "0001579A80000002", 14.074f, CW},
        {"920", ParseYaesu920, "0000D6C090000001", 14.074f, CW},
        {"990 mode digit outside table A", ParseYaesu990, "001579A800000008", 14.074f, unchanged},
        {"990 block of five bytes", ParseYaesu990, "001579A800", 14.074f, unchanged},
        {"890 block of seven bytes", ParseYaesu890, "00001579A80000", 14.074f, unchanged},
        {"920 block of five bytes", ParseYaesu920, "0000D6C090", 14.074f, PH},
        {"990 block of four bytes", ParseYaesu990, "001579A8", unchanged, unchanged},
        // 757: BCD in bytes 6 to 9 with the lowest byte first, mode in byte 10.
        {"757", ParseYaesu757, "00000000000074400104", 14.074f, AM},
        {"757 mode 0A", ParseYaesu757, "0000000000007440010A", 14.074f, PH},
        {"757 mode 10", ParseYaesu757, "00000000000074400110", 14.074f, unchanged},
        {"757 without its mode byte", ParseYaesu757, "000000000000744001", 14.074f, unchanged},
        {"757 cut inside the frequency", ParseYaesu757, "0000000000007440", unchanged, unchanged},
        {"757 digit A in the BCD", ParseYaesu757, "000000000000744A0104", unchanged, unchanged},
        // CI-V frequency: BCD in Hz, lowest byte first.
        {"icom", ParseIcomFreq, "FEFEE06403004007140 0FD", 14.074f, unchanged},
        {"icom behind its echo", ParseIcomFreq, "FEFE64E003FDFEFEE0640300400714 00FD", 14.074f,
         unchanged},
        {"icom FD where an address stands ends the frame", ParseIcomFreq, "FEFEFDE0030040071400FD",
         unchanged, unchanged},
        {"icom a third FE is still the preamble", ParseIcomFreq, "FEFEFEE064030040071400FD",
         14.074f, unchanged},
        {"icom a frame cut by the next one's preamble", ParseIcomFreq,
         "FEFEE0640300FEFEE064030040071400FD", 14.074f, unchanged},
        {"icom two frames: the later counts", ParseIcomFreq,
         "FEFEE064030040070700FDFEFEE064030040071400FD", 14.074f, unchanged},
        {"735", ParseIcom735Freq, "FEFEE0040300400714FD", 14.074f, unchanged},
        {"icom echo and three data bytes", ParseIcomFreq, "FEFE64E003FDFEFEE06403004007", unchanged,
         unchanged},
        {"icom data without FD", ParseIcomFreq, "FEFEE064030040071400", unchanged, unchanged},
        {"icom four data bytes", ParseIcomFreq, "FEFEE0640300400714FD", unchanged, unchanged},
        {"735 five data bytes", ParseIcom735Freq, "FEFEE004030040071400FD", unchanged, unchanged},
        {"icom digit A", ParseIcomFreq, "FEFEE0640300400A1400FD", unchanged, unchanged},
        {"icom complete frame then a cut one", ParseIcomFreq,
         "FEFEE064030040071400FDFEFEE06403004007", 14.074f, unchanged},
        // CI-V mode.
        {"icom mode CW", ParseIcomMode, "FEFEE064040301FD", unchanged, CW},
        {"icom mode 07", ParseIcomMode, "FEFEE064040701FD", unchanged, PH},
        {"icom mode behind its echo", ParseIcomMode, "FEFE64E004FDFEFEE064040301FD", unchanged, CW},
        {"icom mode echo alone", ParseIcomMode, "FEFE64E004FD", unchanged, unchanged},
        {"icom mode without FD", ParseIcomMode, "FEFEE0640403", unchanged, unchanged},
        {"icom mode frame cut by the next one's preamble", ParseIcomMode,
         "FEFEE06404FEFEE064040301FD", unchanged, CW},
        // Front panel.
        {"panel frequency", ParseTenTecPanelFreq, "4100D6C0900D", 14.074f, unchanged},
        {"panel four bytes", ParseTenTecPanelFreq, "4100D6C0", unchanged, unchanged},
        {"panel frequency without its CR", ParseTenTecPanelFreq, "4100D6C090", 14.074f, unchanged},
        // A mode reply's tail in front of a frequency reply, and the other way round.
        {"panel CR in front of the A", ParseTenTecPanelFreq, "0D4100D6C0900D", unchanged,
         unchanged},
        // Five bytes, none of them in the CR's place: only the missing "A" tells (else
        // 1090.57402 MHz).
        {"panel CR in front of the A, cut after five bytes", ParseTenTecPanelFreq, "0D4100D6C0",
         unchanged, unchanged},
        {"panel frequency whose sixth byte is no CR", ParseTenTecPanelFreq, "4100D6C09041",
         unchanged, unchanged},
        {"panel frequency tail in front of a mode", ParseTenTecPanelMode, "C0900D4D33330D",
         unchanged, unchanged},
        {"panel mode M then no CR", ParseTenTecPanelMode, "4D333341", unchanged, unchanged},
        {"panel mode byte 03 is no character", ParseTenTecPanelMode, "4D03030D", unchanged,
         unchanged},
        {"panel mode 3", ParseTenTecPanelMode, "4D33330D", unchanged, CW},
        {"panel mode 1", ParseTenTecPanelMode, "4D31310D", unchanged, PH},
        {"panel mode 5", ParseTenTecPanelMode, "4D35350D", unchanged, unchanged},
        {"panel mode two bytes", ParseTenTecPanelMode, "4D33", unchanged, unchanged},
    };
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CatReading r =
            c.decoder(QByteArray::fromHex(QByteArray(c.hex).replace(' ', "")), CatQueries{});
        EXPECT_EQ(r.frequency.has_value(), c.frequency.has_value());
        if (r.frequency && c.frequency) {
            EXPECT_FLOAT_EQ(*r.frequency, *c.frequency);
        }
        EXPECT_EQ(r.mode, c.mode);
        EXPECT_FALSE(r.activeVfo.has_value());
    }
}

TEST(CatByteFamiliesTest, HexDigitsAndBcdNumbers) {
    EXPECT_EQ(BytesToHexDigits(QByteArray::fromHex("00a50f")), QStringLiteral("00A50F"));
    EXPECT_EQ(BytesToHexDigits(QByteArray()), QString());
    EXPECT_DOUBLE_EQ(*BcdDigitsToMHz(u"00050000"), 0.5);
    EXPECT_FALSE(BcdDigitsToMHz(u"0140740A"));
    EXPECT_DOUBLE_EQ(*IcomBcdToMHz(u"0014074000"), 14.074);
    EXPECT_DOUBLE_EQ(*IcomBcdToMHz(u"14074000"), 1407.4);  // the 735: a hundred times MHz
}

// The fake rig's replies across the bands read back as what was sent: the digits land in the
// right places at every magnitude, and each family's CW code reads as CW.
TEST(CatByteFamiliesTest, FakeRigRepliesReadBackAcrossTheBands) {
    namespace rb = qf::test::rigbytes;
    struct Family {
        const char* name;
        CatDecoder frequency;
        CatDecoder mode;  // null: the frequency reply carries the mode
        QByteArray (*frequencyReply)(qint64 hz);
        QByteArray cwReply;
        qint64 highestHz;
    };
    const Family families[] = {
        {"yaesu",
         ParseYaesuFreqMode,
         nullptr,
         [](qint64 hz) { return rb::yaesuFrequencyMode(hz, 0x02); },
         {},
         999999990},
        {"890",
         ParseYaesu890,
         nullptr,
         [](qint64 hz) { return rb::yaesuStatusBlock(QStringLiteral("Yaesu 890"), hz, 2); },
         {},
         167772150},
        {"990",
         ParseYaesu990,
         nullptr,
         [](qint64 hz) { return rb::yaesuStatusBlock(QStringLiteral("Yaesu 990"), hz, 2); },
         {},
         167772150},
        {"1000",
         ParseYaesu1000,
         nullptr,
         [](qint64 hz) { return rb::yaesuStatusBlock(QStringLiteral("Yaesu 1000"), hz, 2); },
         {},
         167772150},
        {"920",
         ParseYaesu920,
         nullptr,
         [](qint64 hz) { return rb::yaesuStatusBlock(QStringLiteral("Yaesu 920"), hz, 1); },
         {},
         999999999},
        {"757",
         ParseYaesu757,
         nullptr,
         [](qint64 hz) { return rb::yaesu757Block(hz, 0x02); },
         {},
         999999990},
        {"icom", ParseIcomFreq, ParseIcomMode,
         [](qint64 hz) { return rb::civEcho(0x64, 0x03) + rb::civFrequency(0x64, hz); },
         rb::civEcho(0x64, 0x04) + rb::civMode(0x64, 0x03), 9999999999},
        {"735", ParseIcom735Freq, ParseIcomMode,
         [](qint64 hz) { return rb::civEcho(0x04, 0x03) + rb::civFrequency(0x04, hz, 4); },
         rb::civEcho(0x04, 0x04) + rb::civMode(0x04, 0x03), 99999999},
        {"panel", ParseTenTecPanelFreq, ParseTenTecPanelMode,
         [](qint64 hz) { return rb::panelFrequency(hz); }, rb::panelMode('3'), 4294967295},
    };
    const qint64 frequencies[] = {1810500, 14074000, 50125000, 145500000};
    for (const Family& f : families) {
        for (qint64 hz : frequencies) {
            if (hz > f.highestHz) continue;
            SCOPED_TRACE(std::string(f.name) + " " + std::to_string(hz));
            const CatReading r = f.frequency(f.frequencyReply(hz), CatQueries{});
            ASSERT_TRUE(r.frequency.has_value());
            EXPECT_FLOAT_EQ(*r.frequency, static_cast<float>(hz / 1e6));
            const CatReading m = f.mode ? f.mode(f.cwReply, CatQueries{}) : r;
            EXPECT_EQ(m.mode, CW);
        }
    }
}

struct Decoder {
    const char* name;
    CatDecoder decode;
    bool framed;  // CI-V: only a whole frame reads
};

const Decoder byteDecoders[] = {
    {"yaesu", ParseYaesuFreqMode, false},
    {"890", ParseYaesu890, false},
    {"990", ParseYaesu990, false},
    {"1000", ParseYaesu1000, false},
    {"920", ParseYaesu920, false},
    {"757", ParseYaesu757, false},
    {"icom", ParseIcomFreq, true},
    {"735", ParseIcom735Freq, true},
    {"icom mode", ParseIcomMode, true},
    {"panel", ParseTenTecPanelFreq, false},
    {"panel mode", ParseTenTecPanelMode, false},
};

QByteArray randomBytes(qsizetype n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray b(n, Qt::Uninitialized);
    for (char& c : b) c = static_cast<char>(byte(gen));
    return b;
}

bool sameReading(const CatReading& a, const CatReading& b) {
    return a.frequency == b.frequency && a.mode == b.mode && a.activeVfo == b.activeVfo;
}

// Garbage never reads as a CI-V value; a fixed-layout reply is checked only where its layout
// allows, so garbage there reads, if at all, only from the first bytes' fixed places. The work
// stays linear: a megabyte in one tick is read in well under a second even with the sanitizers on.
TEST(CatByteFamiliesTest, GarbageNeverCrashesNorReadsPastTheFixedPlaces) {
    struct Garbage {
        const char* what;
        QByteArray bytes;
    };
    const Garbage garbage[] = {
        {"random bytes", randomBytes(4096, 26)},
        {"a run of FE", QByteArray(3000, '\xFE')},
        {"FD alone", QByteArray(1, '\xFD')},
        {"a megabyte", randomBytes(1 << 20, 2026)},
        {"a megabyte of FE FE and addresses", QByteArray::fromHex("FEFEE06403").repeated(200000)},
    };
    for (const Garbage& g : garbage) {
        for (const Decoder& d : byteDecoders) {
            SCOPED_TRACE(std::string(g.what) + " / " + d.name);
            QElapsedTimer took;
            took.start();
            const CatReading r = d.decode(g.bytes, CatQueries{});
            EXPECT_LT(took.elapsed(), 1000);
            if (d.framed) {
                EXPECT_FALSE(r.frequency.has_value());
                EXPECT_FALSE(r.mode.has_value());
            } else {
                EXPECT_TRUE(sameReading(r, d.decode(g.bytes.left(16), CatQueries{})));
                if (r.frequency) {
                    EXPECT_GE(*r.frequency, 0.0f);
                    EXPECT_LT(*r.frequency, 5000.0f);
                }
            }
        }
    }
}

}  // namespace
}  // namespace qf::rig
