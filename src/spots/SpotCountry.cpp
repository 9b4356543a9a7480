#include "spots/SpotCountry.h"

#include <cmath>

namespace qf {

namespace {

// The first character's code; an empty text's is 0, below every character and equal to none.
int firstCode(const QString& text) {
    return text.isEmpty() ? 0 : text.front().unicode();
}

// Row 0 and the rows past the loaded ones read as empty prefixes.
const PrefixRow& rowAt(const PrefixTable& table, int r) {
    static const PrefixRow kEmpty;
    if (r < 0 || static_cast<size_t>(r) >= table.rows.size()) return kEmpty;
    return table.rows[static_cast<size_t>(r)];
}

QString lookupKey(const QString& call) {
    const qsizetype slash = call.indexOf(QLatin1Char('/'));
    if (slash < 0) return call;
    const qsizetype after = call.size() - (slash + 1);
    // Half the length as a real number: a 9-character call allows up to 4 after the "/".
    if (after > 1 && static_cast<double>(after) < call.size() / 2.0) return call.right(after);
    return call;
}

}  // namespace

QString LookupSpotCountry(const PrefixTable& table, const QString& call) {
    const QString key = lookupKey(call);
    if (key.isEmpty()) return QString();
    const int count = table.PrefixCount;
    const int keyFirst = firstCode(key);
    const int c = keyFirst < 'A' ? 'A' : keyFirst;
    const double interpolated = std::floor((c - 64) / 26.0 * count);
    // Only a first character past "Z" (lower case, say) lands beyond the table.
    if (interpolated > count) return QString();
    int start = static_cast<int>(interpolated);

    // Back to (or just before) the first row of the key's block.
    while (firstCode(rowAt(table, start).Prefix) == keyFirst) {
        start = start - 5 < 1 ? 1 : start - 5;
        if (start == 1) break;
    }

    const bool down = firstCode(rowAt(table, start).Prefix) > keyFirst;
    const int step = down ? -1 : 1;
    const int end = down ? 1 : count;
    qsizetype bestLength = 0;
    bool matched = false;
    QString result;
    for (int r = start; down ? r >= end : r <= end; r += step) {
        const PrefixRow& row = rowAt(table, r);
        // Only a strictly longer prefix wins: of two equal ones, the first met stays.
        if (row.Prefix.size() > bestLength && key.startsWith(row.Prefix, Qt::CaseSensitive)) {
            bestLength = row.Prefix.size();
            result = row.PrefixCountry;
            matched = true;
        }
        const int first = firstCode(row.Prefix);
        if (down ? first < keyFirst : first > keyFirst) break;
    }
    // KG4 with a longer suffix is a US call, not Guantanamo Bay.
    if (matched && key.startsWith(QLatin1String("KG4")) && key.size() > 5) {
        result = QStringLiteral("USA");
    }
    return result;
}

}  // namespace qf
