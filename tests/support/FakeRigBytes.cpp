#include "support/FakeRigBytes.h"

#include <algorithm>

namespace qf::test::rigbytes {

namespace {

// n BCD bytes of value, most significant first.
QByteArray bcd(qint64 value, int n) {
    QByteArray b(n, '\0');
    for (int i = n - 1; i >= 0; --i) {
        const int low = static_cast<int>(value % 10);
        value /= 10;
        const int high = static_cast<int>(value % 10);
        value /= 10;
        b[i] = static_cast<char>((high << 4) | low);
    }
    return b;
}

QByteArray reversed(QByteArray b) {
    std::reverse(b.begin(), b.end());
    return b;
}

// Puts value's hexadecimal digits into digits first..last (from 1) of the block's dump.
void putHexField(QByteArray& block, int first, int last, quint64 value) {
    for (int k = last; k >= first; --k, value >>= 4) {
        char& byte = block[(k + 1) / 2 - 1];
        const int nibble = static_cast<int>(value & 0xF);
        byte = static_cast<char>((k % 2 == 1) ? ((byte & 0x0F) | (nibble << 4))
                                              : ((byte & 0xF0) | nibble));
    }
}

}  // namespace

QByteArray yaesuFrequencyMode(qint64 hz, quint8 modeCode) {
    return bcd(hz / 10, 4) + QByteArray(1, static_cast<char>(modeCode));
}

QByteArray yaesuStatusBlock(const QString& model, qint64 hz, int modeDigit, int length) {
    if (length == 0) {
        // The current-data update of each rig, as long as its manual gives it.
        length = model == u"Yaesu 890"   ? 19
                 : model == u"Yaesu 920" ? 28
                 : model == u"Yaesu 990" ? 32
                                         : 16;
    }
    QByteArray block(length, '\x55');  // filler no field reads
    if (model == u"Yaesu 890")
        putHexField(block, 5, 10, static_cast<quint64>(hz / 10));
    else if (model == u"Yaesu 1000")
        putHexField(block, 4, 9, static_cast<quint64>(hz / 10));
    else if (model == u"Yaesu 920")
        putHexField(block, 3, 10, static_cast<quint64>(hz));
    else  // "Yaesu 990", "Yaesu 1000 D"
        putHexField(block, 3, 8, static_cast<quint64>(hz / 10));
    if (length >= 8) putHexField(block, 16, 16, static_cast<quint64>(modeDigit));
    return block;
}

QByteArray yaesu757Block(qint64 hz, quint8 modeByte, int length) {
    QByteArray block(length, '\0');
    block.replace(5, 4, reversed(bcd(hz / 10, 4)));
    block[9] = static_cast<char>(modeByte);
    return block;
}

QByteArray civFrequency(quint8 rig, qint64 hz, int dataBytes) {
    return QByteArray::fromHex("FEFEE0") + QByteArray(1, static_cast<char>(rig)) + '\x03' +
           reversed(bcd(hz, dataBytes)) + '\xFD';
}

QByteArray civMode(quint8 rig, quint8 mode, quint8 filter) {
    return QByteArray::fromHex("FEFEE0") + QByteArray(1, static_cast<char>(rig)) + '\x04' +
           static_cast<char>(mode) + static_cast<char>(filter) + '\xFD';
}

QByteArray civEcho(quint8 rig, quint8 command) {
    return QByteArray::fromHex("FEFE") + static_cast<char>(rig) + '\xE0' +
           static_cast<char>(command) + '\xFD';
}

QByteArray panelFrequency(qint64 hz) {
    QByteArray b("A");
    for (int shift = 24; shift >= 0; shift -= 8) b += static_cast<char>((hz >> shift) & 0xFF);
    return b + '\r';
}

QByteArray panelMode(char mode) {
    return QByteArray("M") + mode + mode + '\r';
}

}  // namespace qf::test::rigbytes
