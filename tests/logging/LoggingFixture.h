// A logging window on a prepared working folder: the shipped county table, a log, a station
// outside the contest state on 20 m phone, local 10:00:00 with UTC five hours ahead.
#pragma once

#include "app/Forms.h"
#include "logstore/LogStore.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace qf::test {

class LoggingFixture : public ::testing::Test {
protected:
    LoggingFixture() {
        t.installShipped({"county2.txt"});
        StartupValues& sv = t.app().startup();
        sv.WorkingFolder = t.work();
        sv.DataFolder = t.root() + QStringLiteral("/data");
        QDir().mkpath(sv.DataFolder + QStringLiteral("/BACKUP"));
        StationSettings& st = t.app().station();
        st.OwnCall = QStringLiteral("K9ABC");
        st.OwnName = QStringLiteral("JOE");
        st.OwnSPC = QStringLiteral("IL");
        st.CurrentMode = QStringLiteral("PH");
        st.CurrentBand = QStringLiteral("20");
        st.FormSizePercent = 100;
        st.ContestState = QStringLiteral("MN");
        st.OutOfStateFlag = 1;
        st.RigModel = QStringLiteral("None");
        st.UTCOffsetHours = 5;
        st.AccumulatedOperatingSeconds = 600;
        t.clock().set(QDateTime(QDate(2026, 9, 12), QTime(10, 0, 0)), 5 * 3600);
        t.app().onQuit = [this](int) { ++quits; };
    }

    void writeLog(const std::vector<QSORecord>& contacts) {
        QByteArray data;
        for (const auto& q : contacts) data += encodeRecord(q);
        t.writeFile(QStringLiteral("log.txt"), data);
    }

    template <class W>
    W& open(W& (Forms::*window)(), Answer first = Answer::Yes) {
        t.dialogs().answerMessage(first);
        W& w = (t.app().forms().*window)();
        // A load that ends the program (no log.txt, say) leaves a half-made window behind.
        EXPECT_FALSE(t.ending().ended()) << "opening the window ended the program";
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        settle();
        return w;
    }
    Outfrm& openOut(Answer first = Answer::Yes) { return open(&Forms::Outfrm, first); }

    // Lets the queued focus handlers run.
    static void settle() { QCoreApplication::processEvents(); }

    // Keys to whatever has the focus, one at a time, as the operator types them.
    static void type(const QString& keys) {
        for (QChar c : keys) {
            QWidget* w = QApplication::focusWidget();
            if (c == QLatin1Char('\n')) {
                QTest::keyClick(w, Qt::Key_Return);
            } else if (c == QLatin1Char(' ')) {
                QTest::keyClick(w, Qt::Key_Space, Qt::NoModifier);
            } else {
                QTest::keyClicks(w, QString(c));
            }
            settle();
        }
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        settle();
    }

    TestApp t;
    int quits = 0;
};

}  // namespace qf::test
