// Helpers for the CW window's tests: reading the keyed text back from the recorder.
#pragma once

#include "keying/MorseTable.h"
#include "support/KeyingRecorder.h"

#include <QString>

namespace qf::test {

// The text a unit pattern spells, with word spaces of the standard eight units (adjustment 0);
// "?" where nothing in the table fits.
inline QString DecodeMorse(const QString& units) {
    QString text;
    qsizetype i = 0;
    while (i < units.size()) {
        if (units[i] == QLatin1Char('0')) {
            qsizetype zeros = 0;
            while (i < units.size() && units[i] == QLatin1Char('0')) ++zeros, ++i;
            text += QString(zeros / 8, QLatin1Char(' '));
            continue;
        }
        bool found = false;
        for (QChar c : MorseCharacters().mid(1)) {
            const QString p = *MorsePattern(c);
            if (units.mid(i, p.size()) == p) {
                text += c;
                i += p.size();
                found = true;
                break;
            }
        }
        if (!found) return text + QLatin1Char('?');
    }
    return text;
}

inline QString Keyed(const KeyingRecorder& rec) {
    return DecodeMorse(rec.pattern());
}

}  // namespace qf::test
