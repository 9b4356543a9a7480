// Room src/common/: the record-file reader and writer, formats, key filters and screen scaling.
// Plain code over src/platform/ only; used by every room above, it includes none of them.
//
// QuotedFieldLine: the text form of every record and settings file ("log.txt", the reference
// tables, "QSOpref.txt", ...). Values are separated by single commas; text between double quotes
// with no escaping; numbers bare with a point; #TRUE#/#FALSE#; CR LF ends every record.
//
// The reader takes values one after another, whatever the line breaks: blanks before a value are
// skipped, a quoted value ends at the next double quote, any other at the next comma or line end,
// and a line end separates values as a comma does. Reaching the end of the data before a value
// is a read failure (Error 62), and so is a quoted value whose closing quote never comes. Files
// are 8-bit (Latin-1); LF-only line ends are read as well as CR LF.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace qf {

class RecordReader {
public:
    explicit RecordReader(QByteArray data);

    // True when nothing but blanks and line ends is left.
    bool atEnd() const;
    // The raw text of the next value.
    QString readText();
    double readDouble();
    float readSingle();
    // A whole number in [min, max]; a fraction rounds half to even; outside is Overflow (Error 6).
    qint64 readInteger(qint64 min, qint64 max);
    quint8 readByte() { return static_cast<quint8>(readInteger(0, 255)); }
    qint16 readInt16() { return static_cast<qint16>(readInteger(-32768, 32767)); }
    qint32 readInt32() { return static_cast<qint32>(readInteger(-2147483648LL, 2147483647LL)); }
    bool readBool();
    void skipValue() { (void)readText(); }
    // Where the reader stands, in bytes from the start.
    qsizetype position() const { return pos_; }

private:
    QByteArray data_;
    qsizetype pos_ = 0;
};

class RecordWriter {
public:
    // A text value. A double quote, CR or LF cannot be carried inside a quoted field, so they are
    // left out rather than let them break the record and every record after it.
    RecordWriter& text(const QString& value);
    RecordWriter& number(double value);   // 8-byte real
    RecordWriter& single(float value);    // 4-byte real
    RecordWriter& integer(qint64 value);
    RecordWriter& boolean(bool value);
    RecordWriter& empty();                // a value of no fixed type holding nothing
    RecordWriter& endRecord();            // CR LF

    const QByteArray& data() const { return data_; }

private:
    void separator();
    QByteArray data_;
    bool midRecord_ = false;
};

// One line of a record file taken apart strictly, for files that hold one record per line: a
// quoted value must close before its separator (blanks may stand between), an unquoted value
// holds no double quote. False when a quote is lost or out of place. A separator at the end of
// the line gives an empty last value, so a trailing comma shows as one value too many.
struct LineValue {
    QByteArrayView text;  // into the line, which must outlive it
    bool quoted = false;
};
bool splitRecordLine(QByteArrayView line, std::vector<LineValue>& values);
// The same, giving up (false) as soon as the line holds more than `maxValues` values.
bool splitRecordLine(QByteArrayView line, std::vector<LineValue>& values, size_t maxValues);

// The lines of a record file: CR LF, LF and a lone CR all end a line.
struct FileLine {
    QByteArray text;
    int number = 0;          // 1-based
    bool hasLineEnd = true;  // false for a last line that runs to the end of the data
    bool bareCR = false;     // ended by a CR alone
};
std::vector<FileLine> splitFileLines(const QByteArray& data);

// True when the text can be stored in a quoted field as it stands.
bool fitsQuotedField(const QString& value);

// Bare number forms: "5", "-3", "5.5", "0.25", whatever the user's locale.
QByteArray formatDouble(double value);
QByteArray formatSingle(float value);
// A number from its text with a point as decimal separator; false when it is not one.
bool parseNumber(const QString& text, double& out);

}  // namespace qf
