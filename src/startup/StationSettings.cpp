#include "startup/StationSettings.h"

#include "common/QuotedFieldLine.h"
#include "platform/Error.h"
#include "platform/Files.h"

#include <QStringList>

namespace qf {

namespace {

// Reads the file one value per line, so that one damaged line spoils only its own value.
class LineValues {
public:
    explicit LineValues(const QByteArray& data) : lines_(splitFileLines(data)) {}

    template <class Read>
    void next(const char* kind, Read read) {
        ++line_;
        if (line_ > static_cast<int>(lines_.size())) {
            if (missingFrom_ == 0) missingFrom_ = line_;
            return;
        }
        const QByteArray& text = lines_[static_cast<size_t>(line_ - 1)].text;
        // The line end goes back on, so an empty line reads as an empty value.
        RecordReader r(text + "\r\n");
        try {
            read(r);
        } catch (const Error&) {
            damage_ << QStringLiteral("line %1 holds %2, which does not read as %3")
                           .arg(line_)
                           .arg(QString::fromLatin1(text.trimmed()))
                           .arg(QLatin1String(kind));
        }
    }

    // Nothing to say when every value read; else the failure, naming the file and the lines.
    void finish() const {
        if (!damage_.isEmpty()) {
            QString text = kSettingsFile + QStringLiteral(": ") + damage_.join(QStringLiteral("; "));
            if (missingFrom_ != 0) {
                text += QStringLiteral("; the file ends before value %1").arg(missingFrom_);
            }
            throw Error(err::kTypeMismatch, text + QLatin1Char('.'));
        }
        if (missingFrom_ != 0) {
            throw Error(err::kInputPastEnd, QStringLiteral("Input past end of file"));
        }
    }

private:
    std::vector<FileLine> lines_;
    int line_ = 0;
    int missingFrom_ = 0;
    QStringList damage_;
};

}  // namespace

void ReadQSOPref(StationSettings& s, const Files& files) {
    LineValues v(files.readAll(kSettingsFile));
    const char* text = "a text (a quote is missing)";
    const char* real = "a number";
    const char* byte = "a whole number from 0 to 255";
    const char* whole = "a whole number";
    v.next(text, [&](RecordReader& r) { s.OwnCall = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.OwnSPC = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.OwnCountry = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.ReservedText = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.OwnName = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.OwnCategory = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.OwnCounty = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.OwnCity = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.CurrentMode = r.readText(); });
    v.next(text, [&](RecordReader& r) { s.CurrentBand = r.readText(); });
    v.next(real, [&](RecordReader& r) { s.UTCOffsetHours = r.readSingle(); });
    v.next(real, [&](RecordReader& r) { s.OwnLongitude = r.readSingle(); });
    v.next(real, [&](RecordReader& r) { s.OwnLatitude = r.readSingle(); });
    v.next(text, [&](RecordReader& r) { s.OwnContinent = r.readText(); });
    v.next(byte, [&](RecordReader& r) { s.FormSizePercent = r.readByte(); });
    v.next(whole, [&](RecordReader& r) { s.WorkedColor = r.readInt32(); });
    v.next(whole, [&](RecordReader& r) { s.RemainingColor = r.readInt32(); });
    v.next(real, [&](RecordReader& r) { s.AccumulatedOperatingSeconds = r.readSingle(); });
    v.next(text, [&](RecordReader& r) { s.ContestState = r.readText(); });
    v.next(byte, [&](RecordReader& r) { s.OutOfStateFlag = r.readByte(); });
    v.next(byte, [&](RecordReader& r) { s.RoverFlag = r.readByte(); });
    v.next(byte, [&](RecordReader& r) { s.VoiceNavigationLevel = r.readByte(); });
    v.next(text, [&](RecordReader& r) { s.RigModel = r.readText(); });
    v.next(byte, [&](RecordReader& r) { s.TaskbarDisplay = r.readByte(); });
    v.next(byte, [&](RecordReader& r) { s.ListPreviousOn = r.readByte(); });
    v.finish();
}

QByteArray encodeQSOPref(const StationSettings& s) {
    RecordWriter w;
    w.text(s.OwnCall).endRecord();
    w.text(s.OwnSPC).endRecord();
    w.text(s.OwnCountry).endRecord();
    w.text(s.ReservedText).endRecord();
    w.text(s.OwnName).endRecord();
    w.text(s.OwnCategory).endRecord();
    w.text(s.OwnCounty).endRecord();
    w.text(s.OwnCity).endRecord();
    w.text(s.CurrentMode).endRecord();
    w.text(s.CurrentBand).endRecord();
    w.single(s.UTCOffsetHours).endRecord();
    w.single(s.OwnLongitude).endRecord();
    w.single(s.OwnLatitude).endRecord();
    w.text(s.OwnContinent).endRecord();
    w.integer(s.FormSizePercent).endRecord();
    w.integer(s.WorkedColor).endRecord();
    w.integer(s.RemainingColor).endRecord();
    w.single(s.AccumulatedOperatingSeconds).endRecord();
    w.text(s.ContestState).endRecord();
    w.integer(s.OutOfStateFlag).endRecord();
    w.integer(s.RoverFlag).endRecord();
    w.integer(s.VoiceNavigationLevel).endRecord();
    w.text(s.RigModel).endRecord();
    w.integer(s.TaskbarDisplay).endRecord();
    w.integer(s.ListPreviousOn).endRecord();
    return w.data();
}

bool WriteQSOPref(const StationSettings& s, Files& files) {
    try {
        files.rewriteAtomic(kSettingsFile, encodeQSOPref(s));
        return true;
    } catch (const Error&) {
        // Saved again at the next change; the file on disk stays whole meanwhile.
        return false;
    }
}

}  // namespace qf
