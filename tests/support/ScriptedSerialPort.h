// A serial port with no device behind it, for what a pseudo-terminal cannot show: the test
// sets the bytes still waiting to go out and what has arrived, and reads what was written. Its
// modem lines behave as a real tty's: opening raises DTR and RTS, and the port's settings of
// them are recorded, so a test reads whether a line was left up.
#pragma once

#include "platform/SerialPort.h"

#include <QByteArray>

#include <functional>
#include <memory>
#include <vector>

namespace qf::test {

// What the device at the far end of a port has: its modem lines as they now stand.
struct ScriptedDevice {
    int port = 0;  // the port number it was opened as
    bool open = false;
    bool dtr = false;
    bool rts = false;
    int opens = 0;
};

class ScriptedSerialPort : public SerialPort {
  public:
    explicit ScriptedSerialPort(std::shared_ptr<ScriptedDevice> device = nullptr)
        : device_(device ? std::move(device) : std::make_shared<ScriptedDevice>()) {}

    QByteArray written;  // every write, in order
    QByteArray input;    // what the next read delivers (and empties)
    int pending = 0;     // the output-buffer count while open
    // A device that talks back: given what was just written, what it answers.
    std::function<QByteArray(const QByteArray&)> answer;

    const ScriptedDevice& device() const { return *device_; }

  protected:
    bool isOpen() const override { return device_->open; }
    bool openDevice() override {
        device_->port = CommPort();
        device_->open = true;
        ++device_->opens;
        // A tty raises both lines as it opens.
        device_->dtr = device_->rts = true;
        return true;
    }
    void closeDevice() override { device_->open = false; }
    bool applyLines(bool dtr, bool rts) override {
        device_->dtr = dtr;
        device_->rts = rts;
        return true;
    }
    bool applyDtr(bool on) override {
        device_->dtr = on;
        return true;
    }
    bool applyRts(bool on) override {
        device_->rts = on;
        return true;
    }
    bool applyHandshaking(Handshake) override { return true; }
    qint64 readDevice(QByteArray& into) override {
        into += input;
        const qint64 n = input.size();
        input.clear();
        return n;
    }
    qint64 writeDevice(const QByteArray& bytes) override {
        written += bytes;
        if (answer) input += answer(bytes);
        return bytes.size();
    }
    void flushInput() override { input.clear(); }
    int pendingOutput() const override { return pending; }
    bool waitReadable(int) override { return !input.isEmpty(); }
    bool reconfigure() override { return true; }

  private:
    std::shared_ptr<ScriptedDevice> device_;
};

// Serial ports that are all scripted: every port the program makes is recorded with its device,
// which outlives the port, so a test still reads the lines of a port that was closed and
// destroyed.
class ScriptedSerialPorts : public SerialPorts {
  public:
    ScriptedSerialPorts() : SerialPorts(nullptr) {}
    std::unique_ptr<SerialPort> create() override {
        devices_.push_back(std::make_shared<ScriptedDevice>());
        auto port = std::make_unique<ScriptedSerialPort>(devices_.back());
        port->answer = answer;
        return port;
    }
    const std::vector<std::shared_ptr<ScriptedDevice>>& devices() const { return devices_; }
    // Given to every port made from now on.
    std::function<QByteArray(const QByteArray&)> answer;

  private:
    std::vector<std::shared_ptr<ScriptedDevice>> devices_;
};

}  // namespace qf::test
