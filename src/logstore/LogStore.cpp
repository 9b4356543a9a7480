#include "logstore/LogStore.h"

#include "common/QuotedFieldLine.h"
#include "logstore/Tallies.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "startup/StartupValues.h"

#include <algorithm>
#include <array>
#include <cstring>

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

namespace {

constexpr size_t kFields = 19;

// Small per-field caches of recent values, so that the many contacts that share a date, a mode,
// a band, an own name or a county share one string: less to allocate and less memory held.
class FieldCache {
public:
    const QString& get(QByteArrayView bytes) {
        for (Entry& e : entries_) {
            if (e.bytes.size() == bytes.size() && e.bytes == bytes) return e.value;
        }
        Entry& e = entries_[next_];
        next_ = (next_ + 1) % entries_.size();
        e.bytes = QByteArray(bytes.data(), bytes.size());
        e.value = QString::fromLatin1(bytes);
        return e.value;
    }

private:
    struct Entry {
        QByteArray bytes;
        QString value;
    };
    std::array<Entry, 12> entries_;
    size_t next_ = 0;
};

struct LineParser {
    std::vector<LineValue> values;
    std::array<FieldCache, kFields> caches;
    bool changed = false;  // the last whole line changed its record

    LineParser() { values.reserve(kFields + 1); }

    // The line's values, checked whole before the record is touched: a damaged line or a bad
    // number leaves `q` as it was.
    LogLine parse(QByteArrayView line, QSORecord& q, bool share) {
        if (!splitRecordLine(line, values, kFields) || values.size() != kFields) return LogLine::Damaged;
        double number = 0;
        const QByteArrayView n = values[15].text;
        if (n.size() == 1 && n[0] == '0') {
            number = 0;  // what this program writes: no need for the general parser
        } else if (!n.trimmed().isEmpty() && !parseNumber(QString::fromLatin1(n), number)) {
            return LogLine::BadNumber;
        }
        changed = q.Reserved16 != number;
        set(q.Call, 0, share);
        set(q.NameSent, 1, share);
        set(q.NameRcvd, 2, share);
        set(q.SPC, 3, share);
        set(q.CountyRcvd, 4, share);
        set(q.StateOverride, 5, share);
        set(q.CountySent, 6, share);
        set(q.Reserved8, 7, share);
        set(q.Reserved9, 8, share);
        set(q.Reserved10, 9, share);
        set(q.Reserved11, 10, share);
        set(q.QSODate, 11, share);
        set(q.QSOTime, 12, share);
        set(q.Mode, 13, share);
        set(q.Band, 14, share);
        q.Reserved16 = number;
        set(q.Reserved17, 16, share);
        set(q.Reserved18, 17, share);
        set(q.Frequency, 18, share);
        return LogLine::Whole;
    }

    // A field that already holds the text keeps its string (a reload of an unchanged file makes
    // none); an empty field holds no string at all.
    static bool holds(const QString& field, QByteArrayView bytes) {
        if (field.size() != bytes.size()) return false;
        const char16_t* f = reinterpret_cast<const char16_t*>(field.constData());
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
        for (qsizetype k = 0; k < bytes.size(); ++k) {
            if (f[k] != b[k]) return false;
        }
        return true;
    }

    void set(QString& field, size_t i, bool share) {
        const QByteArrayView bytes = values[i].text;
        if (holds(field, bytes)) return;
        changed = true;
        if (bytes.isEmpty()) {
            field = QString();
        } else if (share && i != 0 && i != 12) {  // calls and times hardly repeat
            field = caches[i].get(bytes);
        } else {
            field = QString::fromLatin1(bytes);
        }
    }
};

// A 64-bit hash of the file's bytes, fed in pieces: four lanes over 32-byte blocks, so a
// megabyte hashes in a small part of what reading it takes.
class ContentHash {
public:
    void add(const char* p, qsizetype n) {
        total_ += static_cast<quint64>(n);
        if (used_ > 0) {
            const qsizetype take = std::min<qsizetype>(n, 32 - used_);
            std::memcpy(buf_ + used_, p, static_cast<size_t>(take));
            used_ += take;
            p += take;
            n -= take;
            if (used_ < 32) return;
            block(buf_);
            used_ = 0;
        }
        for (; n >= 32; p += 32, n -= 32) block(p);
        std::memcpy(buf_, p, static_cast<size_t>(n));
        used_ = n;
    }
    quint64 value() const {
        quint64 h = total_ * kP5;
        for (quint64 l : lanes_) h = mix(h ^ round(0, l)) * kP1 + kP4;
        for (qsizetype i = 0; i < used_; ++i) h = mix(h ^ (static_cast<unsigned char>(buf_[i]) * kP5));
        return mix(h);
    }

private:
    static constexpr quint64 kP1 = 0x9E3779B185EBCA87ULL, kP2 = 0xC2B2AE3D27D4EB4FULL,
                             kP4 = 0x85EBCA77C2B2AE63ULL, kP5 = 0x27D4EB2F165667C5ULL;
    static quint64 rotl(quint64 x, int r) { return (x << r) | (x >> (64 - r)); }
    static quint64 round(quint64 acc, quint64 w) { return rotl(acc + w * kP2, 31) * kP1; }
    static quint64 mix(quint64 h) {
        h ^= h >> 33;
        h *= kP2;
        h ^= h >> 29;
        h *= kP1;
        return h ^ (h >> 32);
    }
    void block(const char* p) {
        for (int k = 0; k < 4; ++k) {
            quint64 w;
            std::memcpy(&w, p + 8 * k, 8);
            lanes_[static_cast<size_t>(k)] = round(lanes_[static_cast<size_t>(k)], w);
        }
    }
    std::array<quint64, 4> lanes_{kP1 + kP2, kP2, 0, 0 - kP1};
    char buf_[32] = {};
    qsizetype used_ = 0;
    quint64 total_ = 0;
};

}  // namespace

LogLine parseLogLine(const QByteArray& line, QSORecord& q) {
    LineParser parser;
    return parser.parse(line, q, false);
}

LogFileContents parseLogFile(const QByteArray& data, int capacity) {
    LogFileContents c;
    parseLogFile(data, capacity, c, [&c](int n) -> QSORecord& {
        if (static_cast<int>(c.records.size()) < n) c.records.resize(static_cast<size_t>(n));
        return c.records[static_cast<size_t>(n - 1)];
    });
    c.records.resize(static_cast<size_t>(c.wholeRecords));
    return c;
}

void parseLogFile(const QByteArray& data, int capacity, LogFileContents& c,
                  const std::function<QSORecord&(int)>& slot, const std::function<void(int)>& changed,
                  ParseStart from) {
    // One pass over the bytes: lines end at CR LF, LF or a lone CR; no line is copied.
    LineParser parser;
    QSORecord scratch;
    int whole = from.records;
    int number = from.lines;
    c.wholeRecords = whole;
    c.lines = number;
    const char* const p = data.constData();
    const qsizetype n = data.size();
    qsizetype start = from.offset;
    while (start < n) {
        // The next LF, then any CR before it: two library scans instead of one byte at a time.
        const void* lf = std::memchr(p + start, '\n', static_cast<size_t>(n - start));
        qsizetype end = lf ? static_cast<const char*>(lf) - p : n;
        if (const void* cr = std::memchr(p + start, '\r', static_cast<size_t>(end - start))) {
            end = static_cast<const char*>(cr) - p;
        }
        const QByteArrayView line(p + start, end - start);
        c.lines = ++number;
        const bool hasLineEnd = end < n;
        if (!hasLineEnd) {
            c.endsOpen = true;
            start = n;
        } else if (p[end] == '\r' && end + 1 < n && p[end + 1] == '\n') {
            start = end + 2;
        } else {
            if (p[end] == '\r') c.bareCR = true;
            start = end + 1;
        }
        if (line.trimmed().isEmpty()) continue;
        // A record past the capacity is only checked, never stored.
        QSORecord& q = whole < capacity ? slot(whole + 1) : scratch;
        switch (parser.parse(line, q, true)) {
            case LogLine::Whole:
                if (++whole > capacity) {
                    c.overCapacity = true;
                    return;
                }
                if (changed && parser.changed) changed(whole);
                c.wholeRecords = whole;
                break;
            case LogLine::Damaged:
                c.damagedLines << number;
                if (!hasLineEnd) c.cutShort = true;
                break;
            case LogLine::BadNumber:
                if (c.badNumberLine == 0) c.badNumberLine = number;
                break;
        }
    }
}

LogFileVerdict validateLogFile(const LogFileContents& c, QString* why) {
    if (why) {
        if (c.overCapacity) {
            *why = QStringLiteral("it holds more than %1 contacts.").arg(kLogCapacity);
        } else if (!c.damagedLines.isEmpty()) {
            *why = QStringLiteral("line %1 does not hold one whole contact.")
                       .arg(c.damagedLines.front());
        } else if (c.badNumberLine != 0) {
            *why = QStringLiteral("line %1 holds text where a number must be.")
                       .arg(c.badNumberLine);
        }
    }
    if (c.overCapacity || c.badNumberLine != 0) return LogFileVerdict::Unreadable;
    return c.damagedLines.isEmpty() ? LogFileVerdict::Whole : LogFileVerdict::Damaged;
}

LogStore::LogStore(Platform& platform, const StartupValues& folders, QSOLog& log, Tallies& tallies)
    : platform_(platform), folders_(folders), log_(log), tallies_(tallies) {}

void LogStore::failLoad(const QString& why) {
    QString text = QStringLiteral("Error opening file.");
    if (!why.isEmpty()) text += QStringLiteral("\r\n\r\n") + why;
    platform_.dialogs.ok(text, QStringLiteral("File Error"));
    platform_.ending.endNow(1);
}

namespace {

// True when the record, written and read back, gives the same record.
bool readsBackAs(const QSORecord& q) {
    for (const QString* f : {&q.Call, &q.NameSent, &q.NameRcvd, &q.SPC, &q.CountyRcvd,
                             &q.StateOverride, &q.CountySent, &q.Reserved8, &q.Reserved9,
                             &q.Reserved10, &q.Reserved11, &q.QSODate, &q.QSOTime, &q.Mode,
                             &q.Band, &q.Reserved17, &q.Reserved18, &q.Frequency}) {
        for (const QChar c : *f) {
            if (c.unicode() > 0xFF || c == u'"' || c == u'\r' || c == u'\n') return false;
        }
    }
    if (q.Reserved16 == 0) return true;
    double back = 0;
    return parseNumber(QString::fromLatin1(formatDouble(q.Reserved16)), back) &&
           back == q.Reserved16;
}

}  // namespace

QString LogStore::stamp(const char* format) const {
    return platform_.clock.localNow().toString(QString::fromLatin1(format));
}

void LogStore::LoadLog() {
    ++log_.generation;
    tallies_.resetForLoad();
    // Contacts that live only in memory are never read over: they are written first, and when
    // that fails they stay as they are, to be shown and counted from memory.
    if (unsaved_ && !writeWhole(nullptr)) {
        if (log_.QSOCountAtLoad == 0) log_.QSOCountAtLoad = static_cast<float>(log_.QSOCount);
        return;
    }
    log_.QSOCount = 0;
    // One buffer for every load: a file-sized allocation at each reload is mapped fresh by the
    // allocator and faulted in page by page, which costs more than the read itself.
    const QByteArray& data = readBuffer_;
    try {
        platform_.files.readInto(kLogFile, readBuffer_);
    } catch (const Error& e) {
        // A FIFO, a device or a folder in its place is named with the reason.
        failLoad(e.number() == err::kPathFileAccess ? e.text() : QString());
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
    if (validateLogFile(contents) == LogFileVerdict::Unreadable) failLoad();
    if (log_.QSOCountAtLoad == 0) log_.QSOCountAtLoad = static_cast<float>(log_.QSOCount);
    fileEndsOpen_ = contents.endsOpen;
    if (contents.damagedLines.isEmpty()) reportedDamage_.clear();
    if (!contents.damagedLines.isEmpty() || contents.bareCR || contents.endsOpen) {
        repair(contents);
    } else if (!contents.overCapacity && contents.badNumberLine == 0) {
        loaded_ = {true, log_.id(), log_.clock(), hash.value(), data.size(), log_.QSOCount, contents.lines};
    }
}

void LogStore::repair(const LogFileContents& c) {
    const bool damaged = !c.damagedLines.isEmpty();
    // The file as it is goes into BACKUP first; only then is it rewritten from the good records.
    QString copyError;
    const QString copy = backupCopy(
        (damaged ? QStringLiteral("damaged-") : QStringLiteral("before-rewrite-")) +
            stamp("yyyyMMddhhmmss"),
        &copyError);
    QString writeError;
    bool written = false;
    if (!copy.isEmpty()) {
        copyBeforeRewrite_ = false;
        written = writeWhole(&writeError);
    } else if (damaged) {
        copyBeforeRewrite_ = true;
    }
    if (!damaged || c.damagedLines == reportedDamage_) return;
    reportedDamage_ = c.damagedLines;

    QStringList numbers;
    for (int n : c.damagedLines) numbers << QString::number(n);
    QString text;
    if (c.cutShort && c.damagedLines.size() == 1) {
        text = QStringLiteral("The last contact in log.txt (line %1) was cut short and could not "
                              "be read. The %2 complete contacts before it were loaded.")
                   .arg(numbers.front())
                   .arg(log_.QSOCount);
    } else {
        text = QStringLiteral("%1 of log.txt %2 not hold one whole contact (a quote is lost, or "
                              "there are too few or too many values), so %3 left out of the "
                              "loaded log. The other %4 contacts were loaded.")
                   .arg((numbers.size() == 1 ? QStringLiteral("Line ") : QStringLiteral("Lines ")) +
                        numbers.join(QStringLiteral(", ")))
                   .arg(numbers.size() == 1 ? QStringLiteral("does") : QStringLiteral("do"))
                   .arg(numbers.size() == 1 ? QStringLiteral("it was") : QStringLiteral("they were"))
                   .arg(log_.QSOCount);
    }
    if (!copy.isEmpty()) {
        text += QStringLiteral("\r\n\r\nThe file as it was is saved as:\r\n") + copy;
        if (written) {
            text += QStringLiteral("\r\n\r\nlog.txt now holds the loaded contacts.");
        } else {
            text += QStringLiteral("\r\n\r\nlog.txt could not be rewritten (") + writeError +
                    QStringLiteral("). The loaded contacts are kept in memory and will be written "
                                   "whole with the next contact or change of the log.");
        }
    } else {
        text += QStringLiteral("\r\n\r\nA copy of log.txt could not be made in the BACKUP folder (") +
                copyError +
                QStringLiteral("), so log.txt was left as it is. New contacts are still added to "
                               "it; it is rewritten only once a copy has been made.");
    }
    platform_.dialogs.ok(text, copy.isEmpty() ? QStringLiteral("Damaged Log")
                                              : QStringLiteral("Log Repaired"),
                         Icon::Exclamation);
}

bool LogStore::AppendRecord() {
    if (unsaved_) return RewriteLog();
    QByteArray record = encodeRecord(std::as_const(log_)[log_.QSOCount]);
    // A file whose last line has no line end would swallow the new record into it.
    if (fileEndsOpen_) record.prepend("\r\n");
    try {
        platform_.files.appendDurable(kLogFile, record);
        fileEndsOpen_ = false;
        return true;
    } catch (const Error& e) {
        unsaved_ = true;
        reportWriteFailure(QStringLiteral("The contact was not written to log.txt"), e.text());
        return false;
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
        if (readsBackAsItStands) readsBackAsItStands = readsBackAs(q);
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

bool LogStore::RewriteLog() {
    QString reason;
    if (writeWhole(&reason)) return true;
    reportWriteFailure(QStringLiteral("log.txt could not be rewritten"), reason);
    return false;
}

bool LogStore::DeleteRecord(int index) {
    if (index < 1 || index > log_.QSOCount) return false;
    for (int r = index; r < log_.QSOCount; ++r) log_[r] = log_[r + 1];
    --log_.QSOCount;
    return RewriteLog();
}

bool LogStore::NewLog() {
    Files& files = platform_.files;
    // Contacts held only in memory are written first, so that the copy below holds them.
    QString reason;
    if (unsaved_ && !writeWhole(&reason)) {
        platform_.beeper.beep();
        platform_.dialogs.ok(QStringLiteral("The contacts held only in memory could not be written "
                                            "to log.txt (") +
                                 reason +
                                 QStringLiteral("), so the log was not erased. Nothing was "
                                                "changed; they are still kept in memory."),
                             QStringLiteral("New Log"), Icon::Exclamation);
        return false;
    }
    // Erasing must never destroy the only copy: a log with anything in it is copied first.
    bool hasContent = false;
    try {
        hasContent = files.fileExists(kLogFile) && files.length(kLogFile) > 0;
    } catch (const Error&) {
        hasContent = true;
    }
    if (hasContent && backupCopy(stamp("yyyyMMddhhmm")).isEmpty()) {
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
    log_.QSOCount = 0;
    unsaved_ = false;
    copyBeforeRewrite_ = false;
    LoadLog();
    return true;
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

void LogStore::reportWriteFailure(const QString& what, const QString& reason) {
    platform_.beeper.beep();
    platform_.dialogs.ok(
        what + QStringLiteral(": ") + reason +
            QStringLiteral("\r\n\r\nThe log (%1 contacts) is kept in memory. log.txt will be written "
                           "whole with the next contact or change of the log; until that "
                           "succeeds, Exit and closing the window ask before the program ends.")
                .arg(log_.QSOCount),
        QStringLiteral("Unable to write file."), Icon::Exclamation);
}

}  // namespace qf
