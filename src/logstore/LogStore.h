// Room src/logstore/: storage of the contest: the log file and its BACKUP copies, tallies, tables,
// ADIF. Takes what it needs as arguments from app/ and the windows; never includes either.
//
// The log store: "log.txt" in the working folder, one record per contact, kept in step with
// QSOLog. A new contact is appended and synced at once; an edit or a delete rewrites the whole
// file atomically; a new log empties it; dated copies go to BACKUP. It asks nothing: the
// questions, the operating time and the settings file belong to the windows that call it.
//
// A write that fails is reported to the operator at once and never passed off as success: the
// change stays in memory, the log is marked unsaved, and the next write rewrites the whole file.
// While the log is unsaved the file is never read over it: a reload first tries to write it,
// and when that fails the log in memory is kept as it is.
//
// The file is read one record per line. A line that is not one whole record (a lost quote, too
// few or too many values) is left out alone and the operator is told its number; the file is
// copied into BACKUP before it is rewritten without it. No BACKUP copy ever replaces another.
#pragma once

#include "logstore/QsoLog.h"
#include "platform/Platform.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <vector>

namespace qf {

class RecordReader;
struct StartupValues;
struct Tallies;

inline const QString kLogFile = QStringLiteral("log.txt");

// One record of "log.txt".
QByteArray encodeRecord(const QSORecord& record);
QSORecord readRecord(RecordReader& reader);

// What one line of "log.txt" holds: a whole record, a line that is not one (its quotes or its
// number of values), or a whole line whose number field does not hold a number.
enum class LogLine { Whole, Damaged, BadNumber };
LogLine parseLogLine(const QByteArray& line, QSORecord& out);

// "log.txt" read line by line. Blank lines hold nothing and are passed over.
struct LogFileContents {
    std::vector<QSORecord> records;
    int wholeRecords = 0;       // whole records read, up to the capacity
    bool overCapacity = false;  // more whole records than the capacity (reading stopped there)
    QList<int> damagedLines;    // line numbers, 1-based
    int badNumberLine = 0;      // the first whole line whose number does not read, or 0
    bool cutShort = false;      // the last line is damaged and has no line end
    bool endsOpen = false;      // the data does not end with a line end
    bool bareCR = false;        // some line ends are a CR alone
    int lines = 0;              // lines read, blank ones too
};
// Stops at the first whole record past `capacity`.
LogFileContents parseLogFile(const QByteArray& data, int capacity = kLogCapacity);
// The same, reading the n-th whole record (1-based) straight into `slot(n)` instead of keeping
// it in `records`. A field of that record that already holds the text keeps its string.
// Where a parse starts: past the first `offset` bytes, already read whole into `records`
// records over `lines` lines.
struct ParseStart {
    qsizetype offset = 0;
    int records = 0;
    int lines = 0;
};
void parseLogFile(const QByteArray& data, int capacity, LogFileContents& contents,
                  const std::function<QSORecord&(int)>& slot,
                  const std::function<void(int)>& changed = {}, ParseStart from = {});

// Whether read log data loads: whole; damaged (it loads without the lines that hold no whole
// record, which a load repairs and a restore refuses); or not at all (more records than the
// log holds, or a whole line whose number is no number), which ends a load. One judgement for
// the load and the restore, so a restored file always loads. `why` gets what is wrong, naming
// the first line at fault.
enum class LogFileVerdict { Whole, Damaged, Unreadable };
LogFileVerdict validateLogFile(const LogFileContents& contents, QString* why = nullptr);

class LogStore {
public:
    LogStore(Platform& platform, const StartupValues& folders, QSOLog& log, Tallies& tallies);

    // Resets the counts and reads "log.txt". A file that cannot be read at all ends the program
    // after "Error opening file."; a last record cut short is repaired (see the .cpp).
    void LoadLog();
    // Appends row QSOCount (or rewrites the whole file while the log is unsaved).
    bool AppendRecord();
    // Writes rows 1 to QSOCount as the whole file.
    bool RewriteLog();
    // Removes one row (1 to QSOCount) and rewrites; false for a row outside that range.
    bool DeleteRecord(int index);
    // Backs up a non-empty log, empties it and reloads; true when emptied. The caller has had
    // the operator confirm it; a failure is shown here and changes nothing.
    bool NewLog();
    // Copies "log.txt" into BACKUP when the count changed since the first load.
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
    void failLoad(const QString& why = QString());  // ends the program
    void repair(const LogFileContents& contents);
    // The whole log from memory into the file; no message. False with the reason on failure.
    bool writeWhole(QString* reason);
    // A copy into BACKUP; the path, or empty with the reason on failure.
    QString backupCopy(const QString& stem, QString* reason = nullptr);
    QString stamp(const char* format) const;
    QString backupFolder() const;
    void reportWriteFailure(const QString& what, const QString& reason);

    Platform& platform_;
    const StartupValues& folders_;
    QSOLog& log_;
    Tallies& tallies_;
    bool unsaved_ = false;
    bool fileEndsOpen_ = false;   // "log.txt" does not end with a line end
    bool copyBeforeRewrite_ = false;  // damaged lines not yet copied into BACKUP
    QList<int> reportedDamage_;   // the damaged lines last reported, so a reload does not repeat it
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
