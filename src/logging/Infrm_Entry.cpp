// The in-state window's share of the entry boxes: the digit hand-over of the call box, the
// country lookup while a call is typed, the St/Prv/Country box with its country completion, and
// the county box.
#include "app/App.h"
#include "common/KeyFilters.h"
#include "logging/CountryLookup.h"
#include "logging/Infrm.h"
#include "logging/TextBoxState.h"
#include "logging/TypeAhead.h"
#include "platform/Error.h"

#include <exception>

namespace qf {

namespace {
bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
}  // namespace

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

void Infrm::CountryLookup() {
    try {
        const CountryMatch m = qf::CountryLookup(app_.tables().prefixes, txtCall->Text());
        const auto clearPosition = [this] {
            for (Label* l : {Label22, Label23, Label19}) l->setCaption(QString());
        };
        switch (m.kind) {
            case CountryMatch::Kind::Stopped:
                return;
            case CountryMatch::Kind::EmptyCall:
                break;
            case CountryMatch::Kind::Country:
                txtCntry->setText(m.spc);
                Label19->setCaption(m.continent);
                BearingDistance(m.latitude, m.longitude);
                break;
            case CountryMatch::Kind::UsaOrCanada:
                clearPosition();
                Label19->setCaption(QStringLiteral("NA"));
                break;
            case CountryMatch::Kind::NotFound:
                txtCntry->setText(QStringLiteral("Not Found"));
                clearPosition();
                break;
        }
        if (m.kind != CountryMatch::Kind::EmptyCall) {
            txtCntry->setSelLength(static_cast<int>(txtCntry->Text().size()));
        }
        if (same(txtCntry->Text(), QStringLiteral("Not Found"))) clearPosition();
    } catch (const Error&) {
    } catch (const std::exception&) {
        // Whatever went wrong, typing the call goes on; the boxes keep what was set so far.
    }
}

void Infrm::txtCntry_GotFocus() {
    if (app_.station().VoiceNavigationLevel > 1) speakPrompt(QStringLiteral("SPC"));
    if (txtCntry->Text().isEmpty()) {
        txtCntry->setText(app_.station().ContestState);
        txtCntry->SelectAllText();
    }
}

void Infrm::txtCntry_KeyPress(int& KeyAscii) {
    const RunState& run = app_.run();
    if (KeyAscii == 0) return;
    if (KeyAscii == '"') {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 32 && txtCntry->SelStart() == 0 && run.HandOverTarget == 0) {
        KeyAscii = 0;
        txtSec->SetFocus();
        return;
    }
    // Typing at the start replaces the whole text.
    if (KeyAscii != 32 && txtCntry->SelStart() == 0) txtCntry->setText(QString());
    // A state or province code is typed in capitals: the first two characters are upper-cased.
    if (txtCntry->Text().isEmpty() || txtCntry->SelStart() < 2) UpperCaseKey(KeyAscii);
    if (txtCntry->SelStart() == 2 && KeyAscii != 32) {
        // A third character makes the code a country name: capitalised, then completed. The
        // rest of a longer text stays as it is.
        const QString t = txtCntry->Text();
        const int selected = txtCntry->SelLength();
        txtCntry->setText(t.left(1) + t.mid(1, 1).toLower() + t.mid(2));
        txtCntry->setSelStart(2);
        txtCntry->setSelLength(selected);
    }
    if (txtCntry->Text().size() > 1 && KeyAscii != 0) {
        BoxState box = boxStateOf(*txtCntry);
        const PrefixTable& prefixes = app_.tables().prefixes;
        const int row = CountryTypeAhead(prefixes, box, KeyAscii);
        if (row > 0) {
            setBoxStateOf(*txtCntry, box);
            Label19->setCaption(prefixes[row].PrefixContinent);
            BearingDistance(prefixes[row].PrefixLatitude, prefixes[row].PrefixLongitude);
        }
        if (KeyAscii == 32) {
            KeyAscii = 0;
            txtSec->SetFocus();
        }
    }
}

void Infrm::txtSec_GotFocus() {
    // A county belongs only to a station of the contest state.
    if (!same(txtCntry->Text(), app_.station().ContestState)) {
        txtCall->SetFocus();
        lblStation.at(4)->setEnabled(false);
    } else {
        lblStation.at(4)->setEnabled(true);
    }
    LoggingWindow::txtSec_GotFocus();
}

void Infrm::txtSec_KeyPress(int& KeyAscii) {
    countyBoxKeyPress(KeyAscii);
    RunState& run = app_.run();
    if (run.HandOverTarget != 4) return;
    // The county box's first key after a digit was handed on from the call box. A key that is
    // still to be typed becomes the box's whole text; one already used or dropped leaves the
    // text as it is, so no empty character code ever enters the box.
    if (KeyAscii != 0) {
        txtSec->setText(QString(QChar(KeyAscii)));
        txtSec->setSelStart(1);
        KeyAscii = 0;
    }
    run.HandOverTarget = 0;
}

}  // namespace qf
