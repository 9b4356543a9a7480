// What "log.txt" holds, as plain data: one record per contact in the record-line format, the
// reading of a whole file line by line, the judgement of whether read data loads, and the hash
// the store keeps of the bytes it read. No file is opened here and nobody is told anything: the
// store (LogStore.h) reads and writes the file and decides what to do with what this finds.
#pragma once

#include "logstore/QsoLog.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

namespace qf {

class RecordReader;

// One record of "log.txt".
QByteArray encodeRecord(const QSORecord& record);
QSORecord readRecord(RecordReader& reader);

// True when the record, written and read back, gives the same record: no quote, line end or
// character beyond Latin-1 in a text, and a number that survives its 15 written digits.
bool readsBackAsWritten(const QSORecord& record);

// What one line of "log.txt" holds: a whole record, a line that is not one (its quotes or its
// number of values), or a whole line whose number field does not hold a number.
enum class LogLine { Whole, Damaged, BadNumber };

// "log.txt" read line by line. Blank lines hold nothing and are passed over.
struct LogFileContents {
    std::vector<QSORecord> records;
    int wholeRecords = 0;       // whole records read, up to the capacity
    bool overCapacity = false;  // more whole records than the capacity (reading stopped there)
    QList<int> damagedLines;    // line numbers, 1-based
    int badNumberLine = 0;      // the first whole line whose number does not read, or 0
    bool cutShort = false;      // the last line is damaged and has no line end
    bool endsOpen = false;      // the data does not end with a line end
    bool bareCR = false;        // some line ends are a CR alone
    int lines = 0;              // lines read, blank ones too
};
// Stops at the first whole record past `capacity`.
LogFileContents parseLogFile(const QByteArray& data, int capacity = kLogCapacity);
// The same, reading the n-th whole record (1-based) straight into `slot(n)` instead of keeping
// it in `records`. A field of that record that already holds the text keeps its string.
// Where a parse starts: past the first `offset` bytes, already read whole into `records`
// records over `lines` lines.
struct ParseStart {
    qsizetype offset = 0;
    int records = 0;
    int lines = 0;
};
void parseLogFile(const QByteArray& data, int capacity, LogFileContents& contents,
                  const std::function<QSORecord&(int)>& slot,
                  const std::function<void(int)>& changed = {}, ParseStart from = {});

// Whether read log data loads: whole; damaged (it loads without the lines that hold no whole
// record, which a load repairs and a restore refuses); or not at all (more records than the
// log holds, or a whole line whose number is no number), which ends a load. One judgement for
// the load and the restore, so a restored file always loads. `why` gets what is wrong, naming
// the first line at fault.
enum class LogFileVerdict { Whole, Damaged, Unreadable };
LogFileVerdict validateLogFile(const LogFileContents& contents, QString* why = nullptr);

// A 64-bit hash of the file's bytes, fed in pieces: four lanes over 32-byte blocks, so a
// megabyte hashes in a small part of what reading it takes. The same bytes give the same value
// however they are cut into pieces.
class ContentHash {
  public:
    void add(const char* p, qsizetype n) {
        total_ += static_cast<quint64>(n);
        if (used_ > 0) {
            const qsizetype take = std::min<qsizetype>(n, 32 - used_);
            std::memcpy(buf_ + used_, p, static_cast<size_t>(take));
            used_ += take;
            p += take;
            n -= take;
            if (used_ < 32) return;
            block(buf_);
            used_ = 0;
        }
        for (; n >= 32; p += 32, n -= 32) block(p);
        std::memcpy(buf_, p, static_cast<size_t>(n));
        used_ = n;
    }
    quint64 value() const {
        quint64 h = total_ * kP5;
        for (quint64 l : lanes_) h = mix(h ^ round(0, l)) * kP1 + kP4;
        for (qsizetype i = 0; i < used_; ++i)
            h = mix(h ^ (static_cast<unsigned char>(buf_[i]) * kP5));
        return mix(h);
    }

  private:
    static constexpr quint64 kP1 = 0x9E3779B185EBCA87ULL, kP2 = 0xC2B2AE3D27D4EB4FULL,
                             kP4 = 0x85EBCA77C2B2AE63ULL, kP5 = 0x27D4EB2F165667C5ULL;
    static quint64 rotl(quint64 x, int r) { return (x << r) | (x >> (64 - r)); }
    static quint64 round(quint64 acc, quint64 w) { return rotl(acc + w * kP2, 31) * kP1; }
    static quint64 mix(quint64 h) {
        h ^= h >> 33;
        h *= kP2;
        h ^= h >> 29;
        h *= kP1;
        return h ^ (h >> 32);
    }
    void block(const char* p) {
        for (int k = 0; k < 4; ++k) {
            quint64 w;
            std::memcpy(&w, p + 8 * k, 8);
            lanes_[static_cast<size_t>(k)] = round(lanes_[static_cast<size_t>(k)], w);
        }
    }
    std::array<quint64, 4> lanes_{kP1 + kP2, kP2, 0, 0 - kP1};
    char buf_[32] = {};
    qsizetype used_ = 0;
    quint64 total_ = 0;
};

}  // namespace qf
