#include "logstore/LogFileFormat.h"

#include "common/QuotedFieldLine.h"

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
    LogLine parse(QByteArrayView line, QSORecord& q) {
        if (!splitRecordLine(line, values, kFields) || values.size() != kFields)
            return LogLine::Damaged;
        double number = 0;
        const QByteArrayView n = values[15].text;
        if (n.size() == 1 && n[0] == '0') {
            number = 0;  // what this program writes: no need for the general parser
        } else if (!n.trimmed().isEmpty() && !parseNumber(QString::fromLatin1(n), number)) {
            return LogLine::BadNumber;
        }
        changed = q.Reserved16 != number;
        set(q.Call, 0);
        set(q.NameSent, 1);
        set(q.NameRcvd, 2);
        set(q.SPC, 3);
        set(q.CountyRcvd, 4);
        set(q.StateOverride, 5);
        set(q.CountySent, 6);
        set(q.Reserved8, 7);
        set(q.Reserved9, 8);
        set(q.Reserved10, 9);
        set(q.Reserved11, 10);
        set(q.QSODate, 11);
        set(q.QSOTime, 12);
        set(q.Mode, 13);
        set(q.Band, 14);
        q.Reserved16 = number;
        set(q.Reserved17, 16);
        set(q.Reserved18, 17);
        set(q.Frequency, 18);
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

    void set(QString& field, size_t i) {
        const QByteArrayView bytes = values[i].text;
        if (holds(field, bytes)) return;
        changed = true;
        if (bytes.isEmpty()) {
            field = QString();
        } else if (i != 0 && i != 12) {  // calls and times hardly repeat
            field = caches[i].get(bytes);
        } else {
            field = QString::fromLatin1(bytes);
        }
    }
};

}  // namespace

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
                  const std::function<QSORecord&(int)>& slot,
                  const std::function<void(int)>& changed, ParseStart from) {
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
        switch (parser.parse(line, q)) {
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
            *why =
                QStringLiteral("line %1 holds text where a number must be.").arg(c.badNumberLine);
        }
    }
    if (c.overCapacity || c.badNumberLine != 0) return LogFileVerdict::Unreadable;
    return c.damagedLines.isEmpty() ? LogFileVerdict::Whole : LogFileVerdict::Damaged;
}

bool readsBackAsWritten(const QSORecord& q) {
    for (const QString* f :
         {&q.Call, &q.NameSent, &q.NameRcvd, &q.SPC, &q.CountyRcvd, &q.StateOverride, &q.CountySent,
          &q.Reserved8, &q.Reserved9, &q.Reserved10, &q.Reserved11, &q.QSODate, &q.QSOTime, &q.Mode,
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

}  // namespace qf
