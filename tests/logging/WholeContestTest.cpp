// An out-of-state operator runs a whole contest from the keyboard, as a new user would: set up,
// log, change band and mode from the menus, export ADIF, archive, start over, restore, exit,
// start the program again and go on logging.
#include "app/Forms.h"
#include "logstore/AdifExport.h"
#include "logstore/LogStore.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>

#include <stdexcept>

namespace qf {
namespace {

// Everything a working folder holds after installation, and the station's last settings.
void install(test::TestApp& t, const QByteArray& settings, const QByteArray& log) {
    t.writeFile(QStringLiteral("QSOpref.txt"), settings);
    t.writeFile(QStringLiteral("arrlpre2.txt"),
                test::fixture(QStringLiteral("setup-arrlpre2.txt")));
    t.installShipped({"states.txt", "cw.txt", "wave2.txt", "county2.txt", "ADIFCnt.txt"});
    t.writeFile(QStringLiteral("log.txt"), log);
    StartupValues& sv = t.app().startup();
    sv.WorkingFolder = t.work();
    sv.SharedFolder = t.root() + QStringLiteral("/shared");
    sv.DataFolder = t.root() + QStringLiteral("/data");
    sv.ProgramVersion = QStringLiteral("1.8");
    QDir().mkpath(sv.DataFolder + QStringLiteral("/BACKUP"));
    QDir().mkpath(sv.SharedFolder);
    t.app().sharedPreferences().LoadSharedPreferences(sv.SharedFolder +
                                                      QStringLiteral("/prefs.xml"));
    t.clock().set(QDateTime(QDate(2026, 9, 12), QTime(10, 0, 0)), 5 * 3600);
}

void settle() {
    QCoreApplication::processEvents();
}

void type(const QString& keys) {
    for (QChar c : keys) {
        QWidget* w = QApplication::focusWidget();
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(w, Qt::Key_Return);
        } else if (c == QLatin1Char(' ')) {
            QTest::keyClick(w, Qt::Key_Space);
        } else {
            QTest::keyClicks(w, QString(c));
        }
        settle();
    }
}

// Alt+letter opens a menu of the bar; the keys then go to that menu.
void menu(char letter, std::initializer_list<Qt::Key> keys) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(Qt::Key_A + (letter - 'a')),
                    Qt::AltModifier);
    settle();
    for (Qt::Key k : keys) {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << "no menu open for Alt+" << letter;
        QTest::keyClick(popup, k);
        settle();
    }
}

// The setup window as the start sequence shows it; Enter in the call box is Done.
Outfrm& setUpAndOpen(test::TestApp& t) {
    t.dialogs().answerMessage(Answer::Yes);  // "Open existing log?"
    frmStationID& setup = t.app().forms().frmStationID();
    setup.Show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&setup));
    setup.Text1->SetFocus();
    type(QStringLiteral("\n"));
    Outfrm& w = t.app().forms().Outfrm();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    settle();
    w.txtCall->SetFocus();  // where the operator starts typing
    settle();
    return w;
}

int records(const QByteArray& log) {
    return static_cast<int>(log.count('\n'));
}

TEST(WholeContestTest, AnOutOfStateContestFromTheKeyboard) {
    test::TestApp t;
    QByteArray settings = test::fixture(QStringLiteral("setup-QSOpref.txt"));
    // Outside the contest state, not a rover.
    settings.replace("\"MN\"\r\n\"USA\"", "\"IL\"\r\n\"USA\"")
        .replace("\"WI\"\r\n0\r\n1", "\"WI\"\r\n1\r\n0");
    install(t, settings, QByteArray());
    Outfrm& w = setUpAndOpen(t);
    ASSERT_EQ(t.app().station().OutOfStateFlag, 1);
    EXPECT_EQ(w.Label24->Caption(), QStringLiteral("40"));
    EXPECT_EQ(w.Label30->Caption(), QStringLiteral("CW"));

    // Two contacts on 40 m CW; Enter logs on by itself.
    type(QStringLiteral("w1aw bob ait\n"));
    t.clock().advance(60 * 1000);
    type(QStringLiteral("k0abc sue hen\n"));
    ASSERT_EQ(t.app().log().QSOCount, 2);

    // 20 m phone from the menus: the fourth band item, and "&PH".
    menu('b', {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(w.Label24->Caption(), QStringLiteral("20"));
    menu('m', {Qt::Key_P});
    EXPECT_EQ(w.Label30->Caption(), QStringLiteral("PH"));
    w.txtCall->SetFocus();
    settle();
    t.clock().advance(60 * 1000);
    type(QStringLiteral("n0pc pat wsh\n"));
    ASSERT_EQ(t.app().log().QSOCount, 3);
    EXPECT_EQ(t.app().log()[3].Band, QStringLiteral("20"));
    EXPECT_EQ(t.app().log()[3].Mode, QStringLiteral("PH"));
    EXPECT_EQ(w.ListView1->count(), 3);
    EXPECT_EQ(w.ListView1->text(1, 1), QStringLiteral("N0PC"));
    const QByteArray contest = t.readFile(QStringLiteral("log.txt"));
    EXPECT_EQ(records(contest), 3);

    // File > Export ADIF File, Archive Current Log.
    const QString adif = t.path(QStringLiteral("contest.adi"));
    t.dialogs().answerInput(QStringLiteral("100"));
    t.dialogs().answerInput(QStringLiteral("MN QSO Party"));
    t.dialogs().answerFile(adif);
    menu('f', {Qt::Key_A});
    EXPECT_EQ(t.readFile(adif).count("<eor>"), 3);
    const QString archive =
        t.app().startup().DataFolder + QStringLiteral("/BACKUP/K0XYZ2026-09-12.log");
    t.dialogs().answerFile(archive);
    menu('f', {Qt::Key_L});
    EXPECT_EQ(t.readFile(archive), contest);

    // File > New erases the log after "YES"; File > Restore brings the archive back.
    t.dialogs().answerInput(QStringLiteral("YES"));
    menu('f', {Qt::Key_N});
    ASSERT_EQ(t.app().log().QSOCount, 0);
    t.dialogs().answerFile(archive);
    menu('f', {Qt::Key_R});
    EXPECT_EQ(t.app().log().QSOCount, 3);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), contest);
    EXPECT_EQ(w.lblStation.at(5)->Caption(), QStringLiteral("Counties Worked - 3"));

    // File > Exit ends the program at once; the operating time is banked first.
    t.clock().advance(60 * 1000);
    EXPECT_EQ(t.app().run().LoggedOn, 1);
    menu('f', {Qt::Key_E});
    ASSERT_TRUE(t.ending().ended());
    StationSettings saved;
    ReadQSOPref(saved, t.files());
    EXPECT_EQ(saved.CurrentBand, QStringLiteral("20"));
    EXPECT_EQ(saved.CurrentMode, QStringLiteral("PH"));
    // The new log started the count again from the first log-on at 10:00:00.
    EXPECT_EQ(saved.AccumulatedOperatingSeconds, 180);

    // The next start continues the same contest on the same band and mode.
    test::TestApp next;
    install(next, t.readFile(QStringLiteral("QSOpref.txt")), t.readFile(QStringLiteral("log.txt")));
    Outfrm& again = setUpAndOpen(next);
    EXPECT_EQ(next.app().log().QSOCount, 3);
    EXPECT_EQ(again.Label24->Caption(), QStringLiteral("20"));
    EXPECT_EQ(again.Label30->Caption(), QStringLiteral("PH"));
    EXPECT_EQ(again.lblttrack->Caption(), QStringLiteral("00:03:00"));
    type(QStringLiteral("k1xyz al stl\n"));
    EXPECT_EQ(next.app().log().QSOCount, 4);
    EXPECT_EQ(records(next.readFile(QStringLiteral("log.txt"))), 4);
    EXPECT_TRUE(next.readFile(QStringLiteral("log.txt")).startsWith(contest));
}

}  // namespace
}  // namespace qf
