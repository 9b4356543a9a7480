// Room src/spots/: the spotting window, its sources (TNC, Telnet cluster, packet engine) and the
// plain spot logic they share. Reaches the logging windows only through the facade Form1.
//
// SpotLine: how every source reads a DX spot line, without widgets. A line is counted in
// columns from 1: "DX" (any case) in columns 1-2 marks a spot, the frequency in kHz stands in
// columns 16-24 and the spotted call in columns 27-39; the record is the line less its first
// three characters. Columns past the end of the line are empty.
#pragma once

#include <QString>

namespace qf {

struct SpotLineFields {
    QString frequency;  // columns 16-24, blanks trimmed (kHz as text; may be no number)
    QString call;       // columns 27-39, blanks trimmed
    QString record;     // the line from column 4 on, blanks trimmed at both ends
    // The frequency field stands whole: neither column 15 nor column 25 holds a digit or a
    // point. A line shifted by a long spotter call, or a number wider than the field, would
    // otherwise give a cut number, and a spot at a wrong frequency.
    bool frequencyWhole = false;
};

// "DX" in columns 1-2, letters in any case.
bool isSpotLine(const QString& line);

// The fields of a spot line; the marker is not checked here (each source has its own rule).
SpotLineFields readSpotLine(const QString& line);

}  // namespace qf
