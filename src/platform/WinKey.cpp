#include "platform/WinKey.h"

#include "platform/Clock.h"
#include "platform/Error.h"
#include "platform/SerialPort.h"

#include <QElapsedTimer>

#include <algorithm>

namespace qf {

namespace {

// Host-protocol bytes.
constexpr quint8 kAdmin = 0x00, kAdminHostOpen = 0x02, kAdminHostClose = 0x03, kAdminEcho = 0x04;
constexpr quint8 kSetSpeed = 0x02, kSetWeight = 0x03, kSetPttLeadTail = 0x04, kBackspace = 0x08,
                 kSetPinConfig = 0x09, kClearBuffer = 0x0A, kSetMode = 0x0E, kRequestStatus = 0x15,
                 kSetRatio = 0x17;
constexpr quint8 kEchoProbe = 0x55;
// How long a busy keyer has to answer one status request, in real time.
constexpr int kStatusAnswerMs = 250;
// The status of a keyer whose answer is awaited: whether it can take more is unknown, so the
// send loop waits (above 4) rather than pour the rest of a message into a keyer that may have
// stopped answering.
constexpr qint32 kAwaitingAnswer = wk::kBusy | wk::kXoff;

QByteArray bytesOf(std::initializer_list<quint8> bytes) {
    QByteArray out;
    for (quint8 b : bytes) out.append(char(b));
    return out;
}

bool isStatusByte(quint8 b) {
    return (b & 0xE0) == 0xC0;
}
// The flags the callers weigh; bit 3 (key down, or a button report) makes no difference to them.
qint32 flagsOf(quint8 b) {
    return b & (wk::kXoff | wk::kBreakIn | wk::kBusy | wk::kWait);
}

}  // namespace

SerialWinKeyDriver::SerialWinKeyDriver(SerialPorts& ports, Clock& clock)
    : ports_(ports), clock_(clock) {}

SerialWinKeyDriver::~SerialWinKeyDriver() {
    try {
        wk_close();
    } catch (...) {
    }
}

void SerialWinKeyDriver::drop() {
    if (port_) {
        try {
            port_->setPortOpen(false);
        } catch (const Error&) {
        }
    }
    port_.reset();
    status_ = 0;
    unanswered_ = false;
    unheard_ = false;
    silent_ = false;
}

int SerialWinKeyDriver::firstByteWithin(int ms) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const QByteArray in = port_->readBytes();
        if (!in.isEmpty()) return static_cast<quint8>(in[0]);
        const qint64 left = ms - waited.elapsed();
        if (left <= 0 || !port_->waitForBytes(static_cast<int>(left))) {
            const QByteArray last = port_->readBytes();
            return last.isEmpty() ? -1 : static_cast<quint8>(last[0]);
        }
    }
}

qint32 SerialWinKeyDriver::wk_open(quint8& version, quint8 port) {
    if (port_) return wk::kAlreadyOpen;
    version = 0;
    port_ = ports_.create();
    try {
        port_->setCommPort(port);
        port_->setSettings(QStringLiteral("1200,N,8,2"));
        port_->setDTREnable(false);
        port_->setRTSEnable(false);
        port_->setPortOpen(true);
    } catch (const Error&) {
        drop();
        return wk::kComOpenFailed;
    }
    try {
        port_->applySettings();
    } catch (const Error&) {
        drop();
        return wk::kSetComStateFailed;
    }
    try {
        (void)port_->readBytes();  // whatever a keyer said before we asked
        port_->writeBytes(bytesOf({kAdmin, kAdminEcho, kEchoProbe}));
        const int echo = firstByteWithin(kAnswerMs);
        if (echo < 0) {
            drop();
            return wk::kNoEcho;
        }
        if (echo != kEchoProbe) {
            drop();
            return wk::kEchoMismatch;
        }
        port_->writeBytes(bytesOf({kAdmin, kAdminHostOpen}));
        const int answer = firstByteWithin(kAnswerMs);
        if (answer <= 0) {
            drop();
            return wk::kNoOpenResponse;
        }
        version = static_cast<quint8>(answer);
    } catch (const Error&) {
        drop();
        return wk::kNoOpenResponse;
    }
    status_ = 0;
    unanswered_ = false;
    unheard_ = false;
    silent_ = false;
    return wk::kSuccess;
}

qint32 SerialWinKeyDriver::wk_close() {
    if (!port_) return wk::kNotOpen;
    try {
        port_->writeBytes(bytesOf({kAdmin, kAdminHostClose}));
    } catch (const Error&) {
    }
    drop();
    return wk::kSuccess;
}

qint32 SerialWinKeyDriver::send(std::initializer_list<quint8> bytes) {
    if (!port_) return wk::kNotOpen;
    try {
        port_->writeBytes(bytesOf(bytes));
    } catch (const Error&) {
        return wk::kNotOpen;
    }
    return wk::kSuccess;
}

bool SerialWinKeyDriver::takeIn() {
    bool status = false;
    for (char c : port_->readBytes()) {
        const quint8 b = static_cast<quint8>(c);
        if (!isStatusByte(b)) continue;  // speed-pot readings and echoes are not used here
        status_ = flagsOf(b);
        status = true;
    }
    if (status) {
        unanswered_ = false;
        unheard_ = false;
        silent_ = false;
    }
    return status;
}

qint32 SerialWinKeyDriver::wk_getstatus() {
    if (!port_) return wk::kNotOpen;
    try {
        takeIn();
        if (silent_) return silentStatus();
        // Characters it has said nothing of for 2 s, idle or not: it is asked, and a keyer that
        // does not answer then has stopped answering.
        const bool unheardLong = unheard_ && clock_.tickMs() - unheardSince_ >= kSilentMs;
        if (status_ == 0 && !unheardLong) return unheard_ ? wk::kBusy : 0;
        if (unanswered_) {
            // Asked already and no word since: after 2 s the keyer has stopped answering.
            if (clock_.tickMs() - unansweredSince_ >= kSilentMs) {
                fallSilent();
                return silentStatus();
            }
            return std::max(status_, kAwaitingAnswer);
        }
        // The keyer says it is sending, or should have said so by now: ask it how it is.
        port_->writeBytes(QByteArray(1, char(kRequestStatus)));
        QElapsedTimer waited;
        waited.start();
        while (!takeIn()) {
            const qint64 left = kStatusAnswerMs - waited.elapsed();
            if (left <= 0 || !port_->waitForBytes(static_cast<int>(left))) {
                if (!takeIn()) {
                    if (unheardLong) {
                        fallSilent();
                        return silentStatus();
                    }
                    unanswered_ = true;
                    unansweredSince_ = clock_.tickMs();
                }
                break;
            }
        }
    } catch (const Error&) {
        // A port that failed (a keyer unplugged) answers no more either.
        if (!silent_) fallSilent();
        return silentStatus();
    }
    if (unanswered_) return std::max(status_, kAwaitingAnswer);
    // Sent characters it has not spoken of yet are being keyed, as far as anyone knows.
    return unheard_ ? std::max(status_, wk::kBusy) : status_;
}

void SerialWinKeyDriver::fallSilent() {
    unanswered_ = false;
    silent_ = true;
    askedSilentAt_ = clock_.tickMs();
}

qint32 SerialWinKeyDriver::silentStatus() {
    // Asked again now and then, without waiting: an answer is taken in by a later call.
    if (clock_.tickMs() - askedSilentAt_ >= kSilentMs) {
        askedSilentAt_ = clock_.tickMs();
        try {
            port_->writeBytes(QByteArray(1, char(kRequestStatus)));
        } catch (const Error&) {
        }
    }
    // It may still be keying what it holds: busy, so Esc clears it, yet no loop waits on it.
    return wk::kBusy;
}

qint32 SerialWinKeyDriver::wk_char(quint8 c) {
    if (!port_) return wk::kNotOpen;
    // Control codes and bytes above "~" are commands to the keyer, never text.
    if (c < 0x20 || c > 0x7E) return wk::kSuccess;
    const qint32 result = send({c});
    if (result == wk::kSuccess && !unheard_) {
        unheard_ = true;
        unheardSince_ = clock_.tickMs();
    }
    return result;
}

qint32 SerialWinKeyDriver::wk_clearbuf() {
    return send({kClearBuffer});
}
qint32 SerialWinKeyDriver::wk_backspace() {
    return send({kBackspace});
}
qint32 SerialWinKeyDriver::wk_wpm(quint8 wpm) {
    return send({kSetSpeed, wpm});
}
qint32 SerialWinKeyDriver::wk_weight(quint8 weight) {
    return send({kSetWeight, weight});
}
qint32 SerialWinKeyDriver::wk_ptt_leadtail(quint8 leadIn, quint8 tail) {
    return send({kSetPttLeadTail, leadIn, tail});
}
qint32 SerialWinKeyDriver::wk_ditdah_ratio(quint8 ratio) {
    return send({kSetRatio, ratio});
}
qint32 SerialWinKeyDriver::wk_pincfg(quint8 config) {
    return send({kSetPinConfig, config});
}
qint32 SerialWinKeyDriver::wk_setmode(quint8 mode) {
    return send({kSetMode, mode});
}

}  // namespace qf
