// Every writer of the program, failing at every point a write passes: the file it would have
// replaced stays byte for byte, and the failure is reported, never passed off as success.
#include "logging/ExportAdif.h"
#include "logging/StoreMessages.h"
#include "logstore/AdifExport.h"
#include "logstore/LogStore.h"
#include "platform/Error.h"
#include "startup/SharedPreferences.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>

#include <functional>
#include <memory>
#include <vector>

namespace qf {
namespace {

using Step = Files::Step;

struct Writer {
    const char* what;
    Files::Op op;
    const char* pathEnd;  // the fault strikes writes to paths ending so
    QString file;         // the file that must not change, relative to the root
    std::function<bool(test::TestApp&)> write;  // true when the failure was reported
};

QSORecord contact(int n) {
    QSORecord q;
    q.Call = QStringLiteral("K%1ZZ").arg(n);
    q.Mode = QStringLiteral("CW");
    q.Band = QStringLiteral("20");
    return q;
}

// The store as the logging windows call it: what it returns is told as they tell it.
StoreWithMessages store(test::TestApp& t) {
    return {t.app().logStore(), t.app().platform()};
}

// The last box has that title and the exclamation icon, gives the system's reason, and came
// after a beep: the same for every writer.
bool lastBoxIs(test::TestApp& t, const char* title) {
    const auto m = t.dialogs().messages();
    return !m.empty() && m.back().title == QLatin1String(title) &&
           m.back().icon == Icon::Exclamation &&
           m.back().text.contains(QStringLiteral("No space left on device")) &&
           t.beeper().count() > 0;
}

TEST(WriterFaultsTest, EveryWriterFailingAtEveryStepLeavesItsFileAndSaysSo) {
    const std::vector<Writer> writers = {
        {"log.txt append", Files::Op::Append, "log.txt", QStringLiteral("work/log.txt"),
         [](test::TestApp& t) {
             QSOLog& log = t.app().log();
             log[++log.QSOCount] = contact(4);
             return !store(t).AppendRecord() && lastBoxIs(t, "Unable to write file.");
         }},
        {"log.txt rewrite", Files::Op::Rewrite, "log.txt", QStringLiteral("work/log.txt"),
         [](test::TestApp& t) {
             return !store(t).DeleteRecord(1) && lastBoxIs(t, "Unable to write file.");
         }},
        {"QSOpref.txt", Files::Op::Rewrite, "QSOpref.txt", QStringLiteral("work/QSOpref.txt"),
         [](test::TestApp& t) {
             t.app().station().OwnCall = QStringLiteral("N0NEW");
             return !WriteQSOPref(t.app().station(), t.files());
         }},
        {"shared XML", Files::Op::Rewrite, ".xml", QStringLiteral("shared.xml"),
         [](test::TestApp& t) {
             SharedPreferences& prefs = t.app().sharedPreferences();
             prefs.LoadSharedPreferences(t.root() + QStringLiteral("/shared.xml"));
             QString name = QStringLiteral("OWN_CALL");
             try {
                 prefs.SetSharedPreference(name, QStringLiteral("N0NEW"), 1);
             } catch (const Error&) {
                 return true;
             }
             return false;
         }},
        {"BACKUP copy", Files::Op::Copy, "", QStringLiteral("data/BACKUP/202609120915.log"),
         [](test::TestApp& t) {
             try {
                 t.app().logStore().CopyLogToBackup(QStringLiteral("202609120915"));
             } catch (const Error&) {
                 // And no other name was taken instead.
                 return QDir(t.root() + QStringLiteral("/data/BACKUP")).count() == 3;
             }
             return false;
         }},
        {"new log (its BACKUP copy)", Files::Op::Copy, "", QStringLiteral("work/log.txt"),
         [](test::TestApp& t) {
             return !store(t).NewLog() && lastBoxIs(t, "New Log") && t.app().log().QSOCount == 3;
         }},
        {"restore", Files::Op::Rewrite, "log.txt", QStringLiteral("work/log.txt"),
         [](test::TestApp& t) {
             try {
                 t.app().logStore().ReplaceLog(encodeRecord(contact(9)));
             } catch (const Error&) {
                 return true;
             }
             return false;
         }},
        {"ADIF", Files::Op::Rewrite, ".adi", QStringLiteral("work/contest.adi"),
         [](test::TestApp& t) {
             t.dialogs().answerFile(t.path(QStringLiteral("contest.adi")));
             ExportADIF(t.app().platform(), t.app().startup(), t.app().station(), t.app().log(),
                        t.app().tables());
             return lastBoxIs(t, "Unable to write file.");
         }},
    };
    const QByteArray oldFile = "the old file, byte for byte\r\n";
    for (const Writer& w : writers) {
        std::vector<Step> steps = {Step::Start, Step::PartialWrite, Step::Flush, Step::Sync};
        if (w.op != Files::Op::Append) steps.push_back(Step::Rename);
        for (Step failing : steps) {
            SCOPED_TRACE(testing::Message() << w.what << ", failing at step " << int(failing));
            test::TestApp t;
            StartupValues& sv = t.app().startup();
            sv.WorkingFolder = t.work();
            sv.DataFolder = t.root() + QStringLiteral("/data");
            QDir().mkpath(sv.DataFolder + QStringLiteral("/BACKUP"));
            t.clock().set(QDateTime(QDate(2026, 9, 12), QTime(9, 15, 42)), 5 * 3600);
            t.writeFile(QStringLiteral("log.txt"), test::fixture(QStringLiteral("log-three.txt")));
            t.writeFile(kAdifCountryFile, test::fixture(QStringLiteral("adif-countries.txt")));
            t.app().logStore().LoadLog();
            const QString file = t.root() + QLatin1Char('/') + w.file;
            t.writeFile(file, oldFile);
            t.dialogs().clearShown();
            t.files().setStepFault([&](Files::Op op, Step step, const QString& path) {
                if (op == w.op && step == failing && path.endsWith(QLatin1String(w.pathEnd))) {
                    throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
                }
            });
            EXPECT_TRUE(w.write(t)) << "not reported";
            t.files().setStepFault({});
            EXPECT_EQ(t.readFile(file), oldFile);
        }
    }
}

}  // namespace
}  // namespace qf
