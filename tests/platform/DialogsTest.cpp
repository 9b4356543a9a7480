#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(ScriptedDialogsTest, AnswersInOrderAndFallsBackToDefaults) {
    ScriptedDialogs d;
    d.answerMessage(Answer::No);
    d.answerInput(QStringLiteral("YES"));
    d.answerInputCancel();
    d.answerFile(QStringLiteral("/tmp/x.adi"));
    EXPECT_EQ(d.message({QStringLiteral("Open existing log?"), QStringLiteral("Log"),
                         Buttons::YesNo, Icon::Question, 0}),
              Answer::No);
    EXPECT_EQ(d.message({QStringLiteral("Again?"), QString(), Buttons::YesNo, Icon::None, 1}),
              Answer::No);  // unscripted: the default button
    EXPECT_EQ(d.input(QStringLiteral("Type YES"), QStringLiteral("T"), QString()),
              QStringLiteral("YES"));
    EXPECT_EQ(d.input(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("d")), QString());
    EXPECT_EQ(d.input(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(d.fileSave({QStringLiteral("Save"), QStringLiteral("/tmp/a.adi"),
                          QStringLiteral("ADIF Files (*.adi)"), true}),
              QStringLiteral("/tmp/x.adi"));
    try {
        d.fileOpen({});
        ADD_FAILURE() << "no cancel";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kCancel);
    }
    EXPECT_EQ(d.chooseColor(0x123456), 0x123456u);
    ASSERT_EQ(d.shown().size(), 8u);
    EXPECT_EQ(d.shown()[0].title, QStringLiteral("Log"));
    EXPECT_EQ(d.shown()[5].filter, QStringLiteral("ADIF Files (*.adi)"));
    EXPECT_TRUE(d.allAnswersUsed());
}

TEST(QtFileFilterTest, WindowsPairsBecomeQtDescriptions) {
    EXPECT_EQ(qtFileFilter(QStringLiteral("LOG Files (*.log) | *.log")),
              QStringLiteral("LOG Files (*.log)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("Text (*.txt)|*.txt|All (*.*)|*.*")),
              QStringLiteral("Text (*.txt);;All (*.*)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("ADIF Files (*.adi)")),
              QStringLiteral("ADIF Files (*.adi)"));
}

}  // namespace
}  // namespace qf

#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>

namespace qf {
namespace {

TEST(RegistryTest, ValuesLiveUnderApplicationSectionAndKey) {
    QTemporaryDir dir;
    const QString ini = dir.path() + QStringLiteral("/registry.ini");
    Registry r(ini);
    EXPECT_EQ(r.get(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                    QStringLiteral("UserEMail"), QStringLiteral("none")),
              QStringLiteral("none"));
    r.save(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"), QStringLiteral("UserEMail"),
           QStringLiteral("op@example.org"));
    r.save(QStringLiteral("Other"), QStringLiteral("Settings"), QStringLiteral("UserEMail"),
           QStringLiteral("x"));
    // A fresh instance reads what the last one saved.
    EXPECT_EQ(Registry(ini).get(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                                QStringLiteral("UserEMail")),
              QStringLiteral("op@example.org"));
}

// A settings file that cannot be written is an error with the system's reason, never a save
// that only looks done.
TEST(RegistryTest, ASaveThatCannotBeWrittenRaisesTheReason) {
    struct Case {
        const char* what;
        std::function<QString(const QString&)> block;  // makes the file unwritable; its path
        int errnum;
    };
    const Case cases[] = {
        {"a folder where the file would be",
         [](const QString& dir) {
             const QString ini = dir + QStringLiteral("/registry.ini");
             QDir().mkpath(ini);
             return ini;
         },
         EISDIR},
        {"a file where its folder would be",
         [](const QString& dir) {
             QFile f(dir + QStringLiteral("/Quillfen"));
             EXPECT_TRUE(f.open(QIODevice::WriteOnly));
             return dir + QStringLiteral("/Quillfen/registry.ini");
         },
         ENOTDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        Registry r(c.block(dir.path()));
        try {
            r.save(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                   QStringLiteral("UserEMail"), QStringLiteral("op@example.org"));
            ADD_FAILURE() << "the save reported success";
        } catch (const Error& e) {
            EXPECT_EQ(e.text(), QString::fromLocal8Bit(std::strerror(c.errnum)));
        }
    }
}

}  // namespace
}  // namespace qf
