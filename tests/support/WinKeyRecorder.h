// The WinKey driver as the tests see it: every call goes to the program's own driver (over
// whatever port the test maps, usually a pseudo-terminal to the keyer emulator) and is written
// down as "wk_wpm(18)"; a test can script the result of the next opens instead.
#pragma once

#include "platform/Clock.h"
#include "platform/WinKey.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace qf::test {

class WinKeyRecorder : public WinKeyDriver {
  public:
    WinKeyRecorder(std::unique_ptr<WinKeyDriver> real, Clock& clock)
        : real_(std::move(real)), clock_(clock) {}

    QStringList calls;
    std::vector<qint64> times;  // the clock at each call
    // Runs before each recorded call reaches the driver, with the call's text.
    std::function<void(const QString&)> beforeCall;
    // When set, wk_open returns this code and version without reaching the driver.
    std::optional<std::pair<qint32, quint8>> scriptedOpen;

    qint32 wk_open(quint8& version, quint8 port) override {
        before(QStringLiteral("wk_open(%1)").arg(port));
        if (scriptedOpen) {
            version = scriptedOpen->second;
            return scriptedOpen->first;
        }
        return real_->wk_open(version, port);
    }
    qint32 wk_close() override {
        before(QStringLiteral("wk_close()"));
        return real_->wk_close();
    }
    qint32 wk_getstatus() override { return real_->wk_getstatus(); }
    qint32 wk_char(quint8 c) override {
        before(QStringLiteral("wk_char(%1)").arg(c));
        return real_->wk_char(c);
    }
    qint32 wk_clearbuf() override {
        before(QStringLiteral("wk_clearbuf()"));
        return real_->wk_clearbuf();
    }
    qint32 wk_backspace() override {
        before(QStringLiteral("wk_backspace()"));
        return real_->wk_backspace();
    }
    qint32 wk_wpm(quint8 v) override {
        before(QStringLiteral("wk_wpm(%1)").arg(v));
        return real_->wk_wpm(v);
    }
    qint32 wk_weight(quint8 v) override {
        before(QStringLiteral("wk_weight(%1)").arg(v));
        return real_->wk_weight(v);
    }
    qint32 wk_ptt_leadtail(quint8 a, quint8 b) override {
        before(QStringLiteral("wk_ptt_leadtail(%1,%2)").arg(a).arg(b));
        return real_->wk_ptt_leadtail(a, b);
    }
    qint32 wk_ditdah_ratio(quint8 v) override {
        before(QStringLiteral("wk_ditdah_ratio(%1)").arg(v));
        return real_->wk_ditdah_ratio(v);
    }
    qint32 wk_pincfg(quint8 v) override {
        before(QStringLiteral("wk_pincfg(%1)").arg(v));
        return real_->wk_pincfg(v);
    }
    qint32 wk_setmode(quint8 v) override {
        before(QStringLiteral("wk_setmode(%1)").arg(v));
        return real_->wk_setmode(v);
    }
    bool answering() const override { return real_->answering(); }

  private:
    void before(const QString& call) {
        calls << call;
        times.push_back(clock_.tickMs());
        if (beforeCall) beforeCall(call);
    }
    std::unique_ptr<WinKeyDriver> real_;
    Clock& clock_;
};

}  // namespace qf::test
