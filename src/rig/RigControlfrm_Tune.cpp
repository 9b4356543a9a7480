// Tuning the rig: the set-frequency and set-mode commands, the band plan they take the mode
// from, and the waits between them.
#include "app/App.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "rig/CatCommands.h"
#include "rig/RigControlfrm.h"
#include "rig/RigWaits.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>

namespace qf {

void RigControlfrm::LoadBandPlanSegments() {
    Files& files = platform().files;
    RigBandPlan = rig::LoadExtraSegments(files.resolve(QStringLiteral("BandPlan.txt")));
}

void RigControlfrm::PauseMs(qint64 ms) {
    rig::PauseMs(platform().clock, ms);
}

void RigControlfrm::WaitOutputDrained() {
    rig::WaitOutputDrained(platform().clock, [this] { return comComm1->outBufferCount(); });
}

void RigControlfrm::WritePegasusFile(float mhz) {
    const QString path = PegasusInFile ? PegasusInFile() : QString();
    if (path.isEmpty()) return;
    // Any file error is passed over without a message: the exchange simply does not happen.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    file.write(rig::PegasusCommandFile(mhz, ReportedMode));
}

void RigControlfrm::ChangeFrequency(float& qChangeFreq) {
    // Copied first: events run below, and what the caller's value lives in may change then.
    const float mhz = qChangeFreq;
    if (!tmrGetData->Enabled()) return;
    const QString model = app_.station().RigModel;
    const rig::RigModelRow* row = rig::FindRigModel(model);
    const auto command = rig::EncodeSetFrequency(model, mhz, RigFrequencyQuery, ActiveVFO);
    // A frequency the model cannot be sent is refused before anything is touched.
    if (!command) return;
    // Events run inside; should they unload this window, nothing more of it is touched.
    const QPointer<RigControlfrm> self(this);
    try {
        tmrGetData->setEnabled(false);
        // The exchange files have no port whose input could be emptied.
        if (!row || row->port != rig::PortUse::ExchangeFiles) (void)comComm1->readAllLatin1();
        forgetReply();
        float modeFrequency = mhz;
        QString bandPlanMode;
        ChangeMode(modeFrequency, bandPlanMode);
        if (!self) return;
        WaitOutputDrained();
        for (size_t i = 0; self && i < command->pausesMs.size(); ++i) {
            if (i > 0 && command->pumpBetweenPauses) QCoreApplication::processEvents();
            if (self) PauseMs(command->pausesMs[i]);
        }
        if (!self) return;
        using Route = rig::FrequencyCommand::Route;
        if (command->route == Route::Port && !command->bytes.isEmpty())
            comComm1->write(command->bytes);
        if (command->route == Route::PegasusFile) WritePegasusFile(mhz);
        WaitOutputDrained();
        if (!self) return;
        tmrGetData->setEnabled(true);
    } catch (const Error& e) {
        if (!self) return;
        platform().dialogs.ok(e.text(), QStringLiteral("Error Changing Frequency"));
    }
}

void RigControlfrm::ChangeMode(float& qChangeFrequency, QString& ModeToChangeTo) {
    const QString model = app_.station().RigModel;
    if (rig::IsNoRig(model)) return;
    QString mode = ModeToChangeTo;
    if (mode.isEmpty()) mode = rig::SidebandForFrequency(RigBandPlan, qChangeFrequency, mode);
    if (mode.isEmpty()) {
        WaitOutputDrained();
        return;
    }
    const QPointer<RigControlfrm> self(this);
    try {
        QCoreApplication::processEvents();
        if (!self) return;
        WaitOutputDrained();
        if (!self) return;
        PauseMs(rig::kModePauseMs);
        if (!self) return;
        const QByteArray bytes = rig::EncodeSetMode(model, mode, RigFrequencyQuery, RigModeQuery);
        if (!bytes.isEmpty()) comComm1->write(bytes);
    } catch (const Error& e) {
        if (!self) return;
        platform().dialogs.ok(e.text() + QLatin1Char(' ') + mode,
                              QStringLiteral("Error Changing Mode"));
        return;
    }
    if (self) WaitOutputDrained();
}

}  // namespace qf
