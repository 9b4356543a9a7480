// A fresh application on a temporary working folder with test doubles for every service: a set
// clock, scripted dialogs, a fixed screen, counted beeps and a recorded end of the program.
#pragma once

#include "app/App.h"
#include "support/FixedScreen.h"
#include "support/ScriptedDialogs.h"
#include "support/SystemDoubles.h"
#include "support/TestClock.h"
#include "support/KeyingRecorder.h"
#include "support/ScriptedSerialPort.h"
#include "support/SilentWavePlayer.h"
#include "support/WinKeyRecorder.h"
#include "support/CueTcpClients.h"
#include "support/PacketEngineRecorder.h"

#include <QTemporaryDir>

#include <initializer_list>
#include <memory>

namespace qf::test {

struct TestAppOptions {
    QSizeF screen{28800, 16200};  // 1920 x 1080 pixels
    bool documentsFolder = true;  // the home holds a "Documents" folder
    bool homeSet = true;          // HOME names the home folder (else no user folder is set)
    // Every serial port is a scripted one (no device, modem lines recorded) instead of a real
    // port that only reaches the pseudo-terminals a test maps.
    bool scriptedSerialPorts = false;
};

class TestApp {
public:
    explicit TestApp(TestAppOptions options = {});
    ~TestApp();

    App& app() { return *app_; }
    TestClock& clock() { return *clock_; }
    ScriptedDialogs& dialogs() { return *dialogs_; }
    FixedScreen& screen() { return *screen_; }
    Files& files() { return *files_; }
    CountingBeeper& beeper() { return *beeper_; }
    RecordingEnding& ending() { return *ending_; }
    KeyingRecorder& keying() { return *keying_; }
    SerialPorts& serialPorts() { return *serialPorts_; }
    // With the option of that name; null otherwise.
    ScriptedSerialPorts* scriptedSerialPorts() { return scriptedPorts_; }
    WinKeyRecorder& winKey() { return *winKey_; }
    CueTcpClients& tcpClients() { return *tcpClients_; }
    // The program's own packet engine client, its calls written down; it reaches no engine
    // until a test points it at one.
    PacketEngineRecorder& packetEngine() { return *packetEngine_; }
    SilentWavePlayers& sound() { return *sound_; }

    const QString& root() const { return root_; }
    const QString& work() const { return work_; }
    const QString& home() const { return home_; }

    // Copies files of the shipped data/ folder into the working folder, as the run command does.
    void installShipped(std::initializer_list<const char*> names) const;

    // Writes / reads a file below the working folder (or any absolute path).
    void writeFile(const QString& name, const QByteArray& data) const;
    QByteArray readFile(const QString& name) const;
    QString path(const QString& name) const;

private:
    QTemporaryDir dir_;
    QString root_, work_, home_;
    TestClock* clock_;
    ScriptedDialogs* dialogs_;
    FixedScreen* screen_;
    Files* files_;
    CountingBeeper* beeper_;
    RecordingEnding* ending_;
    KeyingRecorder* keying_;
    SerialPorts* serialPorts_;
    ScriptedSerialPorts* scriptedPorts_ = nullptr;
    WinKeyRecorder* winKey_;
    CueTcpClients* tcpClients_;
    PacketEngineRecorder* packetEngine_;
    SilentWavePlayers* sound_;
    std::unique_ptr<App> app_;
};

// The bytes of a file in tests/fixtures.
QByteArray fixture(const QString& name);
// A file of the shipped data/ folder: its path, and its bytes (throws when it is missing).
QString shippedDataFile(const QString& name);
QByteArray shippedData(const QString& name);

}  // namespace qf::test
