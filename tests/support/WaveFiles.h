// Wave files made by the tests: silence or a tone of a given length, 8-bit mono unless asked.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cmath>
#include <stdexcept>

namespace qf::test {

inline QByteArray le16(int v) {
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(v), b.data());
    return b;
}
inline QByteArray le32(qint64 v) {
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(v), b.data());
    return b;
}

// A header for PCM samples; `dataBytes` as declared in the data chunk.
inline QByteArray waveHeader(int channels, int rate, int bits, qint64 dataBytes, int tag = 1) {
    const int align = channels * bits / 8;
    return "RIFF" + le32(36 + dataBytes) + "WAVE" + "fmt " + le32(16) + le16(tag) + le16(channels) +
           le32(rate) + le32(static_cast<qint64>(rate) * align) + le16(align) + le16(bits) +
           "data" + le32(dataBytes);
}

// `ms` of a 16-bit mono tone at `hz` (0 for silence).
inline QByteArray toneWave(int ms, int hz = 0, int rate = 8000, double amplitude = 0.5) {
    const qint64 frames = static_cast<qint64>(rate) * ms / 1000;
    QByteArray samples;
    samples.reserve(static_cast<qsizetype>(frames * 2));
    for (qint64 i = 0; i < frames; ++i) {
        const double v =
            hz ? amplitude * std::sin(2 * M_PI * hz * static_cast<double>(i) / rate) : 0;
        samples += le16(static_cast<qint16>(std::lround(v * 32767)));
    }
    return waveHeader(1, rate, 16, samples.size()) + samples;
}

inline void writeBytes(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        throw std::runtime_error("cannot write wave file");
}

}  // namespace qf::test
