// The WinKey driver: a Morse keyer on a serial port, spoken to in the keyer's public host
// protocol at 1200 baud, 8 data bits, no parity, 2 stop bits. One keyer at a time is open.
//
// - wk_open makes the echo test and then opens host mode, which answers with the keyer's
//   version byte. Result codes: 0 success; -1 no echo; -2 a wrong echo; -3 no answer to host
//   open; -4 the port cannot be opened; -5 its line state cannot be read; -6 the line settings
//   cannot be applied; -8 a keyer is open already; -9 (any other call) no keyer is open.
// - Calls made while no keyer is open send nothing.
// - wk_getstatus returns the flags of the keyer's latest status byte: 0 idle, 4 busy, 5 busy
//   with the buffer nearly full (the caller must wait above 4). While the keyer says it is
//   sending, each call asks it again. A keyer says busy by itself as soon as it starts keying,
//   so characters it has not yet spoken of read as busy too, and after 2 s of its silence it
//   is asked. While a request is unanswered the status reads 5 at least: no character goes
//   into a keyer that may have stopped answering.
// - A keyer that leaves a request unanswered for 2 s, that was sent characters and answers
//   nothing 2 s later, or whose port fails, has stopped answering: its status is unknown and
//   reads as busy (4), never as idle, because it may still be keying what it holds. So no send
//   loop waits for ever on it, and Esc and Backspace still reach it. It is asked again every
//   2 s without waiting, and counts as answering again from its next status byte.
// - wk_char puts only printable characters (0x20 to 0x7E) on the wire: every other byte is a
//   command to the keyer and would take the next byte as its parameter.
#pragma once

#include <QtGlobal>

#include <memory>

namespace qf {

class Clock;
class SerialPort;
class SerialPorts;

class WinKeyDriver {
  public:
    virtual ~WinKeyDriver() = default;
    virtual qint32 wk_open(quint8& version, quint8 port) = 0;
    virtual qint32 wk_close() = 0;
    virtual qint32 wk_getstatus() = 0;
    virtual qint32 wk_char(quint8 c) = 0;
    virtual qint32 wk_clearbuf() = 0;
    virtual qint32 wk_backspace() = 0;
    virtual qint32 wk_wpm(quint8 wpm) = 0;
    virtual qint32 wk_weight(quint8 weight) = 0;
    virtual qint32 wk_ptt_leadtail(quint8 leadIn, quint8 tail) = 0;
    virtual qint32 wk_ditdah_ratio(quint8 ratio) = 0;
    virtual qint32 wk_pincfg(quint8 config) = 0;
    virtual qint32 wk_setmode(quint8 mode) = 0;
    // False while an open keyer's status is unknown because it stopped answering.
    virtual bool answering() const = 0;
};

namespace wk {
constexpr qint32 kSuccess = 0, kNoEcho = -1, kEchoMismatch = -2, kNoOpenResponse = -3,
                 kComOpenFailed = -4, kGetComStateFailed = -5, kSetComStateFailed = -6,
                 kAlreadyOpen = -8, kNotOpen = -9;
// Status flags.
constexpr qint32 kXoff = 0x01, kBreakIn = 0x02, kBusy = 0x04, kWait = 0x10;
}  // namespace wk

class SerialWinKeyDriver : public WinKeyDriver {
  public:
    // How long the keyer may take to answer the echo test and host open (real time: it is
    // the device that answers), and how long it may leave a status request unanswered before
    // it counts as no longer answering (the program's clock), which is also how often a silent
    // keyer is asked again.
    static constexpr int kAnswerMs = 500;
    static constexpr qint64 kSilentMs = 2000;

    SerialWinKeyDriver(SerialPorts& ports, Clock& clock);
    ~SerialWinKeyDriver() override;

    qint32 wk_open(quint8& version, quint8 port) override;
    qint32 wk_close() override;
    qint32 wk_getstatus() override;
    qint32 wk_char(quint8 c) override;
    qint32 wk_clearbuf() override;
    qint32 wk_backspace() override;
    qint32 wk_wpm(quint8 wpm) override;
    qint32 wk_weight(quint8 weight) override;
    qint32 wk_ptt_leadtail(quint8 leadIn, quint8 tail) override;
    qint32 wk_ditdah_ratio(quint8 ratio) override;
    qint32 wk_pincfg(quint8 config) override;
    qint32 wk_setmode(quint8 mode) override;
    bool answering() const override { return !silent_; }

  private:
    qint32 send(std::initializer_list<quint8> bytes);
    // Takes in what the keyer has sent; true when a status byte was among it.
    bool takeIn();
    // The status of a keyer that stopped answering; asks it again every kSilentMs.
    qint32 silentStatus();
    void fallSilent();
    // Waits up to ms for bytes; the first one, or -1.
    int firstByteWithin(int ms);
    void drop();

    SerialPorts& ports_;
    Clock& clock_;
    std::unique_ptr<SerialPort> port_;
    qint32 status_ = 0;
    bool unanswered_ = false;     // a status request went out and no status came back
    qint64 unansweredSince_ = 0;  // the clock's time of that request
    bool unheard_ = false;        // characters went out and no status byte came back since
    qint64 unheardSince_ = 0;     // the clock's time of the first of them
    bool silent_ = false;         // stopped answering: the status is unknown
    qint64 askedSilentAt_ = 0;    // the clock's time of the last request to a silent keyer
};

}  // namespace qf
