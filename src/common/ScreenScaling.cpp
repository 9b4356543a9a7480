#include "common/ScreenScaling.h"

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Form.h"
#include "platform/Screen.h"

#include <array>

namespace qf {

namespace {

using R = ScalingRoutine;
using P = Placement;
using WF = WindowFontRule;
using CF = ControlFontRule;

// Which window scales how. Windows look themselves up here by name.
constexpr std::array kRows = {
    ScalingRow{"frmStationID", R::ResizeForm, P::Centred, WF::HeightRatio, CF::SmallerScreenRatio, 170},
    ScalingRow{"DEEditInfrm", R::ResizeForm, P::Centred, WF::HeightRatio, CF::SmallerScreenRatio, 170},
    ScalingRow{"DEEditOut", R::ResizeForm, P::Centred, WF::HeightRatio, CF::SmallerScreenRatio, 170},
    ScalingRow{"DECabrilloIn", R::ResizeForm, P::Centred, WF::HeightRatio, CF::SmallerScreenRatio, 170},
    ScalingRow{"frmWinKey", R::ResizeFormTo, P::Centred, WF::SmallerGrowth, CF::SmallerGrowth, 0},
    ScalingRow{"Outfrm", R::ScaleToScreen, P::Centred, WF::NewWidth, CF::SmallerScreenRatio, 0},
    ScalingRow{"Infrm", R::ScaleToScreen, P::Centred, WF::NewWidth, CF::SmallerScreenRatio, 0},
    ScalingRow{"Form5", R::ScaleToScreen, P::Centred, WF::WidthRatio, CF::SmallerScreenRatio, 0},
    ScalingRow{"Form6", R::ScaleToScreen, P::Centred, WF::WidthRatio, CF::WidthRatio, 0},
    ScalingRow{"PhoneFrm", R::ScaleToScreen, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"BlindFrm", R::ScaleToScreen, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"frmCountyChange", R::ScaleToScreen, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"frmCountyChangeRover", R::ScaleToScreen, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"frmFrequencyTest", R::ScaleToScreen, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"SpectrumMap", R::ScaleToScreen, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"frmCountyList", R::ScaleToScreen, P::UpperSixth, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"PacketSpotfrm", R::ScaleToScreen, P::NearTop, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"frmRigTune", R::ScaleToScreen, P::Centred, WF::BaseFont, CF::CappedWidthRatio, 0},
    ScalingRow{"CWFrm", R::ScaleToWorkArea, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"GraphQSO", R::ScaleToWorkArea, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"RigControlfrm", R::ScaleToWorkArea, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"frmCodePractice", R::ScaleToWorkArea, P::Centred, WF::NewWidth, CF::CappedWidthRatio, 0},
    ScalingRow{"frmBandPlan", R::ScaleToWorkArea, P::Fill, WF::Unchanged, CF::CappedWidthRatio, 0},
    ScalingRow{"CountyMapMN", R::PlaceOnly, P::Centred, WF::Unchanged, CF::Unchanged, 0},
    ScalingRow{"frmArdlowLogo", R::PlaceOnly, P::Centred, WF::Unchanged, CF::Unchanged, 170},
};

struct Ratios {
    float width;    // screen width / 9600
    float height;   // screen height / 7200
    float smaller;  // the smaller of the two
    float capped;   // width ratio, at most 1.5
};

Ratios ratiosOf(const Screen& screen) {
    const QSizeF s = screen.sizeTwips();
    Ratios r{};
    r.width = static_cast<float>(s.width() / kDesignWidth);
    r.height = static_cast<float>(s.height() / kDesignHeight);
    r.smaller = r.width <= r.height ? r.width : r.height;
    r.capped = r.width > 1.5f ? 1.5f : r.width;
    return r;
}

// The kinds whose box and font the routines scale.
bool isScalableBox(ControlKind k) {
    switch (k) {
        case ControlKind::ListBox:
        case ControlKind::CommandButton:
        case ControlKind::TextBox:
        case ControlKind::Label:
        case ControlKind::ComboBox:
        case ControlKind::Image:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::Frame:
        case ControlKind::ListView: return true;
        default: return false;
    }
}

void scaleLine(Control& c, double wr, double hr) {
    auto& line = static_cast<Line&>(c);
    line.setPoints(line.X1() * wr, line.Y1() * hr, line.X2() * wr, line.Y2() * hr);
}

void scaleColumns(Control& c, double wr) {
    for (int i = 0; i < c.columnCount(); ++i) c.setColumnWidth(i, c.columnWidth(i) * wr);
}

void reportResizeError(Dialogs& dialogs, const QString& text) {
    dialogs.ok(text, QStringLiteral("Form Resize Error"));
}

}  // namespace

const ScalingRow* scalingRowFor(const QString& window) {
    for (const auto& row : kRows) {
        if (window == QLatin1String(row.window)) return &row;
    }
    return nullptr;
}

void ScaleWindow(Form& form, const Screen& screen, Dialogs& dialogs, double baseFontSize) {
    const ScalingRow* row = scalingRowFor(form.Name());
    if (!row) return;
    switch (row->routine) {
        case R::ResizeForm: ResizeForm(form, screen, dialogs); break;
        case R::ResizeFormTo: {
            const QSizeF s = screen.sizeTwips();
            ResizeFormTo(form, static_cast<float>(s.width()), static_cast<float>(s.height()),
                         static_cast<float>(kDesignWidth), static_cast<float>(kDesignHeight), 0,
                         1.0f, QStringLiteral("Arial"), dialogs);
            break;
        }
        case R::ScaleToScreen:
            ScaleToScreen(form, screen, row->placement, row->windowFont, row->controlFont,
                          baseFontSize);
            break;
        case R::ScaleToWorkArea: ScaleToWorkArea(form, screen, row->placement); break;
        case R::PlaceOnly: PlaceOnScreen(form, screen, row->offsetAboveCentre); break;
    }
}

void ResizeForm(Form& form, const Screen& screen, Dialogs& dialogs) {
    const QSizeF s = screen.sizeTwips();
    const Ratios r = ratiosOf(screen);
    try {
        form.setWidth(form.Width() / kDesignWidth * s.width());
        form.setHeight(form.Height() / kDesignHeight * s.height());
        form.setLeft((s.width() - form.Width()) / 2);
        form.setTop((s.height() - form.Height()) / 2 - 170);
        form.setFontSize(form.FontSize() * r.height);
        const auto controls = form.controls();
        for (Control* c : controls) {
            if (isScalableBox(c->kind())) {
                if (c->kind() != ControlKind::ComboBox) c->setHeight(c->Height() * r.height);
                c->setLeft(c->Left() * r.width);
                c->setTop(c->Top() * r.height);
                c->setWidth(c->Width() * r.width);
                if (c->kind() != ControlKind::Image) c->setFontSize(c->FontSize() * r.smaller);
            }
            if (c->kind() == ControlKind::Line) scaleLine(*c, r.width, r.height);
            if (c->kind() == ControlKind::ListView) scaleColumns(*c, r.width);
        }
    } catch (const Error& e) {
        reportResizeError(dialogs, e.text());
    }
}

void ResizeFormTo(Form& form, float targetWidth, float targetHeight, float designWidth,
                  float designHeight, quint8 fixedSize, float fontGrowth, const QString& fontName,
                  Dialogs& dialogs) {
    try {
        const double clientW = form.ScaleWidth();
        const double clientH = form.ScaleHeight();
        if (fixedSize == 1) {
            form.setWidth(targetWidth);
            form.setHeight(targetHeight);
        } else {
            form.setWidth(form.Width() / designWidth * targetWidth);
            form.setHeight(form.Height() / designHeight * targetHeight);
        }
        form.setLeft((targetWidth - form.Width()) / 2);
        form.setTop((targetHeight - form.Height()) / 2);
        const float rw = static_cast<float>(form.ScaleWidth() / clientW);
        const float rh = static_cast<float>(form.ScaleHeight() / clientH);
        const float r = rw > rh ? rh : rw;
        const float f = form.Height() > clientH ? (r - 1) * fontGrowth + 1 : r;
        if (!fontName.isEmpty()) form.setFontName(fontName);
        form.setFontSize(form.FontSize() * f);
        const auto controls = form.controls();
        for (Control* c : controls) {
            if (isScalableBox(c->kind())) {
                c->setHeight(c->Height() * rh);
                c->setLeft(c->Left() * rw);
                c->setTop(c->Top() * rh);
                c->setWidth(c->Width() * rw);
                if (c->kind() != ControlKind::Image) {
                    if (!fontName.isEmpty()) c->setFontName(fontName);
                    c->setFontSize(c->FontSize() * f);
                }
            }
            if (c->kind() == ControlKind::Line) scaleLine(*c, rw, rh);
            if (c->kind() == ControlKind::ListView) scaleColumns(*c, rw);
        }
    } catch (const Error& e) {
        reportResizeError(dialogs, e.text());
    }
}

void ScaleToScreen(Form& form, const Screen& screen, Placement placement,
                   WindowFontRule windowFont, ControlFontRule controlFont, double baseFontSize) {
    const QSizeF s = screen.sizeTwips();
    const Ratios r = ratiosOf(screen);
    form.setWidth(form.Width() / kDesignWidth * s.width());
    form.setHeight(form.Height() / kDesignHeight * s.height());
    form.setLeft((s.width() - form.Width()) / 2);
    switch (placement) {
        case P::UpperSixth: form.setTop((s.height() - form.Height()) / 6); break;
        case P::NearTop: form.setTop(2); break;
        default: form.setTop((s.height() - form.Height()) / 2); break;
    }
    switch (windowFont) {
        case WF::NewWidth: form.setFontSize(form.FontSize() * (form.Width() / kDesignWidth)); break;
        case WF::WidthRatio: form.setFontSize(form.FontSize() * r.width); break;
        case WF::BaseFont: form.setFontSize(baseFontSize * r.width); break;
        default: break;
    }
    float cf = 1;
    switch (controlFont) {
        case CF::CappedWidthRatio: cf = r.capped; break;
        case CF::SmallerScreenRatio: cf = r.smaller; break;
        case CF::WidthRatio: cf = r.width; break;
        default: break;
    }
    const auto controls = form.controls();
    for (Control* c : controls) {
        if (isScalableBox(c->kind())) {
            c->setHeight(c->Height() * r.height);
            c->setLeft(c->Left() * r.width);
            c->setTop(c->Top() * r.height);
            c->setWidth(c->Width() * r.width);
            if (c->kind() != ControlKind::Image) c->setFontSize(c->FontSize() * cf);
        } else if (c->kind() == ControlKind::Line) {
            scaleLine(*c, r.width, r.height);
        }
    }
}

void ScaleToWorkArea(Form& form, const Screen& screen, Placement placement) {
    // Every step that fails is skipped and the next one runs.
    auto step = [](auto&& fn) {
        try {
            fn();
        } catch (const Error&) {
        }
    };
    const QRectF wa = screen.workAreaTwips();
    const Ratios r = ratiosOf(screen);
    const double notedH = form.Height();
    const double notedW = form.Width();
    if (placement == P::Fill) {
        step([&] { form.setWidth(wa.width()); });
        step([&] { form.setHeight(wa.height()); });
        step([&] { form.setLeft(0); });
        step([&] { form.setTop(0); });
    } else {
        step([&] { form.setWidth(wa.width() * form.Width() / kDesignWidth); });
        step([&] { form.setHeight(wa.height() * form.Height() / kDesignHeight); });
        step([&] { form.setLeft((wa.width() - form.Width()) / 2); });
        step([&] { form.setTop((wa.height() - form.Height()) / 2); });
        step([&] { form.setFontSize(form.FontSize() * (form.Width() / kDesignWidth)); });
    }
    const double gw = form.Width() / notedW;
    const double gh = form.Height() / notedH;
    const auto controls = form.controls();
    for (Control* c : controls) {
        if (c->hasGeometry()) {
            step([&] { c->setHeight(c->Height() * gh); });
            step([&] { c->setLeft(c->Left() * gw); });
            step([&] { c->setTop(c->Top() * gh); });
            step([&] { c->setWidth(c->Width() * gw); });
        }
        if (c->hasFont() && c->widget()) step([&] { c->setFontSize(c->FontSize() * r.capped); });
        if (c->kind() == ControlKind::Line) step([&] { scaleLine(*c, gw, gh); });
    }
}

void PlaceOnScreen(Form& form, const Screen& screen, double above) {
    const QSizeF s = screen.sizeTwips();
    form.setLeft((s.width() - form.Width()) / 2);
    form.setTop((s.height() - form.Height()) / 2 - above);
}

}  // namespace qf
