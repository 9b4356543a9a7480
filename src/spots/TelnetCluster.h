// TelnetCluster: the plain logic of the Telnet cluster source, without widgets.
//
// - telnetErrorMessage: the monitor text for an error number of the cluster connection, as
//   operators of the program have always seen it (spelling and shared texts kept), and
//   "Error number <n>" for any number without a text.
// - TelnetLineAssembler: a cluster cuts its text into arrivals anywhere, mid-line and
//   mid-column; the assembler joins arrivals and hands out whole lines (split at LF, each
//   keeping its own line end), so every spot line is read once, whole. It reads the text as
//   one stream, so what it hands out never depends on where the text was cut. A cluster also
//   leaves text without a line end on purpose (a login or command prompt), and the next spot
//   may follow it directly. Every spot of a cluster begins with "DX de " (any case), which no
//   prompt holds: wherever it appears inside a line that did not itself begin with it, a spot
//   line starts there and the text before it (a prompt, already shown) is dropped. A line that
//   began with it is never split ("CQ DX de JA" in its comment stays). The partial line kept
//   between arrivals is capped: past the cap it is dropped and the rest of that overlong line,
//   up to its LF, is skipped (a spot behind an overlong prompt still starts a line), so a server
//   that never sends LF cannot grow memory, and the tail of a junk line is never read as a line
//   of its own.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace qf {

QString telnetErrorMessage(int number);

class TelnetLineAssembler {
  public:
    static constexpr qsizetype kCap = 4096;

    // Adds one arrival; returns the lines it completed, in order.
    QStringList add(QStringView arrival);
    // The incomplete line held now.
    const QString& pending() const { return partial_; }
    // A new connection starts on a fresh line.
    void clear();

  private:
    // Takes one more character of a line into the match of "DX de "; true when it completes.
    bool matchSpotStart(QChar c);
    // Keeps a stretch of the current line, or drops the line once it outgrew the cap.
    void keep(QStringView text);

    QString partial_;        // the current line as far as it came, while within the cap
    qsizetype length_ = 0;   // characters of the current line so far, LF not counted
    bool spotLine_ = false;  // the current line began with "DX de "
    // The latest characters, as received, while they begin "DX de ".
    std::array<QChar, 6> matched_{};
    qsizetype matchedSize_ = 0;
};

}  // namespace qf
