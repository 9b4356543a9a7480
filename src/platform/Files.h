// Files: every file and folder the program touches goes through here.
//
// - A bare name ("log.txt") lives in the working folder; paths from the Windows-minded code
//   ("\BACKUP\", "c:\x") are turned into native paths here and nowhere else.
// - Names are matched ignoring case inside their folder: an existing entry of any case is used,
//   a new file named bare gets the lower-case spelling. So "Log.txt" and "log.txt" are one file.
// - Whole-file writes go to a temporary file in the same folder: every write is checked, the file
//   is synced, renamed over the old one, and the folder is synced. Success means every byte is on
//   the disk; on any failure the old file stays byte for byte. Appends are synced before they
//   return, and a failed one takes its partial bytes back off. Every failure raises qf::Error
//   with a number and the system's reason.
// - Only regular files are opened (a link to one is followed): a FIFO, a device or a folder of
//   the name is refused at once with the reason, so nothing waits on it or replaces it.
// - A fault seam lets tests make any write fail as a full or read-only disk would (tests run as
//   root, where a read-only file does not stop a write), also part-way: after part of the bytes
//   went out, when the last bytes are handed over, at the sync, or before the rename.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace qf {

class Files {
public:
    enum class Op { CreateFolder, Rewrite, Append, Copy };
    // The points of a write where the seam can make it fail. Start comes before anything is
    // touched; PartialWrite after the first part of the bytes is written; Flush once all of them
    // are handed over; Sync in place of the file's sync; Rename just before the temporary file
    // takes the real name; FolderSync in place of the folder's sync after the rename.
    enum class Step { Start, PartialWrite, Flush, Sync, Rename, FolderSync };
    // Throws an Error to make the operation fail before it touches the disk.
    using Fault = std::function<void(Op op, const QString& path)>;
    // Throws an Error to make the operation fail at that step.
    using StepFault = std::function<void(Op op, Step step, const QString& path)>;

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
    // The same into `into`, reusing its room: a file read again and again (the log at every
    // reload) costs no fresh file-sized buffer each time. `into` keeps the room it grew to.
    void readInto(const QString& path, QByteArray& into) const;
    void createFolder(const QString& path);  // one level; the parent must exist
    void copyReplace(const QString& from, const QString& to);
    // Copies a file into the folder under stem + ext, or stem-2 + ext, stem-3 + ext, ... when the
    // name is taken: never over another file. Returns the full path of the copy.
    QString copyToNewName(const QString& from, const QString& folder, const QString& stem,
                          const QString& ext);
    void rewriteAtomic(const QString& path, const QByteArray& data);
    void appendDurable(const QString& path, const QByteArray& data);
    void remove(const QString& path);

    void setFault(Fault fault) { fault_ = std::move(fault); }
    void setStepFault(StepFault fault) { stepFault_ = std::move(fault); }

private:
    void checkFault(Op op, Step step, const QString& path) const;
    // Writes the data to a new temporary file in the folder of `target` and syncs it; returns
    // its path. Removes it again on failure.
    QString writeTemporary(Op op, const QString& target, const QByteArray& data);
    void syncFile(Op op, int fd, const QString& path);
    void renameOver(Op op, const QByteArray& from, const QString& target);
    void syncFolder(Op op, const QString& path);
    void writeWhole(Op op, const QString& resolvedPath, const QByteArray& data);
    QString workingFolder_;
    Fault fault_;
    StepFault stepFault_;
};

// An Error from the C library's errno, with the system's text.
[[noreturn]] void throwErrno(int errnum, const QString& path);

}  // namespace qf
