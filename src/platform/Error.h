// Error: the one exception type of the program. It carries a number and a text, the way the
// windows' error handlers expect to report a failure ("<text>" in a box, or a test on the number).
#pragma once

#include <QString>

#include <stdexcept>

namespace qf {

// Error numbers the program itself raises; the numbers are the conventional ones, so an
// operator's report of "error 53" means what it always meant.
namespace err {
constexpr int kInvalidCall = 5;        // invalid procedure call or argument
constexpr int kOverflow = 6;
constexpr int kSubscript = 9;          // index out of range
constexpr int kDivisionByZero = 11;
constexpr int kTypeMismatch = 13;
constexpr int kFileNotFound = 53;
constexpr int kDiskFull = 61;
constexpr int kInputPastEnd = 62;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;
constexpr int kInvalidProperty = 380;
constexpr int kCancel = 32755;         // Cancel pressed in a file dialog
}  // namespace err

class Error : public std::runtime_error {
public:
    Error(int number, const QString& text)
        : std::runtime_error(text.toStdString()), number_(number), text_(text) {}

    int number() const { return number_; }
    const QString& text() const { return text_; }

private:
    int number_;
    QString text_;
};

// Thrown by the test double of the end-the-program hook, so that nothing after an "end at
// once" runs in a test either. The real hook never returns.
class ProgramEnded : public std::exception {
public:
    explicit ProgramEnded(int code) : code_(code) {}
    int code() const { return code_; }
    const char* what() const noexcept override { return "program ended"; }

private:
    int code_;
};

}  // namespace qf
