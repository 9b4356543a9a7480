// The wave player's test double: the program's own player state (open, play, stop, close, the
// mode from the set clock and the file's header) with no sound. Every sound it would have started
// and stopped is written down, stamped with the clock, so a test reads back what was heard.
#pragma once

#include "platform/Clock.h"
#include "platform/WavePlayer.h"

#include <QFileInfo>
#include <QStringList>

#include <memory>
#include <vector>

namespace qf::test {

class SilentWavePlayers : public WavePlayers {
  public:
    struct Sound {
        int player;      // which player (in order of creation, from 0)
        QString path;    // the file as it was opened
        qint64 startMs;  // the clock when it started
        qint64 endMs;    // when it was cut off, or its natural end
    };

    explicit SilentWavePlayers(Clock& clock) : clock_(clock) {}
    std::unique_ptr<WavePlayer> create() override {
        return std::make_unique<Player>(*this, clock_, created_++);
    }

    const std::vector<Sound>& sounds() const { return sounds_; }
    // The base names of the files heard, in order ("NavEn", "Call").
    QStringList names() const {
        QStringList out;
        for (const Sound& s : sounds_) out << QFileInfo(s.path).completeBaseName();
        return out;
    }
    void clear() { sounds_.clear(); }

  private:
    class Player : public WavePlayer {
      public:
        Player(SilentWavePlayers& owner, Clock& clock, int id)
            : WavePlayer(clock), owner_(owner), id_(id) {}

      protected:
        void startSound(const WaveInfo& info, const QString& path) override {
            const qint64 now = clock().tickMs();
            owner_.sounds_.push_back({id_, path, now, now + info.lengthMs()});
            current_ = static_cast<int>(owner_.sounds_.size()) - 1;
        }
        void stopSound() override {
            if (current_ < 0) return;
            Sound& s = owner_.sounds_[static_cast<size_t>(current_)];
            s.endMs = std::min(s.endMs, clock().tickMs());
            current_ = -1;
        }

      private:
        SilentWavePlayers& owner_;
        int id_;
        int current_ = -1;
    };

    Clock& clock_;
    int created_ = 0;
    std::vector<Sound> sounds_;
};

}  // namespace qf::test
