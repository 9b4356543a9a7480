// The "Export ADIF File" command of both logging windows: the two questions, the save dialog,
// the file (logstore/AdifExport.h makes it) and the closing message or the failure's box.
#pragma once

namespace qf {

struct Platform;
struct QSOLog;
struct ReferenceTables;
struct StartupValues;
struct StationSettings;

// The whole run of "Export ADIF File": both questions, the DXCC table, the save dialog, the file
// and the closing message. Cancel in the save dialog ends it silently; any other failure beeps
// and is shown in a box titled "Unable to write file.", and leaves no file behind (an existing
// file of the chosen name keeps its old contents).
void ExportADIF(Platform& platform, const StartupValues& folders, const StationSettings& station,
                const QSOLog& log, const ReferenceTables& tables);

}  // namespace qf
