// The set-frequency and set-mode commands of every rig family as pure encoders: what goes to
// the port (or the Pegasus command file), and the pauses each model needs before it. Which
// encoder a model uses is a column of its row in the model table, as its decoders are. The rig
// window only runs them; nothing here touches a port, a clock or a widget.
#pragma once

#include "rig/CatCodec.h"

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

// What a set-frequency encoder is given.
struct TuneTarget {
    qint64 hz = 0;     // whole hertz
    qint64 tenHz = 0;  // 10-Hz units
    // The read strings: the text families take their command from the frequency string, CI-V
    // its address.
    CatQueries queries;
    int activeVfo = 10;  // 1: the rig last reported VFO B
};

// The bytes that tune the rig; none when it cannot be sent the frequency (too wide for the
// model's field, or no CI-V address to send it to).
using FrequencyEncoder = std::optional<QByteArray> (*)(const TuneTarget& target);
// The command for a mode name; empty when the family has no code for the mode.
using ModeEncoder = QByteArray (*)(const QString& mode, const CatQueries& queries);

// How a model is tuned: its row's part of the set commands.
struct TuneStyle {
    FrequencyCommand::Route route = FrequencyCommand::Route::Nothing;
    FrequencyEncoder frequency = nullptr;  // for Route::Port
    std::vector<int> pausesMs;             // before the frequency command
    bool pumpBetweenPauses = false;
    ModeEncoder mode = nullptr;  // none: the model takes no mode command
};

// Set-frequency encoders.
// The read string's first two characters, then hertz in 11 digits, ";" ("Kenwood").
std::optional<QByteArray> KenwoodFreqCommand(const TuneTarget& target);
// "FA", or "FB" while the rig reports VFO B, then hertz in 11 digits, ";" ("Kenwood 2").
std::optional<QByteArray> KenwoodVfoFreqCommand(const TuneTarget& target);
// "FA", hertz in 11 digits, ";" ("Elecraft").
std::optional<QByteArray> ElecraftFreqCommand(const TuneTarget& target);
// CI-V command 05 with five BCD bytes of hertz, lowest first ("Icom", "Ten Tec Omni VI").
std::optional<QByteArray> IcomFreqCommand(const TuneTarget& target);
// The same with four bytes, as the 735's own replies carry them.
std::optional<QByteArray> Icom735FreqCommand(const TuneTarget& target);
// "*A", four bytes of hertz, most significant first, CR.
std::optional<QByteArray> TenTecPanelFreqCommand(const TuneTarget& target);
// "*AF", whole hertz as text, CR.
std::optional<QByteArray> OrionFreqCommand(const TuneTarget& target);
// Four BCD bytes of 10 Hz, most significant first, then 01 ("Yaesu").
std::optional<QByteArray> YaesuFreqCommand(const TuneTarget& target);
// Four BCD bytes of 10 Hz, least significant first, then 0A (the status-block Yaesus).
std::optional<QByteArray> YaesuStatusFreqCommand(const TuneTarget& target);
// The read string's first two characters, hertz in 8 digits, ";".
std::optional<QByteArray> FTdx9000FreqCommand(const TuneTarget& target);

// Set-mode encoders.
// CI-V command 06 with the mode byte.
QByteArray CivModeCommand(const QString& mode, const CatQueries& queries);
// "MD", the mode digit, ";" ("Kenwood", "Kenwood 2", "Elecraft").
QByteArray KenwoodModeCommand(const QString& mode, const CatQueries& queries);
// The mode byte, 00 00 00, 07 ("Yaesu").
QByteArray YaesuModeCommand(const QString& mode, const CatQueries& queries);
// 00 00 00, the mode byte, 0C (the status-block Yaesus).
QByteArray YaesuStatusModeCommand(const QString& mode, const CatQueries& queries);
// The read-mode string's first three characters, the mode digit, ";".
QByteArray FTdx9000ModeCommand(const QString& mode, const CatQueries& queries);

// The CI-V address: the two hex digits at characters 7 and 8 of the read-frequency string, so
// an operator who edits the read string for another radio also addresses the set commands to
// it. None unless both are hex digits: a guessed address would tune somebody else's radio.
std::optional<quint8> CivAddress(const QString& frequencyQuery);

// What the model sends to tune to mhz. queryText is the read-frequency string (its first two
// characters name the text families' command, its characters 7 and 8 the CI-V address);
// activeVfo is 1 for VFO B. None when the frequency is refused: not a finite number above 0,
// too wide for the model's byte field, or (CI-V) no valid address, so no stray byte reaches
// the rig.
std::optional<FrequencyCommand> EncodeSetFrequency(const QString& model, float mhz,
                                                   const QString& queryText, int activeVfo);

// The pause before a mode command, in milliseconds.
inline constexpr int kModePauseMs = 99;

// The model's command for a mode name ("LSB", "USB", "CW", ...): empty when the model has no
// mode command, its family no code for the mode, or (CI-V) no valid address. modeQueryText is
// the read-mode string, whose first three characters begin the FTdx9000's command.
QByteArray EncodeSetMode(const QString& model, const QString& mode, const QString& queryText,
                         const QString& modeQueryText);

// The Pegasus control program's command file: the frequency and the mode, a line each.
QByteArray PegasusCommandFile(float mhz, const QString& mode);

}  // namespace qf::rig
