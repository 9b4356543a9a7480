// Telling the operator that a file was not written. A settings window that closed without a
// word would lose its settings at the next start with nobody the wiser, so every failed save
// says so once, in the program's one box for it, naming the file and the system's reason.
#pragma once

#include <QByteArray>
#include <QString>

namespace qf {

struct Platform;

// A beep, then the box titled "Unable to write file.": the file, the reason, and what follows
// from it when there is something to say.
void ReportUnwrittenFile(Platform& platform, const QString& path, const QString& reason,
                         const QString& consequence = {});

// Writes a settings file whole (a bare name lives in the working folder). When it cannot, the
// old file stays as it was, the operator is told, and false comes back: the settings are still
// in the window and in effect until the program ends.
bool SaveSettingsFile(Platform& platform, const QString& name, const QByteArray& data);

}  // namespace qf
