// ADIF export: the whole log as an ADIF tagged-text file (".adi") so that other logging programs
// can import the contest's contacts. Every record carries the power and the comment the operator
// gave; each contact's country is mapped to its DXCC entity number with the table in
// "ADIFCnt.txt" (read afresh on every run); the file is a short header and one record per contact
// as ASCII text with CR LF line ends. It reads the log, the county table, the station settings and
// the folders it is handed, and changes none of them; it knows no window and asks nothing (the
// questions, the save dialog and the messages are logging/ExportAdif.h).
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <vector>

namespace qf {

class Files;
struct CountyTable;
struct QSOLog;
struct StartupValues;

inline const QString kAdifCountryFile = QStringLiteral("ADIFCnt.txt");

// One row of "ADIFCnt.txt": a country name and its DXCC entity number.
struct DXCCRow {
    QString name;
    qint16 number = 0;
};

// "ADIFCnt.txt" from the shared folder, else the data folder, else the working folder (where a
// missing file is the failure that gets reported). Throws the program's Error.
std::vector<DXCCRow> LoadDXCCTable(const StartupValues& folders, const Files& files);

// What every record of one export shares.
struct ExportInputs {
    QString power;
    QString comment;
    QString contestState;
    const std::vector<DXCCRow>* dxcc = nullptr;
    const CountyTable* counties = nullptr;
};

// The whole file: the header, with the program's version and the time of the export, then one
// record per contact, rows 1 to QSOCount.
QByteArray AdifFile(const QSOLog& log, const ExportInputs& in, const QString& programVersion,
                    const QDateTime& now);

// ADIF text fields of this kind are ASCII only, and readers refuse the file otherwise: a
// Latin-1 letter becomes its base letter (e acute to "e", the AE ligature to "AE", sharp s to
// "ss"); anything else that is not printable ASCII is left out.
QString foldToAscii(const QString& text);

// The system's general date-and-time form: the short date with a four-digit year and the long
// time without its time zone, "6/13/2026 12:00:00 PM" in the en_US locale.
QString GeneralDateTimeText(const QDateTime& when, const QLocale& locale = QLocale());

}  // namespace qf
