// The rig window on a fresh application: the station set up outside the contest state, no rig
// yet, and the clock set. Serial port numbers name no device unless a test points one at a pty.
#pragma once

#include "app/Forms.h"
#include "rig/RigControlfrm.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace qf::test {

class RigFixture : public ::testing::Test {
  protected:
    RigFixture() {
        StartupValues& sv = t.app().startup();
        sv.WorkingFolder = t.work();
        StationSettings& st = t.app().station();
        st.OwnCall = QStringLiteral("K9ABC");
        st.CurrentMode = QStringLiteral("PH");
        st.CurrentBand = QStringLiteral("20");
        st.OutOfStateFlag = 1;
        st.RigModel = QStringLiteral("None");
        t.clock().set(QDateTime(QDate(2026, 9, 12), QTime(10, 0, 0)), 5 * 3600);
        // An empty log, so a logging window loaded by a reading's hand-off loads whole.
        t.writeFile(QStringLiteral("log.txt"), QByteArray());
    }

    RigControlfrm& w() { return t.app().forms().RigControlfrm(); }
    // A model chosen in the list, as a click does.
    void choose(const QString& model) {
        const int row = w().List1->find(model);
        ASSERT_GE(row, 0) << model.toStdString();
        w().List1->setListIndex(row);
        w().List1_Click();
    }
    bool polling() { return w().tmrGetData->Enabled(); }

    // The rig settings file, one value a line.
    static QByteArray settingsFile(std::initializer_list<const char*> lines) {
        QByteArray data;
        for (const char* l : lines) data += QByteArray(l) + "\r\n";
        return data;
    }

    TestApp t;
};

}  // namespace qf::test
