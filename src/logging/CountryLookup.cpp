#include "logging/CountryLookup.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qf {

namespace {
bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The first character's code, compared without regard to case as every text here is; an empty
// text sorts before everything.
int firstCode(const QString& text) {
    return text.isEmpty() ? 0 : text.front().toUpper().unicode();
}
}  // namespace

QString LookupCallOf(const QString& call) {
    const qsizetype slash = call.indexOf(QLatin1Char('/'));
    if (slash < 0) return call;
    const qsizetype after = call.size() - (slash + 1);
    if (after * 2 < call.size() && after > 1) return call.right(after);
    return call;
}

CountryMatch CountryLookup(const PrefixTable& table, const QString& call) {
    CountryMatch m;
    const QString lookup = LookupCallOf(call);
    if (lookup.isEmpty()) {
        m.kind = CountryMatch::Kind::EmptyCall;
        return m;
    }
    const int count = table.PrefixCount;
    const int first = firstCode(lookup);
    // Digits and signs start where "A" would.
    const long long c = std::max(first, int{'A'});
    long long start = static_cast<long long>(count) * (c - 64) / 26;
    // A table too short for the interpolation, or a first character past "Z": the search has
    // nowhere to start, and nothing outside the table is read.
    if (start < 1 || start > count) return m;
    int idx = static_cast<int>(start);
    while (idx > 1 && firstCode(table[idx].Prefix) == first) idx = std::max(1, idx - 5);

    int best = 0;
    qsizetype bestLength = 0;
    const auto consider = [&](int row) {
        const QString& prefix = table[row].Prefix;
        if (prefix.size() > bestLength && lookup.startsWith(prefix, Qt::CaseInsensitive)) {
            best = row;
            bestLength = prefix.size();
        }
    };
    if (firstCode(table[idx].Prefix) > first) {
        for (int row = idx; row >= 1; --row) {
            consider(row);
            if (firstCode(table[row].Prefix) < first) break;
        }
    } else {
        for (int row = idx; row <= count; ++row) {
            consider(row);
            if (firstCode(table[row].Prefix) > first) break;
        }
    }

    m.prefixRow = best;
    if (best == 0) {
        m.kind = CountryMatch::Kind::NotFound;
        return m;
    }
    const QString& country = table[best].PrefixCountry;
    if (same(country, QStringLiteral("USA")) || same(country, QStringLiteral("Canada"))) {
        m.kind = CountryMatch::Kind::UsaOrCanada;
        return m;
    }
    m.kind = CountryMatch::Kind::Country;
    m.positionRow = best;
    m.spc = country;
    // KG4 with a one- or three-letter suffix is a US call; only two letters mean Guantanamo Bay.
    if (call.startsWith(QStringLiteral("KG4"), Qt::CaseInsensitive) &&
        (call.size() > 5 || call.size() == 4)) {
        m.spc.clear();
        for (int row = 1; row <= count; ++row) {
            if (same(table[row].PrefixCountry, QStringLiteral("USA"))) {
                m.positionRow = row;
                break;
            }
        }
    }
    if (same(m.spc, QStringLiteral("Alaska"))) m.spc = QStringLiteral("AK");
    if (same(m.spc, QStringLiteral("Hawaii"))) m.spc = QStringLiteral("HI");
    const PrefixRow& at = table[m.positionRow];
    m.continent = at.PrefixContinent;
    m.latitude = at.PrefixLatitude;
    m.longitude = at.PrefixLongitude;
    return m;
}

QString CanadianProvince(const QString& call) {
    static const std::array<std::pair<const char*, const char*>, 12> kProvinces{{
        {"VE9", "NB"},
        {"VE1", "NS"},
        {"VE2", "QC"},
        {"VE3", "ON"},
        {"VE4", "MB"},
        {"VE5", "SK"},
        {"VE6", "AB"},
        {"VE7", "BC"},
        {"VE8", "NT"},
        {"VY1", "NT"},
        {"VO2", "LB"},
        {"VY2", "PE"},
    }};
    if (call.size() <= 2) return QString();
    const QString start = call.left(3);
    for (const auto& [prefix, province] : kProvinces) {
        if (same(start, QLatin1String(prefix))) return QString::fromLatin1(province);
    }
    return QString();
}

}  // namespace qf
