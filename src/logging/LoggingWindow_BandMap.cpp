// The logging window's spot list and band map: spots arriving from the spotting window, the
// list of the last 200 and the band map of the current band drawn from the shared spot slots,
// the layout that makes room for them at the bottom of the window, and the clicks on them.
#include "app/App.h"
#include "app/Forms.h"
#include "common/QuotedFieldLine.h"
#include "logging/LoggingWindow.h"
#include "logging/SpotSlots.h"
#include "platform/Error.h"
#include "rig/RigModels.h"
#include "spots/Spotting.h"

#include <QPointer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qf {

namespace {
constexpr int kSpotListRows = 200;
constexpr double kSqueeze = 0.9, kStretch = 1.1111111;
constexpr double kHiddenTop = 1000;  // where the removed list and map wait, out of the way
}  // namespace

void LoggingWindow::BandMapSpots(const QString& qDXSpotCall, QString& qDXSpotFreq,
                                 QString& qDXSpotRecord) {
    try {
        double khz = 0;
        if (!parseNumber(qDXSpotFreq, khz)) return;
        const qsizetype cr = qDXSpotRecord.indexOf(QLatin1Char('\r'));
        if (cr >= 0) qDXSpotRecord.truncate(cr);
        const double mhz = khz / 1000;
        // The caller's variable holds the MHz value as the list's Frequency column shows it.
        qDXSpotFreq = mhzText(mhz);
        if (std::fabs(mhz) > std::numeric_limits<float>::max()) {
            throw Error(err::kOverflow, QStringLiteral("Overflow"));
        }
        const QString call = cleanSpottedCall(qDXSpotCall);
        app_.spots().take(call, static_cast<float>(mhz), platform().clock.localNow());
        if (lblDX->Visible()) DisplayBandMapLabels();
        spots::RedrawSpectrumMap(app_);
        if (txtDX->count() > kSpotListRows - 1) txtDX->removeRow(txtDX->count());
        txtDX->addRow(spotListRow(call, mhz, qDXSpotRecord, spots::SpotCountry(app_, call)), true);
    } catch (const Error&) {
        // A spot that cannot be taken is dropped; what was done stays done.
    }
}

void LoggingWindow::SetBandMapScale() {
    try {
        const BandEdges range = bandMapRange(app_.spots(), app_.station().CurrentBand);
        for (size_t i = 0; i < lblFreqSpot.size(); ++i) {
            lblFreqSpot[i]->setCaption(scaleLabelText(range, static_cast<int>(i)));
        }
    } catch (const Error&) {
    }
}

void LoggingWindow::DisplayBandMapLabels() {
    if (!lblDX->Visible()) return;
    // Which labels end up visible is worked out first and applied once at the end: hiding all
    // fifty and showing them again for every spot would make a busy cluster stall the keyboard.
    std::array<bool, SpotSlotTable::kSlots> shown{};
    try {
        SetBandMapScale();
        double low = 0, high = 0;
        if (!parseNumber(lblFreqSpot[0]->Caption(), low) ||
            !parseNumber(lblFreqSpot[4]->Caption(), high)) {
            throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
        }
        const float lowF = static_cast<float>(low), highF = static_cast<float>(high);
        const SpotSlotTable& spots = app_.spots();
        const double x1 = LineDX->X1(), x2 = LineDX->X2(), y1 = LineDX->Y1();
        const float offset = app_.station().UTCOffsetHours;
        for (const DrawnSpot& d : bandMapSpots(spots, lowF, highF, platform().clock.localNow())) {
            const SpotSlot& s = spots[d.slot];
            Label* l = lblDXSpot[static_cast<size_t>(d.slot)];
            const QString tip = spotToolTip(s, offset);
            if (l->toolTip() != tip) l->setToolTip(tip);
            l->setCaption(s.SpotLabel);
            const double top = y1 - l->Height() - 0.004 * Height();
            const double left =
                x1 + (s.SpotFrequency - lowF) / (highF - lowF) * (x2 - x1) - l->Width() / 2;
            if (l->Top() != top || l->Left() != left) l->Move(left, top, l->Width(), l->Height());
            if (l->ForeColor() != d.color) l->setForeColor(d.color);
            shown[static_cast<size_t>(d.slot)] = true;
        }
    } catch (const Error&) {
        // The labels placed so far are shown; the rest stay hidden.
    }
    for (size_t i = 0; i < lblDXSpot.size(); ++i) {
        if (lblDXSpot[i]->Visible() != shown[i]) lblDXSpot[i]->setVisible(shown[i]);
    }
}

void LoggingWindow::RefreshBandMap() {
    try {
        if (lblDX->Visible()) DisplayBandMapLabels();
    } catch (const Error&) {
    }
}

void LoggingWindow::setSpotDisplayVisible(bool list, bool map) {
    txtDX->setVisible(list);
    lblDX->setVisible(map);
    LineDX->setVisible(map);
    for (Label* l : lblFreqSpot) l->setVisible(map);
    if (!map) {
        for (Label* l : lblDXSpot) l->setVisible(false);
    }
    // The spotting window's timer refreshes the map only while this flag is up.
    app_.forms().Form1().lblDX->setVisible(map);
    // Shown at once with the spots already held, rather than blank until the next spot.
    if (map) DisplayBandMapLabels();
}

void LoggingWindow::scaleForSpotStrip(double factor, double* lowestBottom) {
    for (Control* c : controls()) {
        switch (c->kind()) {
            case ControlKind::Label:
            case ControlKind::TextBox:
            case ControlKind::CommandButton:
            case ControlKind::ListBox:
            case ControlKind::ListView:
                c->setHeight(c->Height() * factor);
                c->setTop(c->Top() * factor);
                if (lowestBottom) *lowestBottom = std::max(*lowestBottom, c->Top() + c->Height());
                break;
            case ControlKind::Line: {
                auto* l = static_cast<Line*>(c);
                l->setPoints(l->X1(), l->Y1() * factor, l->X2(), l->Y2() * factor);
                break;
            }
            default:
                break;
        }
    }
}

void LoggingWindow::PacketResize() {
    // Laid out from the spotting window's source list and its "Main Form Display" choice.
    const spots::DisplayChoice choice = spots::MainFormDisplay(app_);
    const bool none = choice.source.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0;
    const bool wantList = choice.list;
    try {
        // Switching between list and map where one of them already shows.
        if (txtDX->Visible() && !wantList) {
            setSpotDisplayVisible(false, true);
        } else if (wantList && lblDX->Visible()) {
            setSpotDisplayVisible(true, false);
        }

        // The first layout: the controls give up a tenth of their height for the strip below.
        if (!txtDX->Visible() && !lblDX->Visible() && !none) {
            double lowest = 0;
            scaleForSpotStrip(kSqueeze, &lowest);
            PlaceCountyLists();
            for (Control* c : std::initializer_list<Control*>{txtDX, lblDX}) {
                c->setTop(lowest);
                c->setHeight(ScaleHeight() - c->Top());
                c->setLeft(0.01 * Width());
                c->setWidth(0.97 * Width());
            }
            const double halfSpot = lblDXSpot[0]->Width() / 2;
            const double axisY = lblDX->Top() + lblDX->Height() / 2;
            LineDX->setPoints(lblDX->Left() + halfSpot, axisY,
                              lblDX->Left() + lblDX->Width() - halfSpot, axisY);
            for (Label* l : lblFreqSpot) l->setTop(LineDX->Y1() + 0.004 * Height());
            SetBandMapScale();
            const double x1 = LineDX->X1(), x2 = LineDX->X2();
            for (size_t i = 0; i < lblFreqSpot.size(); ++i) {
                lblFreqSpot[i]->setLeft(x1 + static_cast<double>(i) * 0.25 * (x2 - x1) -
                                        lblFreqSpot[i]->Width() / 2);
            }
            setSpotDisplayVisible(wantList, !wantList);
        }

        // Spotting switched off: the controls take the strip back.
        if (none && (txtDX->Visible() || lblDX->Visible())) {
            scaleForSpotStrip(kStretch, nullptr);
            PlaceCountyLists();
            setSpotDisplayVisible(false, false);
            txtDX->setTop(kHiddenTop);
            lblDX->setTop(kHiddenTop);
            LineDX->setPoints(LineDX->X1(), kHiddenTop, LineDX->X2(), kHiddenTop);
            for (Label* l : lblDXSpot) l->setTop(kHiddenTop);
            for (Label* l : lblFreqSpot) l->setTop(kHiddenTop);
        }
    } catch (const Error&) {
    }
}

// ---- clicks on the list and the map

void LoggingWindow::lblDXSpot_MouseDown(int Index, int Button) {
    SpotSlot& s = app_.spots()[Index];
    if (Button == 2) {
        // Both taken before tuning: the rig commands let events run, and a spot arriving then
        // shifts the slots, so the slot would hold another spot afterwards.
        const QString call = cleanSpottedCall(s.SpotCall);
        float mhz = s.SpotFrequency;
        const QPointer<LoggingWindow> self(this);
        app_.forms().RigControlfrm().ChangeFrequency(mhz);
        if (!self) return;
        txtCall->SetFocus();
        txtCall->setText(call);
        SendTab();
    } else {
        s.SpotFrequency = 0;
        DisplayBandMapLabels();
    }
}

void LoggingWindow::lblDXSpot_MouseMove(int Index) {
    lblDupe->setCaption(lblDXSpot.at(static_cast<size_t>(Index))->toolTip());
}

void LoggingWindow::txtDX_Click() {
    try {
        txtCall->SetFocus();
        if (txtDX->count() == 0) return;
        // No row picked: nothing to take.
        const int row = txtDX->selectedRow();
        if (row == 0) return;
        double mhz = 0;
        if (!parseNumber(txtDX->text(row, 1), mhz)) return;
        // Taken before tuning: a spot arriving while the rig is tuned adds a row at the top.
        const QString call = cleanSpottedCall(txtDX->text(row, 0));
        if (!rig::IsNoRig(app_.station().RigModel)) {
            if (std::fabs(mhz) > std::numeric_limits<float>::max())
                throw Error(err::kOverflow, QStringLiteral("Overflow"));
            float frequency = static_cast<float>(mhz);
            const QPointer<LoggingWindow> self(this);
            app_.forms().RigControlfrm().ChangeFrequency(frequency);
            if (!self) return;
        }
        txtCall->SetFocus();
        txtCall->setText(call);
    } catch (const Error&) {
    }
}

void LoggingWindow::txtDX_DblClick() { spots::ShowSpectrumMap(app_); }

void LoggingWindow::lblDX_Click() { spots::ShowWindow(app_); }

void LoggingWindow::lblDX_DblClick() { spots::ShowSpectrumMap(app_); }

}  // namespace qf
