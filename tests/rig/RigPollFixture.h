// The poll loop on a set clock: the out-of-state window open on an empty log, and the fake rig
// on a socat pair whose first end is the program's serial port 2.
#pragma once

#include "logging/LoggingFixture.h"
#include "rig/RigControlfrm.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"
#include "support/RigStart.h"

#include <memory>

namespace qf::test {

class RigPollFixture : public LoggingFixture {
  protected:
    void SetUp() override {
        if (!PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(plugFakeRig(t.serialPorts(), pty, rig));
        writeLog({});
        openOut();
    }

    RigControlfrm& w() { return t.app().forms().RigControlfrm(); }
    StationSettings& station() { return t.app().station(); }
    const QString& toLog() { return t.app().run().FrequencyToLog; }

    // A model chosen in the list, as a click does, on port 2.
    void choose(const char* model) {
        const int row = w().List1->find(QLatin1String(model));
        ASSERT_GE(row, 0) << model;
        w().List1->setListIndex(row);
        w().List1_Click();
        w().optComm[1]->setValue(true);
    }
    // The next tick, one interval on.
    void tick() { t.clock().advance(w().tmrGetData->Interval()); }

    PtyPair pty;
    std::unique_ptr<FakeRig> rig;
};

}  // namespace qf::test
