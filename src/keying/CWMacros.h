// The function-key messages' macros: "$" the call being typed, "#" the serial number (never
// set, so removed), "*" the RST sent ("5NN" for "599" or nothing), "^" the own county shortened
// for CW. Plain code over the macro values and the county table.
#pragma once

#include <QString>

namespace qf {

struct CountyTable;

struct CWMacroInputs {
    QString& MacroRstSent;  // replaced by "5NN" when "599" or empty, and kept so
    const QString& MacroCall;
    const QString& MacroCounty;
    const CountyTable& counties;
};

// Replaces the four markers in four passes: "$", "#", "*", "^".
QString ReplaceCWMacros(QString message, CWMacroInputs inputs);

// One pass: each marker becomes the value (trimmed); the walk goes on after the inserted text.
// value() is asked again at each marker found.
template <class ValueFn>
QString ReplaceMarker(QString message, QChar marker, ValueFn value);

// The county name the "^" macro sends when it is shorter than the abbreviation that was given,
// else the text unchanged.
QString AbbreviateCountyForCW(const QString& county, const CountyTable& counties);

template <class ValueFn>
QString ReplaceMarker(QString message, QChar marker, ValueFn value) {
    qsizetype i = 0;  // 0-based here; the walk is the same
    while (i < message.size()) {
        if (message[i] != marker) {
            ++i;
            continue;
        }
        const QString v = QString(value()).trimmed();
        message = message.left(i) + v + message.mid(i + 1);
        // An empty value: the character that moved into place is not looked at in this pass.
        i += v.size() >= 2 ? v.size() : 1;
    }
    return message;
}

}  // namespace qf
