#include "platform/Error.h"
#include "platform/Files.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <functional>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace qf {
namespace {

class FilesTest : public ::testing::Test {
protected:
    test::TestApp t;
};

TEST_F(FilesTest, NamesAreMatchedIgnoringCase) {
    t.writeFile(QStringLiteral("Log.txt"), "x");
    EXPECT_EQ(t.files().resolve(QStringLiteral("log.txt")), t.work() + QStringLiteral("/Log.txt"));
    EXPECT_EQ(t.files().resolve(QStringLiteral("LOG.TXT")), t.work() + QStringLiteral("/Log.txt"));
    // A new file named bare gets the lower-case spelling, so every later spelling finds it.
    EXPECT_EQ(t.files().resolve(QStringLiteral("CW.txt")), t.work() + QStringLiteral("/cw.txt"));
    t.files().rewriteAtomic(QStringLiteral("CW.txt"), "a");
    EXPECT_EQ(t.readFile(QStringLiteral("cw.txt")), QByteArray("a"));
    // Folders on the way are matched too; a full path keeps its own spelling when new.
    QDir().mkpath(t.root() + QStringLiteral("/Data/Backup"));
    EXPECT_EQ(t.files().resolve(t.root() + QStringLiteral("\\data\\BACKUP\\New.log")),
              t.root() + QStringLiteral("/Data/Backup/New.log"));
    EXPECT_EQ(Files::native(QStringLiteral("c:\\Pegasus\\PEGASUS.IN")),
              QStringLiteral("/Pegasus/PEGASUS.IN"));
}

TEST_F(FilesTest, ExistenceTests) {
    t.writeFile(QStringLiteral("splash.jpg"), "x");
    t.writeFile(QStringLiteral(".hidden"), "x");
    QDir().mkpath(t.work() + QStringLiteral("/Folder"));
    EXPECT_TRUE(t.files().fileExists(QStringLiteral("SPLASH.JPG")));
    EXPECT_FALSE(t.files().fileExists(QStringLiteral(".hidden")));
    EXPECT_FALSE(t.files().fileExists(QStringLiteral("folder")));
    EXPECT_TRUE(t.files().folderExists(QStringLiteral("folder")));
    EXPECT_TRUE(t.files().entryExists(QStringLiteral("FOLDER")));
    EXPECT_FALSE(t.files().entryExists(QStringLiteral("missing")));
}

TEST_F(FilesTest, RewriteAppendAndCopy) {
    Files& f = t.files();
    f.rewriteAtomic(QStringLiteral("log.txt"), "one\r\n");
    f.appendDurable(QStringLiteral("Log.txt"), "two\r\n");
    EXPECT_EQ(f.readAll(QStringLiteral("log.txt")), QByteArray("one\r\ntwo\r\n"));
    f.rewriteAtomic(QStringLiteral("copy.log"), "old");
    f.copyReplace(QStringLiteral("log.txt"), QStringLiteral("copy.log"));
    EXPECT_EQ(t.readFile(QStringLiteral("copy.log")), QByteArray("one\r\ntwo\r\n"));
    f.appendDurable(QStringLiteral("new.txt"), "created");
    EXPECT_EQ(t.readFile(QStringLiteral("new.txt")), QByteArray("created"));
    EXPECT_EQ(f.length(QStringLiteral("new.txt")), 7);
}

TEST_F(FilesTest, FailuresCarryANumberAndLeaveTheOldFileWhole) {
    Files& f = t.files();
    f.rewriteAtomic(QStringLiteral("log.txt"), "whole\r\n");
    f.setFault([](Files::Op, const QString&) {
        throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
    });
    for (auto write : {+[](Files& x) { x.rewriteAtomic(QStringLiteral("log.txt"), "half"); },
                       +[](Files& x) { x.appendDurable(QStringLiteral("log.txt"), "half"); }}) {
        try {
            write(f);
            ADD_FAILURE() << "no failure";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), err::kDiskFull);
        }
    }
    f.setFault({});
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), QByteArray("whole\r\n"));
    try {
        f.readAll(QStringLiteral("missing.txt"));
        ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kFileNotFound);
    }
    try {
        f.createFolder(t.root() + QStringLiteral("/no/such/parent"));
        ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kFileNotFound);
        EXPECT_FALSE(e.text().isEmpty());
    }
}

using Step = Files::Step;

Error diskFull() { return Error(err::kDiskFull, QStringLiteral("No space left on device")); }

struct Writer {
    const char* what;
    Files::Op op;
    std::function<void(Files&)> write;
    std::vector<Step> steps;  // where it can fail, in the order it passes them
};

std::vector<Writer> writers(const QByteArray& data) {
    const std::vector<Step> whole = {Step::Start, Step::PartialWrite, Step::Flush, Step::Sync,
                                     Step::Rename};
    return {
        {"rewrite", Files::Op::Rewrite,
         [data](Files& f) { f.rewriteAtomic(QStringLiteral("log.txt"), data); }, whole},
        {"append", Files::Op::Append,
         [data](Files& f) { f.appendDurable(QStringLiteral("log.txt"), data); },
         {Step::Start, Step::PartialWrite, Step::Flush, Step::Sync}},
        {"copy over", Files::Op::Copy,
         [](Files& f) { f.copyReplace(QStringLiteral("new.txt"), QStringLiteral("log.txt")); }, whole},
        {"copy to a new name", Files::Op::Copy,
         [](Files& f) {
             f.copyToNewName(QStringLiteral("new.txt"), f.workingFolder(), QStringLiteral("log"),
                             QStringLiteral(".txt"));
         },
         whole},
    };
}

// However a write fails, and wherever on its way: the caller hears of it, the old file stays
// byte for byte, and nothing is left beside it (no temporary file, no partial copy).
TEST_F(FilesTest, AWriteThatFailsAtAnyStepLeavesTheOldFileByteForByte) {
    Files& f = t.files();
    const QByteArray old = "\"old one\"\r\n\"old two\"\r\n";
    const QByteArray data = QByteArray("\"new\",\"record\"\r\n").repeated(300);  // past any buffer
    for (const Writer& w : writers(data)) {
        for (Step failing : w.steps) {
            SCOPED_TRACE(testing::Message() << w.what << " failing at step " << int(failing));
            t.writeFile(QStringLiteral("log.txt"), old);
            t.writeFile(QStringLiteral("new.txt"), data);
            f.setStepFault([&](Files::Op op, Step step, const QString&) {
                if (op == w.op && step == failing) throw diskFull();
            });
            try {
                w.write(f);
                ADD_FAILURE() << "reported as success";
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), err::kDiskFull);
            }
            f.setStepFault({});
            EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), old);
            EXPECT_EQ(QDir(t.work()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                      (QStringList{QStringLiteral("log.txt"), QStringLiteral("new.txt")}));
        }
    }
}

TEST_F(FilesTest, AWholeWriteSyncsTheFileRenamesThenSyncsTheFolder) {
    Files& f = t.files();
    const QByteArray data = "\"new\"\r\n";
    for (const Writer& w : writers(data)) {
        SCOPED_TRACE(w.what);
        t.writeFile(QStringLiteral("log.txt"), "\"old\"\r\n");
        t.writeFile(QStringLiteral("new.txt"), data);
        QFile::remove(t.path(QStringLiteral("log-2.txt")));
        std::vector<Step> seen;
        f.setStepFault([&](Files::Op op, Step step, const QString&) {
            if (op == w.op) seen.push_back(step);
        });
        w.write(f);
        f.setStepFault({});
        std::vector<Step> expected = w.steps;
        // An append to an existing file adds no name, so its folder needs no sync.
        if (w.op != Files::Op::Append) expected.push_back(Step::FolderSync);
        EXPECT_EQ(seen, expected);
    }
    // A new file made by an append is synced into its folder too.
    std::vector<Step> seen;
    f.setStepFault([&](Files::Op, Step step, const QString&) { seen.push_back(step); });
    f.appendDurable(QStringLiteral("fresh.txt"), data);
    EXPECT_EQ(seen.back(), Step::FolderSync);
}

TEST_F(FilesTest, OnlyRegularFilesAreOpened) {
    Files& f = t.files();
    const QString log = t.path(QStringLiteral("log.txt"));
    const QByteArray logName = QFile::encodeName(log);
    // A character device of our own, so that nothing outside the test is ever at stake.
    const QString zero = t.root() + QStringLiteral("/zero");
    const bool haveDevice =
        ::mknod(QFile::encodeName(zero).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0;
    struct Case {
        const char* what;
        std::function<bool()> make;  // false: cannot be made here
        const char* kind;
    };
    const Case cases[] = {
        {"FIFO", [&] { return ::mkfifo(logName.constData(), 0666) == 0; }, "a named pipe (FIFO)"},
        {"link to a device",
         [&] { return haveDevice && ::symlink(QFile::encodeName(zero).constData(), logName.constData()) == 0; },
         "a device"},
        {"folder", [&] { return QDir().mkdir(log); }, "a folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(log);
        QDir().rmdir(log);
        if (!c.make()) {
            ADD_FAILURE() << "cannot make the " << c.what;
            continue;
        }
        struct stat before {};
        ASSERT_EQ(::lstat(logName.constData(), &before), 0);
        QElapsedTimer timer;
        timer.start();
        const QString why = QStringLiteral("log.txt is ") + QLatin1String(c.kind) +
                            QStringLiteral(", not a regular file, so it was not opened.");
        for (auto op : {+[](Files& x) { x.readAll(QStringLiteral("log.txt")); },
                        +[](Files& x) { x.rewriteAtomic(QStringLiteral("log.txt"), "x\r\n"); },
                        +[](Files& x) { x.appendDurable(QStringLiteral("log.txt"), "x\r\n"); },
                        +[](Files& x) {
                            x.copyReplace(QStringLiteral("log.txt"), QStringLiteral("copy.txt"));
                        }}) {
            try {
                op(f);
                ADD_FAILURE() << "opened";
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), err::kPathFileAccess);
                EXPECT_EQ(e.text(), why);
            }
        }
        EXPECT_LT(timer.elapsed(), 5000);  // nothing waited on a writer or read a device dry
        struct stat after {};
        ASSERT_EQ(::lstat(logName.constData(), &after), 0);
        EXPECT_EQ(before.st_mode & S_IFMT, after.st_mode & S_IFMT);  // nothing replaced it
        EXPECT_FALSE(QFileInfo::exists(t.path(QStringLiteral("copy.txt"))));
    }
    QDir().rmdir(log);
    QFile::remove(zero);

    // A link to a regular file is followed both ways, and stays a link.
    t.writeFile(t.root() + QStringLiteral("/real.txt"), "old\r\n");
    ASSERT_EQ(::symlink("../real.txt", logName.constData()), 0);
    EXPECT_EQ(f.readAll(QStringLiteral("log.txt")), QByteArray("old\r\n"));
    f.rewriteAtomic(QStringLiteral("log.txt"), "new\r\n");
    f.appendDurable(QStringLiteral("log.txt"), "more\r\n");
    EXPECT_TRUE(QFileInfo(log).isSymLink());
    EXPECT_EQ(t.readFile(t.root() + QStringLiteral("/real.txt")), QByteArray("new\r\nmore\r\n"));
}

}  // namespace
}  // namespace qf
