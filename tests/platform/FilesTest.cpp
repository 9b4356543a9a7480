#include "platform/Error.h"
#include "platform/Files.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>

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

}  // namespace
}  // namespace qf
