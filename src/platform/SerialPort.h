// The serial port service: the one way the program reaches a serial port (CW keying lines now;
// push-to-talk, rig control and the TNC later). A port is known by its number, as the windows
// keep it ("COM3"); the service maps that number to a device path, overridable per number.
//
// - A port is made closed, like a window's port control at design. Its number and settings
//   string are set while it is closed; opening a port that cannot be opened is an Error.
// - Opening a tty on Linux raises DTR and RTS for a moment: the port drops both at once right
//   after opening, so a keyed transmitter is never keyed by the open itself.
// - DTR and RTS are flags of the port: set while closed they are only kept (and applied at the
//   next open); set while open they reach the device at once, and a device that cannot carry
//   them (a pseudo-terminal) is an Error.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <memory>

namespace qf {

class Environment;

class SerialPort {
  public:
    virtual ~SerialPort() = default;

    int CommPort() const { return commPort_; }
    // Only while closed (Error 8005 when open); 1 and up.
    void setCommPort(int number);
    // Baud rate, parity, data bits and stop bits: "9600,N,8,1". Checked when set.
    const QString& Settings() const { return settings_; }
    void setSettings(const QString& settings);

    bool PortOpen() const { return isOpen(); }
    // true opens (Error 8002 "Invalid port number" when the device cannot be opened, 8005 when
    // it is open already); false closes, and closing a closed port does nothing.
    void setPortOpen(bool open);

    // Bytes on the wire, for ports that talk (a keyer, a rig): write them all now; read what has
    // arrived (nothing when none); wait up to ms milliseconds for something to arrive. Writing to
    // or reading from a closed port is Error 8018.
    void writeBytes(const QByteArray& bytes);
    // Applies the settings string to the open port now (Error 8018 when closed, 380 when the
    // device refuses a value).
    void applySettings();
    QByteArray readBytes();
    bool waitForBytes(int ms);

    bool DTREnable() const { return dtr_; }
    bool RTSEnable() const { return rts_; }
    void setDTREnable(bool on);
    void setRTSEnable(bool on);

    // The parsed settings string.
    struct LineSettings {
        int baud = 9600;
        char parity = 'N';  // N, E, O, M, S
        int dataBits = 8;
        double stopBits = 1;
    };
    static LineSettings parseSettings(const QString& settings);  // Error 380 when malformed

  protected:
    explicit SerialPort(int defaultPort = 1) : commPort_(defaultPort) {}
    virtual bool isOpen() const = 0;
    // Opens the device at the port's number; returns false when it cannot.
    virtual bool openDevice() = 0;
    virtual void closeDevice() = 0;
    // Sets the two modem lines on the open device; both at once when both are given.
    virtual bool applyLines(bool dtr, bool rts) = 0;
    virtual bool applyDtr(bool on) = 0;
    virtual bool applyRts(bool on) = 0;
    virtual bool applyDeviceSettings() = 0;
    virtual bool writeDevice(const QByteArray& bytes) = 0;
    virtual QByteArray readDevice() = 0;
    virtual bool waitDevice(int ms) = 0;

  private:
    int commPort_;
    QString settings_ = QStringLiteral("9600,N,8,1");
    bool dtr_ = false;
    bool rts_ = false;
};

class SerialPorts {
  public:
    virtual ~SerialPorts() = default;
    // A new, closed port.
    virtual std::unique_ptr<SerialPort> create() = 0;

    // The device of port n: an override set here, else the environment's QUILLFEN_COM<n>, else
    // /dev/ttyS<n-1> (COM1 is the first serial device).
    QString devicePath(int number) const;
    void setDevicePath(int number, const QString& path) { overrides_[number] = path; }
    // Where the default device names live ("/dev"); tests point it at an empty folder.
    void setDeviceFolder(const QString& folder) { deviceFolder_ = folder; }

  protected:
    explicit SerialPorts(const Environment* environment) : environment_(environment) {}

  private:
    const Environment* environment_;
    QMap<int, QString> overrides_;
    QString deviceFolder_ = QStringLiteral("/dev");
};

// Real ports on Linux: Qt's serial port for opening and the settings, the modem-control ioctls
// for the lines.
class SystemSerialPorts : public SerialPorts {
  public:
    explicit SystemSerialPorts(const Environment* environment = nullptr)
        : SerialPorts(environment) {}
    std::unique_ptr<SerialPort> create() override;
};

}  // namespace qf
