// The contest log in memory: QSORecord, the rows of QSOLog (1 to QSOCount, row 0 unused,
// capacity 11000 contacts) and the counts the log store keeps with it.
#pragma once

#include <QString>

#include <utility>
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
    QSOLog();
    // A copy is another log: what was kept beside the original does not carry over.
    QSOLog(const QSOLog& other);
    QSOLog& operator=(const QSOLog& other);

    // Row r of the log; a row outside 0 to 11000 is Error 9 (subscript out of range). The
    // writable row is stamped as changed: write through it at once, before anything looks again.
    QSORecord& operator[](int r);
    const QSORecord& operator[](int r) const;

    // Row r, writable, without the stamp: for a loader that stamps (`touch`) only what it changed.
    QSORecord& unstamped(int r);
    void touch(int r);

    // What is kept beside the log (the loader's record of the file, LogIndex) asks which rows
    // changed since it last looked: those stamped after the `clock` it saw, in the same log.
    quint64 id() const { return id_; }
    quint64 clock() const { return clock_; }
    quint64 stampOf(int r) const { return stamps_[static_cast<size_t>(r)]; }
    // True when a row from 1 to `last` was stamped after `since`.
    bool changedSince(quint64 since, int last) const;

    std::vector<QSORecord> rows;  // rows above QSOCount are never cleared
    int QSOCount = 0;
    float QSOCountAtLoad = 0;     // the count of the first load that found contacts
    // Raised by every load.
    quint64 generation = 0;

private:
    void restampAll();
    std::vector<quint64> stamps_;
    quint64 clock_ = 0;
    quint64 id_ = 0;
};

}  // namespace qf
