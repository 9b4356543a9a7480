#include "platform/Files.h"

#include "platform/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qf {

namespace {

int numberForErrno(int e) {
    switch (e) {
        case ENOENT: return err::kFileNotFound;
        case ENOTDIR: return err::kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS: return err::kPermissionDenied;
        case ENOSPC:
        case EDQUOT: return err::kDiskFull;
        default: return err::kPathFileAccess;
    }
}

// The entry of `folder` whose name equals `name` ignoring case: the exact spelling first.
QString matchEntry(const QString& folder, const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return name;
    const QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    if (QFileInfo::exists(dir.filePath(name))) return name;
    const auto entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0) return e;
    }
    return {};
}

}  // namespace

void throwErrno(int errnum, const QString& path) {
    Q_UNUSED(path);
    throw Error(numberForErrno(errnum), QString::fromLocal8Bit(std::strerror(errnum)));
}

Files::Files(QString workingFolder) : workingFolder_(QDir::cleanPath(std::move(workingFolder))) {}

QString Files::native(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.size() >= 2 && p[1] == QLatin1Char(':') && p[0].isLetter()) p = p.mid(2);
    return p;
}

QString Files::resolve(const QString& name) const {
    const QString n = native(name);
    const bool bare = !n.contains(QLatin1Char('/'));
    const QString full = QDir::isAbsolutePath(n) ? n : workingFolder_ + QLatin1Char('/') + n;
    const QStringList parts = QDir::cleanPath(full).split(QLatin1Char('/'));
    QString out;  // parts[0] is empty for an absolute path
    bool missing = false;
    for (int i = 1; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString found = missing ? QString() : matchEntry(out, part);
        if (found.isEmpty()) {
            missing = true;
            // A new file named bare is created lower-case, so later spellings all find it.
            found = (bare && i == parts.size() - 1) ? part.toLower() : part;
        }
        out += QLatin1Char('/') + found;
    }
    return out.isEmpty() ? QStringLiteral("/") : out;
}

bool Files::fileExists(const QString& path) const {
    const QFileInfo fi(resolve(path));
    return fi.exists() && fi.isFile() && !fi.isHidden();
}

bool Files::folderExists(const QString& path) const {
    const QFileInfo fi(resolve(path));
    return fi.exists() && fi.isDir();
}

bool Files::entryExists(const QString& path) const { return QFileInfo::exists(resolve(path)); }

qint64 Files::length(const QString& path) const {
    const QFileInfo fi(resolve(path));
    if (!fi.exists()) throw Error(err::kFileNotFound, QStringLiteral("File not found"));
    return fi.size();
}

QByteArray Files::readAll(const QString& path) const {
    const QString p = resolve(path);
    const int fd = ::open(p.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throwErrno(errno, p);
    QByteArray data;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            throwErrno(e, p);
        }
        if (n == 0) break;
        data.append(buf, static_cast<qsizetype>(n));
    }
    ::close(fd);
    return data;
}

void Files::checkFault(Op op, const QString& path) const {
    if (fault_) fault_(op, path);
}

void Files::createFolder(const QString& path) {
    const QString p = resolve(path);
    checkFault(Op::CreateFolder, p);
    if (::mkdir(p.toLocal8Bit().constData(), 0777) != 0) throwErrno(errno, p);
}

void Files::copyReplace(const QString& from, const QString& to) {
    const QByteArray data = readAll(from);
    const QString dest = resolve(to);
    checkFault(Op::Copy, dest);
    rewriteAtomic(dest, data);
}

void Files::rewriteAtomic(const QString& path, const QByteArray& data) {
    const QString p = resolve(path);
    checkFault(Op::Rewrite, p);
    QSaveFile f(p);
    if (!f.open(QIODevice::WriteOnly)) {
        throw Error(err::kPathFileAccess, f.errorString());
    }
    if (f.write(data) != data.size()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        throw Error(err::kPathFileAccess, reason);
    }
    // commit() flushes and syncs the temporary file, then renames it over the old one.
    if (!f.commit()) throw Error(err::kPathFileAccess, f.errorString());
}

void Files::appendDurable(const QString& path, const QByteArray& data) {
    const QString p = resolve(path);
    checkFault(Op::Append, p);
    const int fd = ::open(p.toLocal8Bit().constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
                          0666);
    if (fd < 0) throwErrno(errno, p);
    const off_t before = ::lseek(fd, 0, SEEK_END);
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, static_cast<size_t>(data.size() - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            // Take a partial record back off, so the file never ends in half a line.
            if (before >= 0) {
                const int rc = ::ftruncate(fd, before);
                Q_UNUSED(rc);
            }
            ::close(fd);
            throwErrno(e, p);
        }
        done += n;
    }
    if (::fsync(fd) != 0) {
        const int e = errno;
        ::close(fd);
        throwErrno(e, p);
    }
    if (::close(fd) != 0) throwErrno(errno, p);
}

void Files::remove(const QString& path) {
    const QString p = resolve(path);
    checkFault(Op::Rewrite, p);
    if (::unlink(p.toLocal8Bit().constData()) != 0 && errno != ENOENT) throwErrno(errno, p);
}

}  // namespace qf
