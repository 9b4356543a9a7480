// The user folders and the preferences file shared with the company's other programs.
//
// "SharedUserPreferences.xml" is a flat list of upper-case elements, one per line, that this
// program only sets and rewrites: it never reads a value back. The file is kept as bytes, so
// another program's lines and bytes come back exactly; the values this program sets are
// escaped (&, <, >) and written in the encoding the file's declaration names (UTF-8 when it
// names none, as in the files this program creates), with a character reference for a
// character that encoding cannot hold.
#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QString>

namespace qf {

inline const QString kXmlDeclaration =
    QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");

class SharedPreferences {
public:
    explicit SharedPreferences(Platform& platform) : platform_(platform) {}

    // Reads the whole file less its final line break; a missing, empty or unreadable file
    // starts from the declaration line alone.
    void LoadSharedPreferences(const QString& path);
    // Writes the text and a final CR LF, replacing the file atomically. Throws on failure.
    void SaveSharedPreferences(const QString& path);
    // Upper-cases the caller's name in place; sets the first element of that name that closes on
    // its own line, or appends one; saves when save is 1. A save failure passes to the caller.
    void SetSharedPreference(QString& name, const QString& value, quint8 save);

    const QByteArray& text() const { return text_; }
    const QString& path() const { return path_; }

private:
    Platform& platform_;
    QByteArray text_;
    QString path_;
};

// The company folder (full path, no trailing slash) under the user's documents folder; creates
// the company folder and the sub-folder when missing. Never throws. With neither HOME nor
// USERPROFILE set it creates nothing and ends the program after saying why; a folder it cannot
// create ends the program the same way.
QString GetUserDataFolder(const QString& companyFolder, const QString& subFolder,
                          Platform& platform);

// Creates one folder (the parent must exist) unless something of that name is there. With
// reportFailure 1 a failure is shown in a message box. Never throws.
void CreateFolder(const QString& path, quint8 reportFailure, Platform& platform);

// The leading run of digits and capital letters of a call sign, or "YourCall".
QString FileNameCall(const QString& call);

}  // namespace qf
