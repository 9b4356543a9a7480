// A serial port with no device behind it, for what a pseudo-terminal cannot show: the test
// sets the bytes still waiting to go out and what has arrived, and reads what was written.
#pragma once

#include "platform/SerialPort.h"

#include <QByteArray>

namespace qf::test {

class ScriptedSerialPort : public SerialPort {
  public:
    QByteArray written;  // every write, in order
    QByteArray input;    // what the next read delivers (and empties)
    int pending = 0;     // the output-buffer count while open

  protected:
    bool isOpen() const override { return open_; }
    bool openDevice() override { return open_ = true; }
    void closeDevice() override { open_ = false; }
    bool applyLines(bool, bool) override { return true; }
    bool applyDtr(bool) override { return true; }
    bool applyRts(bool) override { return true; }
    bool applyHandshaking(Handshake) override { return true; }
    qint64 readDevice(QByteArray& into) override {
        into += input;
        const qint64 n = input.size();
        input.clear();
        return n;
    }
    qint64 writeDevice(const QByteArray& bytes) override {
        written += bytes;
        return bytes.size();
    }
    void flushInput() override { input.clear(); }
    int pendingOutput() const override { return pending; }
    bool waitReadable(int) override { return !input.isEmpty(); }
    bool reconfigure() override { return true; }

  private:
    bool open_ = false;
};

}  // namespace qf::test
