// Services for an App outside the tests: the real files on a folder, test doubles for the rest,
// so a benchmark measures the program's own work and never waits on a dialog or the clock.
#pragma once

#include "app/App.h"
#include "app/Forms.h"
#include "logging/CountryLookup.h"
#include "spots/PacketSpotfrm.h"
#include "support/FixedScreen.h"
#include "support/ScriptedDialogs.h"
#include "support/SystemDoubles.h"
#include "support/TestClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace qf::bench {

inline Services benchServices(const QString& workingFolder, TestClock** clock = nullptr,
                              ScriptedDialogs** dialogs = nullptr) {
    Services s;
    auto c = std::make_unique<TestClock>();
    auto d = std::make_unique<ScriptedDialogs>();
    if (clock) *clock = c.get();
    if (dialogs) *dialogs = d.get();
    s.clock = std::move(c);
    s.dialogs = std::move(d);
    s.screen = std::make_unique<FixedScreen>(QSizeF(28800, 16200));
    s.files = std::make_unique<Files>(workingFolder);
    s.registry = std::make_unique<Registry>(workingFolder + QStringLiteral("/registry.ini"));
    s.ending = std::make_unique<RecordingEnding>();
    s.beeper = std::make_unique<CountingBeeper>();
    s.environment = std::make_unique<MapEnvironment>(QMap<QString, QString>{});
    s.serialPorts = std::make_unique<SystemSerialPorts>();
    s.keyingLines = std::make_unique<SystemKeyingLines>();
    return s;
}

// A shipped data file, from the data folder beside this one.
inline QByteArray dataFile(const char* name) {
    QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../data/")) +
            QLatin1String(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A logging window on an empty log in a folder of its own, with the shipped county table (and
// the prefix table when asked), the spotting window set to `source` and the band map shown.
struct SpottingFixture {
    SpottingFixture(bool inState, const QString& source, bool prefixes = false) {
        ScriptedDialogs* dialogs = nullptr;
        Services s = benchServices(dir.path(), &clockPtr, &dialogs);
        dialogs->answerMessage(Answer::Yes);  // "Open existing log?"
        app = std::make_unique<App>(std::move(s));
        Files& files = app->platform().files;
        files.rewriteAtomic(QStringLiteral("county2.txt"), dataFile("county2.txt"));
        files.rewriteAtomic(QStringLiteral("log.txt"), QByteArray());
        if (prefixes) {
            files.rewriteAtomic(QStringLiteral("arrlpre2.txt"), dataFile("arrlpre2.txt"));
            app->startup().WorkingFolder = dir.path();
            LoadPrefixTable(app->tables().prefixes, app->startup(), files);
        }
        StationSettings& st = app->station();
        st.ContestState = QStringLiteral("MN");
        st.OutOfStateFlag = inState ? 0 : 1;
        st.OwnCounty = QStringLiteral("AIT");
        st.CurrentBand = QStringLiteral("20");
        st.CurrentMode = QStringLiteral("CW");
        st.FormSizePercent = 100;
        st.RigModel = QStringLiteral("None");
        window = inState ? static_cast<LoggingWindow*>(&app->forms().Infrm())
                         : static_cast<LoggingWindow*>(&app->forms().Outfrm());
        window->Show();
        PacketSpotfrm& spotting = app->forms().PacketSpotfrm();
        spotting.List1->setListIndex(spotting.List1->find(source));
        spotting.OptBand->setValue(true);
        app->forms().Form1().PacketResize();
    }
    QTemporaryDir dir;
    std::unique_ptr<App> app;
    TestClock* clockPtr = nullptr;
    LoggingWindow* window = nullptr;
};

}  // namespace qf::bench
