#include "keying/KeyerCommon.h"

#include "keying/CWFrm.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Platform.h"
#include "platform/System.h"
#include "platform/WavePlayer.h"

#include <cmath>

namespace qf {

int RepeatIntervalMs(const QString& seconds) {
    const auto n = CWFrm::NumberIn(seconds);
    if (!n) throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
    const double ms = std::nearbyint(*n * 1000.0);
    if (ms < 0 || ms > 65535)
        throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
    return static_cast<int>(ms);
}

void ResetWavePlayer(WavePlayer& player) {
    player.Notify = false;
    player.Wait = true;
    player.Shareable = false;
    player.DeviceType = QStringLiteral("WaveAudio");
    player.setCommand(QStringLiteral("Close"));
}

void ReportKeyingFailure(Platform& platform, const QString& text, const QString& title) {
    platform.beeper.beep();
    platform.dialogs.ok(text, title);
}

}  // namespace qf
