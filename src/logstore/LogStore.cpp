#include "logstore/LogStore.h"

#include "logstore/Tallies.h"
#include "platform/Clock.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "startup/StartupValues.h"

namespace qf {

LogStore::LogStore(Platform& platform, const StartupValues& folders, QSOLog& log, Tallies& tallies)
    : platform_(platform), folders_(folders), log_(log), tallies_(tallies) {}

StoreResult LogStore::failLoad(const QString& why) {
    StoreResult r;
    r.failure = StoreResult::Failure::NoLog;
    r.why = why;
    return r;
}

QString LogStore::stamp(const char* format) const {
    return platform_.clock.localNow().toString(QString::fromLatin1(format));
}

StoreResult LogStore::LoadLog() {
    ++log_.generation;
    tallies_.resetForLoad();
    // Contacts that live only in memory are never read over: they are written first, and when
    // that fails they stay as they are, to be shown and counted from memory.
    if (unsaved_ && !writeWhole(nullptr)) {
        if (log_.QSOCountAtLoad == 0) log_.QSOCountAtLoad = static_cast<float>(log_.QSOCount);
        return {};
    }
    log_.QSOCount = 0;
    // One buffer for every load: a file-sized allocation at each reload is mapped fresh by the
    // allocator and faulted in page by page, which costs more than the read itself.
    const QByteArray& data = readBuffer_;
    try {
        platform_.files.readInto(kLogFile, readBuffer_);
    } catch (const Error& e) {
        // A FIFO, a device or a folder in its place is named with the reason.
        return failLoad(e.number() == err::kPathFileAccess ? e.text() : QString());
    }
    // Straight into the rows: a load at full size must stay quick, it runs at every band change.
    // What the last clean load read and nothing has changed since is not read again; of the rest
    // a row is stamped only when the file changed it.
    ContentHash hash;
    ParseStart from;
    const LoadedFile known = loaded_;
    loaded_ = {};
    if (known.valid && known.logId == log_.id() && data.size() >= known.bytes &&
        !log_.changedSince(known.clock, known.records)) {
        hash.add(data.constData(), known.bytes);
        if (hash.value() == known.hash) {
            from = {known.bytes, known.records, known.lines};
        } else {
            hash = {};
        }
    }
    hash.add(data.constData() + from.offset, data.size() - from.offset);
    LogFileContents contents;
    parseLogFile(
        data, kLogCapacity, contents, [this](int n) -> QSORecord& { return log_.unstamped(n); },
        [this](int n) { log_.touch(n); }, from);
    log_.QSOCount = contents.wholeRecords;
    // Too many records, or a whole line whose number field holds no number: the file is not one
    // this program wrote.
    if (validateLogFile(contents) == LogFileVerdict::Unreadable) return failLoad();
    if (log_.QSOCountAtLoad == 0) log_.QSOCountAtLoad = static_cast<float>(log_.QSOCount);
    fileEndsOpen_ = contents.endsOpen;
    if (contents.damagedLines.isEmpty()) reportedDamage_.clear();
    StoreResult result;
    if (!contents.damagedLines.isEmpty() || contents.bareCR || contents.endsOpen) {
        LogDamage damage = repair(contents);
        // Each damage is told once: a reload that finds the same lines says nothing new.
        if (!damage.lines.isEmpty() && damage.lines != reportedDamage_) {
            reportedDamage_ = damage.lines;
            result.damage = std::move(damage);
        }
    } else if (!contents.overCapacity && contents.badNumberLine == 0) {
        loaded_ = {true, log_.id(), log_.clock(), hash.value(), data.size(), log_.QSOCount, contents.lines};
    }
    return result;
}

LogDamage LogStore::repair(const LogFileContents& c) {
    const bool damaged = !c.damagedLines.isEmpty();
    // The file as it is goes into BACKUP first; only then is it rewritten from the good records.
    LogDamage d;
    d.copy = backupCopy((damaged ? QStringLiteral("damaged-") : QStringLiteral("before-rewrite-")) +
                            stamp("yyyyMMddhhmmss"),
                        &d.copyError);
    if (!d.copy.isEmpty()) {
        copyBeforeRewrite_ = false;
        d.rewritten = writeWhole(&d.rewriteError);
    } else if (damaged) {
        copyBeforeRewrite_ = true;
    }
    d.lines = c.damagedLines;
    d.cutShort = c.cutShort && c.damagedLines.size() == 1;
    d.loaded = log_.QSOCount;
    return d;
}

StoreResult LogStore::AppendRecord() {
    if (unsaved_) return RewriteLog();
    QByteArray record = encodeRecord(std::as_const(log_)[log_.QSOCount]);
    // A file whose last line has no line end would swallow the new record into it.
    if (fileEndsOpen_) record.prepend("\r\n");
    try {
        platform_.files.appendDurable(kLogFile, record);
        fileEndsOpen_ = false;
        return {};
    } catch (const Error& e) {
        unsaved_ = true;
        return writeFailed(StoreResult::Failure::NotAppended, e.text());
    }
}

bool LogStore::writeWhole(QString* reason) {
    if (copyBeforeRewrite_) {
        // Damaged lines are never rewritten away before the file is in BACKUP.
        QString why;
        if (backupCopy(QStringLiteral("damaged-") + stamp("yyyyMMddhhmmss"), &why).isEmpty()) {
            unsaved_ = true;
            if (reason) {
                *reason = QStringLiteral("the damaged log.txt must first be copied into the "
                                         "BACKUP folder, and that failed: ") +
                          why;
            }
            return false;
        }
        copyBeforeRewrite_ = false;
    }
    QByteArray data;
    bool readsBackAsItStands = true;
    for (int r = 1; r <= log_.QSOCount; ++r) {
        const QSORecord& q = std::as_const(log_)[r];
        data += encodeRecord(q);
        if (readsBackAsItStands) readsBackAsItStands = readsBackAsWritten(q);
    }
    try {
        platform_.files.rewriteAtomic(kLogFile, data);
        unsaved_ = false;
        fileEndsOpen_ = false;
        // The file now holds the rows as they stand, so the next reload need not read them
        // again, unless a field could not be written as it is (a quote, a line end, a character
        // beyond Latin-1, a number past 15 digits): then the reload reads what the file holds.
        if (readsBackAsItStands) {
            ContentHash hash;
            hash.add(data.constData(), data.size());
            loaded_ = {true, log_.id(), log_.clock(), hash.value(), data.size(), log_.QSOCount,
                       log_.QSOCount};
        } else {
            loaded_ = {};
        }
        return true;
    } catch (const Error& e) {
        unsaved_ = true;
        if (reason) *reason = e.text();
        return false;
    }
}

StoreResult LogStore::RewriteLog() {
    QString reason;
    if (writeWhole(&reason)) return {};
    return writeFailed(StoreResult::Failure::NotRewritten, reason);
}

StoreResult LogStore::DeleteRecord(int index) {
    if (index < 1 || index > log_.QSOCount) return {StoreResult::Failure::NoSuchRow, {}, 0, {}};
    for (int r = index; r < log_.QSOCount; ++r) log_[r] = log_[r + 1];
    --log_.QSOCount;
    return RewriteLog();
}

StoreResult LogStore::writeFailed(StoreResult::Failure failure, const QString& reason) const {
    return {failure, reason, log_.QSOCount, {}};
}

StoreResult LogStore::NewLog() {
    Files& files = platform_.files;
    // Contacts held only in memory are written first, so that the copy below holds them.
    QString reason;
    if (unsaved_ && !writeWhole(&reason)) return {StoreResult::Failure::UnsavedKept, reason, 0, {}};
    // Erasing must never destroy the only copy: a log with anything in it is copied first.
    bool hasContent = false;
    try {
        hasContent = files.fileExists(kLogFile) && files.length(kLogFile) > 0;
    } catch (const Error&) {
        hasContent = true;
    }
    if (hasContent && backupCopy(stamp("yyyyMMddhhmm"), &reason).isEmpty()) {
        return {StoreResult::Failure::NotCopied, reason, 0, {}};
    }
    try {
        files.rewriteAtomic(kLogFile, QByteArray());
    } catch (const Error& e) {
        return {StoreResult::Failure::NotEmptied, e.text(), 0, {}};
    }
    log_.QSOCount = 0;
    unsaved_ = false;
    copyBeforeRewrite_ = false;
    return LoadLog();
}

void LogStore::ReplaceLog(const QByteArray& data) {
    QString reason;
    if (unsaved_ && !writeWhole(&reason)) {
        throw Error(err::kPathFileAccess,
                    QStringLiteral("The contacts held only in memory could not be written to "
                                   "log.txt (") +
                        reason +
                        QStringLiteral("), so nothing was restored. They are still kept in memory."));
    }
    Files& files = platform_.files;
    if (files.fileExists(kLogFile) && files.length(kLogFile) > 0) {
        try {
            CopyLogToBackup(QStringLiteral("before-restore-") + stamp("yyyyMMddhhmmss"));
        } catch (const Error& e) {
            throw Error(e.number(),
                        QStringLiteral("The current log could not be copied to the BACKUP folder (") +
                            e.text() + QStringLiteral("), so it was not replaced."));
        }
    }
    files.rewriteAtomic(kLogFile, data);
    copyBeforeRewrite_ = false;
}

void LogStore::RestoreLog(const QString& path) {
    const QByteArray data = platform_.files.readAll(path);
    // What loads is judged once, for the load and the restore alike: a restored file loads whole.
    QString why;
    if (validateLogFile(parseLogFile(data), &why) != LogFileVerdict::Whole) {
        const QString name = Files::native(path).section(QLatin1Char('/'), -1);
        throw Error(err::kTypeMismatch,
                    name + QStringLiteral(" cannot be read as a log: ") + why +
                        QStringLiteral("\r\n\r\nNothing was restored; log.txt was not changed."));
    }
    ReplaceLog(data);
}

void LogStore::BackupLog() {
    if (static_cast<float>(log_.QSOCount) == log_.QSOCountAtLoad || log_.QSOCount <= 0) return;
    backupCopy(stamp("yyyyMMddhhmm"));
}

QString LogStore::backupFolder() const { return folders_.DataFolder + QStringLiteral("/BACKUP"); }

QString LogStore::CopyLogToBackup(const QString& stem) {
    Files& files = platform_.files;
    if (!files.folderExists(backupFolder())) files.createFolder(backupFolder());
    return files.copyToNewName(kLogFile, backupFolder(), stem, QStringLiteral(".log"));
}

QString LogStore::backupCopy(const QString& stem, QString* reason) {
    try {
        return CopyLogToBackup(stem);
    } catch (const Error& e) {
        if (reason) *reason = e.text();
        return QString();
    }
}

}  // namespace qf
