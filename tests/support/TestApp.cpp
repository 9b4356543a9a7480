#include "support/TestApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <stdexcept>

namespace qf::test {

TestApp::TestApp(TestAppOptions options) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    root_ = dir_.path();
    work_ = root_ + QStringLiteral("/work");
    home_ = root_ + QStringLiteral("/home");
    QDir().mkpath(work_);
    QDir().mkpath(home_);
    if (options.documentsFolder) QDir().mkpath(home_ + QStringLiteral("/Documents"));

    Services s;
    auto clock = std::make_unique<TestClock>();
    auto dialogs = std::make_unique<ScriptedDialogs>();
    auto screen = std::make_unique<FixedScreen>(options.screen);
    auto files = std::make_unique<Files>(work_);
    auto beeper = std::make_unique<CountingBeeper>();
    auto ending = std::make_unique<RecordingEnding>();
    clock_ = clock.get();
    dialogs_ = dialogs.get();
    screen_ = screen.get();
    files_ = files.get();
    beeper_ = beeper.get();
    ending_ = ending.get();
    s.clock = std::move(clock);
    s.dialogs = std::move(dialogs);
    s.screen = std::move(screen);
    s.files = std::move(files);
    s.beeper = std::move(beeper);
    s.ending = std::move(ending);
    s.registry = std::make_unique<Registry>(root_ + QStringLiteral("/registry.ini"));
    QMap<QString, QString> environment;
    if (options.homeSet) environment.insert(QStringLiteral("HOME"), home_);
    s.environment = std::make_unique<MapEnvironment>(environment);
    // No test reaches a real device: port numbers name nothing until a test maps them (to a
    // pseudo-terminal), and keying lines are recorded.
    std::unique_ptr<SerialPorts> serial;
    if (options.scriptedSerialPorts) {
        auto scripted = std::make_unique<ScriptedSerialPorts>();
        scriptedPorts_ = scripted.get();
        serial = std::move(scripted);
    } else {
        serial = std::make_unique<SystemSerialPorts>();
        serial->setDeviceFolder(root_ + QStringLiteral("/dev"));
    }
    auto keying = std::make_unique<KeyingRecorder>(*clock_);
    serialPorts_ = serial.get();
    keying_ = keying.get();
    // The program's own WinKey driver, over those ports and the set clock, its calls written down.
    auto winKey = std::make_unique<WinKeyRecorder>(
        std::make_unique<SerialWinKeyDriver>(*serial, *clock_), *clock_);
    winKey_ = winKey.get();
    s.winKey = std::move(winKey);
    // Port 1 on loopback refuses at once: no test talks to an engine it did not start.
    auto packetEngine = std::make_unique<PacketEngineRecorder>();
    packetEngine->useLocalPort(1);
    packetEngine_ = packetEngine.get();
    s.packetEngine = std::move(packetEngine);
    s.serialPorts = std::move(serial);
    s.keyingLines = std::move(keying);
    // Real sockets (tests talk to servers on 127.0.0.1), with errors raised on cue.
    auto tcp = std::make_unique<CueTcpClients>();
    tcpClients_ = tcp.get();
    s.tcpClients = std::move(tcp);
    // No test makes a sound: the players keep their state on the set clock.
    auto sound = std::make_unique<SilentWavePlayers>(*clock_);
    sound_ = sound.get();
    s.wavePlayers = std::move(sound);
    app_ = std::make_unique<App>(std::move(s));
    app_->onQuit = [](int) {};
}

TestApp::~TestApp() {
    app_.reset();
    // Windows unloaded during the test are deleted here, before the next test starts.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString TestApp::path(const QString& name) const {
    return QDir::isAbsolutePath(name) ? name : work_ + QLatin1Char('/') + name;
}

void TestApp::writeFile(const QString& name, const QByteArray& data) const {
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write test file");
    f.write(data);
}

QByteArray TestApp::readFile(const QString& name) const {
    // Found as the program finds it: ignoring case.
    QFile f(files_->resolve(path(name)));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QByteArray fixture(const QString& name) {
    QFile f(QStringLiteral(QUILLFEN_FIXTURES) + QLatin1Char('/') + name);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("missing fixture");
    return f.readAll();
}

QString shippedDataFile(const QString& name) {
    return QStringLiteral(QUILLFEN_SOURCE_DIR) + QStringLiteral("/data/") + name;
}

QByteArray shippedData(const QString& name) {
    QFile f(shippedDataFile(name));
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("missing shipped file");
    return f.readAll();
}

void TestApp::installShipped(std::initializer_list<const char*> names) const {
    for (const char* name : names) writeFile(QString::fromLatin1(name), shippedData(QString::fromLatin1(name)));
}

}  // namespace qf::test
