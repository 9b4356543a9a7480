// Room src/logstore/: storage of the contest: the log file and its BACKUP copies, tallies, tables,
// ADIF. Takes what it needs as arguments from app/ and the windows; never includes either.
//
// The log store: "log.txt" in the working folder, one record per contact, kept in step with
// QSOLog. A new contact is appended and synced at once; an edit or a delete rewrites the whole
// file atomically; a new log empties it; dated copies go to BACKUP. It asks nothing and shows
// nothing: every operation returns what failed and why (StoreResult), and the logging window that
// called it tells the operator (logging/StoreMessages.h); copying and restoring throw the
// program's Error, which the caller shows. The questions, the operating time and the settings
// file belong to the windows too.
//
// A write that fails is never passed off as success: the change stays in memory, the log is
// marked unsaved, and the next write rewrites the whole file. While the log is unsaved the file
// is never read over it: a reload first tries to write it, and when that fails the log in memory
// is kept as it is.
//
// The file is read one record per line (LogFileFormat.h). A line that is not one whole record (a
// lost quote, too few or too many values) is left out alone, and the load returns its number; the
// file is copied into BACKUP before it is rewritten without it. No BACKUP copy ever replaces
// another.
#pragma once

#include "logstore/LogFileFormat.h"
#include "logstore/QsoLog.h"
#include "platform/Platform.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace qf {

struct StartupValues;
struct Tallies;

inline const QString kLogFile = QStringLiteral("log.txt");

// A load that left damaged lines out of the log, and what was done about the file.
struct LogDamage {
    QList<int> lines;        // the damaged line numbers, 1-based
    bool cutShort = false;   // the only damaged line is the last one, cut short
    int loaded = 0;          // the whole contacts loaded
    QString copy;            // the BACKUP copy of the file as it was, or empty when none was made
    QString copyError;       // why no copy was made
    bool rewritten = false;  // log.txt now holds the loaded contacts
    QString rewriteError;    // why it could not be rewritten (after a copy was made)
};

// What a store operation gives back: done, or what failed and why.
struct StoreResult {
    enum class Failure {
        None,
        NoLog,         // the log cannot be read: the program cannot go on with it
        NotAppended,   // the contact was not written; the log is kept in memory
        NotRewritten,  // log.txt could not be rewritten; the log is kept in memory
        NoSuchRow,     // a delete of a row the log does not hold: nothing happened
        UnsavedKept,   // a new log: the contacts held only in memory could not be written
        NotCopied,     // a new log: the log could not be copied into BACKUP
        NotEmptied,    // a new log: log.txt could not be emptied
    };
    Failure failure = Failure::None;
    QString why;   // the reason, in the system's words or naming what is wrong with the file
    int kept = 0;  // the contacts kept in memory, after a failed write
    // A load that went ahead without damaged lines: the operator is told once per damage.
    std::optional<LogDamage> damage;

    bool ok() const { return failure == Failure::None; }
    explicit operator bool() const { return ok(); }
};

class LogStore {
public:
    LogStore(Platform& platform, const StartupValues& folders, QSOLog& log, Tallies& tallies);

    // Resets the counts and reads "log.txt". NoLog for a file that cannot be read at all (the
    // caller ends the program); a last record cut short is repaired (see the .cpp).
    StoreResult LoadLog();
    // Appends row QSOCount (or rewrites the whole file while the log is unsaved).
    StoreResult AppendRecord();
    // Writes rows 1 to QSOCount as the whole file.
    StoreResult RewriteLog();
    // Removes one row (1 to QSOCount) and rewrites; NoSuchRow for a row outside that range.
    StoreResult DeleteRecord(int index);
    // Backs up a non-empty log, empties it and reloads. The caller has had the operator confirm
    // it; a failure changes nothing.
    StoreResult NewLog();
    // Copies "log.txt" into BACKUP when the count changed since the first load; a failure is
    // ignored.
    void BackupLog();
    // Copies "log.txt" into BACKUP as stem + ".log" (or stem-2.log, ... when taken); the full
    // path of the copy. Throws on failure.
    QString CopyLogToBackup(const QString& stem);
    // Replaces "log.txt" by a restored log: contacts held only in memory are written first, and
    // a log with anything in it is copied into BACKUP ("before-restore-..."). Throws an Error
    // whose text says what was left as it was.
    void ReplaceLog(const QByteArray& data);
    // Replaces "log.txt" by the log file at `path`, once it has been read and found to load
    // whole (`validateLogFile`); otherwise, and when ReplaceLog refuses, throws an Error whose
    // text says what was wrong and that nothing was restored.
    void RestoreLog(const QString& path);

    // True while a change is in memory only.
    bool unsaved() const { return unsaved_; }

private:
    StoreResult failLoad(const QString& why = QString());
    LogDamage repair(const LogFileContents& contents);
    // The whole log from memory into the file. False with the reason on failure.
    bool writeWhole(QString* reason);
    StoreResult writeFailed(StoreResult::Failure failure, const QString& reason) const;
    // A copy into BACKUP; the path, or empty with the reason on failure.
    QString backupCopy(const QString& stem, QString* reason = nullptr);
    QString stamp(const char* format) const;
    QString backupFolder() const;

    Platform& platform_;
    const StartupValues& folders_;
    QSOLog& log_;
    Tallies& tallies_;
    bool unsaved_ = false;
    bool fileEndsOpen_ = false;       // "log.txt" does not end with a line end
    bool copyBeforeRewrite_ = false;  // damaged lines not yet copied into BACKUP
    QList<int> reportedDamage_;  // the damaged lines last reported, so a reload does not repeat it
    // The file as the last clean load read it: its first `bytes` bytes (by their hash) are the
    // log's rows 1 to `records`, as long as no row of those was stamped since `clock`. A reload
    // of the same file, or of the file with contacts appended, reads only what came after.
    struct LoadedFile {
        bool valid = false;
        quint64 logId = 0;
        quint64 clock = 0;
        quint64 hash = 0;
        qsizetype bytes = 0;
        int records = 0;
        int lines = 0;
    };
    LoadedFile loaded_;
    QByteArray readBuffer_;  // what the last load read; its room is reused by the next
};

}  // namespace qf
