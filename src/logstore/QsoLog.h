// The contest log in memory: QSORecord, the rows of QSOLog (1 to QSOCount, row 0 unused,
// capacity 11000 contacts) and the counts the log store keeps with it.
#pragma once

#include <QString>

#include <vector>

namespace qf {

constexpr int kLogCapacity = 11000;

// One contact, its 19 fields in file order.
struct QSORecord {
    QString Call;
    QString NameSent;
    QString NameRcvd;
    QString SPC;          // state/province code, or a DX country name (in-state window only)
    QString CountyRcvd;   // county abbreviation
    QString StateOverride;
    QString CountySent;   // own county (in-state window only)
    QString Reserved8;
    QString Reserved9;
    QString Reserved10;
    QString Reserved11;
    QString QSODate;      // "yyyy/mm/dd", UTC
    QString QSOTime;      // "hh:mm:ss", UTC ("hh:mm" for post-contest entries)
    QString Mode;         // "CW", "PH" or "DG"
    QString Band;
    double Reserved16 = 0;
    QString Reserved17;
    QString Reserved18;
    QString Frequency;    // MHz, "#####.##0", or empty
};

struct QSOLog {
    QSOLog() : rows(kLogCapacity + 1) {}

    // Row r of the log; a row outside 0 to 11000 is Error 9 (subscript out of range).
    QSORecord& operator[](int r);
    const QSORecord& operator[](int r) const;

    std::vector<QSORecord> rows;  // rows above QSOCount are never cleared
    int QSOCount = 0;
    float QSOCountAtLoad = 0;     // the count of the first load that found contacts
    // Raised by every load, so what is kept beside the log (LogIndex) knows to look again.
    quint64 generation = 0;
};

}  // namespace qf
