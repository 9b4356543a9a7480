// ADIF export: writes the whole log as an ADIF tagged-text file (".adi") so that other logging
// programs can import the contest's contacts. It asks for a power and a comment that every record
// carries, maps each contact's country to its DXCC entity number with the table in "ADIFCnt.txt"
// (read afresh on every run), asks where to save, and writes a short header and one record per
// contact as ASCII text with CR LF line ends. It reads the log, the county table, the station
// settings and the folders it is handed, and changes none of them; it knows no window.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace qf {

struct QSOLog;
struct Platform;
struct ReferenceTables;
struct StartupValues;
struct StationSettings;

inline const QString kAdifCountryFile = QStringLiteral("ADIFCnt.txt");

// The whole run of "Export ADIF File": both questions, the DXCC table, the save dialog, the file
// and the closing message. Cancel in the save dialog ends it silently; any other failure beeps
// and is shown in a box titled "Unable to write file.", and leaves no file behind (an existing
// file of the chosen name keeps its old contents).
void ExportADIF(Platform& platform, const StartupValues& folders, const StationSettings& station,
                const QSOLog& log, const ReferenceTables& tables);

// ADIF text fields of this kind are ASCII only, and readers refuse the file otherwise: a
// Latin-1 letter becomes its base letter (e acute to "e", the AE ligature to "AE", sharp s to
// "ss"); anything else that is not printable ASCII is left out.
QString foldToAscii(const QString& text);

// The system's general date-and-time form: the short date with a four-digit year and the long
// time without its time zone, "6/13/2026 12:00:00 PM" in the en_US locale.
QString GeneralDateTimeText(const QDateTime& when, const QLocale& locale = QLocale());

}  // namespace qf
