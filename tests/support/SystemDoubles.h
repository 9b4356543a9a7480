// The test doubles of the small system services, kept with the tests: the program never links
// them.
#pragma once

#include "platform/System.h"

#include <QMap>
#include <QString>

namespace qf {

// Records the end and throws ProgramEnded, so the rest of the handler does not run.
class RecordingEnding : public Ending {
public:
    [[noreturn]] void endNow(int code) override;
    bool ended() const { return ended_; }
    int code() const { return code_; }

private:
    bool ended_ = false;
    int code_ = 0;
};

class CountingBeeper : public Beeper {
public:
    void beep() override { ++count_; }
    int count() const { return count_; }
    void reset() { count_ = 0; }

private:
    int count_ = 0;
};

class MapEnvironment : public Environment {
public:
    explicit MapEnvironment(QMap<QString, QString> values) : values_(std::move(values)) {}
    QString value(const QString& name) const override { return values_.value(name); }

private:
    QMap<QString, QString> values_;
};

}  // namespace qf
