// The country of a spotted station for the spot list, from the prefix table alone: the longest
// prefix that begins the call. Smaller than the call box's own lookup and exact: case matters,
// so a lower-case call finds nothing.
#pragma once

#include "logstore/ReferenceTables.h"

#include <QString>

namespace qf {

// The call's country: the PrefixCountry of the longest table prefix that begins the lookup key,
// "USA" for a KG4 key of more than five characters that matched at all, empty when nothing
// matches or the call is empty. The key is the call, or the short portable suffix after its
// first "/" (more than one character and fewer than half the call's length).
//
// The search starts at a row interpolated from the key's first character, backs off in steps of
// 5 while the row still begins with that character, and scans toward the key's block, stopping
// at the first row past it; the table must be sorted by prefix in character-code order.
QString LookupSpotCountry(const PrefixTable& table, const QString& call);

}  // namespace qf
