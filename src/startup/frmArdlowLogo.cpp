#include "startup/frmArdlowLogo.h"

#include "app/App.h"
#include "common/ScreenScaling.h"
#include "platform/Files.h"
#include "startup/LogoArt.h"
#include "startup/SharedPreferences.h"
#include "startup/StartupValues.h"

namespace qf {

frmArdlowLogo::frmArdlowLogo(App& app)
    : Form(app.platform(), QStringLiteral("frmArdlowLogo"), Border::None), app_(app) {
    setBackColor(0x00000000);
    Move(0, 0, 14355, 7920);

    Image1 = add<Image>(QStringLiteral("Image1"));
    Image1->Move(-480, -240, 15060, 8505);
    Image1->setPicture(drawLogoPicture(QSize(toPixels(15060), toPixels(8505))));
    Image1->Click = [this] { Image1_Click(); };

    Image2 = add<Image>(QStringLiteral("Image2"));
    Image2->Move(9000, 6120, 4740, 1275);
    Image2->setPicture(drawLogoBanner(QSize(toPixels(4740), toPixels(1275))));
    Image2->setVisible(false);

    Timer1 = add<qf::Timer>(QStringLiteral("Timer1"), 1900);
    Timer1->Tick = [this] { Timer1_Timer(); };
    Timer2 = add<qf::Timer>(QStringLiteral("Timer2"), 1100);
    Timer2->Tick = [this] { Timer2_Timer(); };
}

void frmArdlowLogo::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
    // The first folder lookup of the run: its messages come before the logo is seen.
    const QString company = GetUserDataFolder(kCompanyFolder, kSharedSubFolder, platform());
    const QString splash = company + QStringLiteral("/Shared/splash.jpg");
    if (!platform().files.fileExists(splash)) return;
    QPixmap custom;
    // A picture that does not load leaves the stored logo and its usual timing.
    if (!custom.load(platform().files.resolve(splash))) return;
    Image1->setPicture(custom);
    Timer1->setEnabled(false);
    Timer1->setInterval(2700);
    Timer1->setEnabled(true);
    Timer2->setEnabled(false);
}

void frmArdlowLogo::Image1_Click() { Unload(); }

void frmArdlowLogo::Timer1_Timer() { Unload(); }

void frmArdlowLogo::Timer2_Timer() { Image2->setVisible(true); }

}  // namespace qf
