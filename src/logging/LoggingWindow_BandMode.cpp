// The logging window's band and mode: the band and mode menus, the two captions, and the
// frequency and mode that the rig reports.
#include "app/App.h"
#include "logging/BandRanges.h"
#include "logging/LoggingWindow.h"
#include "platform/Error.h"

namespace qf {

void LoggingWindow::changeBand(int index) {
    const QString band = QLatin1String(kBandTexts.at(static_cast<size_t>(index)));
    app_.station().CurrentBand = band;
    BandChanged();
    mnuBandItems.at(static_cast<size_t>(index))->setChecked(true);
    Label24->setCaption(band);
    WriteQSOPref(app_.station(), platform().files);
    LoadLogAndRefresh();
}

void LoggingWindow::BandChanged() {
    for (MenuItem* item : mnuBandItems) item->setChecked(false);
    if (txtDX->Visible() || lblDX->Visible()) {
        SetBandMapScale();
        if (lblDX->Visible()) DisplayBandMapLabels();
    }
    // In-state: the "New" marker of a typed call follows the band.
    if (kind() == Kind::InState && !txtCall->Text().isEmpty() && txtCntry->Change)
        txtCntry->Change();
}

void LoggingWindow::changeMode(const QString& mode) {
    StationSettings& st = app_.station();
    st.CurrentMode = mode;
    Label30->setCaption(st.CurrentMode);
    WriteQSOPref(st, platform().files);
    LoadLogAndRefresh();
    mnu160->setChecked(mode == QLatin1String("CW"));
    mnuSSB->setChecked(mode == QLatin1String("PH"));
    mnuDigital->setChecked(mode == QLatin1String("DG"));
    if (kind() == Kind::InState && !txtCall->Text().isEmpty() && txtCntry->Change)
        txtCntry->Change();
}

void LoggingWindow::mnu160_Click() {
    changeMode(QStringLiteral("CW"));
}
void LoggingWindow::mnuSSB_Click() {
    changeMode(QStringLiteral("PH"));
}
void LoggingWindow::mnuDigital_Click() {
    changeMode(QStringLiteral("DG"));
}

void LoggingWindow::Label24_Click() {
    try {
        const int next = bandIndex(nextBand(app_.station().CurrentBand));
        if (next >= 0) changeBand(next);
    } catch (const Error&) {
    }
}

void LoggingWindow::Label30_Click() {
    if (app_.station().CurrentMode.compare(QLatin1String("CW"), Qt::CaseInsensitive) == 0) {
        mnuSSB_Click();
    } else {
        mnu160_Click();
    }
}

void LoggingWindow::BandFreqConversion(const float& frequencyValue) {
    try {
        const QString band = BandForFrequency(frequencyValue);
        const int index = bandIndex(band);
        if (!band.isEmpty() && index >= 0 &&
            band.compare(app_.station().CurrentBand, Qt::CaseInsensitive) != 0) {
            changeBand(index);
        }
        // Kept for the next contact, also when the frequency lies in no band.
        app_.run().FrequencyToLog = frequencyText(frequencyValue);
    } catch (const Error&) {
    }
}

void LoggingWindow::ModeSelection(const QString& strMode) {
    try {
        if (strMode.isEmpty() ||
            strMode.compare(app_.station().CurrentMode, Qt::CaseInsensitive) == 0) {
            return;
        }
        if (strMode.compare(QLatin1String("PH"), Qt::CaseInsensitive) == 0) mnuSSB_Click();
        if (strMode.compare(QLatin1String("CW"), Qt::CaseInsensitive) == 0) mnu160_Click();
    } catch (const Error&) {
    }
}

}  // namespace qf
