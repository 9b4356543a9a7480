// The wave player: what the voice keyer and voice navigation play their recordings through. It
// takes the player control's properties (Notify, Wait, Shareable, DeviceType, FileName) and its
// command strings ("Open", "play", "Stop", "Close"), and reports its Mode.
//
// - Whether it plays is worked out from the clock: the time "play" was sent plus the file's
//   length from its header. Nothing waits for a sound-system event, so a loop that lets no event
//   run still sees the end, and a test clock moves the player on with everything else.
// - Wait holds for the one command sent after it is set (as the control had it): a "play" sent
//   with Wait set returns at the end of the recording.
// - "Open" reads the file's header; a file that is missing, not a wave file, not plain PCM (or
//   float) or at a rate outside 8000 to 192000 Hz is an Error, and nothing is open afterwards.
//   The length is that of the samples the file really holds, whatever its header claims.
// - The sound itself is the backend's business: QtWavePlayers plays through Qt Multimedia; the
//   tests' double keeps the same state and makes no sound.
#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace qf {

class Clock;

// What the header of a wave file says, as far as a player needs it.
struct WaveInfo {
    int formatTag = 0;  // 1 PCM, 3 float (an extensible header gives its sub-format)
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    qint64 dataOffset = 0;  // where the samples start in the file
    qint64 dataBytes = 0;   // sample bytes present (a short file gives what it holds)
    qint64 lengthMs() const;
};

// Reads a wave file's header. None when the file cannot be read or is no playable wave file.
std::optional<WaveInfo> ReadWaveInfo(const QString& path);

namespace mci {
constexpr int kNotOpen = 524, kStopped = 525, kPlaying = 526;
// The player's own error numbers.
constexpr int kBadCommand = 30001;    // a command string it does not know
constexpr int kNotOpenError = 30002;  // "play" or "Stop" with nothing open
constexpr int kBadDevice = 30003;     // a device type other than "WaveAudio"
constexpr int kCannotOpen = 30004;    // a file that is missing or cannot be played
}  // namespace mci

class WavePlayer {
  public:
    explicit WavePlayer(Clock& clock) : clock_(clock) {}
    virtual ~WavePlayer() = default;
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    bool Notify = false;
    bool Wait = false;
    bool Shareable = false;
    QString DeviceType;
    QString FileName;

    // One command string, compared ignoring case. Errors as in the mci namespace.
    void setCommand(const QString& command);
    int Mode() const;
    // The open file's length in milliseconds (0 when nothing is open).
    qint64 Length() const { return open_ ? info_.lengthMs() : 0; }
    // The file that is open, as it was opened.
    const QString& OpenFile() const { return openPath_; }

  protected:
    // Starts the sound of the open file from its beginning; a failure of the sound alone does
    // not change the state (the recording counts as playing for its length).
    virtual void startSound(const WaveInfo& info, const QString& path) = 0;
    virtual void stopSound() = 0;
    Clock& clock() { return clock_; }

  private:
    void open();
    void close();
    Clock& clock_;
    bool open_ = false;
    bool started_ = false;
    bool stopped_ = false;
    qint64 startTick_ = 0;
    WaveInfo info_;
    QString openPath_;
};

// Holds the thread, letting no event run, while the player plays, and never longer than limitMs:
// a long or broken recording cannot freeze the program.
constexpr qint64 kLongestPromptWaitMs = 5000;
void WaitWhilePlaying(WavePlayer& player, Clock& clock, qint64 limitMs = kLongestPromptWaitMs);

class WavePlayers {
  public:
    virtual ~WavePlayers() = default;
    virtual std::unique_ptr<WavePlayer> create() = 0;
};

// Plays through Qt Multimedia's default audio output (PulseAudio on Linux).
class QtWavePlayers : public WavePlayers {
  public:
    explicit QtWavePlayers(Clock& clock) : clock_(clock) {}
    std::unique_ptr<WavePlayer> create() override;

  private:
    Clock& clock_;
};

}  // namespace qf
