#include "logging/LoggingFixture.h"
#include "logstore/AdifExport.h"
#include "platform/Error.h"

#include <QTimer>

#include <functional>

namespace qf {
namespace {

using test::LoggingFixture;

QSORecord contact(int n, const QString& county) {
    QSORecord q;
    q.Call = QStringLiteral("K%1ZZ").arg(n);
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("OP%1").arg(n);
    q.CountyRcvd = county;
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:5%1:00").arg(n);
    q.Mode = QStringLiteral("PH");
    q.Band = QStringLiteral("20");
    return q;
}

class MenusTest : public LoggingFixture {
  protected:
    Outfrm& w() { return *t.app().forms().outfrmSlot().peek(); }
    QString backup(const QString& name = QString()) {
        return t.app().startup().DataFolder + QStringLiteral("/BACKUP/") + name;
    }
    QStringList backups() { return QDir(backup()).entryList(QDir::Files, QDir::Name); }
    void writeLog3() { writeLog({contact(1, "AIT"), contact(2, "HEN"), contact(3, "STL")}); }
    StationSettings saved() {
        StationSettings s;
        ReadQSOPref(s, t.files());
        return s;
    }
    QString lastTitle() { return t.dialogs().messages().back().title; }
    // Runs `whileOpen` inside the modal display that the menu command starts.
    void whileModal(MenuItem* item, const std::function<void()>& whileOpen) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            whileOpen();
            ran = true;
        });
        item->action()->trigger();
        EXPECT_TRUE(ran);
    }
};

TEST_F(MenusTest, NewLogReloadsWhetherOrNotTheLogWasErased) {
    writeLog3();
    openOut();
    // Anything but "YES": the log stays, and the reload, time and settings still run.
    t.app().station().AccumulatedOperatingSeconds = 1200;
    t.files().remove(kSettingsFile);
    t.dialogs().answerInput(QStringLiteral("yes please"));
    w().mnuNew->action()->trigger();
    EXPECT_EQ(t.app().log().QSOCount, 3);
    EXPECT_EQ(w().lblttrack->Caption(), QStringLiteral("00:20:00"));
    EXPECT_EQ(saved().AccumulatedOperatingSeconds, 1200);
    EXPECT_TRUE(backups().isEmpty());

    const QByteArray before = t.readFile(QStringLiteral("log.txt"));
    t.dialogs().answerInput(QStringLiteral("YES"));
    w().mnuNew->action()->trigger();
    EXPECT_EQ(t.app().log().QSOCount, 0);
    EXPECT_EQ(w().ListView1->count(), 0);
    EXPECT_EQ(w().lblttrack->Caption(), QStringLiteral("00:00:00"));
    EXPECT_EQ(w().lblTotScore->Caption(), QStringLiteral("0"));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), QByteArray());
    ASSERT_EQ(backups().size(), 1);
    EXPECT_EQ(t.readFile(backup(backups().front())), before);
}

TEST_F(MenusTest, NewLogNeedsTheTypedYes) {
    writeLog3();
    openOut();
    const QByteArray before = t.readFile(QStringLiteral("log.txt"));
    t.dialogs().clearShown();
    for (const QString& answer : {QStringLiteral("YES "), QString(), QStringLiteral("no")}) {
        t.dialogs().answerInput(answer);
        w().mnuNew->action()->trigger();
    }
    t.dialogs().answerInputCancel();
    w().mnuNew->action()->trigger();
    EXPECT_EQ(t.app().log().QSOCount, 3);
    ASSERT_EQ(t.dialogs().shown().size(), 4u);
    EXPECT_EQ(t.dialogs().shown()[0].title,
              QStringLiteral("WARNING - Your existing log file will be ERASED!"));
    EXPECT_TRUE(t.dialogs().shown()[0].text.endsWith(
        QStringLiteral("\r\n\r\nTo verify that you want to start a new log file, please type: YES")));

    // Confirmed, even with nothing logged since the load, the old log is copied first; the
    // settings file is written once, with the zeroed time.
    t.app().run().OperatingSeconds = 120;
    t.app().station().AccumulatedOperatingSeconds = 3600;
    int settingsWrites = 0;
    t.files().setFault([&settingsWrites](Files::Op op, const QString& path) {
        if (op == Files::Op::Rewrite && path.endsWith(kSettingsFile, Qt::CaseInsensitive)) {
            ++settingsWrites;
        }
    });
    t.dialogs().answerInput(QStringLiteral("yes"));
    w().mnuNew->action()->trigger();
    t.files().setFault({});
    EXPECT_EQ(t.app().log().QSOCount, 0);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), QByteArray());
    EXPECT_EQ(t.readFile(backup(QStringLiteral("202609121000.log"))), before);
    EXPECT_EQ(t.app().run().OperatingSeconds, 0);
    EXPECT_EQ(t.app().station().AccumulatedOperatingSeconds, 0);
    EXPECT_EQ(saved().AccumulatedOperatingSeconds, 0);
    EXPECT_EQ(settingsWrites, 1);
}

TEST_F(MenusTest, ANewLogThatCannotEmptyTheFileChangesNothing) {
    writeLog3();
    openOut();
    const QByteArray before = t.readFile(QStringLiteral("log.txt"));
    t.app().station().AccumulatedOperatingSeconds = 3600;
    t.files().setFault([](Files::Op op, const QString& path) {
        if (op == Files::Op::Rewrite && path.endsWith(QStringLiteral("log.txt"))) {
            throw Error(err::kPermissionDenied, QStringLiteral("Permission denied"));
        }
    });
    t.dialogs().answerInput(QStringLiteral("YES"));
    w().mnuNew->action()->trigger();
    EXPECT_EQ(t.app().log().QSOCount, 3);
    EXPECT_EQ(t.app().station().AccumulatedOperatingSeconds, 3600);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), before);
    EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Unable to write file."));

    // And one whose backup cannot be made does not erase the only copy.
    t.files().setFault([](Files::Op op, const QString&) {
        if (op == Files::Op::Copy) throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
    });
    t.dialogs().answerInput(QStringLiteral("YES"));
    w().mnuNew->action()->trigger();
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), before);
}

struct ExitCase {
    bool loggedOn;
    bool cwSending;
};

class ExitTest : public MenusTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitTest, EndsAtOnceAndBanksTheTimeOnlyWhileLoggedOn) {
    const ExitCase c = GetParam();
    writeLog3();
    openOut();
    if (c.loggedOn) {
        w().cmdLogOn->Press();
        t.clock().advance(300 * 1000);
    }
    t.app().run().CWSending = c.cwSending ? 1 : 0;
    t.app().run().CWSendBuffer = QStringLiteral("CQ");
    // A contact is added, so that closing the window would make a backup.
    t.app().log()[4] = contact(4, "WSH");
    t.app().log().QSOCount = 4;
    ASSERT_TRUE(t.app().logStore().AppendRecord());
    t.files().remove(kSettingsFile);
    w().mnuExit->action()->trigger();
    EXPECT_TRUE(t.ending().ended());
    EXPECT_EQ(t.ending().code(), 0);
    EXPECT_EQ(quits, 0);  // none of the window's closing steps ran
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(t.app().run().CWSendBuffer, QStringLiteral("CQ"));
    EXPECT_EQ(t.files().fileExists(kSettingsFile), c.loggedOn);
    if (c.loggedOn) {
        EXPECT_EQ(saved().AccumulatedOperatingSeconds, 900);
        EXPECT_EQ(t.app().run().LoggedOn, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(LoggedOffLoggedOnAndSendingCw, ExitTest,
                         ::testing::Values(ExitCase{false, false}, ExitCase{true, false},
                                           ExitCase{true, true}));

TEST_F(MenusTest, ExitAsksBeforeLosingContactsThatCouldNotBeWritten) {
    writeLog3();
    openOut();
    t.files().setFault([](Files::Op op, const QString& path) {
        if ((op == Files::Op::Append || op == Files::Op::Rewrite) &&
            path.endsWith(QStringLiteral("log.txt"))) {
            throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
        }
    });
    t.app().log()[4] = contact(4, "WSH");
    t.app().log().QSOCount = 4;
    ASSERT_FALSE(t.app().logStore().AppendRecord());
    // The write fails again: stay when the operator says No, end when Yes.
    t.dialogs().answerMessage(Answer::OK);
    t.dialogs().answerMessage(Answer::No);
    w().mnuExit->action()->trigger();
    EXPECT_FALSE(t.ending().ended());
    EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Exit"));
    EXPECT_EQ(t.dialogs().messages().back().defaultButton, 1);
    // The disk is back: the log is written whole and the program ends without asking.
    t.files().setFault({});
    t.dialogs().clearShown();
    w().mnuExit->action()->trigger();
    EXPECT_TRUE(t.ending().ended());
    EXPECT_TRUE(t.dialogs().shown().empty());
    EXPECT_TRUE(t.readFile(QStringLiteral("log.txt")).contains("K4ZZ"));
}

TEST_F(MenusTest, ArchiveAndRestoreRoundTrip) {
    writeLog3();
    t.app().station().OwnCall = QStringLiteral("K9ABC/M");
    openOut();
    const QByteArray original = t.readFile(QStringLiteral("log.txt"));

    const QString archive = backup(QStringLiteral("K9ABC2026-09-12.log"));
    t.dialogs().clearShown();
    t.dialogs().answerFile(archive);
    w().mnuArchive->action()->trigger();
    ASSERT_EQ(t.dialogs().shown().size(), 2u);
    const ShownDialog info = t.dialogs().shown()[0];
    EXPECT_EQ(info.title, QStringLiteral("Archive Information"));
    EXPECT_EQ(info.text,
              QStringLiteral("This function is used to create a permanent copy of your currently "
                             "open log file.  To open your log file at a later date, click File > "
                             "Restore from Archive or Backup."));
    const ShownDialog save = t.dialogs().shown()[1];
    EXPECT_EQ(save.kind, ShownDialog::FileSave);
    EXPECT_EQ(save.text, archive);  // the proposed name: own call and date, no separator
    EXPECT_EQ(save.filter, QStringLiteral("Log Files (*.log)"));
    EXPECT_EQ(t.readFile(archive), original);

    // A new contest empties the log; restoring an empty log asks no question.
    t.dialogs().answerInput(QStringLiteral("YES"));
    w().mnuNew->action()->trigger();
    ASSERT_EQ(t.app().log().QSOCount, 0);
    t.dialogs().clearShown();
    t.dialogs().answerFile(archive);
    w().mnuRestore->action()->trigger();
    ASSERT_EQ(t.dialogs().shown().size(), 2u);
    EXPECT_EQ(t.dialogs().shown()[0].title, QStringLiteral("Opening Archived Data Information"));
    EXPECT_EQ(t.dialogs().shown()[1].kind, ShownDialog::FileOpen);
    EXPECT_EQ(t.dialogs().shown()[1].filter, QStringLiteral("Log Files (*.log)"));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), original);
    EXPECT_EQ(t.app().log().QSOCount, 3);
    EXPECT_EQ(w().ListView1->count(), 3);
    EXPECT_EQ(w().lblStation.at(5)->Caption(), QStringLiteral("Counties Worked - 3"));

    // With contacts in the log the operator is asked first; No changes nothing.
    t.writeFile(QStringLiteral("other.log"), encodeRecord(contact(9, "WSH")));
    t.dialogs().clearShown();
    t.dialogs().answerMessage(Answer::OK);
    t.dialogs().answerMessage(Answer::No);
    w().mnuRestore->action()->trigger();
    ASSERT_EQ(t.dialogs().shown().size(), 2u);
    EXPECT_EQ(t.dialogs().shown()[1].title, QStringLiteral("Are your sure?"));
    EXPECT_EQ(t.dialogs().shown()[1].buttons, Buttons::YesNo);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), original);

    // Yes: the current log is kept in BACKUP before it is replaced.
    const QStringList before = backups();
    t.dialogs().answerMessage(Answer::OK);
    t.dialogs().answerMessage(Answer::Yes);
    t.dialogs().answerFile(t.path(QStringLiteral("other.log")));
    w().mnuRestore->action()->trigger();
    EXPECT_EQ(t.app().log().QSOCount, 1);
    EXPECT_EQ(t.app().log()[1].Call, QStringLiteral("K9ZZ"));
    QStringList added = backups();
    for (const QString& b : before) added.removeAll(b);
    ASSERT_EQ(added, QStringList{QStringLiteral("before-restore-20260912100000.log")});
    EXPECT_EQ(t.readFile(backup(added.front())), original);

    // Cancel in either file dialog ends the command without a word.
    t.dialogs().clearShown();
    t.dialogs().answerFileCancel();
    w().mnuArchive->action()->trigger();
    t.dialogs().answerMessage(Answer::OK);
    t.dialogs().answerMessage(Answer::Yes);
    t.dialogs().answerFileCancel();
    w().mnuRestore->action()->trigger();
    EXPECT_EQ(t.dialogs().messages().size(), 3u);  // the two notes and the question only
    EXPECT_EQ(t.app().log().QSOCount, 1);
}

// A restored log whose rows hold other calls at the same positions than the log it replaces:
// calls are judged against the restored rows. More rows than the log list shows, so that only the
// reload can bring the index the rows it changed.
TEST_F(MenusTest, CallsAreJudgedAgainstTheRestoredLog) {
    const auto contacts = [](int first) {
        std::vector<QSORecord> log;
        for (int n = first; n < first + 30; ++n) {
            QSORecord q = contact(n, "AIT");
            q.QSOTime = QStringLiteral("14:%1:00").arg(n % 60, 2, 10, QLatin1Char('0'));
            log.push_back(q);
        }
        return log;
    };
    writeLog(contacts(1));
    openOut();
    QByteArray restored;
    for (const QSORecord& q : contacts(101)) restored += encodeRecord(q);
    t.writeFile(QStringLiteral("other.log"), restored);
    t.dialogs().answerMessage(Answer::OK);
    t.dialogs().answerMessage(Answer::Yes);
    t.dialogs().answerFile(t.path(QStringLiteral("other.log")));
    w().mnuRestore->action()->trigger();
    ASSERT_EQ(t.app().log().QSOCount, 30);
    ASSERT_EQ(std::as_const(t.app().log())[1].Call, QStringLiteral("K101ZZ"));  // read, not written

    // The restored log's oldest call is a duplicate; the replaced log's call at its place is not.
    w().cmdLogOn_Click();
    w().txtCall->SetFocus();
    settle();
    type(QStringLiteral("k101zz "));
    EXPECT_EQ(w().lblDialog->Caption(),
              QStringLiteral("Duplicate Unless Rover!  K101ZZ  2026/09/12  14:41:00   Rec#  1"));
    type(QStringLiteral("\n"));
    EXPECT_EQ(t.app().log().QSOCount, 30);
    w().txtCall->SetFocus();
    settle();
    type(QStringLiteral("k1zz sue ait\n"));
    EXPECT_EQ(t.app().log().QSOCount, 31);
}

TEST_F(MenusTest, RestoreRefusesAFileThatDoesNotLoad) {
    writeLog3();
    openOut();
    const QByteArray original = t.readFile(QStringLiteral("log.txt"));
    const QByteArray good = encodeRecord(contact(5, "WSH"));
    struct Case {
        const char* what;
        QByteArray data;  // empty name: the file is missing
    };
    const Case cases[] = {
        {"a last contact cut short", good + good.left(40)},
        {"a lost closing quote", good + QByteArray(good).replace("\"WSH\"", "\"WSH") + good},
        {"a contact spread over two lines", QByteArray(good).replace(",\"JOE\",", ",\r\n\"JOE\",")},
        {"a settings file", test::fixture(QStringLiteral("QSOpref-station.txt"))},
        {"a number where a number must be", QByteArray(good).replace(",0,", ",x,")},
        {"a missing file", QByteArray()}};
    for (const Case& c : cases) {
        const QString name = t.path(QStringLiteral("bad.log"));
        QFile::remove(name);
        if (!c.data.isEmpty()) t.writeFile(name, c.data);
        t.dialogs().clearShown();
        t.dialogs().answerMessage(Answer::OK);
        t.dialogs().answerMessage(Answer::Yes);
        t.dialogs().answerFile(name);
        w().mnuRestore->action()->trigger();
        ASSERT_FALSE(t.dialogs().messages().empty());
        EXPECT_EQ(lastTitle(), QStringLiteral("Error Restoring Log")) << c.what;
        if (!c.data.isEmpty()) {
            EXPECT_TRUE(t.dialogs().messages().back().text.startsWith(
                QStringLiteral("bad.log cannot be read as a log")))
                << c.what;
        }
        EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), original) << c.what;
        EXPECT_EQ(t.app().log().QSOCount, 3) << c.what;
        EXPECT_TRUE(backups().isEmpty()) << c.what;
    }
}

TEST_F(MenusTest, ArchiveAndRestoreFailuresLeaveTheLogAsItWas) {
    writeLog3();
    openOut();
    const QByteArray original = t.readFile(QStringLiteral("log.txt"));
    t.writeFile(QStringLiteral("other.log"), encodeRecord(contact(9, "WSH")));
    // Nothing can be copied into BACKUP.
    t.files().setFault([](Files::Op op, const QString& path) {
        if (op == Files::Op::Copy && path.contains(QStringLiteral("BACKUP"))) {
            throw Error(err::kPermissionDenied, QStringLiteral("Permission denied"));
        }
    });
    t.dialogs().answerFile(backup(QStringLiteral("x.log")));
    w().mnuArchive->action()->trigger();
    EXPECT_EQ(lastTitle(), QStringLiteral("Error Archiving Log"));
    EXPECT_EQ(t.dialogs().messages().back().text, QStringLiteral("Permission denied"));

    t.dialogs().answerMessage(Answer::OK);
    t.dialogs().answerMessage(Answer::Yes);
    t.dialogs().answerFile(t.path(QStringLiteral("other.log")));
    w().mnuRestore->action()->trigger();
    EXPECT_EQ(lastTitle(), QStringLiteral("Error Restoring Log"));
    EXPECT_TRUE(t.dialogs().messages().back().text.contains(QStringLiteral("Permission denied")));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), original);
    EXPECT_EQ(t.app().log().QSOCount, 3);
}

TEST_F(MenusTest, ExportAdifFromTheMenu) {
    writeLog3();
    QFile dxcc(test::shippedDataFile(kAdifCountryFile));
    ASSERT_TRUE(dxcc.open(QIODevice::ReadOnly));
    t.writeFile(kAdifCountryFile, dxcc.readAll());
    openOut();
    const QString out = t.path(QStringLiteral("contest.adi"));
    t.dialogs().answerInput(QStringLiteral("100"));
    t.dialogs().answerInput(QString());
    t.dialogs().answerFile(out);
    w().mnuexportADIF->action()->trigger();
    EXPECT_EQ(t.readFile(out).count("<eor>"), 3);
}

TEST_F(MenusTest, HelpOpensFreshEachTime) {
    writeLog({});
    openOut();
    for (const char* text : {"first text", "second text"}) {
        t.writeFile(QStringLiteral("ReadVEVI.txt"), text);
        whileModal(w().mnuHelp, [&] {
            Form5* help = t.app().forms().form5Slot().peek();
            ASSERT_NE(help, nullptr);
            EXPECT_TRUE(help->isVisible());
            EXPECT_EQ(help->Text1->Text(), QLatin1String(text));
            help->Command1->Press();
        });
        EXPECT_FALSE(t.app().forms().form5Slot().isLoaded());
    }
}

TEST_F(MenusTest, InStateColoursAreSavedAndRepaintTheGrid) {
    t.app().station().OutOfStateFlag = 0;
    t.app().station().WorkedColor = 0x008000;
    QSORecord q = contact(1, QString());
    q.SPC = QStringLiteral("IL");
    writeLog({q});
    Infrm& in = open(&Forms::Infrm);
    const size_t il = static_cast<size_t>(t.app().spc().find(QStringLiteral("IL")));
    ASSERT_EQ(in.Label10[il]->ForeColor(), 0x008000u);
    t.dialogs().answerColor(0xFF00FF);
    whileModal(in.mnuColors, [&] {
        Form6* colours = t.app().forms().form6Slot().peek();
        ASSERT_NE(colours, nullptr);
        colours->Command3->Press();  // the worked colour
        colours->Command6->Press();  // Done
    });
    EXPECT_FALSE(t.app().forms().form6Slot().isLoaded());
    EXPECT_EQ(saved().WorkedColor, 0xFF00FF);
    EXPECT_EQ(in.Label10[il]->ForeColor(), 0xFF00FFu);
}

TEST_F(MenusTest, TheInStateStationItemsOpenTheirWindowsAndLeaveTheLogAlone) {
    writeLog3();
    t.app().station().OutOfStateFlag = 0;
    Infrm& in = open(&Forms::Infrm);
    const QByteArray log = t.readFile(QStringLiteral("log.txt"));
    const QString settings = t.files().resolve(QStringLiteral("QSOpref.txt"));
    t.dialogs().clearShown();
    struct Case {
        MenuItem* item;
        std::function<QWidget*()> window;  // what the item opened, if anything
        bool writesSettings;
    };
    const Case cases[] = {
        {in.mnuRigInterface, [this] { return t.app().forms().rigFrmSlot().peek(); }, false},
        {in.mnuDXSpotting, [this] { return t.app().forms().packetSpotSlot().peek(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item->Name().toStdString());
        QFile::remove(settings);
        c.item->action()->trigger();
        settle();
        QWidget* w = c.window();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->isModal());
        EXPECT_EQ(t.files().fileExists(settings), c.writesSettings);
        EXPECT_TRUE(t.dialogs().shown().empty());
    }
    // Change County is the rover's: a fixed station's item stays off and opens nothing.
    EXPECT_FALSE(in.mnuChangeCounty->Enabled());
    in.mnuChangeCounty->action()->trigger();
    EXPECT_FALSE(t.app().forms().countyChangeSlot().isLoaded());
    EXPECT_TRUE(t.dialogs().shown().empty());
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), log);
    EXPECT_TRUE(in.isVisible());
}

}  // namespace
}  // namespace qf
