// How the spotting window reads what the packet engine delivers, and what the operator types
// for it, without widgets.
//
// A received frame gives two texts, every CR and every LF made a CR LF pair: the tagged text
// (the kind's character, the sender, a blank, the data) that monitoring shows, and the data
// text that spots and the connected station's lines are taken from. While no station is
// connected the data text loses its first line (the engine's monitor header) and its outer
// blanks; a lone line end becomes nothing, and a doubled line end at the end is made single.
//
// A typed line that begins with ":" is a command: its letter (upper-cased) and its target (the
// rest after the letter, blanks trimmed).
#pragma once

#include <QString>

namespace qf {

struct AgwTexts {
    QString tagged;
    QString data;
};

AgwTexts agwTexts(QChar kind, const QString& sender, const QString& data, bool stationConnected);

struct AgwCommand {
    bool isCommand = false;
    QString letter;  // upper case; empty for a lone ":"
    QString target;
};

AgwCommand agwCommand(const QString& typed);

}  // namespace qf
