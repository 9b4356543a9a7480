// A settings window's Done whose file cannot be written (a full disk, through the files
// service's seam) tells the operator once, naming the file; the old file stays whole and the
// window keeps what the operator set. The station windows that keep settings files of their own:
// the CW keyer, the WinKey, the voice keyer, the rig and the spotting window.
#include "app/Forms.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "keying/frmWinKey.h"
#include "logging/LoggingFixture.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "rig/RigControlfrm.h"
#include "spots/PacketSpotfrm.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <functional>

namespace qf::test {
namespace {

class SettingsSavesTest : public LoggingFixture {};

TEST_F(SettingsSavesTest, AFailedSaveSaysSoOnceNamingTheFileAndKeepsTheOldOne) {
    const struct {
        const char* file;  // in the working folder, or the data folder for the WinKey
        bool dataFolder;
        std::function<void(App&)> change;  // what the operator set before Done
        std::function<void(App&)> done;
        std::function<bool(App&)> kept;  // the change is still in effect
        std::function<Form&(App&)> window;
    } cases[] = {
        {"RigCntrl.txt", false,
         [](App& a) { a.forms().RigControlfrm().optComm[3]->setValue(true); },
         [](App& a) { a.forms().RigControlfrm().cmdDone_Click(); },
         [](App& a) { return a.forms().RigControlfrm().optComm[3]->Value(); },
         [](App& a) -> Form& { return a.forms().RigControlfrm(); }},
        {"cw.txt", false, [](App& a) { a.forms().CWFrm().Text2->setText(QStringLiteral("TU 73")); },
         [](App& a) { a.forms().CWFrm().Command1->Press(); },
         [](App& a) { return a.forms().CWFrm().Text2->Text() == QLatin1String("TU 73"); },
         [](App& a) -> Form& { return a.forms().CWFrm(); }},
        {"WK.txt", true,
         [](App& a) { a.forms().frmWinKey().txtWeight->setText(QStringLiteral("60")); },
         [](App& a) { a.forms().frmWinKey().cmdDone_Click(); },
         [](App& a) { return a.forms().frmWinKey().txtWeight->Text() == QLatin1String("60"); },
         [](App& a) -> Form& { return a.forms().frmWinKey(); }},
        {"wave2.txt", false,
         [](App& a) { a.forms().PhoneFrm().Text1->setText(QStringLiteral("/waves/cq.wav")); },
         [](App& a) { a.forms().PhoneFrm().Command1_Click(); },
         [](App& a) {
             return a.forms().PhoneFrm().Text1->Text() == QLatin1String("/waves/cq.wav");
         },
         [](App& a) -> Form& { return a.forms().PhoneFrm(); }},
        {"PackSpot.txt", false,
         [](App& a) { a.forms().PacketSpotfrm().optComm[3]->setValue(true); },
         [](App& a) { a.forms().PacketSpotfrm().cmdDone_Click(); },
         [](App& a) { return a.forms().PacketSpotfrm().optComm[3]->Value(); },
         [](App& a) -> Form& { return a.forms().PacketSpotfrm(); }},
    };
    writeLog({});
    openOut();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString name = QString::fromLatin1(c.file);
        const QString path =
            c.dataFolder ? t.app().startup().DataFolder + QLatin1Char('/') + name : t.path(name);
        const QByteArray old("\"old settings\"\r\n");
        t.writeFile(path, old);
        App& a = t.app();
        c.change(a);
        c.window(a).Show();
        t.dialogs().clearShown();
        const int beeps = t.beeper().count();
        t.files().setFault([name](Files::Op op, const QString& p) {
            if (op == Files::Op::Rewrite && p.endsWith(name, Qt::CaseInsensitive))
                throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
        });
        c.done(a);
        t.files().setFault({});

        const auto boxes = t.dialogs().messages();
        EXPECT_EQ(boxes.size(), 1u);
        if (boxes.empty()) continue;
        EXPECT_EQ(boxes[0].title, QStringLiteral("Unable to write file."));
        EXPECT_TRUE(boxes[0].text.contains(name, Qt::CaseInsensitive)) << qPrintable(boxes[0].text);
        EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("No space left on device")));
        EXPECT_EQ(t.beeper().count() - beeps, 1);
        EXPECT_EQ(t.readFile(path), old);
        EXPECT_TRUE(c.kept(a));
        EXPECT_TRUE(c.window(a).isHidden());
    }
}

// The CW window also keeps its timing method in the program's own settings file. When that file
// cannot be written (a folder stands where it would be), Done says so once, naming it, and the
// CW settings file is written all the same.
TEST_F(SettingsSavesTest, AnUnwritableOwnSettingsFileIsToldOnce) {
    writeLog({});
    openOut();
    const QString settings = t.app().platform().registry.path();
    ASSERT_TRUE(QDir().mkpath(settings));
    CWFrm& cw = t.app().forms().CWFrm();
    cw.Text2->setText(QStringLiteral("TU 73"));
    cw.Show();
    t.dialogs().clearShown();
    const int beeps = t.beeper().count();
    cw.Command1->Press();
    const auto boxes = t.dialogs().messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(boxes[0].text.startsWith(settings + QStringLiteral(" could not be written: ") +
                                         QString::fromLocal8Bit(std::strerror(EISDIR))))
        << qPrintable(boxes[0].text);
    EXPECT_EQ(t.beeper().count() - beeps, 1);
    EXPECT_TRUE(t.readFile(QStringLiteral("cw.txt")).contains("TU 73"));
    EXPECT_TRUE(cw.isHidden());
}

}  // namespace
}  // namespace qf::test
