// The frequency texts of the tuning, command test and privilege windows: what reads as a
// number, what is a frequency the rig can be sent, and the three ways a value is written back.
#pragma once

#include <QString>

#include <optional>

namespace qf::rig {

// A decimal number with a point as separator ("14.025", "7", "54.", ".5", "-0.9", "1e-05"),
// blanks around it allowed; nothing else reads as a number.
std::optional<double> ReadNumber(const QString& text);

// A value the set-frequency command may be given: a 4-byte real above 0 (a huge digit string
// reads as a number but overflows the real and is no frequency).
bool IsFrequency(double value);

// A step's sum: at most 15 significant digits, no trailing zeros ("14.17501", "0.9").
QString StepText(double value);

// "####.#####": the integer digits (none below 1), a point, up to five decimals without
// trailing zeros ("14.02501", "54.", ".5").
QString ScanText(float value);

// "#,###.##0": digits grouped by thousands (none below 1), a point and three decimals
// ("1.800", "10,368.000", ".500").
QString ChartFrequencyText(float value);

}  // namespace qf::rig
