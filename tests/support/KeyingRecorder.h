// The keying-line recorder: stands in for every keying line (RTS, DTR, the parallel port) and
// records each setting of a line, stamped with the clock, so a test reads back the keyed units
// and their lengths. The parallel lines are the program's own driver over a recorded port, so
// the address and the bytes written are the real ones. A test can make a setting fail, before it
// is made or after (the line moved, then its driver gave out), or run a step of its own right
// after one (to change the speed inside a character).
#pragma once

#include "platform/Clock.h"
#include "platform/Error.h"
#include "platform/KeyingLine.h"
#include "platform/SerialPort.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace qf::test {

class KeyingRecorder : public KeyingLines, public ParallelPort {
  public:
    enum class Line { Rts, Dtr, Port };
    struct Change {
        Line line;
        int address;  // the port address written (parallel port only)
        int value;    // serial: 1 on, 0 off; parallel: the byte
        double ms;    // the clock when it was set
        bool down() const {
            return line == Line::Port ? value == ParallelKeyingLine::kKeyDown : value != 0;
        }
    };

    // Stamps with the program's clock; the benchmark passes a finer real-time stamp.
    explicit KeyingRecorder(Clock& clock)
        : stamp_([&clock] { return static_cast<double>(clock.tickMs()); }) {}
    explicit KeyingRecorder(std::function<double()> stamp) : stamp_(std::move(stamp)) {}

    std::unique_ptr<KeyingLine> serialLine(SerialPort& port, SerialSignal signal) override {
        return std::make_unique<SerialLine>(*this, port,
                                            signal == SerialSignal::Rts ? Line::Rts : Line::Dtr);
    }
    std::unique_ptr<KeyingLine> parallelLine(quint16 baseAddress) override {
        return std::make_unique<ParallelKeyingLine>(*this, baseAddress);
    }
    void out(quint16 address, quint8 value) override { record(Line::Port, address, value); }

    const std::vector<Change>& changes() const { return changes_; }
    void clear() { changes_.clear(); }
    // "1" for every setting that put the line down, "0" for every one that put it up.
    QString pattern() const {
        QString p;
        for (const Change& c : changes_) p += c.down() ? QLatin1Char('1') : QLatin1Char('0');
        return p;
    }
    // The time from each setting to the next (the last one to `end`).
    std::vector<double> lengths(double end) const {
        std::vector<double> out;
        for (size_t i = 0; i < changes_.size(); ++i) {
            out.push_back((i + 1 < changes_.size() ? changes_[i + 1].ms : end) - changes_[i].ms);
        }
        return out;
    }
    bool lineDown() const { return !changes_.empty() && changes_.back().down(); }

    // The n-th setting from now (1 = the next) fails instead of being made.
    void failAt(int n) { failAt_ = static_cast<int>(attempts_) + n; }
    // The n-th setting from now is made, and then fails.
    void failAfterAt(int n) { failAfterAt_ = static_cast<int>(attempts_) + n; }
    // Runs after each recorded setting, with its index in changes().
    std::function<void(size_t index)> afterSet;

  private:
    class SerialLine : public KeyingLine {
      public:
        SerialLine(KeyingRecorder& r, SerialPort& port, Line line)
            : r_(r), port_(port), line_(line) {}
        void setKeyDown(bool down) override {
            // A line of a closed port keys nothing: the program must not key through one.
            if (!port_.PortOpen()) throw Error(57, QStringLiteral("Device I/O error"));
            r_.record(line_, 0, down ? 1 : 0);
        }

      private:
        KeyingRecorder& r_;
        SerialPort& port_;
        Line line_;
    };

    void record(Line line, int address, int value) {
        ++attempts_;
        if (static_cast<int>(attempts_) == failAt_)
            throw Error(57, QStringLiteral("Device I/O error"));
        changes_.push_back({line, address, value, stamp_()});
        if (static_cast<int>(attempts_) == failAfterAt_)
            throw Error(57, QStringLiteral("Device I/O error"));
        if (afterSet) afterSet(changes_.size() - 1);
    }

    std::function<double()> stamp_;
    std::vector<Change> changes_;
    size_t attempts_ = 0;
    int failAt_ = -1;
    int failAfterAt_ = -1;
};

}  // namespace qf::test
