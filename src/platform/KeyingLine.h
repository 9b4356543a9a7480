// Keying lines: the one line a keyer puts down and up to key the transmitter (CW keying and
// push-to-talk). Three drivers: RTS or DTR of a serial port, and the parallel port's control
// register (byte 3 down, 2 up, at the port's base address + 2), written through Linux ppdev.
//
// A line that cannot be set raises an Error; the keyer then puts it up and stops. The windows get
// their lines from the KeyingLines service, which tests replace with a recorder.
#pragma once

#include <QMap>
#include <QString>

#include <map>
#include <memory>

namespace qf {

class Environment;
class SerialPort;

class KeyingLine {
  public:
    virtual ~KeyingLine() = default;
    virtual void setKeyDown(bool down) = 0;
};

enum class SerialSignal { Rts, Dtr };

class SerialKeyingLine : public KeyingLine {
  public:
    SerialKeyingLine(SerialPort& port, SerialSignal signal) : port_(port), signal_(signal) {}
    void setKeyDown(bool down) override;

  private:
    SerialPort& port_;
    SerialSignal signal_;
};

// Writes one byte to an I/O address of a parallel port (what the port I/O library's Out32 did).
class ParallelPort {
  public:
    virtual ~ParallelPort() = default;
    virtual void out(quint16 address, quint8 value) = 0;
};

class ParallelKeyingLine : public KeyingLine {
  public:
    static constexpr quint8 kKeyDown = 3, kKeyUp = 2;
    ParallelKeyingLine(ParallelPort& port, quint16 baseAddress) : port_(port), base_(baseAddress) {}
    void setKeyDown(bool down) override;

  private:
    ParallelPort& port_;
    quint16 base_;
};

// Parallel ports through ppdev: a base address is mapped to a /dev/parportN (0x378 parport0,
// 0x278 parport1, 0x3BC parport2), overridable per address here or by the environment's
// QUILLFEN_PARPORT_<hex base> (QUILLFEN_PARPORT_378=/dev/parport1). The data register (base) and
// the control register (base + 2) can be written; each device is claimed once and kept open.
class PpdevParallelPort : public ParallelPort {
  public:
    explicit PpdevParallelPort(const Environment* environment = nullptr)
        : environment_(environment) {}
    ~PpdevParallelPort() override;
    void out(quint16 address, quint8 value) override;

    QString devicePath(quint16 baseAddress) const;
    void setDevicePath(quint16 baseAddress, const QString& path) { overrides_[baseAddress] = path; }

  private:
    int deviceFor(const QString& path);
    const Environment* environment_;
    QMap<quint16, QString> overrides_;
    std::map<QString, int> open_;  // device path -> claimed descriptor
};

// Makes the keying lines the keyers use.
class KeyingLines {
  public:
    virtual ~KeyingLines() = default;
    virtual std::unique_ptr<KeyingLine> serialLine(SerialPort& port, SerialSignal signal) = 0;
    virtual std::unique_ptr<KeyingLine> parallelLine(quint16 baseAddress) = 0;
};

class SystemKeyingLines : public KeyingLines {
  public:
    explicit SystemKeyingLines(const Environment* environment = nullptr) : parallel_(environment) {}
    std::unique_ptr<KeyingLine> serialLine(SerialPort& port, SerialSignal signal) override;
    std::unique_ptr<KeyingLine> parallelLine(quint16 baseAddress) override;
    PpdevParallelPort& parallelPort() { return parallel_; }

  private:
    PpdevParallelPort parallel_;
};

}  // namespace qf
