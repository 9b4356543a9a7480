// The frames of the packet engine's TCP protocol, as plain functions: a 36-byte header (port,
// kind, PID, call from, call to, data length, user; whole numbers little-endian, each call a
// 10-byte NUL-padded field) followed by the data. Also the two mappings between those frames and
// what the spotting window asks for and receives, so the service itself only moves bytes.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace qf {

// One frame as the spotting window receives it: the sender's call, the data, the kind as a
// character code, the data length and the header's user value.
struct PacketEngineFrame {
    QString sender;
    QString data;
    qint32 kind = 0;
    qint32 length = 0;
    qint32 user = 0;
};

namespace agw {

inline constexpr int kHeaderBytes = 36;
inline constexpr int kCallBytes = 10;
// No frame the engine sends comes near this; a header that announces more is a broken or
// hostile peer, and nothing is allocated for it.
inline constexpr quint32 kMaxDataBytes = 64 * 1024;
// What one fetch hands on of a frame's data.
inline constexpr int kDeliveredDataChars = 4000;
// The PID of plain text in connected data.
inline constexpr quint8 kPidText = 0xF0;

struct Frame {
    quint8 port = 0;
    char kind = 0;
    quint8 pid = 0;
    QByteArray callFrom;  // without its NUL padding
    QByteArray callTo;
    QByteArray data;
    quint32 user = 0;
    bool operator==(const Frame&) const = default;
};

// Header and data. A call is cut to 9 characters, so its field always ends in a NUL.
QByteArray encode(const Frame& frame);

enum class Decoded {
    Incomplete,  // not yet a whole frame: wait for more bytes
    Whole,       // `frame` holds the frame, which took the first `used` bytes
    Oversized,   // the header announces more than kMaxDataBytes
};
// Reads the frame at the front of `bytes`. A call ends at its first NUL (or after 10 bytes).
Decoded decode(QByteArrayView bytes, Frame& frame, qsizetype& used);

// What the window receives of a frame from the engine: a connect notice as kind 'c', a
// disconnect notice as 'd', connected and monitored data as they come; control answers
// (registration, port and version queries, counters) are swallowed. The data loses one
// trailing NUL and is cut at kDeliveredDataChars.
std::optional<PacketEngineFrame> delivered(const Frame& frame);

// The frame that a put of `kind` becomes, sent from `ownCall`: 'D' connected text to `call`,
// 'c' a connect request, 'd' a disconnect request. Anything else ('P' included) has no frame.
std::optional<Frame> outgoing(const QString& ownCall, const QString& call, const QString& data,
                              qint16 kind);

// The session frames: register and unregister the own call, and switch monitoring on.
Frame registration(const QString& ownCall);
Frame unregistration(const QString& ownCall);
Frame monitorOn();

}  // namespace agw
}  // namespace qf
