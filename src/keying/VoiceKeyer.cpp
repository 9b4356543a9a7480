#include "keying/VoiceKeyer.h"

#include "app/App.h"
#include "app/Forms.h"
#include "keying/BlindFrm.h"
#include "keying/PhoneFrm.h"
#include "platform/Error.h"

namespace qf::voice {

void PlayFunctionKey(App& app, int keyCode) {
    app.forms().PhoneFrm().FKeyPhone(keyCode);
}

bool StopIfPlaying(App& app) {
    return app.forms().PhoneFrm().StopPlayback();
}

void StopRepeat(App& app) {
    app.run().VoiceRepeatActive = 0;
    app.forms().PhoneFrm().tmrRepeat->setEnabled(false);
}

void ShowWindow(App& app, bool modal) {
    PhoneFrm& w = app.forms().PhoneFrm();
    if (modal && !w.isVisible()) {
        w.ShowModal();
        return;
    }
    const bool shown = w.isVisible();
    w.Show();
    if (w.isMinimized()) w.showNormal();
    if (modal && shown) {
        // Already on screen (opened by Ctrl+P): brought forward rather than shown a second time.
        w.raise();
        w.activateWindow();
    }
}

void ShowNavigation(App& app) {
    app.forms().BlindFrm().Show();
}

void Prompt(App& app, const QString& name) {
    app.forms().BlindFrm().BlindKeyPhone(name);
}

void WaitForPrompt(App& app) {
    app.forms().BlindFrm().WaitForPrompt();
}

void ClosePushToTalkPort(App& app) {
    if (PhoneFrm* w = app.forms().phoneFrmSlot().peek()) w->ClosePushToTalkPort();
}

void UnloadKeyerWindow(App& app) {
    if (PhoneFrm* w = app.forms().phoneFrmSlot().peek()) w->Unload();
}

void UnloadNavigationWindow(App& app) {
    if (BlindFrm* w = app.forms().blindFrmSlot().peek()) w->Unload();
}

}  // namespace qf::voice
