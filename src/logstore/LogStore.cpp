#include "logstore/LogStore.h"

#include "app/RunState.h"
#include "common/QuotedFieldLine.h"
#include "logstore/Tallies.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "startup/StartupValues.h"
#include "startup/StationSettings.h"

namespace qf {

QByteArray encodeRecord(const QSORecord& q) {
    RecordWriter w;
    w.text(q.Call).text(q.NameSent).text(q.NameRcvd).text(q.SPC).text(q.CountyRcvd);
    w.text(q.StateOverride).text(q.CountySent).text(q.Reserved8).text(q.Reserved9);
    w.text(q.Reserved10).text(q.Reserved11).text(q.QSODate).text(q.QSOTime).text(q.Mode);
    w.text(q.Band).number(q.Reserved16).text(q.Reserved17).text(q.Reserved18).text(q.Frequency);
    w.endRecord();
    return w.data();
}

QSORecord readRecord(RecordReader& r) {
    QSORecord q;
    q.Call = r.readText();
    q.NameSent = r.readText();
    q.NameRcvd = r.readText();
    q.SPC = r.readText();
    q.CountyRcvd = r.readText();
    q.StateOverride = r.readText();
    q.CountySent = r.readText();
    q.Reserved8 = r.readText();
    q.Reserved9 = r.readText();
    q.Reserved10 = r.readText();
    q.Reserved11 = r.readText();
    q.QSODate = r.readText();
    q.QSOTime = r.readText();
    q.Mode = r.readText();
    q.Band = r.readText();
    q.Reserved16 = r.readDouble();
    q.Reserved17 = r.readText();
    q.Reserved18 = r.readText();
    q.Frequency = r.readText();
    return q;
}

LogStore::LogStore(Platform& platform, const StartupValues& folders, StationSettings& settings,
                   QSOLog& log, Tallies& tallies, RunState& run)
    : platform_(platform),
      folders_(folders),
      settings_(settings),
      log_(log),
      tallies_(tallies),
      run_(run) {}

void LogStore::failLoad() {
    platform_.dialogs.ok(QStringLiteral("Error opening file."), QStringLiteral("File Error"));
    platform_.ending.endNow(1);
}

void LogStore::LoadLog() {
    log_.QSOCount = 0;
    tallies_.resetForLoad();
    QByteArray data;
    try {
        data = platform_.files.readAll(kLogFile);
    } catch (const Error&) {
        failLoad();
    }
    RecordReader r(data);
    try {
        while (!r.atEnd()) {
            if (log_.QSOCount >= kLogCapacity) failLoad();
            QSORecord q = readRecord(r);
            log_[++log_.QSOCount] = std::move(q);
        }
    } catch (const Error& e) {
        // The file ends inside a record: a contact cut short by a crash or a power loss while
        // it was being appended. Anything else means the file cannot be read.
        if (e.number() != err::kInputPastEnd) failLoad();
        repairCutShort();
    }
    if (log_.QSOCountAtLoad == 0) log_.QSOCountAtLoad = static_cast<float>(log_.QSOCount);
    if (!data.isEmpty() && !data.endsWith('\n') && !unsaved_) {
        // A last record without its line end would run into the next appended one.
        RewriteLog();
    }
}

void LogStore::repairCutShort() {
    const QString copyName = QStringLiteral("damaged-") +
                             platform_.clock.localNow().toString(QStringLiteral("yyyyMMddhhmmss")) +
                             QStringLiteral(".log");
    const bool copied = backupCopy(copyName);
    QString text = QStringLiteral("The last contact in log.txt was cut short and could not be "
                                  "read. The %1 complete contacts before it were loaded.")
                       .arg(log_.QSOCount);
    if (copied) {
        // Only once the damaged file is safe is it replaced by the complete records.
        unsaved_ = true;
        RewriteLog();
        text += QStringLiteral("\r\n\r\nThe damaged file was saved as:\r\n") + backupFolder() +
                QLatin1Char('/') + copyName;
    } else {
        unsaved_ = true;
        text += QStringLiteral("\r\n\r\nA copy of the damaged file could not be made; log.txt will "
                               "be rewritten with the next contact.");
    }
    platform_.dialogs.ok(text, QStringLiteral("Log Repaired"), Icon::Exclamation);
}

bool LogStore::AppendRecord() {
    if (unsaved_) return RewriteLog();
    try {
        platform_.files.appendDurable(kLogFile, encodeRecord(log_[log_.QSOCount]));
        return true;
    } catch (const Error& e) {
        unsaved_ = true;
        reportWriteFailure(QStringLiteral("The contact was not written to log.txt"), e.text());
        return false;
    }
}

bool LogStore::RewriteLog() {
    QByteArray data;
    for (int r = 1; r <= log_.QSOCount; ++r) data += encodeRecord(log_[r]);
    try {
        platform_.files.rewriteAtomic(kLogFile, data);
        unsaved_ = false;
        return true;
    } catch (const Error& e) {
        unsaved_ = true;
        reportWriteFailure(QStringLiteral("log.txt could not be rewritten"), e.text());
        return false;
    }
}

bool LogStore::DeleteRecord(int index) {
    if (index < 1 || index > log_.QSOCount) return false;
    for (int r = index; r < log_.QSOCount; ++r) log_[r] = log_[r + 1];
    --log_.QSOCount;
    return RewriteLog();
}

bool LogStore::NewLog() {
    const QString answer = platform_.dialogs.input(
        QStringLiteral("Are you sure that you want to start a new log file?  This function will "
                       "ERASE the existing log file!\r\n\r\nTo verify that you want to start a "
                       "new log file, please type: YES"),
        QStringLiteral("WARNING - Your existing log file will be ERASED!"), QString());
    if (answer.toUpper() != QLatin1String("YES")) return false;

    Files& files = platform_.files;
    // Erasing must never destroy the only copy: a log with anything in it is copied first.
    bool hasContent = false;
    try {
        hasContent = files.fileExists(kLogFile) && files.length(kLogFile) > 0;
    } catch (const Error&) {
        hasContent = true;
    }
    if (hasContent && !backupCopy(platform_.clock.localNow().toString(QStringLiteral("yyyyMMddhhmm")) +
                                  QStringLiteral(".log"))) {
        platform_.dialogs.ok(QStringLiteral("The log could not be copied to the BACKUP folder, so it "
                                            "was not erased. Nothing was changed."),
                             QStringLiteral("New Log"), Icon::Exclamation);
        return false;
    }
    try {
        files.rewriteAtomic(kLogFile, QByteArray());
    } catch (const Error& e) {
        platform_.beeper.beep();
        platform_.dialogs.ok(QStringLiteral("log.txt could not be emptied: ") + e.text() +
                                 QStringLiteral("\r\n\r\nNothing was changed."),
                             QStringLiteral("Unable to write file."), Icon::Exclamation);
        return false;
    }
    run_.OperatingSeconds = 0;
    settings_.AccumulatedOperatingSeconds = 0;
    log_.QSOCount = 0;
    unsaved_ = false;
    WriteQSOPref(settings_, files);
    LoadLog();
    return true;
}

void LogStore::BackupLog() {
    if (static_cast<float>(log_.QSOCount) == log_.QSOCountAtLoad || log_.QSOCount <= 0) return;
    backupCopy(platform_.clock.localNow().toString(QStringLiteral("yyyyMMddhhmm")) +
               QStringLiteral(".log"));
}

QString LogStore::backupFolder() const { return folders_.DataFolder + QStringLiteral("/BACKUP"); }

bool LogStore::backupCopy(const QString& fileName) {
    Files& files = platform_.files;
    try {
        if (!files.folderExists(backupFolder())) files.createFolder(backupFolder());
        files.copyReplace(kLogFile, backupFolder() + QLatin1Char('/') + fileName);
        return true;
    } catch (const Error&) {
        return false;
    }
}

void LogStore::reportWriteFailure(const QString& what, const QString& reason) {
    platform_.beeper.beep();
    platform_.dialogs.ok(what + QStringLiteral(": ") + reason +
                             QStringLiteral("\r\n\r\nThe log is kept in memory and will be written "
                                            "whole with the next change, or when the window "
                                            "closes."),
                         QStringLiteral("Unable to write file."), Icon::Exclamation);
}

}  // namespace qf
