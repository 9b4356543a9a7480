// A disk that really fills: the store runs in a child process under a file-size limit, where the
// kernel fails writes part-way exactly as a full disk does, without any privileges.
#include "logging/StoreMessages.h"
#include "logstore/LogStore.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>

#include <csignal>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qf {
namespace {

QSORecord numbered(int n) {
    QSORecord q;
    q.Call = QStringLiteral("K%1AA").arg(n);
    q.NameRcvd = QStringLiteral("OP%1").arg(n);
    q.Mode = QStringLiteral("CW");
    q.Band = QStringLiteral("20");
    return q;
}

void say(int fd, const std::string& line) {
    const ssize_t rc = ::write(fd, line.data(), line.size());
    (void)rc;
}

// The child: logs contacts until several writes have failed, then has its space back and logs
// more. Reports every contact as "A n" (acknowledged) or "F n" (kept in memory only).
[[noreturn]] void runChild(test::TestApp& t, int out, rlim_t limit) {
    ::alarm(60);  // bounded, whatever happens
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit lim{};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    const rlim_t hard = lim.rlim_max;
    lim.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lim);
    StoreWithMessages store(t.app().logStore(), t.app().platform());
    QSOLog& log = t.app().log();
    int n = 0, failures = 0;
    while (failures < 4 && n < 500) {
        log[++log.QSOCount] = numbered(++n);
        const bool ok = store.AppendRecord();
        if (!ok) ++failures;
        say(out, (ok ? "A " : "F ") + std::to_string(n) + "\n");
    }
    lim.rlim_cur = hard;  // space is freed
    ::setrlimit(RLIMIT_FSIZE, &lim);
    for (int i = 0; i < 5; ++i) {
        log[++log.QSOCount] = numbered(++n);
        say(out, (store.AppendRecord() ? "A " : "F ") + std::to_string(n) + "\n");
    }
    ::_exit(0);
}

TEST(DiskFullTest, EveryAcknowledgedContactIsInTheLogInOrderOnce) {
    test::TestApp t;
    t.app().startup().DataFolder = t.root() + QStringLiteral("/data");
    QDir().mkpath(t.app().startup().DataFolder);
    t.writeFile(QStringLiteral("log.txt"), QByteArray());
    t.app().logStore().LoadLog();
    const rlim_t limit = 20 * encodeRecord(numbered(10)).size() + 7;  // mid-record

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::close(pipeFds[0]);
        runChild(t, pipeFds[1], limit);
    }
    ::close(pipeFds[1]);
    QByteArray report;
    char buf[4096];
    for (;;) {
        const ssize_t got = ::read(pipeFds[0], buf, sizeof buf);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        report.append(buf, got);
    }
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "the child was stopped by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);

    QStringList acknowledged, all;
    int failed = 0;
    for (const QByteArray& line : report.split('\n')) {
        if (line.isEmpty()) continue;
        const QString call = QStringLiteral("K%1AA").arg(line.mid(2).toInt());
        all << call;
        if (line.startsWith("A ")) {
            acknowledged << call;
        } else {
            ++failed;
        }
    }
    EXPECT_EQ(failed, 4);        // the disk did fill
    EXPECT_GT(acknowledged.size(), 20);
    EXPECT_TRUE(report.endsWith("A " + QByteArray::number(all.size()) + "\n"));

    // What is on the disk now: every contact once, in order, none half written.
    LogFileContents contents = parseLogFile(t.readFile(QStringLiteral("log.txt")));
    EXPECT_TRUE(contents.damagedLines.isEmpty());
    QStringList onDisk;
    for (const QSORecord& q : contents.records) onDisk << q.Call;
    EXPECT_EQ(onDisk, all);
    // So each acknowledged one is there once, in the order it was logged.
    qsizetype at = 0;
    for (const QString& call : acknowledged) {
        EXPECT_EQ(onDisk.count(call), 1) << call.toStdString();
        at = onDisk.indexOf(call, at);
        EXPECT_GE(at, 0) << call.toStdString();
    }
}

}  // namespace
}  // namespace qf
