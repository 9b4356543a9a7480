#include "common/QuotedFieldLine.h"

#include "platform/Error.h"

#include <QLocale>

#include <cmath>

namespace qf {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

Error pastEnd() { return Error(err::kInputPastEnd, QStringLiteral("Input past end of file")); }
Error typeMismatch() { return Error(err::kTypeMismatch, QStringLiteral("Type mismatch")); }

QByteArray trimZeros(QByteArray s) {
    // "2.500000" -> "2.5", "3.000" -> "3"; exponents are left alone.
    if (s.contains('e') || s.contains('E') || !s.contains('.')) return s;
    while (s.endsWith('0')) s.chop(1);
    if (s.endsWith('.')) s.chop(1);
    if (s == "-0") s = "0";
    return s;
}

}  // namespace

// ---- reader

RecordReader::RecordReader(QByteArray data) : data_(std::move(data)) {}

bool RecordReader::atEnd() const {
    for (qsizetype i = pos_; i < data_.size(); ++i) {
        const char c = data_[i];
        if (!isBlank(c) && !isLineEnd(c)) return false;
    }
    return true;
}

QString RecordReader::readText() {
    const qsizetype n = data_.size();
    while (pos_ < n && isBlank(data_[pos_])) ++pos_;
    // A value may begin on the next line only when the last one ended with a line end: a
    // separator was consumed then, so a line end here starts an empty value.
    if (pos_ >= n) throw pastEnd();
    QString value;
    if (data_[pos_] == '"') {
        const qsizetype close = data_.indexOf('"', pos_ + 1);
        if (close < 0) throw pastEnd();  // the record was cut short inside a text
        value = QString::fromLatin1(data_.constData() + pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        // Whatever stands between the closing quote and the separator is not part of the value.
        while (pos_ < n && data_[pos_] != ',' && !isLineEnd(data_[pos_])) ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && data_[pos_] != ',' && !isLineEnd(data_[pos_])) ++pos_;
        qsizetype end = pos_;
        while (end > start && isBlank(data_[end - 1])) --end;
        value = QString::fromLatin1(data_.constData() + start, end - start);
    }
    // Consume the separator: a comma, or one line end (CR LF, LF or CR).
    if (pos_ < n) {
        if (data_[pos_] == ',') {
            ++pos_;
        } else if (data_[pos_] == '\r') {
            ++pos_;
            if (pos_ < n && data_[pos_] == '\n') ++pos_;
        } else if (data_[pos_] == '\n') {
            ++pos_;
        }
    }
    return value;
}

double RecordReader::readDouble() {
    const QString t = readText();
    if (t.isEmpty()) return 0;
    double v = 0;
    if (!parseNumber(t, v)) throw typeMismatch();
    return v;
}

float RecordReader::readSingle() {
    const double v = readDouble();
    if (std::fabs(v) > 3.402823466e38) throw Error(err::kOverflow, QStringLiteral("Overflow"));
    return static_cast<float>(v);
}

qint64 RecordReader::readInteger(qint64 min, qint64 max) {
    const double v = readDouble();
    const double r = std::nearbyint(v);  // half to even, the default rounding mode
    if (!(r >= static_cast<double>(min) && r <= static_cast<double>(max))) {
        throw Error(err::kOverflow, QStringLiteral("Overflow"));
    }
    return static_cast<qint64>(r);
}

bool RecordReader::readBool() {
    const QString t = readText().trimmed();
    if (t.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) return false;
    double v = 0;
    if (parseNumber(t, v)) return v != 0;
    throw typeMismatch();
}

// ---- writer

void RecordWriter::separator() {
    if (midRecord_) data_.append(',');
    midRecord_ = true;
}

RecordWriter& RecordWriter::text(const QString& value) {
    separator();
    data_.append('"');
    QByteArray bytes = value.toLatin1();
    bytes.replace('"', QByteArray()).replace('\r', QByteArray()).replace('\n', QByteArray());
    data_.append(bytes);
    data_.append('"');
    return *this;
}

RecordWriter& RecordWriter::number(double value) {
    separator();
    data_.append(formatDouble(value));
    return *this;
}

RecordWriter& RecordWriter::single(float value) {
    separator();
    data_.append(formatSingle(value));
    return *this;
}

RecordWriter& RecordWriter::integer(qint64 value) {
    separator();
    data_.append(QByteArray::number(value));
    return *this;
}

RecordWriter& RecordWriter::boolean(bool value) {
    separator();
    data_.append(value ? "#TRUE#" : "#FALSE#");
    return *this;
}

RecordWriter& RecordWriter::empty() {
    separator();
    return *this;
}

RecordWriter& RecordWriter::endRecord() {
    data_.append("\r\n");
    midRecord_ = false;
    return *this;
}

// ---- whole lines

bool splitRecordLine(QByteArrayView line, std::vector<LineValue>& values) {
    return splitRecordLine(line, values, static_cast<size_t>(-1));
}

bool splitRecordLine(QByteArrayView line, std::vector<LineValue>& values, size_t maxValues) {
    values.clear();
    const char* const p = line.data();
    const qsizetype n = line.size();
    qsizetype pos = 0;
    for (;;) {
        if (values.size() >= maxValues) return false;
        while (pos < n && isBlank(p[pos])) ++pos;
        LineValue v;
        if (pos < n && p[pos] == '"') {
            // Values are short: a plain loop beats a library call per value.
            qsizetype close = pos + 1;
            while (close < n && p[close] != '"') ++close;
            if (close >= n) return false;
            v.text = line.sliced(pos + 1, close - pos - 1);
            v.quoted = true;
            pos = close + 1;
            while (pos < n && isBlank(p[pos])) ++pos;
            if (pos < n && p[pos] != ',') return false;  // text after the closing quote
        } else {
            const qsizetype start = pos;
            while (pos < n && p[pos] != ',') {
                if (p[pos] == '"') return false;  // a quote inside an unquoted value
                ++pos;
            }
            qsizetype end = pos;
            while (end > start && isBlank(p[end - 1])) --end;
            v.text = line.sliced(start, end - start);
        }
        values.push_back(v);
        if (pos >= n) return true;
        ++pos;  // the comma: another value follows, even an empty one at the line's end
    }
}

std::vector<FileLine> splitFileLines(const QByteArray& data) {
    std::vector<FileLine> lines;
    const qsizetype n = data.size();
    qsizetype start = 0;
    int number = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && !isLineEnd(data[end])) ++end;
        FileLine l;
        l.text = data.mid(start, end - start);
        l.number = ++number;
        if (end >= n) {
            l.hasLineEnd = false;
            start = n;
        } else if (data[end] == '\r' && end + 1 < n && data[end + 1] == '\n') {
            start = end + 2;
        } else {
            l.bareCR = data[end] == '\r';
            start = end + 1;
        }
        lines.push_back(std::move(l));
    }
    return lines;
}

// ---- numbers

bool fitsQuotedField(const QString& value) {
    return !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\r')) &&
           !value.contains(QLatin1Char('\n'));
}

QByteArray formatDouble(double value) {
    if (value == 0) return "0";
    // 15 significant digits is what an 8-byte real holds; trailing zeros go.
    QByteArray text = QByteArray::number(value, 'g', 15);
    bool ok = false;
    const double back = QLocale::c().toDouble(QString::fromLatin1(text), &ok);
    if (!ok || !std::isfinite(back)) {
        // Near the largest double the 15 digits round up past it and would read back as no
        // number at all: write the largest 15-digit value that still reads.
        text = value < 0 ? "-1.79769313486231e+308" : "1.79769313486231e+308";
    }
    return trimZeros(text.replace("e+", "E+").replace("e-", "E-"));
}

QByteArray formatSingle(float value) {
    if (value == 0) return "0";
    // 7 significant digits for a 4-byte real, so -93.1f is written -93.1, not -93.0999984741.
    return trimZeros(QByteArray::number(static_cast<double>(value), 'g', 7)
                         .replace("e+", "E+")
                         .replace("e-", "E-"));
}

bool parseNumber(const QString& text, double& out) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v)) return false;
    out = v;
    return true;
}

}  // namespace qf
