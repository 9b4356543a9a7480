#include "logging/ExportAdif.h"

#include "logstore/AdifExport.h"
#include "logstore/LogStore.h"
#include "logstore/ReferenceTables.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/FileSaves.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/System.h"
#include "startup/StartupValues.h"
#include "startup/StationSettings.h"

#include <QFileInfo>

namespace qf {

namespace {

const QString kPowerPrompt = QStringLiteral(
    "Please enter the power value that you would like to record.  This is an optional value that "
    "will be included in each QSO record and displayed in Brindleby's power output column.");
const QString kPowerTitle = QStringLiteral("Please enter your transmitter output power.");
const QString kCommentPrompt = QStringLiteral(
    "Please enter a comment that you would like to appear on each QSO record.  This is an optional "
    "description that will be displayed in Brindleby's Comments column.");
const QString kCommentTitle = QStringLiteral("Please enter a comment.");
// The box's text is the system's description of the failure alone.
void reportFailure(Platform& p, const Error& e) {
    ShowUnableToWriteFile(p, QString(), e.text());
}

}  // namespace

void ExportADIF(Platform& p, const StartupValues& folders, const StationSettings& station,
                const QSOLog& log, const ReferenceTables& tables) {
    // Cancel gives empty text, which only leaves the value out of every record.
    ExportInputs in;
    in.power = p.dialogs.input(kPowerPrompt, kPowerTitle, QStringLiteral("100"));
    in.comment = p.dialogs.input(kCommentPrompt, kCommentTitle,
                                 station.ContestState + QStringLiteral(" State QSO Party Contest"));
    in.contestState = station.ContestState;
    in.counties = &tables.counties;

    std::vector<DXCCRow> dxcc;
    QString chosen;
    try {
        dxcc = LoadDXCCTable(folders, p.files);
        in.dxcc = &dxcc;
        // Either logging window's file dialog would do: both are the one dialogs service.
        FileRequest request;
        request.proposedPath =
            folders.DataFolder + QLatin1Char('/') + station.ContestState + QStringLiteral(".adi");
        request.filter = QStringLiteral("ADIF Files (*.adi)");
        request.promptOverwrite = true;
        chosen = p.dialogs.fileSave(request);
    } catch (const Error& e) {
        if (e.number() != err::kCancel) reportFailure(p, e);
        return;
    }

    QString written;
    try {
        const QByteArray data = AdifFile(log, in, folders.ProgramVersion, p.clock.localNow());
        // The whole file at once: a failure leaves no half-written export, and an older file of
        // that name keeps its contents.
        written = p.files.resolve(chosen);
        // The export must never replace the log it is made from.
        const QString logPath = QFileInfo(p.files.resolve(kLogFile)).canonicalFilePath();
        if (!logPath.isEmpty() && QFileInfo(written).canonicalFilePath() == logPath) {
            throw Error(
                err::kPermissionDenied,
                QStringLiteral("The export cannot be written over the log file ") + written);
        }
        p.files.rewriteAtomic(chosen, data);
    } catch (const Error& e) {
        reportFailure(p, e);
        return;
    }
    p.dialogs.ok(QStringLiteral("The file was successfully written to the directory:\r\n\r\n") +
                     written + QLatin1Char('.'),
                 QStringLiteral("File Written Successfully."));
}

}  // namespace qf
