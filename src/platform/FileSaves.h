// Telling the operator that a file was not written. A settings window that closed without a
// word would lose its settings at the next start with nobody the wiser, so every failed save
// says so once, in the program's one box for it, naming the file and the system's reason.
#pragma once

#include <QByteArray>
#include <QString>

namespace qf {

struct Platform;

// The program's one box for a file that was not written, whoever met the failure: a beep, then
// the box titled "Unable to write file." with the exclamation icon. Its text is what was not
// written and the reason after it (the reason alone when `what` is empty), then what follows
// from it when there is something to say.
void ShowUnableToWriteFile(Platform& platform, const QString& what, const QString& reason,
                           const QString& consequence = {});

// What that box says of a file named by its path: "<path> could not be written".
QString CouldNotBeWritten(const QString& path);

// Writes a settings file whole (a bare name lives in the working folder). When it cannot, the
// old file stays as it was, the operator is told, and false comes back: the settings are still
// in the window and in effect until the program ends.
bool SaveSettingsFile(Platform& platform, const QString& name, const QByteArray& data);

}  // namespace qf
