// The in-state window's share of the entry boxes: the digit hand-over of the call box, the
// state box and the county box.
#include "app/App.h"
#include "logging/Infrm.h"

namespace qf {

QString Infrm::keyboardCwMessage() const { return QStringLiteral("Press F12 to exit keyboard CW mode."); }

void Infrm::callBoxHandOver(int& KeyAscii) {
    RunState& run = app_.run();
    const QString call = txtCall->Text();
    if (KeyAscii < '0' || KeyAscii > '9') return;
    if (txtCall->SelStart() != call.size() || call.size() <= 2) return;
    bool hasDigit = false, stop = false;
    for (qsizetype i = 1; i < call.size(); ++i) {
        if (call[i].isDigit()) hasDigit = true;
        if (call[i].unicode() < '0') stop = true;
    }
    qsizetype lastDigit = -1;
    for (qsizetype i = 0; i < call.size(); ++i) {
        if (call[i].isDigit()) lastDigit = i;
    }
    if (!hasDigit || stop || lastDigit == call.size() - 1) return;
    // A complete call followed by a digit: the digit belongs to the county box.
    run.HandOverKey = QString::number(KeyAscii);
    run.HandOverTarget = 4;
    txtRSTR->SetFocus();
    int handed = KeyAscii;
    txtRSTR_KeyPress(handed);
    KeyAscii = 0;
}

void Infrm::txtCntry_GotFocus() {
    // The spoken prompt "SPC" plays here once voice navigation exists.
    if (txtCntry->Text().isEmpty()) {
        txtCntry->setText(app_.station().ContestState);
        txtCntry->SelectAllText();
    }
}

void Infrm::txtSec_KeyPress(int& KeyAscii) {
    countyBoxKeyPress(KeyAscii);
    RunState& run = app_.run();
    if (KeyAscii != 0 && run.HandOverTarget == 4) {
        // The digit typed after the call starts the county entry.
        const QString handed(QChar(run.HandOverKey.toInt()));
        txtSec->setText(handed);
        txtSec->setSelStart(static_cast<int>(handed.size()));
        run.HandOverTarget = 0;
    }
}

}  // namespace qf
