// The WinKey driver as the tests see it: every call goes to the program's own driver (over
// whatever port the test maps, usually a pseudo-terminal to the keyer emulator) and is written
// down as "wk_wpm(18)"; a test can script the result of the next opens instead.
#pragma once

#include "platform/WinKey.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>

namespace qf::test {

class WinKeyRecorder : public WinKeyDriver {
  public:
    explicit WinKeyRecorder(std::unique_ptr<WinKeyDriver> real) : real_(std::move(real)) {}

    QStringList calls;
    // When set, wk_open returns this code and version without reaching the driver.
    std::optional<std::pair<qint32, quint8>> scriptedOpen;

    qint32 wk_open(quint8& version, quint8 port) override {
        calls << QStringLiteral("wk_open(%1)").arg(port);
        if (scriptedOpen) {
            version = scriptedOpen->second;
            return scriptedOpen->first;
        }
        return real_->wk_open(version, port);
    }
    qint32 wk_close() override { return note(QStringLiteral("wk_close()"), real_->wk_close()); }
    qint32 wk_getstatus() override { return real_->wk_getstatus(); }
    qint32 wk_char(quint8 c) override {
        return note(QStringLiteral("wk_char(%1)").arg(c), real_->wk_char(c));
    }
    qint32 wk_clearbuf() override {
        return note(QStringLiteral("wk_clearbuf()"), real_->wk_clearbuf());
    }
    qint32 wk_backspace() override {
        return note(QStringLiteral("wk_backspace()"), real_->wk_backspace());
    }
    qint32 wk_wpm(quint8 v) override {
        return note(QStringLiteral("wk_wpm(%1)").arg(v), real_->wk_wpm(v));
    }
    qint32 wk_weight(quint8 v) override {
        return note(QStringLiteral("wk_weight(%1)").arg(v), real_->wk_weight(v));
    }
    qint32 wk_ptt_leadtail(quint8 a, quint8 b) override {
        return note(QStringLiteral("wk_ptt_leadtail(%1,%2)").arg(a).arg(b),
                    real_->wk_ptt_leadtail(a, b));
    }
    qint32 wk_ditdah_ratio(quint8 v) override {
        return note(QStringLiteral("wk_ditdah_ratio(%1)").arg(v), real_->wk_ditdah_ratio(v));
    }
    qint32 wk_pincfg(quint8 v) override {
        return note(QStringLiteral("wk_pincfg(%1)").arg(v), real_->wk_pincfg(v));
    }
    qint32 wk_setmode(quint8 v) override {
        return note(QStringLiteral("wk_setmode(%1)").arg(v), real_->wk_setmode(v));
    }

  private:
    qint32 note(const QString& call, qint32 result) {
        calls << call;
        return result;
    }
    std::unique_ptr<WinKeyDriver> real_;
};

}  // namespace qf::test
