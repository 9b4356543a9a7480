// The fake rig at the program's serial port, and what the rig window's Test puts out before any
// tuning, so a test can wait for all of it and then forget it: on a busy machine the pty can
// hold those bytes past any short quiet spell.
#pragma once

#include "platform/SerialPort.h"
#include "rig/RigModels.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace qf::test {

// Points the program's serial port `port` at one end of `pty` and puts the fake rig on the
// other. Fails when the pair or the rig is not up.
inline ::testing::AssertionResult plugFakeRig(SerialPorts& ports, PtyPair& pty,
                                              std::unique_ptr<FakeRig>& rig, int port = 2) {
    if (!pty.available()) return ::testing::AssertionFailure() << "the socat pair is not up";
    ports.setDevicePath(port, pty.first());
    rig = std::make_unique<FakeRig>(pty.second());
    if (!rig->isOpen()) return ::testing::AssertionFailure() << "the fake rig did not open";
    return ::testing::AssertionSuccess();
}

// The fewest bytes Test sends: the wake-up, then, when its first tick was a send tick (the
// phase runs on across polls), the shorter of the two queries of an alternating model.
inline int startBytes(const QString& model, bool sendTick) {
    const auto row = rig::FindRigModel(model);
    if (!row) return 0;
    const int f = int(row->frequencyQuery.size()), m = int(row->modeQuery.size());
    int query = 0;
    switch (row->query) {
        case rig::QueryStyle::TextBoth: query = f + m; break;
        case rig::QueryStyle::HexPairsAlternate6: query = 6; break;
        case rig::QueryStyle::HexPairsAlternate3: query = 3; break;
        case rig::QueryStyle::TextAlternate: query = std::min(f, m); break;
        case rig::QueryStyle::HexPairs5: query = 5; break;
        case rig::QueryStyle::TextCrBoth: query = (f ? f + 1 : 0) + (m ? m + 1 : 0); break;
        case rig::QueryStyle::None:
        case rig::QueryStyle::Other: break;
    }
    return int(row->wakeUp.size()) + (sendTick ? query : 0);
}

// Waits for what Test surely sent, then a short quiet spell, and forgets all of it. The rig's
// record must have been emptied before Test, or what it held would count as the start.
inline void forgetStart(FakeRig& rig, const QString& model, bool sendTick) {
    (void)rig.waitForBytes(startBytes(model, sendTick));
    (void)rig.staysQuiet(30);
    rig.clearReceived();
}

}  // namespace qf::test
