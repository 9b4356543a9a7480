// How a test program ends when tests skip: this program runs itself again with probe tests that
// pass, skip or fail, and reads the exit code CTest goes by and what the run printed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

namespace qf {
namespace {

class Passes : public ::testing::Test {
    void TestBody() override {}
};
class Skips : public ::testing::Test {
    void TestBody() override { GTEST_SKIP() << "the probe's peer is missing"; }
};
class Fails : public ::testing::Test {
    void TestBody() override { ADD_FAILURE() << "the probe fails"; }
};

// The probes exist only in the child runs (QUILLFEN_SKIP_PROBE lists them), so the suite itself
// never skips.
[[maybe_unused]] const bool kProbesRegistered = [] {
    const QByteArrayList probes = qgetenv("QUILLFEN_SKIP_PROBE").split(',');
    if (probes.contains("pass")) {
        ::testing::RegisterTest("SkipProbe", "Passes", nullptr, nullptr, __FILE__, __LINE__,
                                []() -> ::testing::Test* { return new Passes; });
    }
    if (probes.contains("skip")) {
        ::testing::RegisterTest("SkipProbe", "Skips", nullptr, nullptr, __FILE__, __LINE__,
                                []() -> ::testing::Test* { return new Skips; });
    }
    if (probes.contains("fail")) {
        ::testing::RegisterTest("SkipProbe", "Fails", nullptr, nullptr, __FILE__, __LINE__,
                                []() -> ::testing::Test* { return new Fails; });
    }
    return true;
}();

TEST(SkipReportTest, ASkipIsNoPassAndHidesNoFailure) {
    struct Case {
        const char* what;
        const char* probes;
        bool skipsFail;  // QUILLFEN_SKIP_FAILS=1, as scripts/test sets it in CI
        int code;
        bool listed;  // the skip is named with where and why
    };
    const Case cases[] = {
        {"passes only", "pass", false, 0, false},
        {"a pass and a skip", "pass,skip", false, 77, true},
        {"a skip where skips fail", "pass,skip", true, 1, true},
        {"a failure beside a skip", "pass,skip,fail", false, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // The copy runs the probes whole and alone: a shard, a repeat or an output file meant
        // for this run would make it run none of them or write over this run's report.
        for (const QString& key : env.keys()) {
            if (key.startsWith(QLatin1String("GTEST_"))) env.remove(key);
        }
        env.insert(QStringLiteral("QUILLFEN_SKIP_PROBE"), QString::fromLatin1(c.probes));
        env.remove(QStringLiteral("QUILLFEN_SKIP_FAILS"));
        if (c.skipsFail) env.insert(QStringLiteral("QUILLFEN_SKIP_FAILS"), QStringLiteral("1"));
        QProcess run;
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=SkipProbe.*")});
        ASSERT_TRUE(run.waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(run.readAll());
        ASSERT_EQ(run.exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(run.exitCode(), c.code) << output.toStdString();
        const QString named = QStringLiteral("SKIPPED SkipProbe.Skips at %1:").arg(__FILE__);
        EXPECT_EQ(output.contains(named), c.listed) << output.toStdString();
        if (c.listed) {
            EXPECT_TRUE(output.contains(QStringLiteral(": the probe's peer is missing")));
        }
        EXPECT_EQ(output.contains(QStringLiteral("A skip fails this run")), c.skipsFail);
    }
}

}  // namespace
}  // namespace qf
