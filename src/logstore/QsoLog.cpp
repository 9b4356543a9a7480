#include "logstore/QsoLog.h"

#include "platform/Error.h"

#include <algorithm>
#include <atomic>

namespace qf {

namespace {

quint64 newLogId() {
    static std::atomic<quint64> next{0};
    return ++next;
}

void checkRow(int r) {
    if (r < 0 || r > kLogCapacity) throw Error(err::kSubscript, QStringLiteral("Subscript out of range"));
}

}  // namespace

QSOLog::QSOLog() : rows(kLogCapacity + 1) { restampAll(); }

QSOLog::QSOLog(const QSOLog& other)
    : rows(other.rows),
      QSOCount(other.QSOCount),
      QSOCountAtLoad(other.QSOCountAtLoad),
      generation(other.generation) {
    restampAll();
}

QSOLog& QSOLog::operator=(const QSOLog& other) {
    if (this == &other) return *this;
    rows = other.rows;
    QSOCount = other.QSOCount;
    QSOCountAtLoad = other.QSOCountAtLoad;
    generation = other.generation;
    restampAll();
    return *this;
}

void QSOLog::restampAll() {
    id_ = newLogId();
    clock_ = 1;
    stamps_.assign(rows.size(), clock_);
}

QSORecord& QSOLog::operator[](int r) {
    checkRow(r);
    touch(r);
    return rows[static_cast<size_t>(r)];
}

const QSORecord& QSOLog::operator[](int r) const {
    checkRow(r);
    return rows[static_cast<size_t>(r)];
}

QSORecord& QSOLog::unstamped(int r) {
    checkRow(r);
    return rows[static_cast<size_t>(r)];
}

void QSOLog::touch(int r) { stamps_[static_cast<size_t>(r)] = ++clock_; }

bool QSOLog::changedSince(quint64 since, int last) const {
    if (since >= clock_) return false;
    const auto end = stamps_.begin() + std::clamp(last + 1, 0, static_cast<int>(stamps_.size()));
    return std::any_of(stamps_.begin(), end, [since](quint64 s) { return s > since; });
}

}  // namespace qf
