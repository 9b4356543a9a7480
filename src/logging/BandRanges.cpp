#include "logging/BandRanges.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace qf {

namespace {

struct FrequencyRange {
    float low;
    float high;
    const char* band;
};

// Bounds are the 4-byte reals nearest the decimal numbers; the rows never overlap. The 10 GHz
// row names band "10" and so switches to the 10 m band, as it always has.
constexpr FrequencyRange kRanges[] = {
    {1.7999f, 2.0001f, "160"},    {3.4999f, 4.0001f, "80"},      {6.9999f, 7.3001f, "40"},
    {13.9999f, 14.3501f, "20"},   {20.9999f, 21.4501f, "15"},    {27.9999f, 29.7001f, "10"},
    {49.9999f, 54.0001f, "6"},    {143.9999f, 148.0001f, "2"},   {218.9999f, 225.0001f, "1.25"},
    {419.9999f, 450.0001f, "70"}, {901.9999f, 928.0001f, "902"}, {1239.9999f, 1300.0001f, "1.24"},
    {2300.0f, 2450.0f, "2.3"},    {3300.0f, 3500.0f, "3.3"},     {5650.0f, 5925.0f, "5.6"},
    {10000.0f, 10500.0f, "10"},   {10.0999f, 10.1501f, "30"},    {18.0679f, 18.1681f, "17"},
    {24.8899f, 24.9901f, "12"}};

struct MapRange {
    const char* band;
    double low;
    double high;
};

constexpr MapRange kMapRanges[] = {
    {"160", 1.8, 2},  {"80", 3.5, 4}, {"40", 7, 7.3},  {"20", 14, 14.35},  {"15", 21, 21.45},
    {"10", 28, 29.7}, {"6", 50, 54},  {"2", 144, 148}, {"1.25", 219, 225}, {"70", 420, 450}};

// Rounds a plain decimal text ("-14.0625", no exponent) to `places` decimals.
std::string roundDecimalText(const std::string& text, int places, bool halfEven) {
    std::string s = text;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    const size_t point = s.find('.');
    std::string whole = point == std::string::npos ? s : s.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : s.substr(point + 1);
    if (whole.empty()) whole.assign(1, '0');
    if (fraction.size() < static_cast<size_t>(places) + 1)
        fraction.resize(static_cast<size_t>(places) + 1, '0');
    std::string kept = whole + fraction.substr(0, static_cast<size_t>(places));
    const std::string rest = fraction.substr(static_cast<size_t>(places));
    bool up = false;
    if (rest[0] > '5') {
        up = true;
    } else if (rest[0] == '5') {
        const bool moreAfter = rest.find_first_not_of('0', 1) != std::string::npos;
        const bool lastOdd = ((kept.back() - '0') % 2) == 1;
        up = moreAfter || !halfEven || lastOdd;
    }
    if (up) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
        if (i < 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[static_cast<size_t>(i)];
        }
    }
    const size_t wholeDigits = kept.size() - static_cast<size_t>(places);
    std::string out = kept.substr(0, wholeDigits);
    if (places > 0) {
        out += '.';
        out.append(kept, wholeDigits, std::string::npos);
    }
    const bool zero = out.find_first_not_of("0.") == std::string::npos;
    return (negative && !zero ? "-" : "") + out;
}

// The value with 15 significant digits as a plain decimal text.
std::string fifteenDigits(double value) {
    if (value == 0 || !std::isfinite(value)) return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::max(0, 14 - magnitude);
    char buf[400];
    // to_chars, not printf: the user's locale must not change the decimal point.
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, res.ptr);
}

// "#.000": three decimals, and no digit before the point when the whole part is 0.
QString threeDecimals(const std::string& plain) {
    std::string r = roundDecimalText(plain, 3, false);
    const bool negative = !r.empty() && r[0] == '-';
    if (negative) r.erase(0, 1);
    if (r.rfind("0.", 0) == 0) r.erase(0, 1);
    return QString::fromStdString((negative ? "-" : "") + r);
}

}  // namespace

int bandIndex(const QString& band) {
    for (size_t i = 0; i < kBandTexts.size(); ++i) {
        if (band.compare(QLatin1String(kBandTexts[i]), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QString BandForFrequency(float mhz) {
    QString band;
    for (const FrequencyRange& r : kRanges) {
        if (r.low < mhz && mhz < r.high) band = QLatin1String(r.band);
    }
    return band;
}

QString nextBand(const QString& band) {
    const int i = bandIndex(band);
    if (i < 0) return QString();
    return QLatin1String(kBandTexts[static_cast<size_t>(i + 1) % kBandTexts.size()]);
}

BandEdges bandMapEdges(const QString& band) {
    for (const MapRange& r : kMapRanges) {
        if (band.compare(QLatin1String(r.band), Qt::CaseInsensitive) == 0) return {r.low, r.high};
    }
    return {};
}

QString frequencyText(float mhz) {
    if (!std::isfinite(mhz)) return QString::number(mhz);
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, mhz, std::chars_format::fixed);
    return threeDecimals(std::string(buf, res.ptr));
}

QString frequencyText(double mhz) {
    if (!std::isfinite(mhz)) return QString::number(mhz);
    return threeDecimals(fifteenDigits(mhz));
}

double roundHalfEven(double value, int places) {
    if (!std::isfinite(value)) return value;
    const std::string r = roundDecimalText(fifteenDigits(value), places, true);
    double out = 0;
    std::from_chars(r.data(), r.data() + r.size(), out);
    return out;
}

}  // namespace qf
