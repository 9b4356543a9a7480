#include "platform/Files.h"

#include "platform/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>

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
        case EFBIG:
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

namespace {

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

QString fileNameOf(const QString& path) { return path.section(QLatin1Char('/'), -1); }

// The file of that name is something we must not read or replace: say what it is.
Error notRegular(const QString& path, mode_t mode) {
    QString kind;
    if (S_ISFIFO(mode)) {
        kind = QStringLiteral("a named pipe (FIFO)");
    } else if (S_ISCHR(mode) || S_ISBLK(mode)) {
        kind = QStringLiteral("a device");
    } else if (S_ISDIR(mode)) {
        kind = QStringLiteral("a folder");
    } else if (S_ISSOCK(mode)) {
        kind = QStringLiteral("a socket");
    } else {
        kind = QStringLiteral("a special file");
    }
    return Error(err::kPathFileAccess,
                 fileNameOf(path) + QStringLiteral(" is ") + kind +
                     QStringLiteral(", not a regular file, so it was not opened."));
}

// Refuses an existing entry (after links) that is not a regular file; true when one exists.
// The message names the file as the program knows it, not the end of a link.
bool checkRegular(const QString& path, const QString& shownAs) {
    struct stat st {};
    if (::stat(encoded(path).constData(), &st) != 0) return false;
    if (!S_ISREG(st.st_mode)) throw notRegular(shownAs, st.st_mode);
    return true;
}

// Writes all of it, short writes included; false with errno set on failure.
bool writeFully(int fd, const char* data, qsizetype size) {
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, static_cast<size_t>(size - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary file beside the target, removed again unless it was given its real name.
struct TemporaryFile {
    QByteArray path;
    int fd = -1;
    bool keep = false;
    ~TemporaryFile() {
        if (fd >= 0) ::close(fd);
        if (!keep && !path.isEmpty()) ::unlink(path.constData());
    }
};

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
    QByteArray data;
    readInto(path, data);
    return data;
}

void Files::readInto(const QString& path, QByteArray& data) const {
    // A bare name that exists as spelled resolves to itself: open it straight away, and search
    // the folder ignoring case only when it is not there.
    QString p;
    QByteArray native;
    struct stat st {};
    const QString n = Files::native(path);
    if (!n.isEmpty() && !n.contains(QLatin1Char('/')) && n != QLatin1String(".") &&
        n != QLatin1String("..")) {
        p = workingFolder_ + QLatin1Char('/') + n;
        native = QFile::encodeName(p);
        if (::stat(native.constData(), &st) != 0) p.clear();
    }
    if (p.isEmpty()) {
        p = resolve(path);
        native = QFile::encodeName(p);
        if (::stat(native.constData(), &st) != 0) st.st_mode = S_IFREG;
    }
    // A FIFO would hold the open until a writer came, and a device is no file of ours.
    if (!S_ISREG(st.st_mode)) throw notRegular(p, st.st_mode);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throwErrno(errno, p);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw notRegular(p, st.st_mode);
    }
    // Read into one buffer of the file's size, the room `data` already has when it is enough; a
    // file that grows meanwhile is read to its end.
    data.resize(static_cast<qsizetype>(st.st_size) + 1);
    qsizetype used = 0;
    for (;;) {
        if (used == data.size()) data.resize(data.size() * 2 + 65536);
        const ssize_t got = ::read(fd, data.data() + used, static_cast<size_t>(data.size() - used));
        if (got < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            throwErrno(e, p);
        }
        if (got == 0) break;
        used += got;
    }
    ::close(fd);
    data.truncate(used);  // keeps the room for the next read
}

void Files::checkFault(Op op, Step step, const QString& path) const {
    if (step == Step::Start && fault_) fault_(op, path);
    if (stepFault_) stepFault_(op, step, path);
}


void Files::createFolder(const QString& path) {
    const QString p = resolve(path);
    checkFault(Op::CreateFolder, Step::Start, p);
    if (::mkdir(encoded(p).constData(), 0777) != 0) throwErrno(errno, p);
}

void Files::syncFile(Op op, int fd, const QString& path) {
    // The seam stands where the sync does: a write that skipped the sync would skip it too.
    checkFault(op, Step::Sync, path);
    if (::fsync(fd) != 0) throwErrno(errno, path);
}

void Files::renameOver(Op op, const QByteArray& from, const QString& target) {
    checkFault(op, Step::Rename, target);
    if (::rename(from.constData(), encoded(target).constData()) != 0) throwErrno(errno, target);
}

void Files::syncFolder(Op op, const QString& path) {
    checkFault(op, Step::FolderSync, path);
    const QString folder = QFileInfo(path).absolutePath();
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throwErrno(errno, folder);
    // Some file systems cannot sync a folder at all; that is no failure of ours.
    if (::fsync(fd) != 0 && errno != EINVAL) {
        const int e = errno;
        ::close(fd);
        throwErrno(e, folder);
    }
    ::close(fd);
}

QString Files::writeTemporary(Op op, const QString& target, const QByteArray& data) {
    const QFileInfo fi(target);
    QByteArray pattern =
        encoded(fi.absolutePath() + QStringLiteral("/.") + fi.fileName() + QStringLiteral(".XXXXXX"));
    TemporaryFile tmp;
    tmp.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (tmp.fd < 0) throwErrno(errno, target);
    tmp.path = pattern;
    // The new file gets the old one's permissions, or those of any new file.
    struct stat st {};
    const mode_t mode = ::stat(encoded(target).constData(), &st) == 0 ? (st.st_mode & 07777)
                                                                       : newFileMode();
    ::fchmod(tmp.fd, mode);
    const qsizetype half = data.size() / 2;
    if (!writeFully(tmp.fd, data.constData(), half)) throwErrno(errno, target);
    checkFault(op, Step::PartialWrite, target);
    if (!writeFully(tmp.fd, data.constData() + half, data.size() - half)) throwErrno(errno, target);
    checkFault(op, Step::Flush, target);
    syncFile(op, tmp.fd, target);
    const int fd = tmp.fd;
    tmp.fd = -1;
    if (::close(fd) != 0) throwErrno(errno, target);
    tmp.keep = true;
    return QFile::decodeName(tmp.path);
}

void Files::writeWhole(Op op, const QString& resolvedPath, const QByteArray& data) {
    // A link is followed, so the link stays and the file it names is replaced.
    QString target = resolvedPath;
    const QFileInfo link(resolvedPath);
    if (link.isSymLink()) target = link.symLinkTarget();
    checkRegular(target, resolvedPath);
    TemporaryFile tmp;
    tmp.path = encoded(writeTemporary(op, target, data));
    renameOver(op, tmp.path, target);
    tmp.keep = true;
    syncFolder(op, target);
}

void Files::copyReplace(const QString& from, const QString& to) {
    const QByteArray data = readAll(from);
    const QString dest = resolve(to);
    checkFault(Op::Copy, Step::Start, dest);
    writeWhole(Op::Copy, dest, data);
}

QString Files::copyToNewName(const QString& from, const QString& folder, const QString& stem,
                             const QString& ext) {
    const QByteArray data = readAll(from);
    const QString dir = resolve(folder);
    const QString first = dir + QLatin1Char('/') + stem + ext;
    checkFault(Op::Copy, Step::Start, first);
    TemporaryFile tmp;
    tmp.path = encoded(writeTemporary(Op::Copy, first, data));
    checkFault(Op::Copy, Step::Rename, first);
    // A hard link takes a name only while it is free, so no earlier copy is ever replaced.
    for (int n = 1; n < 100000; ++n) {
        const QString name = n == 1 ? stem + ext : stem + QStringLiteral("-%1").arg(n) + ext;
        if (!matchEntry(dir, name).isEmpty()) continue;  // taken, in any spelling
        const QString path = dir + QLatin1Char('/') + name;
        if (::link(tmp.path.constData(), encoded(path).constData()) == 0) {
            syncFolder(Op::Copy, path);
            return path;
        }
        if (errno != EEXIST) throwErrno(errno, path);
    }
    throw Error(err::kPathFileAccess, QStringLiteral("No free name for the copy in ") + dir);
}

void Files::rewriteAtomic(const QString& path, const QByteArray& data) {
    const QString p = resolve(path);
    checkFault(Op::Rewrite, Step::Start, p);
    writeWhole(Op::Rewrite, p, data);
}

void Files::appendDurable(const QString& path, const QByteArray& data) {
    const QString p = resolve(path);
    checkFault(Op::Append, Step::Start, p);
    const bool existed = checkRegular(p, p);
    // Non-blocking, so that something swapped in for the file cannot hold the open.
    const int fd = ::open(encoded(p).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) throwErrno(errno, p);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw notRegular(p, st.st_mode);
    }
    const off_t before = ::lseek(fd, 0, SEEK_END);
    try {
        const qsizetype half = data.size() / 2;
        if (!writeFully(fd, data.constData(), half)) throwErrno(errno, p);
        checkFault(Op::Append, Step::PartialWrite, p);
        if (!writeFully(fd, data.constData() + half, data.size() - half)) throwErrno(errno, p);
        checkFault(Op::Append, Step::Flush, p);
        syncFile(Op::Append, fd, p);
    } catch (...) {
        // Take the partial record back off, so the file never ends in half a line.
        if (before >= 0 && ::ftruncate(fd, before) == 0) ::fsync(fd);
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0) throwErrno(errno, p);
    if (!existed) syncFolder(Op::Append, p);
}

void Files::remove(const QString& path) {
    const QString p = resolve(path);
    checkFault(Op::Rewrite, Step::Start, p);
    if (::unlink(encoded(p).constData()) != 0 && errno != ENOENT) throwErrno(errno, p);
}

}  // namespace qf
