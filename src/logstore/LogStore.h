// The log store: "log.txt" in the working folder, one record per contact, kept in step with
// QSOLog. A new contact is appended and synced at once; an edit or a delete rewrites the whole
// file atomically; a new log empties it after a typed confirmation; dated copies go to BACKUP.
//
// A write that fails is reported to the operator at once and never passed off as success: the
// change stays in memory, the log is marked unsaved, and the next write rewrites the whole file.
#pragma once

#include "logstore/QsoLog.h"
#include "platform/Platform.h"

#include <QByteArray>

namespace qf {

class RecordReader;
struct RunState;
struct StartupValues;
struct StationSettings;
struct Tallies;

inline const QString kLogFile = QStringLiteral("log.txt");

// One record of "log.txt".
QByteArray encodeRecord(const QSORecord& record);
QSORecord readRecord(RecordReader& reader);

class LogStore {
public:
    LogStore(Platform& platform, const StartupValues& folders, StationSettings& settings,
             QSOLog& log, Tallies& tallies, RunState& run);

    // Resets the counts and reads "log.txt". A file that cannot be read at all ends the program
    // after "Error opening file."; a last record cut short is repaired (see the .cpp).
    void LoadLog();
    // Appends row QSOCount (or rewrites the whole file while the log is unsaved).
    bool AppendRecord();
    // Writes rows 1 to QSOCount as the whole file.
    bool RewriteLog();
    // Removes one row (1 to QSOCount) and rewrites; false for a row outside that range.
    bool DeleteRecord(int index);
    // Asks for "YES", backs up a non-empty log, empties it and reloads; true when emptied.
    bool NewLog();
    // Copies "log.txt" into BACKUP when the count changed since the first load.
    void BackupLog();

    // True while a change is in memory only.
    bool unsaved() const { return unsaved_; }

private:
    void failLoad();
    void repairCutShort();
    bool backupCopy(const QString& fileName);
    QString backupFolder() const;
    void reportWriteFailure(const QString& what, const QString& reason);

    Platform& platform_;
    const StartupValues& folders_;
    StationSettings& settings_;
    QSOLog& log_;
    Tallies& tallies_;
    RunState& run_;
    bool unsaved_ = false;
};

}  // namespace qf
