#include "platform/WavePlayer.h"

#include "platform/Clock.h"
#include "platform/Error.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>

namespace qf {

namespace {

quint16 u16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

// Only what a sound device plays counts as a recording. The length is what keys the
// transmitter, so a header that claims a rate no device runs at (1 Hz makes an hour of a few
// kilobytes) is no wave file.
constexpr int kLowestRate = 8000, kHighestRate = 192000;

bool playable(const WaveInfo& w) {
    if (w.channels < 1 || w.channels > 8 || w.sampleRate < kLowestRate ||
        w.sampleRate > kHighestRate)
        return false;
    const bool pcm = w.formatTag == 1 &&
                     (w.bitsPerSample == 8 || w.bitsPerSample == 16 || w.bitsPerSample == 32);
    const bool flt = w.formatTag == 3 && w.bitsPerSample == 32;
    return (pcm || flt) && w.blockAlign == w.channels * w.bitsPerSample / 8;
}

}  // namespace

qint64 WaveInfo::lengthMs() const {
    if (blockAlign <= 0 || sampleRate <= 0) return 0;
    const qint64 frames = dataBytes / blockAlign;
    return (frames * 1000 + sampleRate - 1) / sampleRate;
}

std::optional<WaveInfo> ReadWaveInfo(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 size = f.size();
    char head[12];
    if (f.read(head, 12) != 12 || memcmp(head, "RIFF", 4) != 0 || memcmp(head + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WaveInfo w;
    bool haveFormat = false;
    qint64 pos = 12;
    while (pos + 8 <= size) {
        char chunk[8];
        if (!f.seek(pos) || f.read(chunk, 8) != 8) return std::nullopt;
        const qint64 length = u32(chunk + 4);
        const qint64 body = pos + 8;
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16) return std::nullopt;
            char fmt[40] = {};
            const qint64 want = std::min<qint64>(length, 40);
            if (f.read(fmt, want) != want) return std::nullopt;
            w.formatTag = u16(fmt);
            w.channels = u16(fmt + 2);
            w.sampleRate = static_cast<int>(u32(fmt + 4));
            w.blockAlign = u16(fmt + 12);
            w.bitsPerSample = u16(fmt + 14);
            // An extensible header names the real format in the first bytes of its sub-format.
            if (w.formatTag == 0xFFFE && want >= 26) w.formatTag = u16(fmt + 24);
            haveFormat = true;
        } else if (memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return std::nullopt;
            w.dataOffset = body;
            // A file cut short plays what it holds.
            w.dataBytes = std::min(length, size - body);
            if (!playable(w)) return std::nullopt;
            return w;
        }
        pos = body + length + (length & 1);
    }
    return std::nullopt;
}

// ---- the state the player keeps

void WavePlayer::setCommand(const QString& command) {
    const bool wait = Wait;
    Wait = false;  // good for one command only
    const QString c = command.trimmed().toLower();
    if (c == QLatin1String("open")) {
        open();
    } else if (c == QLatin1String("close")) {
        close();
    } else if (c == QLatin1String("stop")) {
        if (!open_) throw Error(mci::kNotOpenError, QStringLiteral("The device is not open."));
        if (started_) stopSound();
        stopped_ = true;
    } else if (c == QLatin1String("play")) {
        if (!open_) throw Error(mci::kNotOpenError, QStringLiteral("The device is not open."));
        if (started_) stopSound();
        started_ = true;
        stopped_ = false;
        startTick_ = clock_.tickMs();
        startSound(info_, openPath_);
        if (wait) {
            // Returns at the end of the recording, letting nothing else run meanwhile.
            while (Mode() == mci::kPlaying) {
                const qint64 left = startTick_ + info_.lengthMs() - clock_.tickMs();
                clock_.sleepMs(std::max<qint64>(1, std::min<qint64>(left, 50)));
            }
        }
    } else {
        throw Error(mci::kBadCommand, QStringLiteral("The command is not recognized."));
    }
}

int WavePlayer::Mode() const {
    if (!open_) return mci::kNotOpen;
    if (started_ && !stopped_ && clock_.tickMs() < startTick_ + info_.lengthMs())
        return mci::kPlaying;
    return mci::kStopped;
}

void WavePlayer::open() {
    close();
    if (DeviceType.compare(QLatin1String("WaveAudio"), Qt::CaseInsensitive) != 0)
        throw Error(mci::kBadDevice, QStringLiteral("The device type is not known."));
    const auto info = ReadWaveInfo(FileName);
    if (!info)
        throw Error(mci::kCannotOpen, QStringLiteral("The file cannot be played: ") + FileName);
    info_ = *info;
    openPath_ = FileName;
    open_ = true;
}

void WavePlayer::close() {
    if (open_ && started_) stopSound();
    open_ = started_ = stopped_ = false;
    info_ = {};
    openPath_.clear();
}

void WaitWhilePlaying(WavePlayer& player, Clock& clock, qint64 limitMs) {
    const qint64 start = clock.tickMs();
    while (player.Mode() == mci::kPlaying) {
        const qint64 left = limitMs - (clock.tickMs() - start);
        if (left <= 0) return;
        clock.sleepMs(1);  // the end of the prompt is met to the millisecond
    }
}

// ---- Qt Multimedia

namespace {

class QtWavePlayer : public WavePlayer {
  public:
    using WavePlayer::WavePlayer;
    ~QtWavePlayer() override { stopSound(); }

  protected:
    void startSound(const WaveInfo& info, const QString& path) override {
        stopSound();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly) || !f.seek(info.dataOffset)) return;
        data_ = f.read(info.dataBytes);
        QAudioFormat format;
        format.setSampleRate(info.sampleRate);
        format.setChannelCount(info.channels);
        switch (info.bitsPerSample) {
            case 8:
                format.setSampleFormat(QAudioFormat::UInt8);
                break;
            case 16:
                format.setSampleFormat(QAudioFormat::Int16);
                break;
            default:
                format.setSampleFormat(info.formatTag == 3 ? QAudioFormat::Float
                                                           : QAudioFormat::Int32);
                break;
        }
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return;  // no sound system: the state goes on by the clock
        buffer_.setData(data_);
        buffer_.open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(device, format);
        sink_->start(&buffer_);
    }
    void stopSound() override {
        if (sink_) {
            sink_->stop();
            sink_.reset();
        }
        buffer_.close();
    }

  private:
    QByteArray data_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

}  // namespace

std::unique_ptr<WavePlayer> QtWavePlayers::create() {
    return std::make_unique<QtWavePlayer>(clock_);
}

}  // namespace qf
