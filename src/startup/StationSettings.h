// StationSettings: the 25 values that describe the station and keep the operator's choices
// between runs, kept in "QSOpref.txt" in the working folder, one value per line.
#pragma once

#include <QString>

namespace qf {

class Files;

struct StationSettings {
    QString OwnCall;
    QString OwnSPC;
    QString OwnCountry;
    QString ReservedText;
    QString OwnName;
    QString OwnCategory;
    QString OwnCounty;
    QString OwnCity;
    QString CurrentMode;
    QString CurrentBand;
    float UTCOffsetHours = 0;
    float OwnLongitude = 0;  // degrees, positive toward the west
    float OwnLatitude = 0;
    QString OwnContinent;
    quint8 FormSizePercent = 0;
    qint32 WorkedColor = 0;     // &H00BBGGRR
    qint32 RemainingColor = 0;  // &H00BBGGRR
    float AccumulatedOperatingSeconds = 0;
    QString ContestState;
    quint8 OutOfStateFlag = 0;
    quint8 RoverFlag = 0;
    quint8 VoiceNavigationLevel = 0;
    QString RigModel;
    quint8 TaskbarDisplay = 0;
    quint8 ListPreviousOn = 0;
};

inline const QString kSettingsFile = QStringLiteral("QSOpref.txt");

// Reads the 25 values, line n into field n, each stored as soon as it is read. A missing file
// throws at once; a value that does not convert keeps its field as it was, the other values are
// still read, and then an Error 13 names the file, the lines and their texts; a short file
// keeps the fields past its end and throws Error 62.
void ReadQSOPref(StationSettings& settings, const Files& files);

// Rewrites "QSOpref.txt" atomically. It reports nothing (a failure leaves the old file whole);
// the result says whether the file was written.
bool WriteQSOPref(const StationSettings& settings, Files& files);

// The file's bytes for these values.
QByteArray encodeQSOPref(const StationSettings& settings);

}  // namespace qf
