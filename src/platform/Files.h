// Files: every file and folder the program touches goes through here.
//
// - A bare name ("log.txt") lives in the working folder; paths from the Windows-minded code
//   ("\BACKUP\", "c:\x") are turned into native paths here and nowhere else.
// - Names are matched ignoring case inside their folder: an existing entry of any case is used,
//   a new file named bare gets the lower-case spelling. So "Log.txt" and "log.txt" are one file.
// - Whole-file writes are atomic (temporary file, then rename); appends are flushed to the disk
//   before they return. Every failure raises qf::Error with a number and the system's reason.
// - A fault seam lets tests make any write fail as a full or read-only disk would; tests run as
//   root, where a read-only file does not stop a write.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace qf {

class Files {
public:
    enum class Op { CreateFolder, Rewrite, Append, Copy };
    // Throws an Error to make the operation fail before it touches the disk.
    using Fault = std::function<void(Op op, const QString& path)>;

    explicit Files(QString workingFolder);

    const QString& workingFolder() const { return workingFolder_; }

    // Backslashes become slashes and a drive letter is dropped; nothing else changes.
    static QString native(const QString& path);
    // The full native path of a name: bare names in the working folder; each component
    // matched ignoring case against what exists.
    QString resolve(const QString& name) const;

    // Ordinary, non-hidden file / folder found under the path (name matched ignoring case).
    bool fileExists(const QString& path) const;
    bool folderExists(const QString& path) const;
    // Anything of that name (a file or a folder) found under the path.
    bool entryExists(const QString& path) const;
    qint64 length(const QString& path) const;

    QByteArray readAll(const QString& path) const;
    void createFolder(const QString& path);  // one level; the parent must exist
    void copyReplace(const QString& from, const QString& to);
    void rewriteAtomic(const QString& path, const QByteArray& data);
    void appendDurable(const QString& path, const QByteArray& data);
    void remove(const QString& path);

    void setFault(Fault fault) { fault_ = std::move(fault); }

private:
    void checkFault(Op op, const QString& path) const;
    QString workingFolder_;
    Fault fault_;
};

// An Error from the C library's errno, with the system's text.
[[noreturn]] void throwErrno(int errnum, const QString& path);

}  // namespace qf
