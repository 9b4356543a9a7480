// Services for an App outside the tests: the real files on a folder, test doubles for the rest,
// so a benchmark measures the program's own work and never waits on a dialog or the clock.
#pragma once

#include "app/App.h"
#include "support/FixedScreen.h"
#include "support/ScriptedDialogs.h"
#include "support/SystemDoubles.h"
#include "support/TestClock.h"

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

}  // namespace qf::bench
