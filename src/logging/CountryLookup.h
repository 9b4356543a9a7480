// What the in-state window learns from a call sign while it is typed, without a widget: the
// country of its prefix (the longest prefix of the prefix table that begins the call) and the
// province of a Canadian call. The window writes the St/Prv/Country box and the continent,
// bearing and distance labels from the answer.
#pragma once

#include "logstore/ReferenceTables.h"

#include <QString>

namespace qf {

// The text the prefix search works on: a home call followed by "/" and a short prefix (two
// characters or more, under half the call) is looked up by that prefix; anything else whole.
QString LookupCallOf(const QString& call);

struct CountryMatch {
    enum class Kind {
        Stopped,      // the search could not start inside the table: nothing is shown
        EmptyCall,    // nothing to look up
        Country,      // a country outside the USA and Canada
        UsaOrCanada,  // a call of the USA or Canada: the box keeps what it holds
        NotFound,     // no prefix begins the call
    };
    Kind kind = Kind::Stopped;
    int prefixRow = 0;    // the longest prefix that begins the call; 0 for none
    int positionRow = 0;  // the row whose continent and position are shown
    QString spc;          // the box's text for a Country: "AK", "HI", the name, or empty
    QString continent;
    float latitude = 0;
    float longitude = 0;  // positive toward the west
};

// The prefix search over a table sorted by prefix: it starts at a row interpolated from the
// call's first character, walks back in steps of 5 to the start of that character's block and
// scans toward the block, keeping the longest prefix. A start outside the table stops it.
// A KG4 call of 4 or of more than 5 characters is a US station, not Guantanamo Bay.
CountryMatch CountryLookup(const PrefixTable& table, const QString& call);

// The province code for a Canadian call's first three characters ("VE3" gives "ON"); empty for
// any other call.
QString CanadianProvince(const QString& call);

}  // namespace qf
