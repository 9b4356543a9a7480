// Pieces the byte families share: hexadecimal dumps, BCD numbers, the CI-V frame builder and
// scanner. All pure; none keeps anything between calls.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace qf::rig {

// Every byte as its two upper-case hexadecimal digits, high digit first, no separator.
QString BytesToHexDigits(QByteArrayView bytes);

// Eight BCD digits in 10 Hz units ("01407400") as MHz (14.074); none when a digit is not
// decimal or the count is not eight.
std::optional<double> BcdDigitsToMHz(QStringView digits);

// The digits of a CI-V frequency, most significant first, as "first four digits . the rest":
// ten digits (five bytes) give MHz, eight (the 735's four bytes) one hundred times the MHz.
// None when a digit is not decimal or there are fewer than five digits.
std::optional<double> IcomBcdToMHz(QStringView digits);

// A value rounded to five decimals, as the status blocks' readings are.
double RoundTo5Decimals(double value);

// The CI-V frame's fixed bytes.
inline constexpr quint8 kCivPreamble = 0xFE;  // twice at the start
inline constexpr quint8 kCivEnd = 0xFD;
inline constexpr quint8 kCivController = 0xE0;  // the program's own address

// A frame from the program to the rig at rigAddress: FE FE, rigAddress, E0, command, data, FD.
QByteArray CivFrame(quint8 rigAddress, quint8 command, QByteArrayView data);

enum class CivState {
    Idle,         // looking for the first FE
    GotFirstFE,   // one FE seen
    GotSecondFE,  // the preamble seen: two address bytes to skip, then the command
    WaitForFD,    // in the wanted command's data, until FD
};

// Reads CI-V frames of one command byte by byte. A frame counts only when its FD arrives: a
// frame cut off by the end of the reply, or by the preamble of another, gives nothing, so a
// half-received answer never reads as a number. FE and FD mark frames only: neither is read
// as an address or a data byte.
class CivScanner {
  public:
    explicit CivScanner(quint8 command) : command_(command) {}

    // Feeds the byte at position index of the reply; true when it closed a frame of the
    // command, whose data bytes then lie at frameDataStart(), frameDataLength() of them.
    bool feed(quint8 byte, qsizetype index);
    CivState state() const { return state_; }
    qsizetype frameDataStart() const { return dataStart_; }
    qsizetype frameDataLength() const { return dataLength_; }

  private:
    quint8 command_;
    CivState state_ = CivState::Idle;
    int addressBytesLeft_ = 0;
    qsizetype dataStart_ = 0;
    qsizetype dataLength_ = 0;
};

}  // namespace qf::rig
