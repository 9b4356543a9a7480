// Small system services: ending the program at once, the beep, and the environment variables
// that locate the user's folders. Each has a test double.
#pragma once

#include <QMap>
#include <QString>

namespace qf {

// Ends the program at once: no closing step, no destructor and no aboutToQuit handler runs.
class Ending {
public:
    virtual ~Ending() = default;
    [[noreturn]] virtual void endNow(int code) = 0;
};

class ProcessEnding : public Ending {
public:
    [[noreturn]] void endNow(int code) override;
};

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

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class QtBeeper : public Beeper {
public:
    void beep() override;
};

class CountingBeeper : public Beeper {
public:
    void beep() override { ++count_; }
    int count() const { return count_; }
    void reset() { count_ = 0; }

private:
    int count_ = 0;
};

// The user's folders as the Windows-minded folder rules ask for them: USERPROFILE falls back
// to HOME and APPDATA to ~/.config.
class Environment {
public:
    virtual ~Environment() = default;
    virtual QString value(const QString& name) const = 0;
    QString userProfile() const;
    QString appData() const;
};

class ProcessEnvironment : public Environment {
public:
    QString value(const QString& name) const override;
};

class MapEnvironment : public Environment {
public:
    explicit MapEnvironment(QMap<QString, QString> values) : values_(std::move(values)) {}
    QString value(const QString& name) const override { return values_.value(name); }

private:
    QMap<QString, QString> values_;
};

}  // namespace qf
