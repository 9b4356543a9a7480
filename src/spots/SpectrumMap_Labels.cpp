// The spectrum map's spot labels: the redraw that puts every spot slot on its band's line with
// its tooltip and age colour, and the clicks on a label (tune to it, or remove it).
#include "spots/SpectrumMap.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/Formats.h"
#include "common/QuotedFieldLine.h"
#include "platform/Error.h"
#include "spots/SpectrumBands.h"

#include <QPointer>

#include <cmath>

namespace qf {

namespace {
// Whether the arrival time plus the UTC offset is still a time the program can show: an offset
// typed as a huge number would otherwise wrap or run past the calendar.
bool utcArrivalFormable(const QDateTime& local, float offsetHours) {
    if (!std::isfinite(offsetHours) || std::fabs(offsetHours) > 1e8f) return false;
    const QDateTime utc = addUtcOffset(local, offsetHours);
    return utc.isValid() && utc.date().year() >= 100 && utc.date().year() <= 9999;
}

Error redrawEnds() {
    return Error(err::kOverflow, QStringLiteral("Overflow"));
}
}  // namespace

void SpectrumMap::BandMapLabelDisplay() {
    setCursor(Qt::WaitCursor);
    // Which labels end up shown is settled first and applied once: hiding all fifty and showing
    // them again at every spot would make a busy cluster flicker and stall the keyboard.
    std::array<bool, SpotSlotTable::kSlots> shown{};
    try {
        const QDateTime now = platform().clock.localNow();
        DrawBandScales();
        for (int i = SpotSlotTable::kSlots - 1; i >= 0; --i) {
            if (!drawSlot(i, now, shown)) break;
        }
    } catch (const Error&) {
        // The labels not reached stay hidden.
    }
    for (size_t i = 0; i < lblDXSpot.size(); ++i) {
        if (lblDXSpot[i]->Visible() != shown[i]) lblDXSpot[i]->setVisible(shown[i]);
    }
    setCursor(Qt::ArrowCursor);
}

bool SpectrumMap::drawSlot(int i, const QDateTime& now, std::array<bool, 50>& shown) {
    const SpotSlot& s = app_.spots()[i];
    Label* l = lblDXSpot[static_cast<size_t>(i)];
    const bool everFilled = s.SpotTime.isValid();
    const float offset = app_.station().UTCOffsetHours;
    if (everFilled && !utcArrivalFormable(s.SpotTime, offset)) throw redrawEnds();
    const QString tip = spotToolTip(s, offset);
    if (l->toolTip() != tip) l->setToolTip(tip);
    l->setCaption(s.SpotLabel);

    bool placed = false;
    const float f = s.SpotFrequency;
    const int k = spots::spectrumBandOf(f);
    if (k >= 0) {
        // The edges are read back from the scale just written, as shown, to three decimals.
        double lo = 0, hi = 0;
        if (!parseNumber(lblFreqSpot[static_cast<size_t>(5 * k)]->Caption(), lo) ||
            !parseNumber(lblFreqSpot[static_cast<size_t>(5 * k + 4)]->Caption(), hi) ||
            !(hi > lo)) {
            throw redrawEnds();
        }
        const Line* line = lineHF[static_cast<size_t>(k)];
        const double top = line->Y1() - l->Height();
        const double left = spots::spotLabelLeft(f, lo, hi, line->X1(), line->X2(), l->Width());
        if (l->Top() != top || l->Left() != left) l->Move(left, top, l->Width(), l->Height());
        placed = true;
    }

    // The first slot never filled, or an hour old, ends the redraw: every older spot is older.
    if (!everFilled) return false;
    const qint64 age = s.SpotTime.secsTo(now);
    if (age >= kSpotMaxAgeSeconds) return false;
    const quint32 color = spotAgeColor(age);
    if (l->ForeColor() != color) l->setForeColor(color);
    shown[static_cast<size_t>(i)] = placed;
    return true;
}

void SpectrumMap::lblDXSpot_MouseDown(int Index, int Button) {
    try {
        SpotSlot& s = app_.spots()[Index];
        if (Button == 2) {
            // Taken before tuning: the tuning lets events run, and a spot arriving then moves
            // every slot down, so reading the slot afterwards would give another spot's call.
            const QString call = s.SpotCall;
            float mhz = s.SpotFrequency;
            QPointer<SpectrumMap> self(this);
            tuneRig(mhz);
            if (!self) return;
            TextBox& box = app_.forms().Form1().openCallBox();
            box.setText(call);
            Hide();
            // Its focus handlers run once this handler has returned.
            box.SetFocus();
        } else {
            s.SpotFrequency = 0;
            BandMapLabelDisplay();
        }
    } catch (const Error&) {
    }
}

}  // namespace qf
