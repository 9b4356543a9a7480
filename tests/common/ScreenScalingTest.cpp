#include "common/ScreenScaling.h"
#include "platform/Controls.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

namespace qf {
namespace {

// A control of any kind, with list-view columns, for the loops that scale by kind.
class FakeControl : public QWidget, public Control {
public:
    FakeControl(Form& f, QString name, ControlKind kind)
        : QWidget(f.client()), Control(f, std::move(name), kind) {}
    QWidget* widget() override { return this; }
    int columnCount() const override { return static_cast<int>(columns.size()); }
    double columnWidth(int i) const override { return columns[static_cast<size_t>(i)]; }
    void setColumnWidth(int i, double w) override { columns[static_cast<size_t>(i)] = w; }
    std::vector<double> columns;
};

class ScalingTest : public ::testing::Test {
protected:
    // A window of the given outer design size with one control of each kind that matters.
    std::unique_ptr<Form> makeForm(const QString& name, double w, double h) {
        auto f = std::make_unique<Form>(t.app().platform(), name);
        f->Move(0, 0, w, h);
        f->setFontSize(8);
        label = f->add<Label>(QStringLiteral("lbl"));
        label->Move(960, 720, 1920, 360);
        label->setFontSize(10);
        combo = f->add<FakeControl>(QStringLiteral("cbo"), ControlKind::ComboBox);
        combo->Move(100, 200, 1000, 300);
        combo->setFontSize(8);
        list = f->add<FakeControl>(QStringLiteral("lvw"), ControlKind::ListView);
        list->Move(0, 0, 2000, 1000);
        list->columns = {1000, 0, 500};
        image = f->add<Image>(QStringLiteral("img"));
        image->Move(100, 100, 200, 200);
        line = f->add<Line>(QStringLiteral("lin"), 100, 200, 300, 400);
        timer = f->add<qf::Timer>(QStringLiteral("tmr"), 1000);
        return f;
    }
    test::TestApp t;
    Label* label = nullptr;
    FakeControl* combo = nullptr;
    FakeControl* list = nullptr;
    Image* image = nullptr;
    Line* line = nullptr;
    qf::Timer* timer = nullptr;
};

TEST_F(ScalingTest, ResizeFormOnAWideScreen) {
    // 28800 x 16200: width ratio 3, height ratio 2.25.
    auto f = makeForm(QStringLiteral("frmStationID"), 4800, 3600);
    ResizeForm(*f, t.screen(), t.dialogs());
    EXPECT_DOUBLE_EQ(f->Width(), 14400);
    EXPECT_DOUBLE_EQ(f->Height(), 8100);
    EXPECT_DOUBLE_EQ(f->Left(), 7200);
    EXPECT_DOUBLE_EQ(f->Top(), 3880);
    EXPECT_DOUBLE_EQ(f->FontSize(), 8 * 2.25);
    EXPECT_DOUBLE_EQ(label->Left(), 2880);
    EXPECT_DOUBLE_EQ(label->Top(), 1620);
    EXPECT_DOUBLE_EQ(label->Width(), 5760);
    EXPECT_DOUBLE_EQ(label->Height(), 810);
    EXPECT_DOUBLE_EQ(label->FontSize(), 10 * 2.25);  // the smaller ratio
    EXPECT_DOUBLE_EQ(combo->Height(), 300);           // a combo box keeps its height
    EXPECT_DOUBLE_EQ(combo->Width(), 3000);
    EXPECT_EQ(list->columns, (std::vector<double>{3000, 0, 1500}));
    EXPECT_DOUBLE_EQ(line->X2(), 900);
    EXPECT_DOUBLE_EQ(line->Y2(), 900);
    EXPECT_TRUE(t.dialogs().shown().empty());
}

TEST_F(ScalingTest, ResizeFormOnTheDesignScreenOnlyPlacesTheWindow) {
    t.screen().set({9600, 7200}, {0, 0, 9600, 7200});
    auto f = makeForm(QStringLiteral("frmStationID"), 4800, 3600);
    ResizeForm(*f, t.screen(), t.dialogs());
    EXPECT_DOUBLE_EQ(f->Width(), 4800);
    EXPECT_DOUBLE_EQ(f->Height(), 3600);
    EXPECT_DOUBLE_EQ(f->Left(), 2400);
    EXPECT_DOUBLE_EQ(f->Top(), 1800 - 170);
    EXPECT_DOUBLE_EQ(label->FontSize(), 10);
    EXPECT_DOUBLE_EQ(label->Width(), 1920);
}

TEST_F(ScalingTest, ResizeFormOnATallScreenScalesControlFontsByTheWidthRatio) {
    t.screen().set({9600, 14400}, {0, 0, 9600, 14400});
    auto f = makeForm(QStringLiteral("frmStationID"), 4800, 3600);
    ResizeForm(*f, t.screen(), t.dialogs());
    EXPECT_DOUBLE_EQ(f->FontSize(), 16);     // the window by the height ratio
    EXPECT_DOUBLE_EQ(label->FontSize(), 10);  // its controls by the smaller, 1
}

TEST_F(ScalingTest, ScaleToScreenWorkedExamples) {
    auto logging = makeForm(QStringLiteral("Outfrm"), 9600, 7200);
    ScaleToScreen(*logging, t.screen(), Placement::Centred, WindowFontRule::NewWidth,
                  ControlFontRule::SmallerScreenRatio);
    EXPECT_DOUBLE_EQ(logging->Width(), 28800);
    EXPECT_DOUBLE_EQ(logging->FontSize(), 8 * 3.0);
    EXPECT_DOUBLE_EQ(label->FontSize(), 10 * 2.25);
    EXPECT_DOUBLE_EQ(combo->Height(), 300 * 2.25);  // here a combo box's height is scaled
    EXPECT_EQ(list->columns, (std::vector<double>{1000, 0, 500}));  // columns untouched

    auto half = makeForm(QStringLiteral("PhoneFrm"), 4800, 3600);
    ScaleToScreen(*half, t.screen(), Placement::Centred, WindowFontRule::NewWidth,
                  ControlFontRule::CappedWidthRatio);
    EXPECT_DOUBLE_EQ(half->Width(), 14400);
    EXPECT_DOUBLE_EQ(half->FontSize(), 8 * 1.5);
    EXPECT_DOUBLE_EQ(label->FontSize(), 10 * 1.5);
    EXPECT_DOUBLE_EQ(half->Top(), (16200 - 8100) / 2.0);
}

TEST_F(ScalingTest, ScaleToScreenPlacementsAndTheCap) {
    struct Case {
        double screenWidth;
        Placement placement;
        double expectTop;
        double expectFontFactor;
    };
    // 1.5 stays 1.5, 1.6 is capped, below 1 fonts shrink with no lower limit.
    for (const Case& c : {Case{14400, Placement::UpperSixth, (7200 - 3600) / 6.0, 1.5},
                          Case{15360, Placement::NearTop, 2, 1.5},
                          Case{4800, Placement::Centred, (7200 - 3600) / 2.0, 0.5}}) {
        t.screen().set({c.screenWidth, 7200}, {0, 0, c.screenWidth, 7200});
        auto f = makeForm(QStringLiteral("frmCountyList"), 4800, 3600);
        ScaleToScreen(*f, t.screen(), c.placement, WindowFontRule::NewWidth,
                      ControlFontRule::CappedWidthRatio);
        EXPECT_DOUBLE_EQ(f->Top(), c.expectTop) << c.screenWidth;
        EXPECT_FLOAT_EQ(static_cast<float>(label->FontSize()), static_cast<float>(10 * c.expectFontFactor))
            << c.screenWidth;
    }
}

TEST_F(ScalingTest, ResizeFormToFixedSizeAndFontFace) {
    auto f = makeForm(QStringLiteral("frmWinKey"), 4800, 3600);
    const double clientW = f->ScaleWidth(), clientH = f->ScaleHeight();
    ResizeFormTo(*f, 9600, 7200, 9600, 7200, 1, 1.0f, QString(), t.dialogs());
    EXPECT_DOUBLE_EQ(f->Width(), 9600);
    EXPECT_DOUBLE_EQ(f->Height(), 7200);
    EXPECT_DOUBLE_EQ(f->Left(), 0);
    const float rw = static_cast<float>(f->ScaleWidth() / clientW);
    const float rh = static_cast<float>(f->ScaleHeight() / clientH);
    EXPECT_DOUBLE_EQ(label->Width(), 1920 * static_cast<double>(rw));
    EXPECT_DOUBLE_EQ(label->Height(), 360 * static_cast<double>(rh));
    EXPECT_DOUBLE_EQ(combo->Height(), 300 * static_cast<double>(rh));
    EXPECT_FLOAT_EQ(static_cast<float>(label->FontSize()), 10 * std::min(rw, rh));
    EXPECT_EQ(label->FontName(), QStringLiteral("MS Sans Serif"));

    auto g = makeForm(QStringLiteral("frmWinKey"), 4800, 3600);
    ResizeFormTo(*g, 28800, 16200, 9600, 7200, 0, 1.0f, QStringLiteral("Arial"), t.dialogs());
    EXPECT_DOUBLE_EQ(g->Width(), 14400);
    EXPECT_EQ(label->FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(g->FontName(), QStringLiteral("Arial"));
}

TEST_F(ScalingTest, ResizeFormToReportsAFailureAndKeepsWhatWasDone) {
    // A window with no client area: the growth of its controls cannot be computed.
    auto f = makeForm(QStringLiteral("frmWinKey"), Form::kBorderTwips * 2, 3600);
    ResizeFormTo(*f, 9600, 7200, 9600, 7200, 1, 1.0f, QString(), t.dialogs());
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Form Resize Error"));
    EXPECT_DOUBLE_EQ(f->Width(), 9600);      // done before the failure
    EXPECT_DOUBLE_EQ(label->Left(), 960);    // not reached
}

TEST_F(ScalingTest, ScaleToWorkAreaCentredAndFill) {
    t.screen().set({28800, 16200}, {0, 0, 28800, 15600});
    auto f = makeForm(QStringLiteral("CWFrm"), 4800, 3600);
    ScaleToWorkArea(*f, t.screen(), Placement::Centred);
    EXPECT_DOUBLE_EQ(f->Width(), 14400);
    EXPECT_DOUBLE_EQ(f->Height(), 7800);
    EXPECT_DOUBLE_EQ(f->Left(), 7200);
    EXPECT_DOUBLE_EQ(f->Top(), 3900);
    EXPECT_DOUBLE_EQ(f->FontSize(), 8 * 1.5);
    EXPECT_DOUBLE_EQ(label->Width(), 1920 * 3);
    EXPECT_DOUBLE_EQ(label->Height(), 360 * (7800 / 3600.0));
    EXPECT_DOUBLE_EQ(label->FontSize(), 10 * 1.5);  // capped, from the screen's width
    EXPECT_DOUBLE_EQ(line->X2(), 900);
    EXPECT_EQ(timer->Interval(), 1000);  // a timer has nothing to scale and stops nothing

    auto g = makeForm(QStringLiteral("frmBandPlan"), 4800, 3600);
    ScaleToWorkArea(*g, t.screen(), Placement::Fill);
    EXPECT_DOUBLE_EQ(g->Width(), 28800);
    EXPECT_DOUBLE_EQ(g->Height(), 15600);
    EXPECT_DOUBLE_EQ(g->Left(), 0);
    EXPECT_DOUBLE_EQ(g->FontSize(), 8);
}

TEST_F(ScalingTest, WindowsNameTheirRow) {
    auto logo = makeForm(QStringLiteral("frmArdlowLogo"), 14355, 7920);
    ScaleWindow(*logo, t.screen(), t.dialogs());
    EXPECT_DOUBLE_EQ(logo->Width(), 14355);  // only placed
    EXPECT_DOUBLE_EQ(logo->Left(), (28800 - 14355) / 2.0);
    EXPECT_DOUBLE_EQ(logo->Top(), (16200 - 7920) / 2.0 - 170);

    auto list = makeForm(QStringLiteral("frmCountyList"), 4800, 3600);
    ScaleWindow(*list, t.screen(), t.dialogs());
    EXPECT_DOUBLE_EQ(list->Top(), (16200 - 8100) / 6.0);
    EXPECT_EQ(scalingRowFor(QStringLiteral("NoSuchWindow")), nullptr);
}

TEST(ScreenTwips, QtScreenIsFifteenTwipsToAPixel) {
    const QSize px = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(QtScreen().sizeTwips(), QSizeF(px.width() * 15.0, px.height() * 15.0));
    EXPECT_EQ(toPixels(28800), 1920);
    EXPECT_EQ(toPixels(16200), 1080);
}

}  // namespace
}  // namespace qf
