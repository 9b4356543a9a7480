// Bytes of every value from a fixed seed (xorshift), so each run decodes the same garbage.
#pragma once

#include <QByteArray>

namespace qf::bench {

inline QByteArray randomBytes(qsizetype n) {
    QByteArray b(n, '\0');
    quint32 x = 2463534242u;
    for (char& c : b) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    return b;
}

}  // namespace qf::bench
