#include "logstore/QsoLog.h"

#include "platform/Error.h"

namespace qf {

QSORecord& QSOLog::operator[](int r) {
    if (r < 0 || r > kLogCapacity) throw Error(err::kSubscript, QStringLiteral("Subscript out of range"));
    return rows[static_cast<size_t>(r)];
}

const QSORecord& QSOLog::operator[](int r) const {
    if (r < 0 || r > kLogCapacity) throw Error(err::kSubscript, QStringLiteral("Subscript out of range"));
    return rows[static_cast<size_t>(r)];
}

}  // namespace qf
