#include "app/Forms.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <QTimer>

namespace qf {
namespace {

class StartupTest : public ::testing::Test {
protected:
    // A working folder as the run command prepares it, on a clock at the stored UTC offset.
    StartupTest() {
        t.installShipped({"QSOpref.txt", "arrlpre2.txt", "states.txt", "cw.txt", "wave2.txt"});
        t.clock().set(QDateTime(QDate(2026, 6, 13), QTime(12, 0, 0)), 0);
    }
    QString company() const { return t.home() + QStringLiteral("/Documents/Ardlow Software"); }

    // Runs the start sequence; `whileLogoShows` runs inside the logo window's modal loop.
    void start(const std::function<void(frmArdlowLogo&)>& whileLogoShows) {
        QTimer::singleShot(0, [&] {
            frmArdlowLogo* logo = t.app().forms().logoSlot().peek();
            ASSERT_NE(logo, nullptr);
            ASSERT_TRUE(logo->isVisible());
            whileLogoShows(*logo);
        });
        t.app().start();
    }
    test::TestApp t;
};

TEST_F(StartupTest, LogoTimelineThenFoldersAndTheSetupWindow) {
    bool secondAt1099 = true, secondAt1100 = false, openAt1899 = false;
    double left = 0, top = 0;
    start([&](frmArdlowLogo& logo) {
        // The Shared folder exists before the logo is seen.
        EXPECT_TRUE(QFileInfo(company() + QStringLiteral("/Shared")).isDir());
        left = logo.Left();
        top = logo.Top();
        t.clock().advance(1099);
        secondAt1099 = logo.Image2->Visible();
        t.clock().advance(1);
        secondAt1100 = logo.Image2->Visible();
        t.clock().advance(799);
        openAt1899 = logo.isVisible();
        t.clock().advance(1);
    });
    EXPECT_FALSE(secondAt1099);
    EXPECT_TRUE(secondAt1100);
    EXPECT_TRUE(openAt1899);
    EXPECT_FALSE(t.app().forms().logoSlot().isLoaded());
    EXPECT_DOUBLE_EQ(left, (28800 - 14355) / 2.0);
    EXPECT_DOUBLE_EQ(top, (16200 - 7920) / 2.0 - 170);

    const StartupValues& sv = t.app().startup();
    EXPECT_EQ(sv.WorkingFolder, t.work());
    EXPECT_EQ(sv.WorkingDrive, QStringLiteral("/"));
    EXPECT_EQ(sv.DataFolder, company() + QStringLiteral("/Rozirazav"));
    EXPECT_EQ(sv.SharedFolder, company() + QStringLiteral("/Shared"));
    EXPECT_EQ(sv.ProgramVersion, QStringLiteral("1.8"));
    EXPECT_TRUE(QFileInfo(sv.DataFolder + QStringLiteral("/BACKUP")).isDir());
    EXPECT_EQ(t.app().sharedPreferences().path(),
              sv.SharedFolder + QStringLiteral("/SharedUserPreferences.xml"));
    EXPECT_EQ(t.app().sharedPreferences().text(), kXmlDeclaration);

    // The setup window is the only window left; the start window is gone.
    ASSERT_TRUE(t.app().forms().stationIDSlot().isLoaded());
    EXPECT_TRUE(t.app().forms().frmStationID().isVisible());
    EXPECT_FALSE(t.app().forms().splashSlot().isLoaded());
    EXPECT_TRUE(t.dialogs().shown().empty());
}

TEST_F(StartupTest, ACustomSplashPictureShowsAloneForLonger) {
    QDir().mkpath(company() + QStringLiteral("/Shared"));
    QImage custom(40, 20, QImage::Format_RGB32);
    custom.fill(Qt::green);
    ASSERT_TRUE(custom.save(company() + QStringLiteral("/Shared/splash.jpg"), "JPG"));
    bool openAt2699 = false, secondEver = false;
    start([&](frmArdlowLogo& logo) {
        EXPECT_EQ(logo.Image1->Picture().size(), QSize(40, 20));
        t.clock().advance(2699);
        openAt2699 = logo.isVisible();
        secondEver = logo.Image2->Visible();
        t.clock().advance(1);
    });
    EXPECT_TRUE(openAt2699);
    EXPECT_FALSE(secondEver);
    EXPECT_FALSE(t.app().forms().logoSlot().isLoaded());
    EXPECT_TRUE(t.app().forms().frmStationID().isVisible());
}

TEST_F(StartupTest, AClickOnTheLogoClosesItAtOnce) {
    start([&](frmArdlowLogo& logo) { QTest::mouseClick(logo.Image1, Qt::LeftButton); });
    EXPECT_EQ(t.clock().tickMs(), 0);
    EXPECT_FALSE(t.app().forms().logoSlot().isLoaded());
    EXPECT_TRUE(t.app().forms().frmStationID().isVisible());
}

TEST_F(StartupTest, AnUnreadableSplashPictureKeepsTheStoredLogo) {
    QDir().mkpath(company() + QStringLiteral("/Shared"));
    t.writeFile(company() + QStringLiteral("/Shared/splash.jpg"), "not a picture");
    bool closedAt1900 = false;
    start([&](frmArdlowLogo& logo) {
        QPointer<frmArdlowLogo> p(&logo);
        t.clock().advance(1900);
        closedAt1900 = !t.app().forms().logoSlot().isLoaded();
    });
    EXPECT_TRUE(closedAt1900);
    EXPECT_TRUE(t.app().forms().frmStationID().isVisible());
}

TEST(StartupFoldersTest, FoldersThatCannotBeCreatedEndTheStartAtOnce) {
    // A fresh home with no documents folder whose configuration folder cannot hold folders.
    test::TestApp t({{28800, 16200}, false});
    t.writeFile(t.home() + QStringLiteral("/.config"), "a file, not a folder");
    t.clock().set(QDateTime(QDate(2026, 6, 13), QTime(12, 0, 0)), 0);
    std::size_t shownBeforeTheEnd = 0;
    t.dialogs().onShown = [&](const ShownDialog&) {
        if (t.ending().ended()) return;
        // The operator reads the first box for longer than the logo shows, and the box's own
        // loop runs the deletes that were left for later meanwhile.
        if (++shownBeforeTheEnd == 1) {
            t.clock().advance(2000);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    };
    t.app().start();

    EXPECT_TRUE(t.ending().ended());
    EXPECT_EQ(t.ending().code(), 1);
    // Only the test's stand-in for the end returns; what it lets run after is not looked at.
    const std::vector<ShownDialog> m = t.dialogs().messages();
    ASSERT_EQ(shownBeforeTheEnd, 2u);
    EXPECT_EQ(m[0].title, QStringLiteral("Unable to create directory."));
    EXPECT_EQ(m[1].title, QStringLiteral("User Access Directory Error"));
    EXPECT_EQ(m[1].icon, Icon::Critical);
    EXPECT_TRUE(m[1].text.contains(t.home() + QStringLiteral("/.config/Ardlow Software")));
    EXPECT_TRUE(QFileInfo(t.home() + QStringLiteral("/.config")).isFile());
    EXPECT_FALSE(t.app().forms().logoSlot().isLoaded());
    EXPECT_FALSE(t.app().forms().stationIDSlot().isLoaded());
}

}  // namespace
}  // namespace qf
