// The spectrum map's window: its controls, its load with the fit to the work area, and the band
// scales. The spot labels are drawn in SpectrumMap_Labels.cpp.
#include "spots/SpectrumMap.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/ScreenScaling.h"
#include "platform/Error.h"
#include "spots/SpectrumBands.h"

#include <QCoreApplication>
#include <QEvent>

namespace qf {

namespace {
constexpr quint32 kStripColor = 0x800000;  // dark blue
constexpr double kClientWidth = 9480, kClientHeight = 6795;

// A failing statement is skipped and the next one runs.
template <class Fn>
void step(Fn&& fn) {
    try {
        fn();
    } catch (const Error&) {
    }
}

void smallSerif(Label* l) {
    l->setTransparent(true);
    l->setForeColor(kWhite);
    l->setAlignment(Qt::AlignCenter);
    l->setFontName(QStringLiteral("MS Serif"));
    l->setFontSize(6.75);
}
}  // namespace

SpectrumMap::SpectrumMap(App& app)
    : Form(app.platform(), QStringLiteral("SpectrumMap"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral(" HF Spectrum Map"));
    Move(0, 0, kClientWidth + 2 * kBorderTwips, kClientHeight + 2 * kBorderTwips + kCaptionTwips);
    buildControls();
    tuneRig = [this](float& mhz) { app_.forms().RigControlfrm().ChangeFrequency(mhz); };
}

void SpectrumMap::buildControls() {
    // Created back to front: strips, then lines, then the labels that stand on them.
    for (int k = 0; k < spots::kSpectrumBands; ++k) {
        Label* strip = add<Label>(QStringLiteral("lblHFSpots(%1)").arg(k));
        strip->Move(120, 120 + 600 * k, 9255, 495);
        strip->setBackColor(kStripColor);
        strip->setFrameStyle(QFrame::Box | QFrame::Plain);
        lblHFSpots[static_cast<size_t>(k)] = strip;
    }
    for (int k = 0; k < spots::kSpectrumBands; ++k) {
        const double y = 360 + 600 * k;
        Line* line = add<Line>(QStringLiteral("lineHF(%1)").arg(k), 360, y, 9120, y);
        line->setBorderColor(kWhite);
        lineHF[static_cast<size_t>(k)] = line;
    }
    for (int n = 0; n < static_cast<int>(lblFreqSpot.size()); ++n) {
        Label* l = add<Label>(QStringLiteral("lblFreqSpot(%1)").arg(n));
        l->Move(0, 0, 615, n == 0 || n == 2 || n == 3 ? 180 : 255);
        smallSerif(l);
        l->setVisible(false);
        lblFreqSpot[static_cast<size_t>(n)] = l;
    }
    for (int i = 0; i < static_cast<int>(lblDXSpot.size()); ++i) {
        Label* l = add<Label>(QStringLiteral("lblDXSpot(%1)").arg(i), QStringLiteral("DXLBL"));
        l->Move(0, 0, 600, 180);
        smallSerif(l);
        l->setVisible(false);
        l->MouseDown = [this, i](int Button, int, double, double) {
            lblDXSpot_MouseDown(i, Button);
        };
        lblDXSpot[static_cast<size_t>(i)] = l;
    }
}

void SpectrumMap::Form_Load() {
    // A failing step ends the load there; the window opens with what was done.
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
        lblDXSpot[49]->raise();
        DrawBandScales();
        for (Label* l : lblFreqSpot) l->setVisible(true);
        FillWorkArea();
        QCoreApplication::processEvents();
    } catch (const Error&) {
    }
}

void SpectrumMap::FillWorkArea() {
    const double w0 = Width(), h0 = Height();
    const QRectF area = platform().screen.workAreaTwips();
    // A work area that cannot be read leaves the size, and both factors 1.
    if (area.width() > 0 && area.height() > 0) {
        step([&] { setWidth(area.width()); });
        step([&] { setHeight(area.height()); });
    }
    // The screen's corner, whichever side the taskbar is on.
    step([&] { setLeft(0); });
    step([&] { setTop(0); });
    const double wr = Width() / w0, hr = Height() / h0;
    for (Control* c : controls()) {
        if (c->kind() == ControlKind::Line) {
            auto* l = static_cast<Line*>(c);
            step([&] { l->setPoints(l->X1() * wr, l->Y1() * hr, l->X2() * wr, l->Y2() * hr); });
        } else if (c->hasGeometry()) {
            step([&] { c->setHeight(c->Height() * hr); });
            step([&] { c->setTop(c->Top() * hr); });
            step([&] { c->setLeft(c->Left() * wr); });
            step([&] { c->setWidth(c->Width() * wr); });
        }
    }
}

void SpectrumMap::DrawBandScales() {
    std::array<float, SpotSlotTable::kSlots> frequencies{};
    const SpotSlotTable& table = app_.spots();
    for (int i = 0; i < SpotSlotTable::kSlots; ++i) {
        frequencies[static_cast<size_t>(i)] = table[i].SpotFrequency;
    }
    const double outerHeight = Height();
    for (const spots::SpectrumBand& band : spots::kSpectrumBandTable) {
        // Every drawing starts from the band's own edges: nothing carries over.
        float high = band.BandHigh, low = band.BandLow;
        spots::ZoomBandToSpots(frequencies, high, low);
        const Line* line = lineHF[static_cast<size_t>(band.BandIndex)];
        const double x1 = line->X1(), x2 = line->X2();
        const double top = line->Y1() + 0.004 * outerHeight;
        for (int i = 0; i < 5; ++i) {
            Label* l = lblFreqSpot[static_cast<size_t>(5 * band.BandIndex + i)];
            step([&] {
                const double value =
                    static_cast<double>(low) +
                    (static_cast<double>(high) - static_cast<double>(low)) * 0.25 * i;
                l->setCaption(frequencyText(roundHalfEven(value, 3)));
            });
            const double left = x1 + (x2 - x1) * 0.25 * i - l->Width() / 2;
            // Placed only when it moved: a redraw at every spot must stay cheap.
            if (l->Top() != top || l->Left() != left) {
                step([&] { l->Move(left, top, l->Width(), l->Height()); });
            }
        }
    }
}

bool SpectrumMap::event(QEvent* e) {
    const bool handled = Form::event(e);
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return handled;
}

void SpectrumMap::Form_Activate() {
    BandMapLabelDisplay();
}

}  // namespace qf
