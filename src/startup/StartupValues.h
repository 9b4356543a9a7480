// The values the start sequence sets once and every later part of the program reads.
#pragma once

#include <QString>

namespace qf {

struct StartupValues {
    QString WorkingFolder;   // the current folder at start: home of every bare file name
    QString WorkingDrive;    // its first character
    QString DataFolder;      // <company folder>/Rozirazav: backups, archives, export defaults
    QString SharedFolder;    // <company folder>/Shared: shared preferences, splash picture
    QString ProgramVersion;  // written into the ADIF and Cabrillo headers
};

inline const QString kCompanyFolder = QStringLiteral("\\Ardlow Software");
inline const QString kDataSubFolder = QStringLiteral("\\Rozirazav");
inline const QString kSharedSubFolder = QStringLiteral("\\Shared");
inline const QString kProgramVersion = QStringLiteral("1.8");

}  // namespace qf
