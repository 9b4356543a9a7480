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
//   them (a pseudo-terminal) is an Error. The flags read back what was last wanted.
// - Handshaking is kept until set again, through closes and opens.
// - Input is read only when asked (readAllLatin1), straight from the device: nothing is fetched
//   in the background, so a poll reads everything that arrived since the last one.
// - A peer that has gone away (a hung-up line, an ended pseudo-terminal) closes the port at the
//   next read or write, which then fails as on a closed port (Error 8018).
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
    // Baud rate, parity, data bits and stop bits: "9600,N,8,1". Checked when set (Error 380),
    // applied at the next open.
    const QString& Settings() const { return settings_; }
    void setSettings(const QString& settings);

    bool PortOpen() const { return isOpen(); }
    // true opens (Error 8002 "Invalid port number" when the device cannot be opened, 8005 when
    // it is open already); false closes, and closing a closed port does nothing.
    void setPortOpen(bool open);

    bool DTREnable() const { return dtr_; }
    bool RTSEnable() const { return rts_; }
    void setDTREnable(bool on);
    void setRTSEnable(bool on);

    enum class Handshake { None = 0, XonXoff = 1, RtsCts = 2, Both = 3 };
    Handshake Handshaking() const { return handshaking_; }
    // Applied at once when open, else at the next open.
    void setHandshaking(Handshake h);

    // Everything the device holds now, a character per byte; empty when nothing waits.
    // Error 8018 on a closed port or a peer that went away.
    QString readAllLatin1();
    // Drops what waits in the input; nothing on a closed port.
    void discardInput();
    // Hands the bytes to the device; Error 8018 on a closed port or a peer that went away.
    void write(const QByteArray& bytes);
    // Bytes written but not yet sent by the device; 0 on a closed port.
    int outBufferCount() const;

    // For a device that talks in turns (the keyer): write and wait, up to a second, until the
    // bytes are on the wire; read what has arrived without waiting; wait up to ms for something
    // to arrive; apply the settings string to the open port now (Error 380 when the device
    // refuses it). All are Error 8018 on a closed port.
    void writeBytes(const QByteArray& bytes);
    QByteArray readBytes();
    bool waitForBytes(int ms);
    void applySettings();

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
    virtual bool applyHandshaking(Handshake h) = 0;
    // -1 when the peer is gone or the device failed.
    virtual qint64 readDevice(QByteArray& into) = 0;
    virtual qint64 writeDevice(const QByteArray& bytes) = 0;
    virtual void flushInput() = 0;
    virtual int pendingOutput() const = 0;
    virtual bool waitReadable(int ms) = 0;
    // Applies the settings string and the handshaking to the open device again.
    virtual bool reconfigure() = 0;

  private:
    int commPort_;
    QString settings_ = QStringLiteral("9600,N,8,1");
    bool dtr_ = false;
    bool rts_ = false;
    Handshake handshaking_ = Handshake::None;
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

// Real ports on Linux: the tty's own descriptor, termios for the line settings and the
// handshaking, the modem-control ioctls for the lines.
class SystemSerialPorts : public SerialPorts {
  public:
    explicit SystemSerialPorts(const Environment* environment = nullptr)
        : SerialPorts(environment) {}
    std::unique_ptr<SerialPort> create() override;
};

// A port on a Linux tty, on its own descriptor: nothing reads it in the background, so a poll
// gets everything that arrived since the last one.
class TtySerialPort : public SerialPort {
  public:
    explicit TtySerialPort(const SerialPorts& ports);
    ~TtySerialPort() override;

  protected:
    bool isOpen() const override;
    bool openDevice() override;
    void closeDevice() override;
    bool applyLines(bool dtr, bool rts) override;
    bool applyDtr(bool on) override;
    bool applyRts(bool on) override;
    bool applyHandshaking(Handshake h) override;
    qint64 readDevice(QByteArray& into) override;
    qint64 writeDevice(const QByteArray& bytes) override;
    void flushInput() override;
    int pendingOutput() const override;
    bool waitReadable(int ms) override;
    bool reconfigure() override;
    // One modem-control request to the open device: the named lines all go up, or all go down,
    // at the same instant. A device without modem lines (a pseudo-terminal) refuses it.
    virtual bool changeLines(bool up, bool dtr, bool rts);

  private:
    static bool configure(int fd, const LineSettings& s);

    const SerialPorts& ports_;
    int fd_ = -1;
};

}  // namespace qf
