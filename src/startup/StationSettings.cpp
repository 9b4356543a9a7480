#include "startup/StationSettings.h"

#include "common/QuotedFieldLine.h"
#include "platform/Error.h"
#include "platform/Files.h"

namespace qf {

void ReadQSOPref(StationSettings& s, const Files& files) {
    RecordReader r(files.readAll(kSettingsFile));
    s.OwnCall = r.readText();
    s.OwnSPC = r.readText();
    s.OwnCountry = r.readText();
    s.ReservedText = r.readText();
    s.OwnName = r.readText();
    s.OwnCategory = r.readText();
    s.OwnCounty = r.readText();
    s.OwnCity = r.readText();
    s.CurrentMode = r.readText();
    s.CurrentBand = r.readText();
    s.UTCOffsetHours = r.readSingle();
    s.OwnLongitude = r.readSingle();
    s.OwnLatitude = r.readSingle();
    s.OwnContinent = r.readText();
    s.FormSizePercent = r.readByte();
    s.WorkedColor = r.readInt32();
    s.RemainingColor = r.readInt32();
    s.AccumulatedOperatingSeconds = r.readSingle();
    s.ContestState = r.readText();
    s.OutOfStateFlag = r.readByte();
    s.RoverFlag = r.readByte();
    s.VoiceNavigationLevel = r.readByte();
    s.RigModel = r.readText();
    s.TaskbarDisplay = r.readByte();
    s.ListPreviousOn = r.readByte();
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
