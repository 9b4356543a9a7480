#include "keying/CWKeyer.h"

#include "app/App.h"
#include "app/Forms.h"
#include "keying/CWFrm.h"
#include "keying/frmWinKey.h"
#include "platform/WinKey.h"

namespace qf::cw {

void SendFunctionKey(App& app, int keyCode) {
    app.forms().CWFrm().FKeyCW(keyCode);
}

void SendTyped(App& app) {
    if (app.run().CWSending == 0) app.forms().CWFrm().LoopThroughCWBuffer();
}

void Stop(App& app) {
    app.run().CWSendBuffer.clear();
}

bool Sending(App& app) {
    return app.run().CWSending != 0;
}

void StopRepeat(App& app) {
    RunState& run = app.run();
    if (run.WinKeyVersion != 0) app.platform().winKey.wk_clearbuf();
    run.CWSendBuffer.clear();
    run.CWRepeatActive = 0;
    if (CWFrm* w = app.forms().cwFrmSlot().peek()) w->tmrRepeat->setEnabled(false);
}

qint32 ReadWinKeyStatus(App& app, bool* clearedNow) {
    return app.forms().frmWinKey().PollStatus(clearedNow);
}

QString SpeedUp(App& app) {
    CWFrm& w = app.forms().CWFrm();
    w.UpDown1_UpClick();
    return w.Text11->Text();
}

QString SpeedDown(App& app) {
    CWFrm& w = app.forms().CWFrm();
    w.UpDown1_DownClick();
    return w.Text11->Text();
}

void ShowWindow(App& app, bool modal) {
    CWFrm& w = app.forms().CWFrm();
    if (modal) {
        w.ShowModal();
        return;
    }
    w.Show();
    if (w.isMinimized()) w.showNormal();
}

void UnloadWindow(App& app) {
    if (CWFrm* w = app.forms().cwFrmSlot().peek()) w->Unload();
}

}  // namespace qf::cw
