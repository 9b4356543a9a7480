// The Morse table: the unit pattern of every character the keyer can send, as data. A pattern
// is a text of "1" (key down one unit) and "0" (key up one unit): a dot is "10", a dash "1110",
// and each character ends with "00" more, so characters are three units apart. The space is the
// eight key-up units that make the gap between words eleven units.
#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace qf {

// The pattern of a character (lower-case letters as their capitals); none for a character the
// table does not hold ("!" included: it logs the contact instead of keying).
std::optional<QString> MorsePattern(QChar c);

// The characters the table holds, in table order.
QString MorseCharacters();

// The space with the word-space adjustment n: n > 0 adds the whole part of n units, n < 0
// keeps the first 8 + n units (rounded half to even; none below -8).
QString WordSpacePattern(double adjustment);

}  // namespace qf
