#include "rig/frmBandPlan.h"

#include "app/App.h"
#include "common/ScreenScaling.h"
#include "platform/Colors.h"
#include "platform/Error.h"
#include "rig/FrequencyText.h"

#include <algorithm>
#include <cmath>

namespace qf {

namespace {

constexpr quint32 kBlue = 0xFF0000u;    // RGB 0, 0, 255
constexpr quint32 kGreen = 0x00FF00u;   // RGB 0, 255, 0
constexpr quint32 kYellow = 0x00FFFFu;  // RGB 255, 255, 0
constexpr int kMaxBars = 20;

bool isChartLabel(const QString& name) {
    return name.startsWith(QLatin1String("blbl")) || name.startsWith(QLatin1String("priv")) ||
           name.startsWith(QLatin1String("bnlb"));
}

QString edges(float low, float high) {
    return rig::ChartFrequencyText(low) + QStringLiteral(" - ") + rig::ChartFrequencyText(high);
}

}  // namespace

frmBandPlan::frmBandPlan(App& app)
    : Form(app.platform(), QStringLiteral("frmBandPlan"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("Frequency Privileges"));
    // A fixed dialog: no minimise or maximise, no taskbar button.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    // The design size is the client area: the border and title bar come on top, or the
    // bottom row of controls would lie under the window's lower edge.
    Move(0, 0, 9480 + 2 * kBorderTwips, 6690 + 2 * kBorderTwips + kCaptionTwips);

    // Done is made first: it is first in the tab order.
    Command7 = add<CommandButton>(QStringLiteral("Command7"), QStringLiteral("Done"));
    Command7->Move(4080, 6360, 1215, 300);
    auto classButton = [this](const char* name, const char* caption, double left, double width) {
        CommandButton* b = add<CommandButton>(QLatin1String(name), QLatin1String(caption));
        b->Move(left, 80, width, 300);
        return b;
    };
    Command1 = classButton("Command1", "Novice", 120, 855);
    Command2 = classButton("Command2", "Technician", 1080, 975);
    Command3 = classButton("Command3", "Tech +", 2160, 975);
    Command4 = classButton("Command4", "General", 3240, 1095);
    Command5 = classButton("Command5", "Advanced", 4440, 975);
    Command6 = classButton("Command6", "Extra", 5520, 975);

    auto boxed = [this](const char* name, const char* caption, double l, double t, double w,
                        double h) {
        Label* lb = add<Label>(QLatin1String(name), QLatin1String(caption));
        lb->Move(l, t, w, h);
        lb->setFrameShape(QFrame::Box);
        lb->setAlignment(Qt::AlignCenter);
        return lb;
    };
    Label1 = boxed("Label1", "Frequencies Effective", 120, 400, 6375, 300);
    Label1->setBackColor(kNavy);
    Label1->setForeColor(kWhite);
    Label1->setFontName(QStringLiteral("Arial"));
    Label1->setFontSize(9);
    Label2 = boxed("Label2", "Privelages", 6600, 120, 2775, 255);
    Label2->setBackColor(kNavy);
    Label2->setForeColor(kWhite);
    Label2->setFontName(QStringLiteral("Arial Narrow"));
    Label3 = boxed("Label3", "CW", 6600, 420, 1335, 255);
    Label3->setForeColor(kWhite);
    Label4 = boxed("Label4", "Phone", 8040, 420, 1335, 255);
    Line1 = add<Line>(QStringLiteral("Line1"), 120.0, 720.0, 9360.0, 720.0);

    const std::pair<CommandButton*, std::pair<const char*, const char*>> classes[] = {
        {Command1, {"N", "Novice Frequency Privileges"}},
        {Command2, {"T", "Technician Frequency Privileges"}},
        {Command3, {"P", "Technician Plus Frequency Privileges"}},
        {Command4, {"G", "General Frequency Privileges"}},
        {Command5, {"A", "Advanced Frequency Privileges"}},
        {Command6, {"E", "Extra Frequency Privileges"}}};
    for (const auto& [button, c] : classes) {
        const QString cls = QLatin1String(c.first);
        const QString title = QLatin1String(c.second);
        button->Click = [this, cls, title] { classButton_Click(cls, title); };
    }
    Command7->Click = [this] { Command7_Click(); };
}

void frmBandPlan::Form_Load() {
    // The work-area fill skips its own failing steps.
    ScaleWindow(*this, platform().screen, platform().dialogs);
    Label4->setBackColor(kGreen);
    Label3->setBackColor(kBlue);

    Files& files = platform().files;
    rig::BandPlanChart chart =
        rig::ReadBandPlanChart(files.resolve(QStringLiteral("BandPlan.txt")));
    ChartBandPlan = std::move(chart.rows);
    ChartBandPlanCount = static_cast<size_t>(std::max(0, chart.count));
    if (chart.effectiveRead)
        Label1->setCaption(QStringLiteral("Frequencies Effective: ") + chart.effective);
    if (chart.failed) {
        platform().dialogs.ok(QStringLiteral("Band data not available."),
                              QStringLiteral("Band Data Not Available."));
        return;
    }
    classButton_Click(QStringLiteral("E"), QStringLiteral("Extra Frequency Privileges"));
}

void frmBandPlan::classButton_Click(const QString& cls, const QString& title) {
    Label2->setCaption(title);
    ShowPrivileges(cls);
}

void frmBandPlan::Command7_Click() {
    Hide();
}

void frmBandPlan::ShowPrivileges(const QString& cls) {
    // What was built before a failure stays on screen; nothing is reported.
    try {
        drawChart(cls);
    } catch (const Error&) {
    }
}

void frmBandPlan::drawChart(const QString& cls) {
    const double factor = std::min(platform().screen.sizeTwips().width() / 9600, 1.5);

    // The last chart goes, walking from the last control to the first.
    const std::vector<Control*> all = controls();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (isChartLabel((*it)->Name())) delete *it;

    if (ChartBandPlanCount > static_cast<size_t>(rig::BandPlanMaxRows)) return;
    const std::vector<rig::BandPlanSegment>& plan = ChartBandPlan;
    const size_t count = std::min(ChartBandPlanCount, plan.size());

    const double W = Width();
    const double H = Height();

    // A bar for each band whose run, after its outline row, holds a row of the class.
    int n = 0;
    for (size_t i = 0; i < count; ++i) {
        const rig::BandPlanSegment& outline = plan[i];
        if (outline.SegmentClass != QLatin1String("O")) continue;
        bool shown = false;
        for (size_t j = i + 1; j < count && plan[j].SegmentBand == outline.SegmentBand; ++j) {
            if (plan[j].SegmentClass == cls) {
                shown = true;
                break;
            }
        }
        if (!shown) continue;
        ++n;
        Label* bar = add<Label>(QStringLiteral("blbl%1").arg(n), outline.SegmentBand);
        bar->Move(0.1 * W, n * 0.05 * H, 0.85 * W, 0.04 * H);
        bar->setBackColor(kBlack);
        bar->setForeColor(kBlack);
        bar->setFrameShape(QFrame::Box);
        bar->setAlignment(Qt::AlignCenter);
        bar->setToolTip(outline.SegmentBand + QStringLiteral("  ") +
                        edges(outline.SegmentLow, outline.SegmentHigh));
        bar->setVisible(true);
    }

    // The bars in collection order, each with its band's edges from the band's first row.
    struct Bar {
        Label* label;
        float low = 0, high = 0;
    };
    std::vector<Bar> bars;
    for (Control* c : controls()) {
        if (!c->Name().startsWith(QLatin1String("blbl"))) continue;
        // More bands than the chart has room for: the bars stay as placed, bare.
        if (static_cast<int>(bars.size()) == kMaxBars) return;
        Bar b{static_cast<Label*>(c)};
        for (size_t i = 0; i < count; ++i) {
            const rig::BandPlanSegment& row = plan[i];
            if (row.SegmentBand == b.label->Caption()) {
                b.low = row.SegmentLow;
                b.high = row.SegmentHigh;
                break;
            }
        }
        bars.push_back(b);
    }
    if (bars.empty()) return;  // no band of the class: nothing to spread

    const double y1 = Line1->Y1();
    const double pitch = 0.8 * (H - y1) / static_cast<double>(bars.size());
    for (size_t j = 0; j < bars.size(); ++j) bars[j].label->setTop(y1 + (j + 1) * pitch);

    for (size_t j = 0; j < bars.size(); ++j) {
        const Label* bar = bars[j].label;
        Label* name = add<Label>(QStringLiteral("bnlb%1").arg(j + 1), bar->Caption());
        name->Move(0.04 * W, bar->Top(), 0.05 * W, bar->Height());
        name->setToolTip(bar->toolTip());
        name->setBackColor(kYellow);
        name->setForeColor(kBlack);
        name->setFrameShape(QFrame::Box);
        name->setAlignment(Qt::AlignCenter);
        name->setFontName(QStringLiteral("ARIAL"));
        name->setFontBold(true);
        name->setFontSize(8 * factor);
        name->setVisible(true);
    }

    int m = 0;
    for (size_t i = 0; i < count; ++i) {
        const rig::BandPlanSegment& row = plan[i];
        if (row.SegmentClass != cls) continue;
        for (const Bar& b : bars) {
            if (b.label->Caption() != row.SegmentBand) continue;
            const double span = static_cast<double>(b.high) - static_cast<double>(b.low);
            // An outline with equal edges gives no scale: the chart ends at its first segment.
            if (span == 0) return;
            const double width =
                b.label->Width() * (static_cast<double>(row.SegmentHigh) - row.SegmentLow) / span;
            // Edges given upside down make no box: the chart ends there as well.
            if (width < 0) return;
            const double left =
                b.label->Left() +
                b.label->Width() * (static_cast<double>(row.SegmentLow) - b.low) / span;
            ++m;
            Label* seg =
                add<Label>(QStringLiteral("priv%1").arg(m), edges(row.SegmentLow, row.SegmentHigh));
            seg->Move(left, b.label->Top(), width, b.label->Height());
            const bool cw = row.SegmentMode == QLatin1String("CW");
            seg->setToolTip((cw ? QStringLiteral("CW  ") : QStringLiteral("PH  ")) +
                            edges(row.SegmentLow, row.SegmentHigh));
            seg->setBackColor(cw ? kBlue : kGreen);
            seg->setForeColor(cw ? kWhite : kBlack);
            seg->setFontName(QStringLiteral("ARIAL NARROW"));
            seg->setFontSize(7 * factor);
            seg->setFrameShape(QFrame::Box);
            seg->setAlignment(Qt::AlignCenter);
            seg->setVisible(true);
            seg->raise();
        }
    }
}

}  // namespace qf
