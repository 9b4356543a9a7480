#include "logging/BandRanges.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

// Each range's edges are strict, and every value is a 4-byte real: the bound itself is out,
// the smallest step inside is in.
TEST(BandRangesTest, EveryRangeEdge) {
    struct Case {
        float mhz;
        const char* band;
    };
    const Case cases[] = {
        {1.7999f, ""},    {1.8f, "160"},      {2.0f, "160"},      {2.0001f, ""},
        {3.4999f, ""},    {3.5f, "80"},       {4.0f, "80"},       {4.0001f, ""},
        {6.9999f, ""},    {7.0f, "40"},       {7.3f, "40"},       {7.3001f, ""},
        {13.9999f, ""},   {14.0f, "20"},      {14.35f, "20"},     {14.3501f, ""},
        {20.9999f, ""},   {21.0f, "15"},      {21.45f, "15"},     {21.4501f, ""},
        {27.9999f, ""},   {28.0f, "10"},      {29.7f, "10"},      {29.7001f, ""},
        {49.9999f, ""},   {50.0f, "6"},       {54.0f, "6"},       {54.0001f, ""},
        {143.9999f, ""},  {144.0f, "2"},      {148.0f, "2"},      {148.0001f, ""},
        {218.9999f, ""},  {219.0f, "1.25"},   {225.0f, "1.25"},   {225.0001f, ""},
        {419.9999f, ""},  {420.0f, "70"},     {450.0f, "70"},     {450.0001f, ""},
        {901.9999f, ""},  {902.0f, "902"},    {928.0f, "902"},    {928.0001f, ""},
        {1239.9999f, ""}, {1240.0f, "1.24"},  {1300.0f, "1.24"},  {1300.0001f, ""},
        {2300.0f, ""},    {2300.001f, "2.3"}, {2449.999f, "2.3"}, {2450.0f, ""},
        {3300.0f, ""},    {3300.001f, "3.3"}, {3499.999f, "3.3"}, {3500.0f, ""},
        {5650.0f, ""},    {5650.001f, "5.6"}, {5924.999f, "5.6"}, {5925.0f, ""},
        {10000.0f, ""},   {10000.001f, "10"}, {10368.1f, "10"},   {10500.0f, ""},
        {10.0999f, ""},   {10.1f, "30"},      {10.15f, "30"},     {10.1501f, ""},
        {18.0679f, ""},   {18.068f, "17"},    {18.168f, "17"},    {18.1681f, ""},
        {24.8899f, ""},   {24.89f, "12"},     {24.99f, "12"},     {24.9901f, ""},
        {0.0f, ""},       {-14.1f, ""},       {100000.0f, ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(BandForFrequency(c.mhz), QLatin1String(c.band)) << c.mhz;
    }
}

TEST(BandRangesTest, BandCaptionCycleAndBandIndex) {
    const char* cycle[][2] = {{"160", "80"},  {"80", "40"},  {"40", "20"}, {"20", "15"},
                              {"15", "10"},   {"10", "6"},   {"6", "2"},   {"2", "1.25"},
                              {"1.25", "70"}, {"70", "160"}, {"30", ""},   {"", ""}};
    for (const auto& c : cycle)
        EXPECT_EQ(nextBand(QLatin1String(c[0])), QLatin1String(c[1])) << c[0];
    EXPECT_EQ(bandIndex(QStringLiteral("1.25")), 8);
    EXPECT_EQ(bandIndex(QStringLiteral("17")), -1);
}

TEST(BandRangesTest, BandMapEdges) {
    EXPECT_DOUBLE_EQ(bandMapEdges(QStringLiteral("70")).low, 420);
    EXPECT_DOUBLE_EQ(bandMapEdges(QStringLiteral("70")).high, 450);
    EXPECT_DOUBLE_EQ(bandMapEdges(QStringLiteral("20")).high, 14.35);
    EXPECT_DOUBLE_EQ(bandMapEdges(QStringLiteral("1.25")).low, 219);
    EXPECT_DOUBLE_EQ(bandMapEdges(QStringLiteral("17")).low, 0);
    EXPECT_DOUBLE_EQ(bandMapEdges(QStringLiteral("17")).high, 0);
}

TEST(BandRangesTest, FrequencyTexts) {
    struct Case {
        float mhz;
        const char* text;
    };
    // A reading is rounded at the decimal value it was read as, half away from zero.
    const Case cases[] = {{14.025f, "14.025"},   {0.0f, ".000"},        {0.5f, ".500"},
                          {10.1f, "10.100"},     {14.0735f, "14.074"},  {14.07349f, "14.073"},
                          {7.0005f, "7.001"},    {1296.0f, "1296.000"}, {10368.1f, "10368.100"},
                          {99.9996f, "100.000"}, {-0.25f, "-.250"}};
    for (const Case& c : cases) EXPECT_EQ(frequencyText(c.mhz), QLatin1String(c.text)) << c.mhz;
    EXPECT_EQ(frequencyText(14.0245), QStringLiteral("14.025"));
    EXPECT_EQ(frequencyText(420.0), QStringLiteral("420.000"));
}

TEST(BandRangesTest, RoundingTiesGoToTheEvenDigit) {
    struct Case {
        double value, rounded;
    };
    const Case cases[] = {{14.0625, 14.062}, {14.0635, 14.064}, {14 + 0.75 * 0.35, 14.262},
                          {14.0875, 14.088}, {1.23451, 1.235},  {14.02399961853, 14.024},
                          {0.0005, 0.0},     {-2.0005, -2.0}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(roundHalfEven(c.value, 3), c.rounded) << c.value;
}

}  // namespace
}  // namespace qf
