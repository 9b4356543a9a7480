#include "common/QuotedFieldLine.h"
#include "logging/StoreMessages.h"
#include "logstore/LogStore.h"
#include "platform/Error.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cfloat>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace qf {
namespace {

QList<QByteArray> linesOf(const QByteArray& data) {
    QList<QByteArray> lines = data.split('\n');
    lines.removeLast();  // after the last CR LF
    for (auto& l : lines) l.append('\n');
    return lines;
}

class LogStoreTest : public ::testing::Test {
protected:
    LogStoreTest() {
        t.app().startup().DataFolder = t.root() + QStringLiteral("/data");
        QDir().mkpath(t.app().startup().DataFolder);
        t.clock().set(QDateTime(QDate(2026, 9, 12), QTime(9, 15, 42)), 5 * 3600);
    }
    // The store as the logging windows call it, so that what it returns is told as they tell it.
    StoreWithMessages store() { return {t.app().logStore(), t.app().platform()}; }
    QSOLog& log() { return t.app().log(); }
    QString backup(const QString& name) {
        return t.app().startup().DataFolder + QStringLiteral("/BACKUP/") + name;
    }
    QStringList backups() {
        return QDir(t.app().startup().DataFolder + QStringLiteral("/BACKUP")).entryList(QDir::Files);
    }
    void loadThree() {
        t.writeFile(QStringLiteral("log.txt"), test::fixture(QStringLiteral("log-three.txt")));
        store().LoadLog();
    }
    test::TestApp t;
};

TEST_F(LogStoreTest, LoadKeepsEveryFieldAndRewritesByteForByte) {
    loadThree();
    ASSERT_EQ(log().QSOCount, 3);
    EXPECT_EQ(log()[2].NameRcvd, QStringLiteral("SUE, JR"));
    EXPECT_EQ(log()[2].Reserved16, 2.5);
    EXPECT_EQ(log()[3].StateOverride, QStringLiteral("kept"));
    EXPECT_EQ(log()[3].QSOTime, QStringLiteral("14:09"));
    EXPECT_EQ(log().QSOCountAtLoad, 3.0f);
    ASSERT_TRUE(store().RewriteLog());
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), test::fixture(QStringLiteral("log-three.txt")));
}

// A reload passes over what it read before only while neither the file nor the rows in memory
// changed since: every change, in the file or in memory, is read again.
TEST_F(LogStoreTest, AReloadReadsAgainWhatChangedInTheFileOrInMemory) {
    const QByteArray three = test::fixture(QStringLiteral("log-three.txt"));
    const QByteArray fourth = "\"K4NEW\",\"JOHN\",\"ED\",\"\",\"STL\",\"\",\"\",\"\",\"\",\"\",\"\",\"2026/09/12\",\"14:12:00\",\"CW\",\"20\",0,\"\",\"\",\"\"\r\n";
    struct Case {
        const char* name;
        std::function<void(QSOLog&, test::TestApp&)> change;
    };
    const Case cases[] = {
        {"a row written in memory", [](QSOLog& log, test::TestApp&) { log[2].Call = QStringLiteral("XX9XX"); }},
        {"a row changed in place through its reference",
         [](QSOLog& log, test::TestApp&) { log[1].NameRcvd[0] = QLatin1Char('R'); }},
        {"the count lowered in memory", [](QSOLog& log, test::TestApp&) { log.QSOCount = 1; }},
        {"the file changed, same size",
         [&three](QSOLog&, test::TestApp& app) { app.writeFile(QStringLiteral("log.txt"), QByteArray(three).replace("W9XYZ", "W9XYQ")); }},
        {"a contact appended to the file",
         [&three, &fourth](QSOLog&, test::TestApp& app) { app.writeFile(QStringLiteral("log.txt"), three + fourth); }},
        {"the last contact taken off the file",
         [&three](QSOLog&, test::TestApp& app) { app.writeFile(QStringLiteral("log.txt"), three.left(three.lastIndexOf("\"N0ZZ"))); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadThree();
        store().LoadLog();  // the file as the last load read it
        c.change(log(), t);
        store().LoadLog();
        const LogFileContents fresh = parseLogFile(t.readFile(QStringLiteral("log.txt")));
        ASSERT_EQ(log().QSOCount, fresh.wholeRecords);
        for (int r = 1; r <= log().QSOCount; ++r) {
            EXPECT_EQ(encodeRecord(log()[r]), encodeRecord(fresh.records[static_cast<size_t>(r - 1)])) << r;
        }
    }
}

// After the program rewrites the log, the next reload may pass over the file only when it reads
// back as the rows stand; a field the file could not carry as it was is read as the file holds it.
TEST_F(LogStoreTest, AReloadAfterARewriteGivesWhatTheFileHolds) {
    struct Case {
        const char* name;
        std::function<void(QSORecord&)> edit;
    };
    const Case cases[] = {
        {"a plain edit", [](QSORecord& q) { q.NameRcvd = QStringLiteral("ROB"); }},
        {"a quote in a call", [](QSORecord& q) { q.Call = QStringLiteral("W9\"XYZ"); }},
        {"a line end in a name", [](QSORecord& q) { q.NameRcvd = QStringLiteral("RO\r\nB"); }},
        {"a character beyond Latin-1", [](QSORecord& q) { q.NameRcvd = QStringLiteral("\u0141UKASZ"); }},
        {"a number past 15 digits", [](QSORecord& q) { q.Reserved16 = 0.1 + 0.2; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadThree();
        store().LoadLog();
        c.edit(log()[2]);
        ASSERT_TRUE(store().RewriteLog());
        store().LoadLog();
        const LogFileContents fresh = parseLogFile(t.readFile(QStringLiteral("log.txt")));
        ASSERT_EQ(log().QSOCount, fresh.wholeRecords);
        const QSORecord& mem = log()[2];
        const QSORecord& file = fresh.records[1];
        EXPECT_EQ(mem.Call, file.Call);
        EXPECT_EQ(mem.NameRcvd, file.NameRcvd);
        EXPECT_EQ(mem.Reserved16, file.Reserved16);
    }
}

TEST_F(LogStoreTest, AppendAndEditGiveTheExactBytes) {
    t.writeFile(QStringLiteral("log.txt"), QByteArray());
    store().LoadLog();
    EXPECT_EQ(log().QSOCountAtLoad, 0.0f);  // an empty load leaves it for the next one
    QSORecord q;
    q.Mode = QStringLiteral("CW");
    q.Band = QStringLiteral("20");
    log()[++log().QSOCount] = q;
    ASSERT_TRUE(store().AppendRecord());
    const QByteArray empty20 = "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"CW\",\"20\",0,\"\",\"\",\"\"\r\n";
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), empty20);

    log()[1].Call = QStringLiteral("K0EDIT");
    ASSERT_TRUE(store().RewriteLog());
    QByteArray edited = empty20;
    edited.replace(0, 2, "\"K0EDIT\"");
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), edited);
}

TEST_F(LogStoreTest, DeletingTheFirstOrTheLastRecord) {
    const QList<QByteArray> three = linesOf(test::fixture(QStringLiteral("log-three.txt")));
    loadThree();
    ASSERT_TRUE(store().DeleteRecord(1));
    EXPECT_EQ(log().QSOCount, 2);
    EXPECT_EQ(log()[1].Call, QStringLiteral("W9XYZ"));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), three[1] + three[2]);
    ASSERT_TRUE(store().DeleteRecord(2));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), three[1]);
    // Rows outside 1 to QSOCount are refused and nothing changes.
    for (int bad : {0, 2, -1, 11001}) EXPECT_FALSE(store().DeleteRecord(bad)) << bad;
    EXPECT_EQ(log().QSOCount, 1);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), three[1]);
}

TEST_F(LogStoreTest, FullLogLoadsAndOneMoreEndsTheProgram) {
    const QByteArray line = linesOf(test::fixture(QStringLiteral("log-three.txt")))[0];
    t.writeFile(QStringLiteral("log.txt"), line.repeated(kLogCapacity));
    store().LoadLog();
    EXPECT_EQ(log().QSOCount, kLogCapacity);
    EXPECT_FALSE(t.ending().ended());

    t.writeFile(QStringLiteral("log.txt"), line.repeated(kLogCapacity + 1));
    EXPECT_THROW(store().LoadLog(), ProgramEnded);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].text, QStringLiteral("Error opening file."));
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("File Error"));
}

TEST_F(LogStoreTest, UnreadableLogsEndTheProgram) {
    // Missing, and a value that is not a number where the number stands.
    EXPECT_THROW(store().LoadLog(), ProgramEnded);
    QByteArray bad = test::fixture(QStringLiteral("log-three.txt"));
    bad.replace(",2.5,", ",x,");
    t.writeFile(QStringLiteral("log.txt"), bad);
    EXPECT_THROW(store().LoadLog(), ProgramEnded);
    EXPECT_EQ(t.dialogs().messages().size(), 2u);
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(LogStoreTest, ALastRecordCutShortIsRepaired) {
    const QByteArray whole = test::fixture(QStringLiteral("log-three.txt"));
    const QByteArray cut = whole.left(whole.size() - 20);  // inside the third record
    t.writeFile(QStringLiteral("log.txt"), cut);
    store().LoadLog();
    EXPECT_FALSE(t.ending().ended());
    EXPECT_EQ(log().QSOCount, 2);
    const QList<QByteArray> three = linesOf(whole);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), three[0] + three[1]);
    // The damaged file is kept under a name no minute backup can take.
    ASSERT_EQ(backups(), QStringList{QStringLiteral("damaged-20260912091542.log")});
    EXPECT_EQ(t.readFile(backup(QStringLiteral("damaged-20260912091542.log"))), cut);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_TRUE(t.dialogs().messages()[0].text.contains(QStringLiteral("cut short")));

    // A last record without its line end is closed, so the next append starts a new line.
    t.writeFile(QStringLiteral("log.txt"), whole.left(whole.size() - 2));
    store().LoadLog();
    EXPECT_EQ(log().QSOCount, 3);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), whole);
}

TEST_F(LogStoreTest, AFailedAppendIsReportedAndWrittenByTheNextWrite) {
    loadThree();
    t.files().setFault([](Files::Op, const QString&) {
        throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
    });
    QSORecord q;
    q.Call = QStringLiteral("KD0NEW");
    log()[++log().QSOCount] = q;
    EXPECT_FALSE(store().AppendRecord());
    EXPECT_TRUE(store().unsaved());
    EXPECT_EQ(t.beeper().count(), 1);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(t.dialogs().messages()[0].text.contains(QStringLiteral("No space left on device")));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), test::fixture(QStringLiteral("log-three.txt")));

    // The disk recovers: the next contact's write brings the file up to date whole.
    t.files().setFault({});
    q.Call = QStringLiteral("KD0TWO");
    log()[++log().QSOCount] = q;
    ASSERT_TRUE(store().AppendRecord());
    EXPECT_FALSE(store().unsaved());
    RecordReader r(t.readFile(QStringLiteral("log.txt")));
    QStringList calls;
    while (!r.atEnd()) calls << readRecord(r).Call;
    EXPECT_EQ(calls, (QStringList{QStringLiteral("K1ABC"), QStringLiteral("W9XYZ"),
                                  QStringLiteral("N0ZZ"), QStringLiteral("KD0NEW"),
                                  QStringLiteral("KD0TWO")}));
}

TEST_F(LogStoreTest, BackupsAreNamedByTheMinuteAndNeverReplaceEachOther) {
    const QList<QByteArray> three = linesOf(test::fixture(QStringLiteral("log-three.txt")));
    loadThree();
    store().BackupLog();
    EXPECT_TRUE(backups().isEmpty());  // no change since the load
    ASSERT_TRUE(store().DeleteRecord(3));
    store().BackupLog();
    t.clock().advance(10'000);  // same minute: the name is taken, so the copy gets a suffix
    ASSERT_TRUE(store().DeleteRecord(2));
    store().BackupLog();
    t.writeFile(backup(QStringLiteral("202609120915-3.LOG")), "someone else's");
    store().BackupLog();
    EXPECT_EQ(backups(), (QStringList{QStringLiteral("202609120915-2.log"),
                                      QStringLiteral("202609120915-3.LOG"),
                                      QStringLiteral("202609120915-4.log"),
                                      QStringLiteral("202609120915.log")}));
    EXPECT_EQ(t.readFile(backup(QStringLiteral("202609120915.log"))), three[0] + three[1]);
    EXPECT_EQ(t.readFile(backup(QStringLiteral("202609120915-2.log"))), three[0]);
    EXPECT_EQ(t.readFile(backup(QStringLiteral("202609120915-3.LOG"))), "someone else's");
    t.clock().advance(60'000);
    ASSERT_TRUE(store().DeleteRecord(1));
    store().BackupLog();  // an empty log is not backed up
    EXPECT_EQ(backups().size(), 4);
}

TEST_F(LogStoreTest, TwoNewLogsInOneMinuteKeepBothErasedLogs) {
    loadThree();
    ASSERT_TRUE(store().NewLog());
    QSORecord q;
    q.Call = QStringLiteral("KD0TWO");
    log()[++log().QSOCount] = q;
    ASSERT_TRUE(store().AppendRecord());
    t.clock().advance(5'000);
    ASSERT_TRUE(store().NewLog());
    EXPECT_EQ(backups(), (QStringList{QStringLiteral("202609120915-2.log"),
                                      QStringLiteral("202609120915.log")}));
    EXPECT_EQ(t.readFile(backup(QStringLiteral("202609120915.log"))),
              test::fixture(QStringLiteral("log-three.txt")));
    EXPECT_EQ(t.readFile(backup(QStringLiteral("202609120915-2.log"))), encodeRecord(q));
}

QStringList callsOf(const QSOLog& log) {
    QStringList calls;
    for (int r = 1; r <= log.QSOCount; ++r) calls << log[r].Call;
    return calls;
}

Error diskFull() { return Error(err::kDiskFull, QStringLiteral("No space left on device")); }

// One damaged line never shifts another: it is left out alone, named, the file as it was goes
// into BACKUP before the rewrite, and a contact logged afterwards reads back whole.
TEST_F(LogStoreTest, DamagedLinesAreLeftOutAloneAndNamed) {
    const QByteArray whole = test::fixture(QStringLiteral("log-three.txt"));
    const QList<QByteArray> l = linesOf(whole);
    auto spoiled = [&](QByteArray line, const char* from, const char* to) {
        return line.replace(from, to);
    };
    struct Case {
        const char* what;
        QByteArray file;
        int damagedLine;  // 0: nothing damaged
        const char* message;
    };
    const Case cases[] = {
        {"lost quote", l[0] + spoiled(l[1], "\"SUE, JR\"", "\"SUE, JR") + l[2], 2, "Line 2 of log.txt"},
        {"18 fields", l[0] + spoiled(l[1], ",\"\",\"\"\r\n", ",\"\"\r\n") + l[2], 2, "Line 2 of log.txt"},
        {"20 fields", l[0] + spoiled(l[1], "\r\n", ",\"x\"\r\n") + l[2], 2, "Line 2 of log.txt"},
        {"trailing comma", l[0] + l[1] + spoiled(l[2], "\r\n", ",\r\n"), 3, "Line 3 of log.txt"},
        {"cut-short last line", l[0] + l[1] + l[2].left(40), 3, "(line 3) was cut short"},
        {"CR-only line ends", QByteArray(whole).replace("\r\n", "\r"), 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestApp app;
        StartupValues& sv = app.app().startup();
        sv.DataFolder = app.root() + QStringLiteral("/data");
        QDir().mkpath(sv.DataFolder);
        app.clock().set(QDateTime(QDate(2026, 9, 12), QTime(9, 15, 42)), 5 * 3600);
        app.writeFile(QStringLiteral("log.txt"), c.file);
        StoreWithMessages s(app.app().logStore(), app.app().platform());
        QSOLog& g = app.app().log();
        s.LoadLog();
        EXPECT_FALSE(app.ending().ended());

        // The good records, each with its own fields.
        QByteArray good;
        for (int i = 0; i < 3; ++i) {
            if (i + 1 != c.damagedLine) good += l[i];
        }
        QByteArray loaded;
        for (int r = 1; r <= g.QSOCount; ++r) loaded += encodeRecord(g[r]);
        EXPECT_EQ(loaded, good);
        EXPECT_EQ(app.readFile(QStringLiteral("log.txt")), good);  // rewritten with CR LF

        // The file as it was is in BACKUP.
        const QStringList copies =
            QDir(sv.DataFolder + QStringLiteral("/BACKUP")).entryList(QDir::Files);
        ASSERT_EQ(copies.size(), 1);
        EXPECT_EQ(app.readFile(sv.DataFolder + QStringLiteral("/BACKUP/") + copies[0]), c.file);
        if (c.message) {
            ASSERT_EQ(app.dialogs().messages().size(), 1u);
            const QString text = app.dialogs().messages()[0].text;
            EXPECT_TRUE(text.contains(QLatin1String(c.message))) << text.toStdString();
            EXPECT_TRUE(text.contains(copies[0]));
            EXPECT_EQ(copies[0], QStringLiteral("damaged-20260912091542.log"));
        } else {
            EXPECT_TRUE(app.dialogs().messages().empty());
        }

        // A contact logged now reads back whole after a restart.
        QSORecord q;
        q.Call = QStringLiteral("KD0NEW");
        q.Band = QStringLiteral("20");
        g[++g.QSOCount] = q;
        ASSERT_TRUE(s.AppendRecord());
        LogStore restarted(app.app().platform(), sv, g, app.app().tallies());
        restarted.LoadLog();
        EXPECT_EQ(encodeRecord(g[g.QSOCount]), encodeRecord(q));
        EXPECT_EQ(g.QSOCount, c.damagedLine ? 3 : 4);
    }
}

TEST_F(LogStoreTest, ADamagedLogThatCannotBeCopiedIsNeverRewritten) {
    const QList<QByteArray> l = linesOf(test::fixture(QStringLiteral("log-three.txt")));
    const QByteArray damaged = l[0] + l[1] + l[2].left(40);  // cut short, no line end
    t.writeFile(QStringLiteral("log.txt"), damaged);
    t.files().setFault([](Files::Op op, const QString&) {
        if (op == Files::Op::Copy) throw diskFull();
    });
    store().LoadLog();
    EXPECT_EQ(callsOf(log()), (QStringList{"K1ABC", "W9XYZ"}));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), damaged);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Damaged Log"));
    EXPECT_TRUE(t.dialogs().messages()[0].text.contains(QStringLiteral("left as it is")));

    // A new contact still goes onto a line of its own; a reload says nothing new.
    QSORecord q;
    q.Call = QStringLiteral("KD0NEW");
    log()[++log().QSOCount] = q;
    ASSERT_TRUE(store().AppendRecord());
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), damaged + "\r\n" + encodeRecord(q));
    store().LoadLog();
    EXPECT_EQ(callsOf(log()), (QStringList{"K1ABC", "W9XYZ", "KD0NEW"}));
    EXPECT_EQ(t.dialogs().messages().size(), 1u);

    // A delete must not rewrite the damaged line away: it fails, and says why.
    EXPECT_FALSE(store().DeleteRecord(1));
    EXPECT_TRUE(store().unsaved());
    EXPECT_TRUE(t.dialogs().messages().back().text.contains(QStringLiteral("BACKUP")));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), damaged + "\r\n" + encodeRecord(q));
    // Once the copy can be made, the rewrite goes ahead.
    t.files().setFault({});
    ASSERT_TRUE(store().RewriteLog());
    ASSERT_EQ(backups(), QStringList{QStringLiteral("damaged-20260912091542.log")});
    EXPECT_EQ(t.readFile(backup(backups()[0])), damaged + "\r\n" + encodeRecord(q));
}

TEST_F(LogStoreTest, NumbersReadBackAsWritten) {
    t.writeFile(QStringLiteral("log.txt"), QByteArray());
    store().LoadLog();
    for (double v : {DBL_MAX, -DBL_MAX, 1.797693134862315e308, 2.5, 1e-300}) {
        QSORecord q;
        q.Reserved16 = v;
        log()[++log().QSOCount] = q;
        ASSERT_TRUE(store().AppendRecord());
    }
    store().LoadLog();
    EXPECT_FALSE(t.ending().ended());
    ASSERT_EQ(log().QSOCount, 5);
    EXPECT_EQ(log()[1].Reserved16, 1.79769313486231e308);
    EXPECT_EQ(log()[2].Reserved16, -1.79769313486231e308);
    EXPECT_EQ(log()[3].Reserved16, 1.79769313486231e308);
    EXPECT_EQ(log()[4].Reserved16, 2.5);
    EXPECT_EQ(log()[5].Reserved16, 1e-300);
}

TEST_F(LogStoreTest, AFifoOrADeviceInPlaceOfTheLogEndsAtOnceWithItsMessage) {
    const QString logPath = t.path(QStringLiteral("log.txt"));
    const QByteArray logName = QFile::encodeName(logPath);
    ASSERT_EQ(::mkfifo(logName.constData(), 0666), 0);
    EXPECT_THROW(store().LoadLog(), ProgramEnded);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].text,
              QStringLiteral("Error opening file.\r\n\r\nlog.txt is a named pipe (FIFO), not a "
                             "regular file, so it was not opened."));
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("File Error"));

    // A link to a device: the null device, which every system has and no user needs the right
    // to make, so this part runs everywhere; a write that got through would lose nothing.
    QFile::remove(logPath);
    ASSERT_EQ(::symlink("/dev/null", logName.constData()), 0);
    EXPECT_THROW(store().LoadLog(), ProgramEnded);
    EXPECT_TRUE(t.dialogs().messages().back().text.endsWith(
        QStringLiteral("log.txt is a device, not a regular file, so it was not opened.")));
    // A write does not replace it either.
    QSORecord q;
    log()[++log().QSOCount] = q;
    EXPECT_FALSE(store().AppendRecord());
    EXPECT_FALSE(store().RewriteLog());
    EXPECT_TRUE(QFileInfo(logPath).isSymLink());
    QFile::remove(logPath);
}

// While contacts live only in memory, no reload reads the file over them.
TEST_F(LogStoreTest, UnwrittenContactsAreNeverReadOver) {
    loadThree();
    t.files().setFault([](Files::Op op, const QString&) {
        if (op == Files::Op::Append || op == Files::Op::Rewrite) throw diskFull();
    });
    QSORecord q;
    q.Call = QStringLiteral("KD0NEW");
    log()[++log().QSOCount] = q;
    EXPECT_FALSE(store().AppendRecord());
    const size_t boxes = t.dialogs().messages().size();
    EXPECT_TRUE(t.dialogs().messages().back().text.contains(
        QStringLiteral("The log (4 contacts) is kept in memory.")));
    store().LoadLog();  // tries to write, quietly, and keeps what it has
    EXPECT_EQ(callsOf(log()), (QStringList{"K1ABC", "W9XYZ", "N0ZZ", "KD0NEW"}));
    EXPECT_TRUE(store().unsaved());
    EXPECT_EQ(t.dialogs().messages().size(), boxes);

    // A new log will not erase a file that lacks them.
    EXPECT_FALSE(store().NewLog());
    EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("New Log"));
    EXPECT_EQ(log().QSOCount, 4);
    EXPECT_TRUE(backups().isEmpty());
    // Nor will a restore replace it.
    EXPECT_THROW(store().ReplaceLog(QByteArray()), Error);
    EXPECT_EQ(log().QSOCount, 4);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), test::fixture(QStringLiteral("log-three.txt")));

    // The disk is back: the next reload writes them, then reads the file.
    t.files().setFault({});
    store().LoadLog();
    EXPECT_FALSE(store().unsaved());
    EXPECT_EQ(callsOf(log()), (QStringList{"K1ABC", "W9XYZ", "N0ZZ", "KD0NEW"}));
    EXPECT_TRUE(t.readFile(QStringLiteral("log.txt")).endsWith(encodeRecord(q)));
}


// The restore and the load judge a file alike: the restore takes exactly what a load reads whole
// and without a word; what it refuses, a load either repairs (and says so) or cannot read at all.
TEST(LogRestoreTest, TakesExactlyWhatLoadsWhole) {
    const QByteArray whole = test::fixture(QStringLiteral("log-three.txt"));
    const QList<QByteArray> three = linesOf(whole);
    QByteArray badNumber = whole;
    badNumber.replace(",2.5,", ",x,");
    struct Case {
        const char* what;
        QByteArray data;
        LogFileVerdict verdict;
    };
    const Case cases[] = {
        {"three contacts", whole, LogFileVerdict::Whole},
        {"LF line ends", QByteArray(whole).replace("\r\n", "\n"), LogFileVerdict::Whole},
        {"an empty log", QByteArray(), LogFileVerdict::Whole},
        {"a last contact cut short", whole.left(whole.size() - 20), LogFileVerdict::Damaged},
        {"a lost quote in the middle",
         three[0] + QByteArray(three[1]).replace("\"SUE", "SUE") + three[2],
         LogFileVerdict::Damaged},
        {"a number that is no number", badNumber, LogFileVerdict::Unreadable},
        {"one contact too many", three[0].repeated(kLogCapacity + 1), LogFileVerdict::Unreadable},
    };
    const QByteArray current = three[2];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(validateLogFile(parseLogFile(c.data)), c.verdict);

        test::TestApp t;
        t.app().startup().DataFolder = t.root() + QStringLiteral("/data");
        QDir().mkpath(t.app().startup().DataFolder);
        t.clock().set(QDateTime(QDate(2026, 9, 12), QTime(9, 15, 42)), 5 * 3600);
        t.writeFile(QStringLiteral("log.txt"), current);
        t.writeFile(QStringLiteral("archive.log"), c.data);
        StoreWithMessages store(t.app().logStore(), t.app().platform());
        store.LoadLog();
        bool restored = true;
        try {
            store.RestoreLog(t.path(QStringLiteral("archive.log")));
        } catch (const Error& e) {
            restored = false;
            EXPECT_TRUE(
                e.text().startsWith(QStringLiteral("archive.log cannot be read as a log: ")));
        }
        EXPECT_EQ(restored, c.verdict == LogFileVerdict::Whole);
        EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), restored ? c.data : current);

        // The same bytes as the log itself.
        t.writeFile(QStringLiteral("log.txt"), c.data);
        if (c.verdict == LogFileVerdict::Unreadable) {
            EXPECT_THROW(store.LoadLog(), ProgramEnded);
            continue;
        }
        store.LoadLog();
        EXPECT_EQ(t.dialogs().messages().empty(), c.verdict == LogFileVerdict::Whole);
    }
}

}  // namespace
}  // namespace qf
