#include "logging/ContactRules.h"

#include "common/Formats.h"
#include "logging/LogIndex.h"
#include "logging/LogTallies.h"
#include "logging/SPCTable.h"

namespace qf {

namespace {
bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// "mm/dd" or "mm/yy" of a stored date; empty when it does not read as one.
QString storedDate(const QString& text, const char* format) {
    const auto d = parseStoredDate(text);
    return d ? d->toString(QString::fromLatin1(format)) : QString();
}
}  // namespace

std::vector<FieldFailure> MissingFields(const EntryTexts& e, Exchange exchange,
                                        const QString& contestState) {
    std::vector<FieldFailure> out;
    const bool needCounty =
        exchange == Exchange::OutOfState || same(e.spc, contestState);
    if (needCounty && e.county.isEmpty()) out.push_back({EntryBox::County, QStringLiteral("Need County!")});
    if (e.name.isEmpty()) out.push_back({EntryBox::Name, QStringLiteral("Need Name!")});
    if (e.call.size() < 3) out.push_back({EntryBox::Call, QStringLiteral("Need Call Sign!")});
    if (exchange == Exchange::InState && e.spc.isEmpty()) {
        out.push_back({EntryBox::Spc, QStringLiteral("Need Country!")});
    }
    return out;
}

bool IsKnownSection(const SPCTable& spc, const QString& code) { return spc.find(code) > 0; }

bool IsKnownCounty(const CountyTable& counties, const QString& county) {
    return CountyRow(counties, county) > 0;
}

QString BadCountyText(const QString& county) {
    return county + QStringLiteral(" is not a valid county!");
}

Filled FillFromEarlier(EntryTexts& boxes, const QSORecord& earlier, const FillRule& rule) {
    Filled f;
    // The St/Prv/Country this same contact gives an empty box already counts for its county.
    const QString spcAfter = rule.spc && boxes.spc.isEmpty() ? earlier.SPC : boxes.spc;
    if (boxes.county.isEmpty() && (!rule.countyOnlyFor || same(spcAfter, *rule.countyOnlyFor))) {
        boxes.county = earlier.CountyRcvd;
        f.county = true;
    }
    if (rule.spc && boxes.spc.isEmpty()) {
        boxes.spc = earlier.SPC;
        f.spc = true;
    }
    if (rule.name && boxes.name.isEmpty()) {
        boxes.name = earlier.NameRcvd;
        f.name = true;
    }
    return f;
}

namespace {

// Every row of the log, oldest first: the plain walk.
struct AllRows {
    int count;
    struct It {
        int r;
        int operator*() const { return r; }
        It& operator++() {
            ++r;
            return *this;
        }
        bool operator!=(const It& o) const { return r != o.r; }
    };
    It begin() const { return {1}; }
    It end() const { return {count + 1}; }
};

template <typename Rows>
DupeAnswer findDuplicate(const QSOLog& log, const DupeQuery& query, const Rows& rows) {
    const bool inState = query.exchange == Exchange::InState;
    FillRule rule;
    rule.spc = inState;
    // A county belongs only to a contact with the contest state: filled for anyone else it would
    // be stored and counted as a multiplier.
    if (inState) rule.countyOnlyFor = query.contestState;
    EntryTexts boxes = query.entry;
    DupeAnswer a;
    for (int r : rows) {
        const QSORecord& q = log[r];
        if (!same(q.Call, boxes.call)) continue;
        const Filled f = FillFromEarlier(boxes, q, rule);
        a.countyFilled = a.countyFilled || f.county;
        a.spcFilled = a.spcFilled || f.spc;
        if (same(q.Band, query.band) && same(q.Mode, query.mode) && same(q.CountyRcvd, boxes.county) &&
            (!inState || same(q.CountySent, query.ownCounty))) {
            a.row = r;
            break;
        }
    }
    a.county = boxes.county;
    a.spc = boxes.spc;
    return a;
}

template <typename Rows>
EarlierContacts scanEarlierContacts(const QSOLog& log, const EntryTexts& boxes, const QString& band,
                                    const QString& mode, bool listAll, const Rows& rows) {
    EarlierContacts e;
    e.boxes = boxes;
    const FillRule rule{false, true, std::nullopt};
    for (int r : rows) {
        const QSORecord& q = log[r];
        if (!same(q.Call, boxes.call)) continue;
        e.rows.push_back(r);
        FillFromEarlier(e.boxes, q, rule);
        if (same(q.Band, band) && same(q.Mode, mode)) {
            e.warnings.push_back(r);
            if (!listAll) break;
        }
    }
    return e;
}

}  // namespace

DupeAnswer FindDuplicate(const QSOLog& log, const DupeQuery& query) {
    return findDuplicate(log, query, AllRows{log.QSOCount});
}

DupeAnswer FindDuplicate(const LogIndex& index, const QSOLog& log, const DupeQuery& query) {
    // Only the contacts with the call can fill a box or repeat the contact.
    return findDuplicate(log, query, index.rowsWithCall(query.entry.call));
}

EarlierContacts ScanEarlierContacts(const QSOLog& log, const EntryTexts& boxes, const QString& band,
                                    const QString& mode, bool listAll) {
    return scanEarlierContacts(log, boxes, band, mode, listAll, AllRows{log.QSOCount});
}

EarlierContacts ScanEarlierContacts(const LogIndex& index, const QSOLog& log,
                                    const EntryTexts& boxes, const QString& band,
                                    const QString& mode, bool listAll) {
    return scanEarlierContacts(log, boxes, band, mode, listAll, index.rowsWithCall(boxes.call));
}

QString DuplicateText(const QSORecord& q, int row, Exchange exchange) {
    if (exchange == Exchange::OutOfState) {
        return QStringLiteral("Duplicate ") + q.Call + QStringLiteral("  ") + q.QSODate +
               QStringLiteral("  ") + q.QSOTime + QStringLiteral("   Rec#  ") + QString::number(row);
    }
    const QString date = storedDate(q.QSODate, "MM/dd");
    if (date.isEmpty()) return QString();
    return QStringLiteral("Duplicate ") + q.Call + QLatin1Char(' ') + date + QLatin1Char(' ') +
           q.QSOTime + QStringLiteral("  Rec#  ") + QString::number(row);
}

QString RoverWarningText(const QSORecord& q, int row, Exchange exchange) {
    if (exchange == Exchange::OutOfState) {
        return QStringLiteral("Duplicate Unless Rover!  ") + q.Call + QStringLiteral("  ") +
               q.QSODate + QStringLiteral("  ") + q.QSOTime + QStringLiteral("   Rec#  ") +
               QString::number(row);
    }
    const QString date = storedDate(q.QSODate, "MM/yy");
    if (date.isEmpty()) return QString();
    return QStringLiteral("Dupe if not rover!  ") + q.Call + QStringLiteral("  ") + date +
           QStringLiteral("  ") + q.QSOTime + QStringLiteral("   Rec#  ") + QString::number(row);
}

QString PartialDupeList(const QSOLog& log, const QString& typed, const QString& band,
                        const QString& mode, const std::optional<QString>& ownCounty) {
    QString list;
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QSORecord& q = log[r];
        if (same(q.Mode, mode) && same(q.Band, band) && (!ownCounty || same(q.CountySent, *ownCounty)) &&
            q.Call.startsWith(typed, Qt::CaseInsensitive)) {
            list = q.Call + QLatin1Char(' ') + list;
        }
        if (list.size() > 100) break;
    }
    return list;
}

QString PartialDupeList(const LogIndex& index, const QSOLog& log, const QString& typed,
                        const QString& band, const QString& mode,
                        const std::optional<QString>& ownCounty) {
    return index.partialDupes(log, typed, band, mode, ownCounty);
}

void CountContact(Tallies& t, const QString& mode) {
    t.QSOPoints += 2;
    if (same(mode, QStringLiteral("PH"))) {
        ++t.PHQSOCount;
    } else if (same(mode, QStringLiteral("CW"))) {
        ++t.CWQSOCount;
    } else {
        ++t.DGQSOCount;
    }
}

}  // namespace qf
