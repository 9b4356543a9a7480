#include "startup/frmSplash.h"

#include "app/App.h"
#include "app/Forms.h"
#include "platform/Files.h"
#include "startup/SharedPreferences.h"
#include "startup/StartupValues.h"
#include "startup/frmArdlowLogo.h"
#include "startup/frmStationID.h"

namespace qf {

frmSplash::frmSplash(App& app)
    : Form(app.platform(), QStringLiteral("frmSplash"), Border::None), app_(app) {}

void frmSplash::Form_Load() {
    StartupValues& sv = app_.startup();
    Platform& p = app_.platform();

    sv.WorkingFolder = p.files.workingFolder();
    sv.WorkingDrive = sv.WorkingFolder.left(1);

    app_.forms().frmArdlowLogo().ShowModal();

    GetUserDataFolder(kCompanyFolder, kDataSubFolder, p);
    const QString company = GetUserDataFolder(kCompanyFolder, kSharedSubFolder, p);
    sv.SharedFolder = company + Files::native(kSharedSubFolder);
    sv.DataFolder = company + Files::native(kDataSubFolder);

    app_.sharedPreferences().LoadSharedPreferences(sv.SharedFolder +
                                                   QStringLiteral("/SharedUserPreferences.xml"));
    CreateFolder(sv.DataFolder + QStringLiteral("/BACKUP"), 0, p);
    sv.ProgramVersion = kProgramVersion;

    app_.forms().frmStationID().Show();
    Unload();
}

}  // namespace qf
