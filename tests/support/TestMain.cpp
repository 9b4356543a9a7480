// The test programs' main: offscreen Qt with pinned fonts and locale, then GoogleTest.
//
// A test that skips (a peer such as socat or a sound server missing) has proved nothing, so it
// must not count as a pass: the program ends its output with each skipped test, where it skipped
// and why, and when the rest passed it exits with kSkippedExit, which CTest reports as skipped.
// A failure still exits as a failure, whatever else skipped. With QUILLFEN_SKIP_FAILS=1
// (scripts/test sets it in CI, where every peer is installed) a skip fails the program instead.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kSkippedExit = 77;  // SKIP_RETURN_CODE of every test in tests/CMakeLists.txt

// One line per skipped test: its name, where it skipped and why.
std::vector<std::string> skippedTests(const ::testing::UnitTest& unit) {
    std::vector<std::string> lines;
    for (int s = 0; s < unit.total_test_suite_count(); ++s) {
        const ::testing::TestSuite& suite = *unit.GetTestSuite(s);
        for (int i = 0; i < suite.total_test_count(); ++i) {
            const ::testing::TestInfo& info = *suite.GetTestInfo(i);
            const ::testing::TestResult& result = *info.result();
            if (!result.Skipped()) continue;
            std::string line = std::string(suite.name()) + '.' + info.name();
            for (int p = 0; p < result.total_part_count(); ++p) {
                const ::testing::TestPartResult& part = result.GetTestPartResult(p);
                if (!part.skipped()) continue;
                if (part.file_name()) {
                    line += std::string(" at ") + part.file_name() + ':' +
                            std::to_string(part.line_number());
                }
                line += std::string(": ") + (*part.message() ? part.message() : "no reason given");
                break;
            }
            lines.push_back(line);
        }
    }
    return lines;
}

int exitCodeAfterRun(int runResult, const std::vector<std::string>& skipped, bool skipsFail,
                     std::FILE* out) {
    if (skipped.empty()) return runResult;
    std::fprintf(out, "\n%zu test(s) skipped:\n", skipped.size());
    for (const std::string& line : skipped) std::fprintf(out, "  SKIPPED %s\n", line.c_str());
    if (runResult != 0) return runResult;
    if (!skipsFail) return kSkippedExit;
    std::fprintf(out,
                 "A skip fails this run (QUILLFEN_SKIP_FAILS=1): every peer the tests start is "
                 "installed by scripts/deps, so a skip here means a broken install.\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Before the QApplication exists, or the platform plugin is chosen for us.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    const char* skipsFail = std::getenv("QUILLFEN_SKIP_FAILS");
    const int code = exitCodeAfterRun(result, skippedTests(*::testing::UnitTest::GetInstance()),
                                      skipsFail && std::strcmp(skipsFail, "1") == 0, stdout);
    std::fflush(stdout);
    return code;
}
