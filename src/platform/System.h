// Small system services: ending the program at once, the beep, and the environment variables
// that locate the user's folders. Each has a test double in tests/support.
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

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class QtBeeper : public Beeper {
public:
    void beep() override;
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

}  // namespace qf
