// The pure parts of tuning: hex digits, mode commands, the band plan's mode, both band-plan
// readers (fixtures and the shipped file) and the two waits on the test clock.
#include "platform/Error.h"
#include "rig/BandPlan.h"
#include "rig/CatCommands.h"
#include "rig/RigModels.h"
#include "rig/RigWaits.h"
#include "support/TestApp.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <map>
#include <set>

namespace qf::rig {
namespace {

QByteArray hex(const char* pairs) {
    return QByteArray::fromHex(pairs);
}

TEST(HexDigitsToBytes, PairsFromTheLeftAndNothingForANonHexPiece) {
    const std::pair<const char*, QByteArray> cases[] = {
        {"FEFE64", hex("FEFE64")}, {"ABC", hex("AB0C")}, {"fe0a", hex("FE0A")}, {"", QByteArray()},
        {"FEGE", QByteArray()},    {"+1", QByteArray()}, {"1 ", QByteArray()},
    };
    for (const auto& [digits, bytes] : cases)
        EXPECT_EQ(HexDigitsToBytes(QString::fromLatin1(digits)), bytes) << digits;
}

TEST(EncodeSetMode, EachFamilyAndItsCodes) {
    struct Case {
        const char* model;
        const char* mode;
        QByteArray sent;
    };
    const QString icomQuery = QStringLiteral("FE FE 64 E0 03 FD");
    const Case cases[] = {
        {"Icom", "CW", hex("FEFE64E00603FD")},
        {"Ten Tec Omni VI", "RTTY-R", hex("FEFE64E00608FD")},
        {"Icom", "FSK", {}},
        {"Kenwood", "USB", "MD2;"},
        {"Kenwood 2", "RTTY", "MD6;"},
        {"Elecraft", "FSK", "MD6;"},
        {"Kenwood", "CW-R", {}},
        {"Yaesu", "LSB", hex("0000000007")},
        {"Yaesu", "RTTY", hex("0A00000007")},
        {"Yaesu", "DIG", hex("0A00000007")},
        {"Yaesu 890", "AM", hex("000000040C")},
        {"Yaesu 1000 D", "PKT", hex("0000000A0C")},
        {"Yaesu 757 GX II", "DIG", {}},
        {"Yaesu FTdx9000", "CW", "MD03;"},
        {"Yaesu FTdx9000", "CW-R", "MD07;"},
        {"Icom 735", "CW", {}},
        {"Ten Tec Orion", "USB", {}},
        {"Ten Tec Fnt Pnl", "USB", {}},
        {"Ten Tec Pegasus", "USB", {}},
        {"Other", "USB", {}},
        {"Kenwood", "cw", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodeSetMode(QLatin1String(c.model), QLatin1String(c.mode), icomQuery,
                                QStringLiteral("MD0;")),
                  c.sent)
            << c.model << " " << c.mode;
    // The CI-V address follows the read string; one that is not two hex digits sends nothing.
    EXPECT_EQ(EncodeSetMode(QStringLiteral("Icom"), QStringLiteral("USB"),
                            QStringLiteral("FE FE 04 E0 03 FD"), QString()),
              hex("FEFE04E00601FD"));
    EXPECT_EQ(EncodeSetMode(QStringLiteral("Icom"), QStringLiteral("USB"), QStringLiteral("FEFE"),
                            QString()),
              QByteArray());
}

// Every row of the model table, with its own preset read strings, tuned to 14.025 MHz (a CW
// frequency, so the band plan asks for CW first): what goes where, after which pauses. A model
// added to the table without a line here fails.
TEST(TuneCommands, EveryModelsCommandsAt14025) {
    using Route = FrequencyCommand::Route;
    struct Case {
        const char* model;
        Route route;
        std::vector<int> pauses;
        QByteArray frequency;
        QByteArray cw;
        bool pump = false;
    };
    const Case cases[] = {
        {"None", Route::Nothing, {}, {}, {}},
        {"Elecraft", Route::Port, {205, 1000}, "FA00014025000;", "MD3;", true},
        {"Icom", Route::Port, {140}, hex("FEFE64E0050050021400FD"), hex("FEFE64E00603FD")},
        {"Icom 735", Route::Port, {140}, hex("FEFE64E00500500214FD"), {}},
        {"Kenwood", Route::Port, {205}, "FA00014025000;", "MD3;"},
        {"Kenwood 2", Route::Port, {205}, "FA00014025000;", "MD3;"},
        {"Ten Tec Omni VI",
         Route::Port,
         {140, 220},
         hex("FEFE04E0050050021400FD"),
         hex("FEFE04E00603FD")},
        {"Ten Tec Orion", Route::Port, {205}, "*AF14025000\r", {}},
        {"Ten Tec Fnt Pnl", Route::Port, {205}, hex("2A4100D601280D"), {}},
        {"Ten Tec Pegasus", Route::PegasusFile, {205}, {}, {}},
        {"Yaesu", Route::Port, {205}, hex("0140250001"), hex("0200000007")},
        {"Yaesu 757 GX II", Route::Port, {205}, hex("002540010A"), hex("000000020C")},
        {"Yaesu 890", Route::Port, {205}, hex("002540010A"), hex("000000020C")},
        {"Yaesu 920", Route::Port, {205}, hex("002540010A"), hex("000000020C")},
        {"Yaesu 990", Route::Port, {205}, hex("002540010A"), hex("000000020C")},
        {"Yaesu 1000 D", Route::Port, {205}, hex("002540010A"), hex("000000020C")},
        {"Yaesu 1000", Route::Port, {10}, hex("002540010A"), hex("000000020C")},
        {"Yaesu FTdx9000", Route::Port, {205}, "FA14025000;", "MD03;"},
        {"Other", Route::Nothing, {}, {}, {}},
    };
    std::set<QString> seen;
    for (const RigModelRow& row : RigModels()) {
        SCOPED_TRACE(row.name.toStdString());
        const Case* c = nullptr;
        for (const Case& k : cases)
            if (row.name == QLatin1String(k.model)) c = &k;
        ASSERT_NE(c, nullptr) << "no expected commands";
        seen.insert(row.name);
        // Before any status reply: VFO A.
        const auto command = EncodeSetFrequency(row.name, 14.025f, row.frequencyQuery, 10);
        ASSERT_TRUE(command);
        EXPECT_EQ(command->route, c->route);
        EXPECT_EQ(command->pausesMs, c->pauses);
        EXPECT_EQ(command->pumpBetweenPauses, c->pump);
        EXPECT_EQ(command->bytes.toHex(' '), c->frequency.toHex(' '));
        EXPECT_EQ(EncodeSetMode(row.name, QStringLiteral("CW"), row.frequencyQuery, row.modeQuery)
                      .toHex(' '),
                  c->cw.toHex(' '));
    }
    for (const Case& c : cases) EXPECT_TRUE(seen.count(QLatin1String(c.model))) << c.model;
}

// The CI-V address is characters 7 and 8 of the read string, and only two hex digits are one:
// anything else tunes no radio at all rather than a guessed one.
TEST(CivAddress, TwoHexDigitsOrNothingIsSent) {
    const std::pair<const char*, std::optional<quint8>> cases[] = {
        {"FE FE 64 E0 03 FD", 0x64},
        {"FE FE 6f E0 03 FD", 0x6F},
        {"FE FE 04", 0x04},
        {"FE FE 4 E0 03 FD", {}},
        {"FE FE 4", {}},
        {"FE FE", {}},
        {"FE FE G4 E0 03 FD", {}},
        {"FE FE  4 E0 03 FD", {}},
        {"FE FE +4 E0 03 FD", {}},
        {"", {}},
    };
    for (const auto& [query, address] : cases) {
        SCOPED_TRACE(query);
        const QString q = QLatin1String(query);
        EXPECT_EQ(CivAddress(q), address);
        for (const char* model : {"Icom", "Icom 735", "Ten Tec Omni VI"}) {
            const auto command = EncodeSetFrequency(QLatin1String(model), 14.025f, q, 10);
            EXPECT_EQ(command.has_value(), address.has_value()) << model;
            if (command) {
                EXPECT_EQ(static_cast<quint8>(command->bytes.at(2)), *address) << model;
            }
        }
        const QByteArray mode = EncodeSetMode(QStringLiteral("Icom"), QStringLiteral("CW"), q, {});
        EXPECT_EQ(mode.isEmpty(), !address.has_value());
    }
}

TEST(EncodeSetFrequency, RefusesWhatNoFieldCanHold) {
    // Byte fields one step past their width; the text families write wider values whole.
    const std::pair<const char*, float> refused[] = {
        {"Icom 735", 100.0f},
        {"Icom", 10000.0f},
        {"Ten Tec Omni VI", 10000.0f},
        {"Ten Tec Fnt Pnl", 4295.0f},
        {"Yaesu", 1000.0f},
        {"Yaesu 890", 1000.0f},
        {"Kenwood", 0.0f},
        {"Other", -14.025f},
    };
    for (const auto& [model, mhz] : refused)
        EXPECT_FALSE(
            EncodeSetFrequency(QLatin1String(model), mhz, QStringLiteral("FE FE 64 E0 03 FD"), 0))
            << model << " " << mhz;
    const std::pair<const char*, float> fits[] = {
        {"Icom 735", 99.999f},
        {"Ten Tec Fnt Pnl", 4294.0f},
        {"Yaesu", 999.99f},
        {"Kenwood", 262144.0f},
    };
    for (const auto& [model, mhz] : fits)
        EXPECT_TRUE(
            EncodeSetFrequency(QLatin1String(model), mhz, QStringLiteral("FE FE 64 E0 03 FD"), 0))
            << model << " " << mhz;
    EXPECT_EQ(
        EncodeSetFrequency(QStringLiteral("Kenwood"), 262144.0f, QStringLiteral("FA;"), 0)->bytes,
        QByteArray("FA262144000000;"));
}

BandPlanSegment seg(const char* band, const char* cls, const char* mode, float lo, float hi) {
    return {QLatin1String(band), QLatin1String(cls), QLatin1String(mode), lo, hi};
}

TEST(SidebandForFrequency, TheFirstRowHoldingTheFrequencyDecides) {
    const std::vector<BandPlanSegment> plan = {
        seg("160", "E", "CW", 1.8f, 1.9f),   seg("80", "E", "CW", 3.5f, 3.6f),
        seg("80", "E", "PH", 3.6f, 4.0f),    seg("60", "E", "PH", 5.3306f, 5.3334f),
        seg("40", "E", "CW", 7.0f, 7.125f),  seg("40", "E", "PH", 7.125f, 7.3f),
        seg("20", "E", "CW", 14.0f, 14.15f), seg("20", "E", "PH", 14.15f, 14.35f),
        seg("20", "E", "RY", 14.07f, 14.1f),  // after the CW row that holds it: never reached
    };
    const std::pair<float, const char*> cases[] = {
        {14.025f, "CW"}, {14.2f, "USB"}, {3.8f, "LSB"}, {5.332f, "USB"}, {7.2f, "LSB"},
        {1.85f, ""},     {14.15f, ""},   {7.125f, ""},  {10.12f, ""},    {14.08f, "CW"},
    };
    for (const auto& [f, mode] : cases)
        EXPECT_EQ(SidebandForFrequency(plan, f, QString()), QLatin1String(mode)) << f;
    // A frequency outside every row keeps the mode it came with; an empty plan gives nothing.
    EXPECT_EQ(SidebandForFrequency(plan, 10.12f, QStringLiteral("AM")), QStringLiteral("AM"));
    EXPECT_EQ(SidebandForFrequency({}, 14.025f, QString()), QString());
    // A row mode other than CW and PH is passed on as it stands.
    EXPECT_EQ(SidebandForFrequency({seg("20", "E", "RY", 14.0f, 14.1f)}, 14.05f, QString()),
              QStringLiteral("RY"));
}

class BandPlanReaders : public ::testing::Test {
  protected:
    QString write(const QByteArray& data) {
        const QString path = dir.path() + QStringLiteral("/BandPlan.txt");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
        return path;
    }
    static QByteArray rows(int n, const char* cls) {
        QByteArray d = "\"1/1/2020\"\r\n";
        for (int i = 0; i < n; ++i) d += "\"20\",\"" + QByteArray(cls) + "\",\"CW\",14,14.15\r\n";
        return d;
    }
    QTemporaryDir dir;
};

TEST_F(BandPlanReaders, MixedClassesAndTheLowerCaseE) {
    const QString path = write(
        "\"Dec 15, 2006\"\r\n"
        "\"20\",\"O\",\"CW\",14,14.35\r\n"
        "\"20\",\"E\",\"CW\",14,14.15\r\n"
        "\"20\",\"G\",\"PH\",14.225,14.35\r\n"
        "\"20\",\"e\",\"PH\",14.15,14.35\r\n"
        "\"40\",\"E\",\"PH\",7.125,7.3\r\n");
    const auto extra = LoadExtraSegments(path);
    ASSERT_EQ(extra.size(), 2u);
    EXPECT_EQ(extra[0].SegmentBand, QStringLiteral("20"));
    EXPECT_EQ(extra[0].SegmentHigh, 14.15f);
    EXPECT_EQ(extra[1].SegmentBand, QStringLiteral("40"));
    EXPECT_EQ(extra[1].SegmentMode, QStringLiteral("PH"));
    const BandPlanChart chart = ReadBandPlanChart(path);
    EXPECT_FALSE(chart.failed);
    EXPECT_TRUE(chart.effectiveRead);
    EXPECT_EQ(chart.effective, QStringLiteral("Dec 15, 2006"));
    EXPECT_EQ(chart.rows.size(), 5u);
    EXPECT_EQ(chart.count, 5);
    EXPECT_EQ(chart.rows[3].SegmentClass, QStringLiteral("e"));
}

TEST_F(BandPlanReaders, LimitsAndFailures) {
    // The date alone: empty tables, no failure.
    QString path = write("\"1/1/2020\"\r\n");
    EXPECT_TRUE(LoadExtraSegments(path).empty());
    BandPlanChart chart = ReadBandPlanChart(path);
    EXPECT_FALSE(chart.failed);
    EXPECT_EQ(chart.count, 0);
    EXPECT_EQ(chart.effective, QStringLiteral("1/1/2020"));

    // 200 rows fill both tables; a 201st fails the chart and is left out of the rig's table.
    path = write(rows(200, "E"));
    EXPECT_EQ(LoadExtraSegments(path).size(), 200u);
    chart = ReadBandPlanChart(path);
    EXPECT_FALSE(chart.failed);
    EXPECT_EQ(chart.count, 200);
    path = write(rows(201, "E"));
    EXPECT_EQ(LoadExtraSegments(path).size(), 200u);
    chart = ReadBandPlanChart(path);
    EXPECT_TRUE(chart.failed);
    EXPECT_EQ(chart.count, 201);
    EXPECT_EQ(chart.rows.size(), 200u);
    // Past 200 "E" rows the rig's reader still walks the file to its end, keeping the first 200.
    path = write(rows(150, "G") + rows(250, "E").mid(12));
    EXPECT_EQ(LoadExtraSegments(path).size(), 200u);

    // A row that cannot be read ends both readings; the rows before it stay.
    path = write(
        "\"d\"\r\n\"20\",\"E\",\"CW\",14,14.15\r\n\"40\",\"E\",\"CW\",seven,7.1\r\n"
        "\"15\",\"E\",\"CW\",21,21.2\r\n");
    const auto extra = LoadExtraSegments(path);
    ASSERT_EQ(extra.size(), 1u);
    EXPECT_EQ(extra[0].SegmentBand, QStringLiteral("20"));
    chart = ReadBandPlanChart(path);
    EXPECT_TRUE(chart.failed);
    EXPECT_EQ(chart.rows.size(), 1u);
    EXPECT_EQ(chart.count, 2);
    // A row cut short at the end of the file likewise.
    path = write("\"d\"\r\n\"20\",\"E\",\"CW\",14,14.15\r\n\"40\",\"E\"\r\n");
    EXPECT_EQ(LoadExtraSegments(path).size(), 1u);
    EXPECT_TRUE(ReadBandPlanChart(path).failed);

    // No file, an empty file, and a FIFO of the name: nothing read, nothing waits.
    QFile::remove(path);
    EXPECT_TRUE(LoadExtraSegments(path).empty());
    chart = ReadBandPlanChart(path);
    EXPECT_TRUE(chart.failed);
    EXPECT_FALSE(chart.effectiveRead);
    path = write("");
    EXPECT_TRUE(ReadBandPlanChart(path).failed);
    QFile::remove(path);
    ASSERT_EQ(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    EXPECT_TRUE(LoadExtraSegments(path).empty());
    EXPECT_TRUE(ReadBandPlanChart(path).failed);
}

TEST(ShippedBandPlan, BothReadersTakeItAndItsRunsHoldTogether) {
    const QString path = test::shippedDataFile(QStringLiteral("BandPlan.txt"));
    const BandPlanChart chart = ReadBandPlanChart(path);
    ASSERT_FALSE(chart.failed);
    EXPECT_FALSE(chart.effective.isEmpty());
    ASSERT_LE(chart.rows.size(), static_cast<size_t>(BandPlanMaxRows));

    const QStringList bands = {"160", "80", "60", "40", "30",   "20", "17", "15",
                               "12",  "10", "6",  "2",  "1.25", "70", "33", "23"};
    QStringList runs;  // band of each run, in file order
    std::map<QString, std::set<QString>> bandsOfClass;
    for (size_t i = 0; i < chart.rows.size(); ++i) {
        const BandPlanSegment& s = chart.rows[i];
        if (runs.isEmpty() || runs.back() != s.SegmentBand) {
            // A run opens with its outline row, and a band has one run.
            EXPECT_EQ(s.SegmentClass, QStringLiteral("O")) << "row " << i + 1;
            EXPECT_FALSE(runs.contains(s.SegmentBand)) << s.SegmentBand.toStdString();
            runs << s.SegmentBand;
            continue;
        }
        EXPECT_NE(s.SegmentClass, QStringLiteral("O")) << "row " << i + 1;
        EXPECT_TRUE(s.SegmentMode == u"CW" || s.SegmentMode == u"PH") << "row " << i + 1;
        EXPECT_LT(s.SegmentLow, s.SegmentHigh) << "row " << i + 1;
        // Inside its band's outline.
        const BandPlanSegment* outline = nullptr;
        for (const BandPlanSegment& o : chart.rows)
            if (o.SegmentBand == s.SegmentBand && o.SegmentClass == u"O") outline = &o;
        ASSERT_NE(outline, nullptr);
        EXPECT_GE(s.SegmentLow, outline->SegmentLow) << "row " << i + 1;
        EXPECT_LE(s.SegmentHigh, outline->SegmentHigh) << "row " << i + 1;
        bandsOfClass[s.SegmentClass].insert(s.SegmentBand);
    }
    EXPECT_EQ(runs, bands);
    for (const auto& [cls, b] : bandsOfClass) EXPECT_LE(b.size(), 20u) << cls.toStdString();
    EXPECT_EQ(bandsOfClass[QStringLiteral("E")].size(), 16u);

    // The rig's reader takes the same Extra rows, and they give the modes an operator expects.
    const auto extra = LoadExtraSegments(path);
    size_t extraRows = 0;
    for (const BandPlanSegment& s : chart.rows) extraRows += s.SegmentClass == u"E";
    EXPECT_EQ(extra.size(), extraRows);
    const std::pair<float, const char*> modes[] = {
        {1.84f, ""},     {3.55f, "CW"},  {3.9f, "LSB"},   {5.3585f, "USB"},
        {7.02f, "CW"},   {7.2f, "LSB"},  {10.12f, "CW"},  {14.025f, "CW"},
        {14.25f, "USB"}, {18.1f, "CW"},  {21.3f, "USB"},  {24.95f, "USB"},
        {28.4f, "USB"},  {50.05f, "CW"}, {144.2f, "USB"}, {446.0f, "USB"},
    };
    for (const auto& [f, mode] : modes)
        EXPECT_EQ(SidebandForFrequency(extra, f, QString()), QLatin1String(mode)) << f;
}

TEST(RigWaits, PausesAndTheDrainBoundRunOnTheClock) {
    TestClock clock;
    const qint64 start = clock.tickMs();
    PauseMs(clock, 205);
    EXPECT_EQ(clock.sleeps(), (std::vector<qint64>{205}));
    EXPECT_EQ(clock.tickMs() - start, 205);

    // A port that never drains ends the wait after 2000 ms of clock time, not of real time.
    int reads = 0;
    const qint64 before = clock.tickMs();
    WaitOutputDrained(clock, [&] {
        ++reads;
        return 16;
    });
    EXPECT_EQ(clock.tickMs() - before, kDrainBoundMs);
    EXPECT_EQ(reads, kDrainBoundMs);
    // A drained port, or one whose count cannot be read, ends it at once.
    const qint64 at = clock.tickMs();
    WaitOutputDrained(clock, [] { return 0; });
    WaitOutputDrained(clock, []() -> int { throw Error(8018, QStringLiteral("Port is closed")); });
    EXPECT_EQ(clock.tickMs(), at);
}

}  // namespace
}  // namespace qf::rig
