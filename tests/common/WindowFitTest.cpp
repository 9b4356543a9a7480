// Every window as it opens on a real screen: no visible button may reach past the client area,
// where the operator could neither see nor click it; every caption is whole at the font its
// control really has; and no control hides a sibling, but where the design lays one over another.
#include "app/Forms.h"
#include "logging/LoggingFixture.h"
#include "platform/ChoiceControls.h"
#include "platform/Controls.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <functional>
#include <optional>

namespace qf {
namespace {

using test::LoggingFixture;

using Opener = std::function<Form&(LoggingFixture&, Forms&)>;

struct WindowCase {
    const char* name;
    Opener open;
    bool inState = false;  // the station operates inside the contest state
};

template <class F>
Opener opener(F& (Forms::*get)()) {
    return [get](LoggingFixture&, Forms& f) -> Form& { return (f.*get)(); };
}

// A logging window as the operator has it, optionally in post-contest mode.
template <class F>
Opener logging(F& (Forms::*get)(), bool postContest) {
    return [get, postContest](LoggingFixture&, Forms& f) -> Form& {
        F& w = (f.*get)();
        w.Show();
        if (postContest) w.mnuPostContest->action()->trigger();
        return w;
    };
}

const WindowCase kWindows[] = {
    {"Outfrm", logging(&Forms::Outfrm, false)},
    {"Outfrm_PostContest", logging(&Forms::Outfrm, true)},
    {"Infrm", logging(&Forms::Infrm, false), true},
    {"Infrm_PostContest", logging(&Forms::Infrm, true), true},
    {"frmStationID", opener(&Forms::frmStationID)},
    {"CWFrm", opener(&Forms::CWFrm)},
    {"frmWinKey", opener(&Forms::frmWinKey)},
    {"PhoneFrm", opener(&Forms::PhoneFrm)},
    {"BlindFrm", opener(&Forms::BlindFrm)},
    {"frmCodePractice", opener(&Forms::frmCodePractice)},
    {"RigControlfrm", opener(&Forms::RigControlfrm)},
    {"frmRigTune", opener(&Forms::frmRigTune)},
    {"frmBandPlan", opener(&Forms::frmBandPlan)},
    {"frmFrequencyTest", opener(&Forms::frmFrequencyTest)},
    {"PacketSpotfrm", opener(&Forms::PacketSpotfrm)},
    {"SpectrumMap", opener(&Forms::SpectrumMap)},
    {"frmCountyList", opener(&Forms::frmCountyList), true},
    {"CountyMapMN", opener(&Forms::CountyMapMN), true},
    {"GraphQSO", opener(&Forms::GraphQSO)},
    {"DEEditOut", opener(&Forms::DEEditOut)},
    {"DEEditInfrm", opener(&Forms::DEEditInfrm), true},
    {"frmCountyChange", opener(&Forms::frmCountyChange), true},
    {"frmCountyChangeRover", opener(&Forms::frmCountyChangeRover), true},
    {"DECabrilloIn", opener(&Forms::DECabrilloIn)},
    {"Form5", opener(&Forms::Form5)},
    {"Form6", opener(&Forms::Form6)},
};

// The new user's 1600 x 1000 screen and the design screen itself, in twips.
const QSizeF kScreens[] = {{24000, 15000}, {9600, 7200}};

// How far two controls' edges may lie over one another without hiding anything: the designs
// let neighbours share a border line, 15 twips, which the scaling can round to 3 pixels.
constexpr int kEdgeSlack = 3;

// What the designs really do, each with its reason: a control over a sibling, a caption given
// less room than its text, a control past its container's edge. A name ending in "*" stands for
// every control whose name begins so; an empty one for any control.
enum class Check { Covers, Caption, Outside };

struct Allowed {
    Check check;
    const char* window;  // nullptr: every window
    const char* control;
    const char* other;  // the sibling, for Covers
    const char* reason;
};

const Allowed kAllowed[] = {
    {Check::Covers, "frmBandPlan", "priv*", "blbl*",
     "segments stand on their band's bar, whose caption is black on black and never shows"},
    {Check::Covers, "CountyMapMN", "Label1", "Picture1",
     "the hint is written on the map's grey corner, above the shore"},
    {Check::Covers, "GraphQSO", "Label1", "lblY(0)",
     "the legend title \"Band\" is designed just under the scale's bottom label"},
    {Check::Caption, "frmBandPlan", "priv*", "",
     "a segment is as wide as its share of the band, and the 60 m channels and the 6 m and 2 m CW "
     "segments are narrower than any range text; the tooltip gives the range"},
    {Check::Caption, nullptr, "cmdDup", "",
     "a 14-pixel button on the duplicates header: its 8-pixel letters fit, their line box does "
     "not"},
    {Check::Outside, "PacketSpotfrm", "Label6", "",
     "the send-box prompt is designed 15 twips past the foot of the client area; its one line is "
     "well inside"},
    {Check::Outside, "GraphQSO", "lblTime(14)", "",
     "the last time label is centred on the last grid line at the right edge; its text is inside"},
    {Check::Outside, "GraphQSO", "lblDate(14)", "",
     "the last date label is centred on the last grid line at the right edge; its text is inside"},
};

bool nameMatches(const char* pattern, const QString& name) {
    const QString p = QString::fromLatin1(pattern);
    if (p.isEmpty()) return true;
    return p.endsWith(QLatin1Char('*')) ? name.startsWith(p.chopped(1)) : name == p;
}

bool allowed(Check check, const char* window, const QString& control, const QString& other = {}) {
    for (const Allowed& a : kAllowed) {
        if (a.check != check || (a.window && qstrcmp(a.window, window) != 0)) continue;
        if (check != Check::Covers) {
            if (nameMatches(a.control, control)) return true;
            continue;
        }
        if ((nameMatches(a.control, control) && nameMatches(a.other, other)) ||
            (nameMatches(a.control, other) && nameMatches(a.other, control))) {
            return true;
        }
    }
    return false;
}

// Where a control draws its caption and how it lays it out, measured the way Qt's style lays
// out that kind of control; nothing for a kind without a caption.
struct CaptionBox {
    QRect area;
    int flags;
    QString text;
};

std::optional<CaptionBox> captionBox(Control* c) {
    QWidget* w = c->widget();
    QStyle* style = w->style();
    const int wrapped = Qt::TextWordWrap | Qt::TextShowMnemonic;
    switch (c->kind()) {
        case ControlKind::Label: {
            auto* l = static_cast<Label*>(c);
            const int m = l->margin();
            return CaptionBox{l->contentsRect().adjusted(m, m, -m, -m),
                              int(l->alignment()) | Qt::TextWordWrap, l->text()};
        }
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: {
            auto* b = static_cast<QAbstractButton*>(w);
            QStyleOptionButton opt;
            opt.initFrom(b);
            opt.text = b->text();
            if (c->kind() == ControlKind::CommandButton) {
                return CaptionBox{style->subElementRect(QStyle::SE_PushButtonContents, &opt, b),
                                  Qt::AlignCenter | wrapped, b->text()};
            }
            const auto element = c->kind() == ControlKind::CheckBox
                                     ? QStyle::SE_CheckBoxContents
                                     : QStyle::SE_RadioButtonContents;
            return CaptionBox{style->subElementRect(element, &opt, b),
                              Qt::AlignLeft | Qt::AlignVCenter | wrapped, b->text()};
        }
        case ControlKind::Frame: {
            // A frame's caption runs along its top edge on one line.
            auto* f = static_cast<Frame*>(c);
            QStyleOptionGroupBox opt;
            opt.initFrom(f);
            opt.text = f->title();
            opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            opt.textAlignment = f->alignment();
            const QRect label =
                style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, f);
            return CaptionBox{
                QRect(label.left(), label.top(), f->width() - label.left(), label.height()),
                Qt::AlignLeft | Qt::TextShowMnemonic | Qt::TextSingleLine, f->title()};
        }
        default:
            return std::nullopt;
    }
}

class WindowFitTest : public LoggingFixture,
                      public ::testing::WithParamInterface<std::tuple<int, int>> {
  protected:
    const WindowCase& wc() const { return kWindows[std::get<0>(GetParam())]; }
    QSizeF screen() const { return kScreens[std::get<1>(GetParam())]; }
    std::string where() const {
        return std::string(wc().name) + " at " + std::to_string(int(screen().width() / 15)) +
               " x " + std::to_string(int(screen().height() / 15)) + ": ";
    }

    // As it opens, or a second on, when the clocks show the time instead of their design
    // captions.
    Form& openWindow(bool aSecondOn = true) {
        t.screen().set(screen(), QRectF(QPointF(0, 0), screen()));
        if (wc().inState) {
            StationSettings& st = t.app().station();
            st.OutOfStateFlag = 0;
            st.OwnSPC = QStringLiteral("MN");
            st.OwnCounty = QStringLiteral("AIT");
        }
        t.installShipped({"BandPlan.txt"});  // the privilege chart draws its bars from it
        writeLog({});
        t.dialogs().answerMessage(Answer::Yes);  // open the existing log
        Form& w = wc().open(*this, t.app().forms());
        if (aSecondOn) tick();
        QCoreApplication::processEvents();
        w.ensurePolished();
        return w;
    }

    void tick() {
        t.clock().advance(1000);
        QCoreApplication::processEvents();
    }

    // Each caption laid out at its control's own font: wrapped where the control wraps, it must
    // neither run past the sides nor below the bottom of the area the control draws it in.
    void expectEveryVisibleCaptionFits(Form& w, const char* when) {
        for (Control* c : visibleControls(w)) {
            const std::optional<CaptionBox> box = captionBox(c);
            if (!box || box->text.trimmed().isEmpty() ||
                allowed(Check::Caption, wc().name, c->Name()))
                continue;
            const QFontMetrics fm(c->widget()->font());
            const QRect needed =
                fm.boundingRect(QRect(QPoint(0, 0), box->area.size()), box->flags, box->text);
            EXPECT_TRUE(needed.width() <= box->area.width() &&
                        needed.height() <= box->area.height())
                << where() << when << ": " << c->Name().toStdString() << " \""
                << box->text.toStdString() << "\" in " << c->widget()->font().family().toStdString()
                << " " << c->widget()->font().pointSizeF() << " pt needs " << needed.width()
                << " x " << needed.height() << " px, has " << box->area.width() << " x "
                << box->area.height();
        }
    }

    // The controls the operator can see.
    static std::vector<Control*> visibleControls(Form& w) {
        std::vector<Control*> shown;
        for (Control* c : w.controls()) {
            QWidget* x = c->widget();
            if (x && x->isVisibleTo(&w)) shown.push_back(c);
        }
        return shown;
    }
};

// Pixels, as the window system placed them: the twips are rounded on the way. A control outside
// its container's edge is cut off there: a button the operator can neither see nor click, a
// label whose text is partly gone.
TEST_P(WindowFitTest, EveryVisibleControlLiesInsideItsContainer) {
    Form& w = openWindow();
    for (Control* c : visibleControls(w)) {
        if (c->kind() == ControlKind::Line || allowed(Check::Outside, wc().name, c->Name()))
            continue;
        QWidget* x = c->widget();
        QWidget* container = x->parentWidget();
        EXPECT_TRUE(container->rect().contains(x->geometry()))
            << where() << c->Name().toStdString() << " spans " << x->geometry().left() << ".."
            << x->geometry().right() << ", " << x->geometry().top() << ".."
            << x->geometry().bottom() << " in " << container->objectName().toStdString() << " of "
            << container->width() << " x " << container->height();
    }
}

// Every caption whole, both the design captions the window opens with and the texts its timers
// put in their place a second on (the clocks).
TEST_P(WindowFitTest, EveryVisibleCaptionFitsItsControl) {
    Form& w = openWindow(false);
    expectEveryVisibleCaptionFits(w, "as it opens");
    tick();
    expectEveryVisibleCaptionFits(w, "a second on");
}

// Where a control shows something in its container: the text it lays out, or all of it for a
// control whose content fills it (a box, a list); nothing for one without a caption.
QRect shownPart(Control* c) {
    QWidget* w = c->widget();
    switch (c->kind()) {
        case ControlKind::TextBox:
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
        case ControlKind::ListView:
        case ControlKind::Image:
            return w->geometry();
        default:
            break;
    }
    const std::optional<CaptionBox> box = captionBox(c);
    if (!box || box->text.trimmed().isEmpty()) return {};
    const QRect text = QFontMetrics(w->font()).boundingRect(box->area, box->flags, box->text);
    return text.translated(w->pos());
}

// A control that lets what lies under it show through everywhere but its text: a transparent
// label, or a frame (it only draws its border and caption around what stands on it).
bool seeThrough(Control* c) {
    return c->kind() == ControlKind::Frame ||
           (c->kind() == ControlKind::Label && !c->widget()->autoFillBackground());
}

// No visible control hides what a visible sibling shows (a frame holds its options as children,
// so it is no sibling of them), except where the design puts it there. The later sibling lies
// on top: an opaque one hides what is under it, a see-through one hides only where its own text
// meets what the other shows.
TEST_P(WindowFitTest, NoVisibleControlCoversASibling) {
    Form& w = openWindow();
    const std::vector<Control*> shown = visibleControls(w);
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            Control* a = shown[i];
            Control* b = shown[j];
            if (a->kind() == ControlKind::Line || b->kind() == ControlKind::Line) continue;
            QWidget* wa = a->widget();
            QWidget* wb = b->widget();
            QWidget* parent = wa->parentWidget();
            if (parent != wb->parentWidget()) continue;
            const QRect common = wa->geometry() & wb->geometry();
            // Borders drawn on one another, a twip's rounding at any scale: nothing hidden.
            if (common.width() <= kEdgeSlack || common.height() <= kEdgeSlack) continue;
            const bool bOnTop = parent->children().indexOf(wb) > parent->children().indexOf(wa);
            Control* upper = bOnTop ? b : a;
            Control* lower = bOnTop ? a : b;
            QRect hidden = common & shownPart(lower);
            if (seeThrough(upper)) hidden &= shownPart(upper);
            if (hidden.isEmpty()) continue;
            EXPECT_TRUE(allowed(Check::Covers, wc().name, a->Name(), b->Name()))
                << where() << upper->Name().toStdString() << " hides part of "
                << lower->Name().toStdString() << ": " << hidden.x() << "," << hidden.y() << " "
                << hidden.width() << "x" << hidden.height();
        }
    }
}

// Each design face is drawn in its metric-compatible stand-in, really installed: a missing font
// package would let fontconfig slip in a wider face without a word.
TEST(DesignFacesTest, EveryDesignFaceResolvesToItsInstalledStandIn) {
    const std::pair<const char*, const char*> faces[] = {
        {"Arial", "Liberation Sans"},
        {"ARIAL", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
        {"ARIAL NARROW", "Liberation Sans Narrow"},
        {"Times New Roman", "Liberation Serif"},
        {"MS Serif", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& [design, standIn] : faces) {
        QFont f(platformFontFace(QString::fromLatin1(design)));
        f.setPointSizeF(8.25);
        const QFontInfo info(f);
        EXPECT_EQ(info.family().toStdString(), standIn) << design;
        EXPECT_TRUE(info.exactMatch()) << design;
        // 8.25 points at the 96 dots per inch that 15 twips to the pixel stand for.
        EXPECT_EQ(info.pixelSize(), 11) << design;
    }
}

class DesignFontsTest : public LoggingFixture {};

// Windows and controls in the faces they were designed in, as the font really resolved.
TEST_F(DesignFontsTest, WindowsDrawInTheirDesignFaces) {
    t.installShipped({"BandPlan.txt"});
    writeLog({});
    Forms& f = t.app().forms();
    const std::pair<QWidget*, const char*> cases[] = {
        {&f.RigControlfrm(), "Liberation Sans Narrow"},  // Arial Narrow 8.25, every control
        {f.RigControlfrm().cmdDone, "Liberation Sans Narrow"},
        {f.RigControlfrm().lblFreq, "Liberation Sans Narrow"},
        {f.RigControlfrm().ChkConvHex, "Liberation Sans Narrow"},
        {&f.PacketSpotfrm(), "Liberation Serif"},  // Times New Roman 8.25
        {f.PacketSpotfrm().txtUnProcessed, "Liberation Mono"},
        {f.PacketSpotfrm().chkDX, "Liberation Sans"},  // MS Sans Serif 8.25
        {f.frmBandPlan().Label2, "Liberation Sans Narrow"},
    };
    for (const auto& [widget, family] : cases) {
        EXPECT_EQ(QFontInfo(widget->font()).family().toStdString(), family)
            << widget->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowFitTest,
                         ::testing::Combine(::testing::Range(0, int(std::size(kWindows))),
                                            ::testing::Range(0, int(std::size(kScreens)))),
                         [](const auto& info) {
                             return std::string(kWindows[std::get<0>(info.param)].name) +
                                    (std::get<1>(info.param) == 0 ? "_1600x1000" : "_Design");
                         });

}  // namespace
}  // namespace qf
