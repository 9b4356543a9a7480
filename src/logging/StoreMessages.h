// What the log store returned, told to the operator: the boxes, the beeps and the end of the
// program after a log that cannot be loaded. The store only stores (logstore/LogStore.h); the
// logging windows call it through StoreWithMessages, so every failure is told where it is met.
#pragma once

#include "logstore/LogStore.h"

#include <QByteArray>
#include <QString>

namespace qf {

struct Platform;

// Shows what `result` holds, if anything, and ends the program when the log cannot be loaded.
// True when the operation succeeded.
bool tellStoreResult(Platform& platform, const StoreResult& result);

// The log store as the logging windows call it: each operation, then what it returned told.
class StoreWithMessages {
  public:
    StoreWithMessages(LogStore& store, Platform& platform) : store_(store), platform_(platform) {}

    void LoadLog() { tellStoreResult(platform_, store_.LoadLog()); }
    bool AppendRecord() { return tellStoreResult(platform_, store_.AppendRecord()); }
    bool RewriteLog() { return tellStoreResult(platform_, store_.RewriteLog()); }
    bool DeleteRecord(int index) { return tellStoreResult(platform_, store_.DeleteRecord(index)); }
    bool NewLog() { return tellStoreResult(platform_, store_.NewLog()); }
    void BackupLog() { store_.BackupLog(); }
    QString CopyLogToBackup(const QString& stem) { return store_.CopyLogToBackup(stem); }
    void ReplaceLog(const QByteArray& data) { store_.ReplaceLog(data); }
    void RestoreLog(const QString& path) { store_.RestoreLog(path); }
    bool unsaved() const { return store_.unsaved(); }

  private:
    LogStore& store_;
    Platform& platform_;
};

}  // namespace qf
