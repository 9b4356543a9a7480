#include "spots/SpotMonitor.h"

#include <algorithm>

namespace qf {

void SpotMonitor::setText(const QString& text) {
    text_ = text;
    caret_ = 0;
    ++revision_;
    ++rewrites_;
}

void SpotMonitor::append(const QString& more) {
    if (more.isEmpty()) return;
    text_ += more;
    ++revision_;
}

bool SpotMonitor::isDuplicate(const QString& line) const {
    const qsizetype from = std::max<qsizetype>(text_.size() - kDuplicateWindow, 1) - 1;
    return text_.indexOf(line, from, Qt::CaseInsensitive) >= 0;
}

bool SpotMonitor::trim() {
    bool cut = false;
    if (text_.size() > kLimit) {
        text_ = text_.right(kKept);
        ++revision_;
        ++rewrites_;
        cut = true;
    }
    if (text_.size() > 2) caret_ = text_.size() - 1;
    return cut;
}

}  // namespace qf
