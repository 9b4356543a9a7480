#include "platform/FileSaves.h"

#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/System.h"

namespace qf {

void ShowUnableToWriteFile(Platform& platform, const QString& what, const QString& reason,
                           const QString& consequence) {
    QString text = what.isEmpty()     ? reason
                   : reason.isEmpty() ? what
                                      : what + QStringLiteral(": ") + reason;
    if (!consequence.isEmpty()) text += QStringLiteral("\r\n\r\n") + consequence;
    platform.beeper.beep();
    platform.dialogs.ok(text, QStringLiteral("Unable to write file."), Icon::Exclamation);
}

QString CouldNotBeWritten(const QString& path) {
    return path + QStringLiteral(" could not be written");
}

bool SaveSettingsFile(Platform& platform, const QString& name, const QByteArray& data) {
    QString path = name;
    try {
        path = platform.files.resolve(name);
        platform.files.rewriteAtomic(path, data);
        return true;
    } catch (const Error& e) {
        ShowUnableToWriteFile(platform, CouldNotBeWritten(path), e.text(),
                            QStringLiteral("The settings stay in effect until the program ends."));
        return false;
    }
}

}  // namespace qf
