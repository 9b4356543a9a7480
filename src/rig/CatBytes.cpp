#include "rig/CatBytes.h"

#include <cmath>

namespace qf::rig {

namespace {

QChar hexDigit(int nibble) {
    return QLatin1Char("0123456789ABCDEF"[nibble & 0xF]);
}

// The decimal value of a run of digits; none when one is not 0-9.
std::optional<qint64> decimal(QStringView digits) {
    qint64 v = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

}  // namespace

QString BytesToHexDigits(QByteArrayView bytes) {
    QString d;
    d.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<quint8>(c);
        d += hexDigit(b >> 4);
        d += hexDigit(b);
    }
    return d;
}

std::optional<double> BcdDigitsToMHz(QStringView digits) {
    if (digits.size() != 8) return std::nullopt;
    const std::optional<qint64> tensOfHz = decimal(digits);
    if (!tensOfHz) return std::nullopt;
    return static_cast<double>(*tensOfHz) / 100000.0;
}

std::optional<double> IcomBcdToMHz(QStringView digits) {
    if (digits.size() < 5) return std::nullopt;
    const std::optional<qint64> whole = decimal(digits.first(4));
    const QStringView fraction = digits.sliced(4, std::min<qsizetype>(digits.size() - 4, 6));
    const std::optional<qint64> part = decimal(fraction);
    if (!whole || !part) return std::nullopt;
    return static_cast<double>(*whole) +
           static_cast<double>(*part) / std::pow(10.0, static_cast<double>(fraction.size()));
}

double RoundTo5Decimals(double value) {
    return std::round(value * 100000.0) / 100000.0;
}

QByteArray CivFrame(quint8 rigAddress, quint8 command, QByteArrayView data) {
    QByteArray frame;
    frame.reserve(6 + data.size());
    for (const quint8 b : {kCivPreamble, kCivPreamble, rigAddress, kCivController, command})
        frame.append(static_cast<char>(b));
    frame.append(data);
    frame.append(static_cast<char>(kCivEnd));
    return frame;
}

bool CivScanner::feed(quint8 byte, qsizetype index) {
    switch (state_) {
        case CivState::Idle:
            if (byte == kCivPreamble) state_ = CivState::GotFirstFE;
            return false;
        case CivState::GotFirstFE:
            if (byte == kCivPreamble) {
                state_ = CivState::GotSecondFE;
                addressBytesLeft_ = 2;
            } else {
                state_ = CivState::Idle;
            }
            return false;
        case CivState::GotSecondFE:
            // The frame's own bytes are never an address or a command: an FD ends the frame
            // before it says anything, one more FE is still the preamble.
            if (byte == kCivEnd) {
                state_ = CivState::Idle;
                return false;
            }
            if (byte == kCivPreamble) {
                addressBytesLeft_ = 2;
                return false;
            }
            if (addressBytesLeft_ > 0) {  // which addresses, is not looked at
                --addressBytesLeft_;
                return false;
            }
            if (byte == command_) {
                state_ = CivState::WaitForFD;
                dataStart_ = index + 1;
                dataLength_ = 0;
            } else {
                state_ = CivState::Idle;
            }
            return false;
        case CivState::WaitForFD:
            if (byte == kCivEnd) {
                state_ = CivState::Idle;
                return true;
            }
            // No data byte is FE: a preamble here begins a new frame, and the cut one is
            // dropped.
            if (byte == kCivPreamble) {
                state_ = CivState::GotFirstFE;
                return false;
            }
            ++dataLength_;
            return false;
    }
    return false;
}

}  // namespace qf::rig
