// TelnetCluster: the plain logic of the Telnet cluster source, without widgets.
//
// - telnetErrorMessage: the monitor text for an error number of the cluster connection, as
//   operators of the program have always seen it (spelling and shared texts kept), and
//   "Error number <n>" for any number without a text.
// - TelnetLineAssembler: a cluster cuts its text into arrivals anywhere, mid-line and
//   mid-column; the assembler joins arrivals and hands out whole lines (split at LF, each
//   keeping its own line end), so every spot line is read once, whole. A cluster also leaves
//   text without a line end on purpose (a login or command prompt); an arrival that begins
//   with "DX" therefore starts a line of its own, dropping the waiting text (already shown),
//   unless that text is itself the start of a spot line cut across arrivals. The partial line kept
//   between arrivals is capped: past the cap it is dropped and the rest of that overlong line,
//   up to its LF, is skipped, so a server that never sends LF cannot grow memory, and the tail
//   of a junk line is never read as a line of its own.
#pragma once

#include <QString>
#include <QStringList>

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
    QString partial_;
    bool skipping_ = false;     // inside a line that outgrew the cap, until its LF
    bool skippedSpot_ = false;  // that line began with "DX"
};

}  // namespace qf
