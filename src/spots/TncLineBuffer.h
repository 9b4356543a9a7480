// TncLineBuffer: TNC text not yet split into lines. It starts as one LF; between passes it
// begins with the LF that ended the last complete line, followed by any incomplete line.
//
// While it holds no complete line it keeps at most its last 4096 characters, so a TNC that
// never sends LF (or line noise) cannot grow memory or the work of every tick; the next LF then
// drops the remnant, which is never shown as a line of its own.
#pragma once

#include <QString>

#include <optional>

namespace qf {

class TncLineBuffer {
  public:
    static constexpr qsizetype kCap = 4096;

    TncLineBuffer() = default;
    explicit TncLineBuffer(const QString& start) : text_(start) {}

    // What is held now (the consumed lines of a running pass excluded).
    QString text() const { return text_.mid(pos_); }
    qsizetype size() const { return text_.size() - pos_; }
    void append(const QString& chunk);

    // The next complete line: the characters after the buffer's first LF up to and including
    // the next LF (a CR before it stays). Everything before that first LF is dropped, and the
    // line's closing LF becomes the buffer's first character. nullopt when no complete line is
    // held.
    std::optional<QString> nextLine();

    // Ends a pass: drops what the pass consumed and applies the cap.
    void settle();

  private:
    QString text_ = QStringLiteral("\n");
    qsizetype pos_ = 0;  // where the held text starts inside text_
};

}  // namespace qf
