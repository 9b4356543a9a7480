#include "logging/SpotSlots.h"

#include "common/Formats.h"
#include "common/QuotedFieldLine.h"
#include "platform/Error.h"

namespace qf {

namespace {
Error badSlot() {
    return Error(err::kSubscript, QStringLiteral("Subscript out of range"));
}

bool isCallCharacter(QChar c) {
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '/';
}
}  // namespace

SpotSlot& SpotSlotTable::operator[](int i) {
    if (i < 0 || i >= kSlots) throw badSlot();
    return slots_[static_cast<size_t>(i)];
}

const SpotSlot& SpotSlotTable::operator[](int i) const {
    if (i < 0 || i >= kSlots) throw badSlot();
    return slots_[static_cast<size_t>(i)];
}

void SpotSlotTable::take(const QString& call, float mhz, const QDateTime& arrivedLocal) {
    // The label is a function of the call alone, so it moves with its slot.
    for (size_t i = 1; i < slots_.size(); ++i) slots_[i - 1] = std::move(slots_[i]);
    SpotSlot& newest = slots_.back();
    newest.SpotCall = call;
    newest.SpotFrequency = mhz;
    newest.SpotTime = arrivedLocal;
    newest.SpotLabel = SpotLabelText(call);
    for (int i = kSlots - 2; i >= 1; --i) {
        SpotSlot& s = slots_[static_cast<size_t>(i)];
        if (s.SpotCall.compare(call, Qt::CaseInsensitive) == 0) {
            s.SpotFrequency = 0;
            break;
        }
    }
}

QString SpotLabelText(const QString& call) {
    const int length = static_cast<int>(call.size());
    if (length < 3) return QString();
    int lastDigit = 0;  // 1-based positions, 0 for none
    int firstDigit = 0;
    for (int i = 0; i < length; ++i) {
        if (call[i].isDigit() && call[i].unicode() < 128) {
            lastDigit = i + 1;
            if (firstDigit == 0) firstDigit = i + 1;
        }
    }
    if (lastDigit == 0) lastDigit = length;
    const int slash = static_cast<int>(call.lastIndexOf(QLatin1Char('/'))) + 1;
    if (slash == 0) return call.left(lastDigit);
    if (slash < length / 2.0 + 1) return call.left(slash - 1);
    const QString after = call.mid(slash, lastDigit);
    double number = 0;
    if (parseNumber(after, number)) {
        return call.left(firstDigit > 0 ? firstDigit - 1 : length) + after;
    }
    return after;
}

QString cleanSpottedCall(const QString& call) {
    const QString t = call.trimmed();
    int n = 0;
    while (n < t.size() && isCallCharacter(t[n])) ++n;
    return t.left(n);
}

QString mhzText(double mhz) { return QString::number(mhz, 'g', 15); }

QStringList spotListRow(const QString& call, double mhz, const QString& record,
                        const QString& country) {
    const qsizetype cr = record.indexOf(QLatin1Char('\r'));
    const QString r = cr >= 0 ? record.left(cr) : record;
    // Character positions count from 1, as the cluster's column layout does.
    auto chars = [&r](int first, int count) { return r.mid(first - 1, count); };
    return {call,
            mhzText(mhz),
            country,
            QString(),
            chars(1, 11).trimmed() + QStringLiteral("  ") + chars(35, 25).trimmed(),
            chars(62, 5).trimmed(),
            chars(68, 4),
            chars(73, 4).trimmed()};
}

BandEdges bandMapRange(const SpotSlotTable& table, const QString& band) {
    BandEdges edges = bandMapEdges(band);
    double smallest = edges.high, largest = edges.low;
    for (int i = 1; i < SpotSlotTable::kSlots; ++i) {
        const double f = table[i].SpotFrequency;
        if (edges.low < f && f < edges.high) {
            if (f < smallest) smallest = f;
            if (f > largest) largest = f;
        }
    }
    if (largest > smallest) edges = {smallest - 0.001, largest + 0.001};
    return edges;
}

QString scaleLabelText(const BandEdges& range, int i) {
    return frequencyText(roundHalfEven(range.low + i * 0.25 * (range.high - range.low), 3));
}

quint32 spotAgeColor(qint64 ageSeconds) {
    if (ageSeconds < 600) return kSpotNewColor;
    if (ageSeconds < 1800) return kSpotColor;
    return kSpotOldColor;
}

std::vector<DrawnSpot> bandMapSpots(const SpotSlotTable& table, float low, float high,
                                    const QDateTime& nowLocal) {
    std::vector<DrawnSpot> drawn;
    for (int i = SpotSlotTable::kSlots - 1; i >= 0; --i) {
        const SpotSlot& s = table[i];
        if (!(low < s.SpotFrequency && s.SpotFrequency < high)) continue;
        const qint64 age = s.SpotTime.secsTo(nowLocal);
        if (age >= kSpotMaxAgeSeconds) break;
        drawn.push_back({i, spotAgeColor(age)});
    }
    return drawn;
}

QString spotToolTip(const SpotSlot& slot, float utcOffsetHours) {
    return slot.SpotCall + QStringLiteral("  ") + frequencyText(slot.SpotFrequency) +
           QStringLiteral("  ") +
           addUtcOffset(slot.SpotTime, utcOffsetHours).toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace qf
