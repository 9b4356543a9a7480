#include "logtools/GraphQSO.h"

#include "app/App.h"
#include "common/ScreenScaling.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"

#include <QPainter>

namespace qf {

namespace {

constexpr quint32 kGrey = 0x808080;
constexpr quint32 kCurveBlue = 0xFF0000;  // 0x00BBGGRR
const QString kArial = QStringLiteral("Arial");

// The window's surface: shows the backing image, under every label and line.
class GraphSurface : public QWidget {
  public:
    GraphSurface(QWidget* parent, const QImage& picture) : QWidget(parent), picture_(picture) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, picture_);
    }

  private:
    const QImage& picture_;
};

int px(double twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

}  // namespace

GraphQSO::GraphQSO(App& app)
    : Form(app.platform(), QStringLiteral("GraphQSO"), Border::Fixed), app_(app) {
    setCaption(
        QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    // The design size is the client area; the outer size adds the frame.
    Move(0, 0, 9465 + 2 * kBorderTwips, 6825 + 2 * kBorderTwips + kCaptionTwips);
    surface_ = new GraphSurface(client(), picture_);
    buildControls();
    setBackColor(back_);
    erase(back_);
}

void GraphQSO::buildControls() {
    auto line = [this](const QString& name, double x1, double y1, double x2, double y2,
                       quint32 colour) {
        Line* l = add<Line>(name, x1, y1, x2, y2);
        l->setBorderColor(colour);
        return l;
    };
    Line1 = line(QStringLiteral("Line1"), 480, 120, 9240, 120, kWhite);
    Line2 = line(QStringLiteral("Line2"), 480, 5880, 9240, 5880, kWhite);
    Line4 = line(QStringLiteral("Line4"), 480, 120, 480, 5880, kWhite);
    Line3 = line(QStringLiteral("Line3"), 9240, 120, 9240, 5880, kWhite);
    const char* const gridNames[] = {"Line7",  "Line6",  "Line5",  "Line10", "Line11",
                                     "Line12", "Line13", "Line14", "Line15", "Line16",
                                     "Line17", "Line18", "Line19", "Line20", "Line21"};
    for (int k = 0; k < 15; ++k) {
        const double y = 480 + 360 * k;
        const double to = k < 3 ? 9240 : 9220;
        gridLines[static_cast<size_t>(k)] =
            line(QString::fromLatin1(gridNames[k]), 500, y, to, y, kGrey);
        gridLines[static_cast<size_t>(k)]->setDotted(true);
    }
    Line8 = line(QStringLiteral("Line8"), 480, 5900, 9240, 5900, kWhite);
    Line9 = line(QStringLiteral("Line9"), 480, 6000, 9240, 6000, kWhite);
    Line8->setVisible(false);
    Line9->setVisible(false);

    auto label = [this](const QString& name, const QString& caption, double l, double t, double w,
                        double h, Qt::Alignment align, double size) {
        Label* lb = add<Label>(name, caption);
        lb->Move(l, t, w, h);
        lb->setAlignment(align | Qt::AlignVCenter);
        lb->setFontName(kArial);
        lb->setFontSize(size);
        lb->setTransparent(true);
        lb->setForeColor(kWhite);
        return lb;
    };
    for (int k = 0; k <= 16; ++k) {
        const double top = k == 0 ? 5740 : 5430 - 360 * (k - 1);
        lblY[static_cast<size_t>(k)] = label(QStringLiteral("lblY(%1)").arg(k), QStringLiteral("0"),
                                             0, top, 450, 195, Qt::AlignRight, 6.75);
    }
    for (int k = 0; k <= 14; ++k) {
        const double centre = 120 + k * (8895.0 - 120) / 14 + 300;
        lblTime[static_cast<size_t>(k)] =
            label(QStringLiteral("lblTime(%1)").arg(k), QStringLiteral("00:00"), centre - 300, 6080,
                  600, 210, Qt::AlignHCenter, 8.25);
        lblDate[static_cast<size_t>(k)] =
            label(QStringLiteral("lblDate(%1)").arg(k), QStringLiteral("MM/DD"), centre - 300, 6290,
                  600, 195, Qt::AlignHCenter, 6.75);
    }
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Band "), 0, 5880, 450, 195,
                   Qt::AlignRight, 6.75);
    const char* const bands[] = {"160", "80", "40", "20", "15", "10", "Other"};
    const quint32 colours[] = {0xFFFFFF, 0xFF0000, 0x0000FF, 0x00FF00,
                               0xFFFF80, 0xFF00FF, 0x00FFFF};
    for (int k = 0; k < 7; ++k) {
        Label* b =
            label(QStringLiteral("lblBnd(%1)").arg(k), QString::fromLatin1(bands[k]),
                  3600 + 360 * k - 60, 6495, k == 6 ? 600 : 480, 240, Qt::AlignHCenter, 8.25);
        b->setFontBold(true);
        b->setForeColor(colours[k]);
        lblBnd[static_cast<size_t>(k)] = b;
    }
    Command1 = add<CommandButton>(QStringLiteral("Command1"), QStringLiteral("Black Background"));
    Command1->Move(8160, 6600, 1215, 225);
    Command1->setFontName(QStringLiteral("MS Serif"));
    Command1->setFontSize(6);
    Command1->setFocusPolicy(Qt::ClickFocus);  // out of the tab order
    Command1->Click = [this] { Command1_Click(); };
}

std::vector<Line*> GraphQSO::allLines() const {
    std::vector<Line*> lines{Line1, Line2, Line3, Line4, Line8, Line9};
    lines.insert(lines.end(), gridLines.begin(), gridLines.end());
    return lines;
}

void GraphQSO::erase(quint32 colour) {
    back_ = colour;
    setBackColor(colour);
    const QSize size(px(ScaleWidth()), px(ScaleHeight()));
    surface_->setGeometry(QRect(QPoint(0, 0), size));
    surface_->lower();
    picture_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    picture_.fill(toQColor(colour));
    surface_->update();
}

void GraphQSO::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
    // The scaled client area: the image takes its size, keeping the background.
    erase(back_);
    DrawRateGraph();
}

void GraphQSO::DrawRateGraph() {
    const QSOLog& log = app_.log();
    BandColours colours{};
    for (size_t k = 0; k < colours.size(); ++k) colours[k] = lblBnd[k]->ForeColor();
    const RateGraph g = ComputeRateGraph(log, log.QSOCount, colours, back_);
    if (g.stop == GraphStop::TooFewContacts) {
        platform().dialogs.ok(
            QStringLiteral("The graph will not display with less than 7 contacts.  The graph "
                           "becomes more meaningful as several hours of contest logging are "
                           "accumulated."),
            QStringLiteral("Not Enough Contacts to Graph."));
        return;
    }
    if (g.timeLabelsSet) {
        for (size_t k = 0; k < lblTime.size(); ++k) {
            lblTime[k]->setCaption(g.timeLabels[k]);
            lblDate[k]->setCaption(g.dateLabels[k]);
        }
    }
    if (g.rateLabelsSet) {
        for (size_t k = 0; k < lblY.size(); ++k) lblY[k]->setCaption(g.rateLabels[k]);
    }
    const GraphShape shape = ShapeRateGraph(
        g, {Line4->X1(), Line3->X1(), Line1->Y1(), Line2->Y1(), Line8->Y1(), Line9->Y1()});
    if (shape.curve.empty()) return;

    QPainter p(&picture_);
    p.setRenderHint(QPainter::Antialiasing, false);
    const double k = 1.0 / 15.0;
    p.scale(k, k);
    p.setPen(QPen(toQColor(kCurveBlue), 0));
    p.drawLines(shape.curve.data(), static_cast<int>(shape.curve.size()));
    for (const StripBox& b : shape.strip) {
        const QColor c = toQColor(b.color);
        p.setPen(QPen(c, 0));
        p.setBrush(c);
        p.drawRect(b.box);
    }
    p.end();
    surface_->update();
}

void GraphQSO::Command1_Click() {
    setCursor(Qt::WaitCursor);
    try {
        const bool toWhite = Command1->Caption() == QLatin1String("Black Background");
        Command1->setCaption(toWhite ? QStringLiteral("White Background")
                                     : QStringLiteral("Black Background"));
        const quint32 fore = toWhite ? kBlack : kWhite;
        erase(toWhite ? kWhite : kBlack);
        for (auto* l : lblDate) l->setForeColor(fore);
        for (auto* l : lblTime) l->setForeColor(fore);
        for (auto* l : lblY) l->setForeColor(fore);
        Label1->setForeColor(fore);
        for (Line* l : allLines()) l->setBorderColor(fore);
        DrawRateGraph();
    } catch (const Error&) {
    }
    setCursor(Qt::ArrowCursor);
}

}  // namespace qf
