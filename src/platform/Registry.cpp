#include "platform/Registry.h"

#include "platform/Error.h"
#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace qf {

namespace {

// QSettings says only that the file could not be written; opening it the way a writer would
// gives the system's reason to show.
[[noreturn]] void throwUnwritable(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) throwErrno(EISDIR, path);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) throwErrno(QFileInfo::exists(folder) ? ENOTDIR : ENOENT, path);
    const bool existed = info.exists();
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0) throwErrno(errno, path);
    ::close(fd);
    if (!existed) ::unlink(QFile::encodeName(path).constData());
    throw Error(err::kPathFileAccess, QStringLiteral("Path/File access error"));
}

}  // namespace

Registry::Registry(QString iniPath) : path_(std::move(iniPath)) {
    if (path_.isEmpty()) {
        path_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/Quillfen/registry.ini");
    }
}

QString Registry::get(const QString& app, const QString& section, const QString& key,
                      const QString& defaultValue) const {
    QSettings s(path_, QSettings::IniFormat);
    return s.value(app + QLatin1Char('/') + section + QLatin1Char('/') + key, defaultValue)
        .toString();
}

void Registry::save(const QString& app, const QString& section, const QString& key,
                    const QString& value) {
    QSettings s(path_, QSettings::IniFormat);
    s.setValue(app + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
    s.sync();
    if (s.status() != QSettings::NoError) throwUnwritable(path_);
}

}  // namespace qf
