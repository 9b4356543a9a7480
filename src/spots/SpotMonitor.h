// SpotMonitor: the exact text of the spotting window's monitor box, kept here rather than in
// the widget, CR LF as received, so the duplicate test and the trim count the text the sources
// produced and not what a text widget makes of line ends. The window's box only shows it.
#pragma once

#include <QString>

namespace qf {

class SpotMonitor {
  public:
    static constexpr qsizetype kLimit = 10000;  // longer than this is cut back...
    static constexpr qsizetype kKept = 9000;    // ...to its last this many characters
    static constexpr qsizetype kDuplicateWindow = 800;

    const QString& text() const { return text_; }
    void setText(const QString& text);
    void append(const QString& more);

    // The text holds the line at or after position (length - 800), positions from 1 and at
    // least 1, letters compared without case.
    bool isDuplicate(const QString& line) const;

    // Past the limit the text keeps its last 9000 characters; a text of more than 2 characters
    // puts the caret just before its last character. True when the text was cut.
    bool trim();

    // Where the caret stands (0-based, as the box's SelStart).
    qsizetype caret() const { return caret_; }
    void setCaret(qsizetype at) { caret_ = at; }

    // Counts every change, so the box redraws only when the text changed since it last drew.
    quint64 revision() const { return revision_; }
    // Counts the changes other than an addition at the end (a new text, a cut), so the box can
    // add to what it shows instead of laying out the whole text again.
    quint64 rewrites() const { return rewrites_; }

  private:
    QString text_;
    qsizetype caret_ = 0;
    quint64 revision_ = 0;
    quint64 rewrites_ = 0;
};

}  // namespace qf
