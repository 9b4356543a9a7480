// Room src/app/: the composition root: owns the state, the services and every window, and hands
// them out. The only room that may include every other; plain rooms never include it.
//
// App: the composition root. It owns, for the whole run, the platform services, the shared
// state every window reads and writes, and the windows themselves (loaded at first reference).
// Tests build a fresh App on a temporary working folder with test doubles.
#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/PacketEngine.h"
#include "platform/KeyingLine.h"
#include "platform/Platform.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/SerialPort.h"
#include "platform/System.h"
#include "platform/TcpClient.h"
#include "platform/WavePlayer.h"
#include "platform/WinKey.h"
#include "app/RunState.h"
#include "common/RandomSource.h"
#include "logging/SPCTable.h"
#include "logging/SpotSlots.h"
#include "logstore/QsoLog.h"
#include "logstore/ReferenceTables.h"
#include "logstore/Tallies.h"
#include "startup/SharedPreferences.h"
#include "startup/StartupValues.h"
#include "startup/StationSettings.h"

#include <functional>
#include <memory>

namespace qf {

class Forms;
class LogStore;

struct Services {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<Files> files;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<Ending> ending;
    std::unique_ptr<Beeper> beeper;
    std::unique_ptr<Environment> environment;
    std::unique_ptr<SerialPorts> serialPorts;
    std::unique_ptr<KeyingLines> keyingLines;
    std::unique_ptr<WinKeyDriver> winKey;
    std::unique_ptr<TcpClients> tcpClients;  // real clients when none is given
    std::unique_ptr<PacketEngine> packetEngine;
    std::unique_ptr<WavePlayers> wavePlayers;

    // The real ones, on the given working folder.
    static Services real(const QString& workingFolder);
};

class App {
public:
    explicit App(Services services);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Platform& platform() { return platform_; }
    Forms& forms() { return *forms_; }

    StartupValues& startup() { return startup_; }
    SharedPreferences& sharedPreferences() { return sharedPreferences_; }
    StationSettings& station() { return station_; }
    QSOLog& log() { return log_; }
    LogStore& logStore() { return *logStore_; }
    Tallies& tallies() { return tallies_; }
    ReferenceTables& tables() { return tables_; }
    SPCTable& spc() { return spc_; }
    RunState& run() { return run_; }
    SpotSlotTable& spots() { return spots_; }
    // The one random generator (county map colours, code practice).
    RandomSource& random() { return random_; }

    // Runs the start sequence (the start window's load).
    void start();
    // The normal end of a run, after the windows' closing steps.
    void quit(int code);
    std::function<void(int)> onQuit;

private:
    Services services_;
    Platform platform_;
    StartupValues startup_;
    SharedPreferences sharedPreferences_;
    StationSettings station_;
    QSOLog log_;
    Tallies tallies_;
    ReferenceTables tables_;
    SPCTable spc_;
    RunState run_;
    SpotSlotTable spots_;
    RandomSource random_{*services_.clock};
    // Held apart, so that the rooms which never call the store do not compile against it.
    std::unique_ptr<LogStore> logStore_;
    std::unique_ptr<Forms> forms_;  // last member: windows go before the state they use
};

}  // namespace qf
