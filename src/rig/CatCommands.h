// The set-frequency and set-mode commands of every rig family as pure encoders: what goes to
// the port (or the Pegasus command file), and the pauses each model needs before it. The rig
// window only runs them; nothing here touches a port, a clock or a widget.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace qf::rig {

// Hex digits taken two at a time from the left ("FEFE64" -> FE FE 64, "ABC" -> AB 0C); empty
// when any piece is not hexadecimal.
QByteArray HexDigitsToBytes(const QString& digits);

// The frequency in whole hertz, or in 10-Hz units, from MHz held as a 4-byte real: the product
// taken in 4-byte arithmetic, as the rig window holds it, then rounded half to even. None for a
// value that is not a finite number above 0 or too large for any field.
std::optional<qint64> HertzOf(float mhz);
std::optional<qint64> TenHertzOf(float mhz);
// Decimal digits filled on the left with "0" to width; a wider value is written whole.
QString DecimalDigits(qint64 value, int width);
// The digit pairs of a digit string joined last pair first ("0014025000" -> "0050021400").
QString ReversePairs(const QString& digits);
// MHz as the rig window writes it: at most seven significant digits, no trailing zeros.
QString MhzText(float mhz);

struct FrequencyCommand {
    enum class Route { Nothing, Port, PegasusFile };
    Route route = Route::Nothing;
    // The pauses before the command, one call each.
    std::vector<int> pausesMs;
    // One more pass of events between the two pauses.
    bool pumpBetweenPauses = false;
    // For the port; empty sends nothing.
    QByteArray bytes;
};

// What the model sends to tune to mhz. queryText is the read-frequency string (its first two
// characters name the text families' command, its characters 7 and 8 the CI-V address);
// activeVfo is 1 for VFO B. None when the frequency is refused: not a finite number above 0, or
// too wide for the model's byte field, so no stray byte reaches the rig.
std::optional<FrequencyCommand> EncodeSetFrequency(const QString& model, float mhz,
                                                   const QString& queryText, int activeVfo);

// The pause before a mode command, in milliseconds.
inline constexpr int kModePauseMs = 99;

// The model's command for a mode name ("LSB", "USB", "CW", ...): empty when the model has no
// mode command or its family no code for the mode. modeQueryText is the read-mode string, whose
// first three characters begin the FTdx9000's command.
QByteArray EncodeSetMode(const QString& model, const QString& mode, const QString& queryText,
                         const QString& modeQueryText);

// The Pegasus control program's command file: the frequency and the mode, a line each.
QByteArray PegasusCommandFile(float mhz, const QString& mode);

}  // namespace qf::rig
