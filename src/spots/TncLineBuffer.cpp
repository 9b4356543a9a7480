#include "spots/TncLineBuffer.h"

namespace qf {

void TncLineBuffer::append(const QString& chunk) {
    text_ += chunk;
}

std::optional<QString> TncLineBuffer::nextLine() {
    const qsizetype first = text_.indexOf(QLatin1Char('\n'), pos_);
    if (first < 0) return std::nullopt;
    pos_ = first;  // everything before the first LF goes
    const qsizetype second = text_.indexOf(QLatin1Char('\n'), first + 1);
    if (second < 0) return std::nullopt;
    QString line = text_.mid(first + 1, second - first);
    pos_ = second;
    return line;
}

void TncLineBuffer::settle() {
    // Consumed lines are dropped once per pass: dropping each from the front would make a
    // chunk of many lines cost the square of its length.
    if (pos_ > 0) {
        text_.remove(0, pos_);
        pos_ = 0;
    }
    if (text_.size() > kCap && text_.indexOf(QLatin1Char('\n'), 1) < 0) {
        text_ = text_.right(kCap);
    }
}

}  // namespace qf
