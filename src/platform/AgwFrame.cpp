#include "platform/AgwFrame.h"

#include <QtEndian>

namespace qf::agw {

namespace {

constexpr int kPortAt = 0, kKindAt = 4, kPidAt = 6, kFromAt = 8, kToAt = 18, kLengthAt = 28,
              kUserAt = 32;

void putCall(char* field, const QByteArray& call) {
    const qsizetype n = qMin<qsizetype>(call.size(), kCallBytes - 1);
    for (qsizetype i = 0; i < n; ++i) field[i] = call[i];
}

QByteArray callOf(const char* field) {
    qsizetype n = 0;
    while (n < kCallBytes && field[n] != '\0') ++n;
    return QByteArray(field, n);
}

}  // namespace

QByteArray encode(const Frame& frame) {
    QByteArray out(kHeaderBytes, '\0');
    char* h = out.data();
    h[kPortAt] = char(frame.port);
    h[kKindAt] = frame.kind;
    h[kPidAt] = char(frame.pid);
    putCall(h + kFromAt, frame.callFrom);
    putCall(h + kToAt, frame.callTo);
    qToLittleEndian<quint32>(quint32(frame.data.size()), h + kLengthAt);
    qToLittleEndian<quint32>(frame.user, h + kUserAt);
    out.append(frame.data);
    return out;
}

Decoded decode(QByteArrayView bytes, Frame& frame, qsizetype& used) {
    if (bytes.size() < kHeaderBytes) return Decoded::Incomplete;
    const char* h = bytes.data();
    const quint32 length = qFromLittleEndian<quint32>(h + kLengthAt);
    // Checked before anything waits for or holds the announced data.
    if (length > kMaxDataBytes) return Decoded::Oversized;
    if (bytes.size() - kHeaderBytes < qsizetype(length)) return Decoded::Incomplete;
    frame.port = quint8(h[kPortAt]);
    frame.kind = h[kKindAt];
    frame.pid = quint8(h[kPidAt]);
    frame.callFrom = callOf(h + kFromAt);
    frame.callTo = callOf(h + kToAt);
    frame.data = QByteArray(h + kHeaderBytes, length);
    frame.user = qFromLittleEndian<quint32>(h + kUserAt);
    used = kHeaderBytes + qsizetype(length);
    return Decoded::Whole;
}

std::optional<PacketEngineFrame> delivered(const Frame& frame) {
    char kind = 0;
    switch (frame.kind) {
        case 'C':
            kind = 'c';
            break;  // connected to a station
        case 'd':
            kind = 'd';
            break;  // disconnected from a station
        case 'D':   // connected data
        case 'U':   // monitored: unproto, information, supervisory, own frames
        case 'I':
        case 'S':
        case 'T':
            kind = frame.kind;
            break;
        default:
            return std::nullopt;
    }
    QByteArray data = frame.data;
    if (data.endsWith('\0')) data.chop(1);
    data.truncate(kDeliveredDataChars);
    PacketEngineFrame out;
    out.sender = QString::fromLatin1(frame.callFrom);
    out.data = QString::fromLatin1(data);
    out.kind = kind;
    out.length = qint32(data.size());
    out.user = qint32(frame.user);
    return out;
}

std::optional<Frame> outgoing(const QString& ownCall, const QString& call, const QString& data,
                              qint16 kind) {
    Frame f;
    f.callFrom = ownCall.toLatin1();
    f.callTo = call.toLatin1();
    switch (kind) {
        case 'D':
            f.kind = 'D';
            f.pid = kPidText;
            f.data = data.toLatin1();
            return f;
        case 'c':
            f.kind = 'C';
            return f;
        case 'd':
            f.kind = 'd';
            return f;
        default:
            return std::nullopt;
    }
}

Frame registration(const QString& ownCall) {
    Frame f;
    f.kind = 'X';
    f.callFrom = ownCall.toLatin1();
    return f;
}

Frame unregistration(const QString& ownCall) {
    Frame f;
    f.kind = 'x';
    f.callFrom = ownCall.toLatin1();
    return f;
}

Frame monitorOn() {
    Frame f;
    f.kind = 'm';
    return f;
}

}  // namespace qf::agw
