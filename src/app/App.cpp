#include "app/App.h"

#include "app/Forms.h"
#include "logstore/LogStore.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Guard.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/System.h"

#include <QCoreApplication>

namespace qf {

namespace {
// A bundle that names no WinKey driver gets the real one over its own ports and clock; one
// without a packet engine client gets the real one.
Services withDefaults(Services s) {
    if (!s.winKey && s.serialPorts && s.clock)
        s.winKey = std::make_unique<SerialWinKeyDriver>(*s.serialPorts, *s.clock);
    if (!s.tcpClients) s.tcpClients = std::make_unique<SystemTcpClients>();
    if (!s.packetEngine) s.packetEngine = std::make_unique<TcpPacketEngine>(s.environment.get());
    // Likewise the wave players: the real ones, on the bundle's clock.
    if (!s.wavePlayers && s.clock) s.wavePlayers = std::make_unique<QtWavePlayers>(*s.clock);
    return s;
}

template <class F>
auto slotFor(App& app) {
    return [&app] { return std::make_unique<F>(app); };
}
}  // namespace

Forms::Forms(App& app)
    : splash_(slotFor<qf::frmSplash>(app)),
      logo_(slotFor<qf::frmArdlowLogo>(app)),
      stationID_(slotFor<qf::frmStationID>(app)),
      outfrm_(slotFor<qf::Outfrm>(app)),
      infrm_([this, &app] {
          auto w = std::make_unique<qf::Infrm>(app);
          w->setRoverCountyList(&roverLine_);
          return w;
      }),
      form1_(slotFor<qf::Form1>(app)),
      form5_(slotFor<qf::Form5>(app)),
      form6_(slotFor<qf::Form6>(app)),
      cabrillo_(slotFor<qf::DECabrilloIn>(app)),
      cwfrm_(slotFor<qf::CWFrm>(app)),
      editIn_(slotFor<qf::DEEditInfrm>(app)),
      editOut_(slotFor<qf::DEEditOut>(app)),
      countyChange_(slotFor<qf::frmCountyChange>(app)),
      countyChangeRover_(slotFor<qf::frmCountyChangeRover>(app)),
      countyList_(slotFor<qf::frmCountyList>(app)),
      countyMap_(slotFor<qf::CountyMapMN>(app)),
      rigfrm_(slotFor<qf::RigControlfrm>(app)),
      rigTune_(slotFor<qf::frmRigTune>(app)),
      bandPlan_(slotFor<qf::frmBandPlan>(app)),
      frequencyTest_(slotFor<qf::frmFrequencyTest>(app)),
      packetSpot_(slotFor<qf::PacketSpotfrm>(app)),
      spectrumMap_(slotFor<qf::SpectrumMap>(app)),
      winKey_(slotFor<qf::frmWinKey>(app)),
      graph_(slotFor<qf::GraphQSO>(app)),
      codePractice_(slotFor<qf::frmCodePractice>(app)),
      phoneFrm_(slotFor<qf::PhoneFrm>(app)),
      blindFrm_(slotFor<qf::BlindFrm>(app)) {}

Services Services::real(const QString& workingFolder) {
    Services s;
    s.clock = std::make_unique<SystemClock>();
    s.dialogs = std::make_unique<QtDialogs>();
    s.screen = std::make_unique<QtScreen>();
    s.files = std::make_unique<Files>(workingFolder);
    s.registry = std::make_unique<Registry>();
    s.ending = std::make_unique<ProcessEnding>();
    s.beeper = std::make_unique<QtBeeper>();
    s.environment = std::make_unique<ProcessEnvironment>();
    s.serialPorts = std::make_unique<SystemSerialPorts>(s.environment.get());
    s.keyingLines = std::make_unique<SystemKeyingLines>(s.environment.get());
    s.winKey = std::make_unique<SerialWinKeyDriver>(*s.serialPorts, *s.clock);
    s.packetEngine = std::make_unique<TcpPacketEngine>(s.environment.get());
    s.wavePlayers = std::make_unique<QtWavePlayers>(*s.clock);
    return s;
}

App::App(Services services)
    : services_(withDefaults(std::move(services))),
      platform_{*services_.clock,    *services_.dialogs, *services_.screen, *services_.files,
                *services_.registry, *services_.ending,  *services_.beeper,
                *services_.environment, *services_.serialPorts, *services_.keyingLines, *services_.winKey,
                *services_.tcpClients,
                *services_.packetEngine,
                *services_.wavePlayers},
      sharedPreferences_(platform_),
      logStore_(std::make_unique<LogStore>(platform_, startup_, log_, tallies_)),
      forms_(std::make_unique<Forms>(*this)) {
    onQuit = [](int code) { QCoreApplication::exit(code); };
    // An error no handler caught is shown, and the program goes on.
    setSlotErrorReporter([this](int number, const QString& text) {
        platform_.dialogs.ok(text, QStringLiteral("Error %1").arg(number));
    });
}

App::~App() {
    setSlotErrorReporter({});
    forms_.reset();
    // Windows unloaded earlier are still waiting for deletion; their timers need the clock.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void App::start() { forms_->frmSplash(); }

void App::quit(int code) {
    if (onQuit) onQuit(code);
}

}  // namespace qf
