// Code-practice groups without widgets: the 41 practice characters, the group count and
// length as their boxes give them (a default when a box holds no number, a cap so a huge
// number cannot exhaust memory) and the random groups themselves.
#pragma once

#include <QString>

namespace qf {

class RandomSource;

// "A" to "Z", "0" to "9", then ".", ",", "?", "/", "-".
const QString& PracticeCharacters();

constexpr double kMaxPracticeGroups = 1000;
constexpr double kMaxPracticeGroupLength = 100;

// A box's value: `fallback` when the text is no number, `cap` above the cap. `shown` is what
// the box must then show, or null when it keeps its text.
struct PracticeCount {
    double value;
    QString shown;
};
PracticeCount ReadPracticeCount(const QString& text, double fallback, double cap);

// `groups` groups of `length` characters each, each group followed by a blank, drawn from the
// 26 letters or all 41 characters. The loops run while their counter is at most the value, so
// 0 or less makes nothing and a decimal counts its whole part.
QString GeneratePracticeGroups(double groups, double length, bool lettersOnly,
                               RandomSource& random);

}  // namespace qf
