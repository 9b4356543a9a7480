// The privilege chart: bars, name boxes and segments drawn for one class at a time from the
// rows the window holds, on a 1920 x 1080 work area the window fills.
#include "rig/RigFixture.h"
#include "rig/frmBandPlan.h"

#include <vector>

namespace qf::test {
namespace {

rig::BandPlanSegment row(const char* band, const char* cls, const char* mode, float low,
                         float high) {
    return {QLatin1String(band), QLatin1String(cls), QLatin1String(mode), low, high};
}

class PrivilegeChartTest : public RigFixture {
  protected:
    frmBandPlan& chart() { return t.app().forms().frmBandPlan(); }
    // The window with these rows in place of what its load read.
    frmBandPlan& chartOf(std::vector<rig::BandPlanSegment> rows, const char* cls = "E") {
        frmBandPlan& w = chart();
        w.ChartBandPlan = std::move(rows);
        w.ChartBandPlanCount = w.ChartBandPlan.size();
        w.ShowPrivileges(QLatin1String(cls));
        return w;
    }
    std::vector<Label*> labels(const char* prefix) {
        std::vector<Label*> out;
        for (Control* c : chart().controls())
            if (c->Name().startsWith(QLatin1String(prefix))) out.push_back(static_cast<Label*>(c));
        return out;
    }
    QStringList names(const char* prefix) {
        QStringList out;
        for (Label* l : labels(prefix)) out << l->Name() + QLatin1Char('=') + l->Caption();
        return out;
    }

    static std::vector<rig::BandPlanSegment> twoClasses() {
        return {row("20", "O", "CW", 14.0f, 14.35f),  row("20", "E", "CW", 14.0f, 14.15f),
                row("20", "E", "PH", 14.15f, 14.35f), row("20", "G", "CW", 14.025f, 14.15f),
                row("40", "O", "CW", 7.0f, 7.3f),     row("40", "E", "CW", 7.0f, 7.125f),
                row("80", "O", "CW", 3.5f, 4.0f),     row("80", "G", "PH", 3.8f, 4.0f)};
    }
};

TEST_F(PrivilegeChartTest, OpensFillingTheWorkAreaAndSaysOnceWhenTheFileIsMissing) {
    frmBandPlan& w = chart();
    EXPECT_DOUBLE_EQ(w.Width(), 28800);
    EXPECT_DOUBLE_EQ(w.Height(), 16200);
    EXPECT_DOUBLE_EQ(w.Left(), 0);
    // Controls grow with the window, whose design is a 6690-twip client area under its frame.
    EXPECT_DOUBLE_EQ(w.Line1->Y1(),
                     720 * 16200 / (6690 + 2 * Form::kBorderTwips + Form::kCaptionTwips));
    EXPECT_EQ(w.Label3->BackColor(), 0xFF0000u);  // blue
    EXPECT_EQ(w.Label4->BackColor(), 0x00FF00u);  // green
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].text, QStringLiteral("Band data not available."));
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Band Data Not Available."));
    EXPECT_EQ(w.Label1->Caption(), QStringLiteral("Frequencies Effective"));
    EXPECT_EQ(w.Label2->Caption(), QStringLiteral("Privelages"));
    EXPECT_TRUE(labels("blbl").empty());
}

TEST_F(PrivilegeChartTest, AClassButtonReplacesTheWholeChart) {
    chartOf(twoClasses(), "E");
    EXPECT_EQ(names("blbl"), QStringList({"blbl1=20", "blbl2=40"}));
    EXPECT_EQ(labels("bnlb").size(), 2u);
    EXPECT_EQ(labels("priv").size(), 3u);
    for (int twice = 0; twice < 2; ++twice) {
        chart().Command4->Press();  // General
        EXPECT_EQ(chart().Label2->Caption(), QStringLiteral("General Frequency Privileges"));
        EXPECT_EQ(names("blbl"), QStringList({"blbl1=20", "blbl2=80"}));
        EXPECT_EQ(names("bnlb"), QStringList({"bnlb1=20", "bnlb2=80"}));
        EXPECT_EQ(names("priv"), QStringList({"priv1=14.025 - 14.150", "priv2=3.800 - 4.000"}));
    }
    struct Button {
        CommandButton* frmBandPlan::*button;
        const char* title;
    };
    const Button buttons[] = {{&frmBandPlan::Command1, "Novice Frequency Privileges"},
                              {&frmBandPlan::Command2, "Technician Frequency Privileges"},
                              {&frmBandPlan::Command3, "Technician Plus Frequency Privileges"},
                              {&frmBandPlan::Command5, "Advanced Frequency Privileges"},
                              {&frmBandPlan::Command6, "Extra Frequency Privileges"}};
    for (const Button& b : buttons) {
        (chart().*b.button)->Press();
        EXPECT_EQ(chart().Label2->Caption(), QLatin1String(b.title));
    }
    EXPECT_EQ(labels("blbl").size(), 2u);  // Extra again
    EXPECT_EQ(labels("priv").size(), 3u);
}

TEST_F(PrivilegeChartTest, ABarNeedsARowOfTheClassInsideItsBandsRun) {
    // 40's Extra row stands after 20's run: 40 gets no bar. 20's second Extra row stands after
    // 40's run: 20 has a bar, so it is drawn there.
    chartOf({row("40", "O", "CW", 7.0f, 7.3f), row("40", "G", "CW", 7.025f, 7.125f),
             row("20", "O", "CW", 14.0f, 14.35f), row("20", "E", "CW", 14.0f, 14.15f),
             row("40", "E", "CW", 7.0f, 7.125f), row("20", "E", "PH", 14.15f, 14.35f)});
    EXPECT_EQ(names("blbl"), QStringList({"blbl1=20"}));
    EXPECT_EQ(names("priv"), QStringList({"priv1=14.000 - 14.150", "priv2=14.150 - 14.350"}));
}

TEST_F(PrivilegeChartTest, SegmentsLieOnTheirBarInProportionWithTheirColours) {
    frmBandPlan& w =
        chartOf({row("20", "O", "CW", 14.0f, 14.35f), row("20", "E", "CW", 14.0f, 14.15f),
                 row("20", "E", "PH", 14.15f, 14.35f), row("40", "O", "CW", 7.0f, 7.3f),
                 row("40", "E", "PH", 7.0f, 7.3f)});
    const double W = w.Width(), H = w.Height(), y1 = w.Line1->Y1();
    const std::vector<Label*> bars = labels("blbl");
    const std::vector<Label*> boxes = labels("bnlb");
    const std::vector<Label*> segs = labels("priv");
    ASSERT_EQ(bars.size(), 2u);
    ASSERT_EQ(boxes.size(), 2u);
    ASSERT_EQ(segs.size(), 3u);
    const double pitch = 0.8 * (H - y1) / 2;
    for (size_t j = 0; j < 2; ++j) {
        SCOPED_TRACE(j);
        EXPECT_NEAR(bars[j]->Left(), 0.1 * W, 1e-6);
        EXPECT_NEAR(bars[j]->Width(), 0.85 * W, 1e-6);
        EXPECT_NEAR(bars[j]->Height(), 0.04 * H, 1e-6);
        EXPECT_NEAR(bars[j]->Top(), y1 + static_cast<double>(j + 1) * pitch, 1e-6);
        EXPECT_EQ(bars[j]->BackColor(), kBlack);
        EXPECT_EQ(bars[j]->ForeColor(), kBlack);
        EXPECT_NEAR(boxes[j]->Left(), 0.04 * W, 1e-6);
        EXPECT_NEAR(boxes[j]->Width(), 0.05 * W, 1e-6);
        EXPECT_EQ(boxes[j]->Top(), bars[j]->Top());
        EXPECT_EQ(boxes[j]->Caption(), bars[j]->Caption());
        EXPECT_EQ(boxes[j]->toolTip(), bars[j]->toolTip());
        EXPECT_EQ(boxes[j]->BackColor(), 0x00FFFFu);  // yellow
        EXPECT_TRUE(boxes[j]->FontBold());
        EXPECT_DOUBLE_EQ(boxes[j]->FontSize(), 8 * 1.5);
    }
    EXPECT_EQ(bars[0]->toolTip(), QStringLiteral("20  14.000 - 14.350"));
    EXPECT_EQ(bars[1]->toolTip(), QStringLiteral("40  7.000 - 7.300"));

    // CW and phone share the 20 m bar, their widths as 0.15 to 0.2 of the band.
    const double bar = 0.85 * W;
    EXPECT_NEAR(segs[0]->Left(), 0.1 * W, 1e-3);
    EXPECT_NEAR(segs[0]->Width(), bar * 0.15 / 0.35, 1);
    EXPECT_NEAR(segs[1]->Left(), 0.1 * W + bar * 0.15 / 0.35, 1);
    EXPECT_NEAR(segs[0]->Width() / segs[1]->Width(), 0.15 / 0.2, 1e-3);
    EXPECT_EQ(segs[0]->Top(), bars[0]->Top());
    EXPECT_EQ(segs[0]->BackColor(), 0xFF0000u);
    EXPECT_EQ(segs[0]->ForeColor(), kWhite);
    EXPECT_EQ(segs[1]->BackColor(), 0x00FF00u);
    EXPECT_EQ(segs[1]->ForeColor(), kBlack);
    EXPECT_EQ(segs[0]->toolTip(), QStringLiteral("CW  14.000 - 14.150"));
    EXPECT_EQ(segs[1]->toolTip(), QStringLiteral("PH  14.150 - 14.350"));
    EXPECT_DOUBLE_EQ(segs[1]->FontSize(), 7 * 1.5);
    // A segment over the whole outline covers its bar exactly.
    EXPECT_NEAR(segs[2]->Left(), 0.1 * W, 1e-6);
    EXPECT_NEAR(segs[2]->Width(), 0.85 * W, 1e-6);
    EXPECT_EQ(segs[2]->Top(), bars[1]->Top());
}

TEST_F(PrivilegeChartTest, TheQuietEndsDrawWhatTheyReachAndNoMore) {
    std::vector<rig::BandPlanSegment> many;
    for (int b = 0; b < 21; ++b) {
        const QByteArray band = QByteArray::number(b);
        many.push_back(row(band.constData(), "O", "CW", 1.0f + b, 1.5f + b));
        many.push_back(row(band.constData(), "E", "CW", 1.0f + b, 1.2f + b));
    }
    std::vector<rig::BandPlanSegment> flat = {
        row("20", "O", "CW", 14.0f, 14.35f), row("20", "E", "CW", 14.0f, 14.15f),
        row("40", "O", "CW", 7.0f, 7.0f),    row("40", "E", "CW", 7.0f, 7.1f),
        row("40", "E", "PH", 7.1f, 7.3f),    row("80", "O", "CW", 3.5f, 4.0f),
        row("80", "E", "CW", 3.5f, 3.6f)};
    std::vector<rig::BandPlanSegment> overfull = twoClasses();
    while (overfull.size() < 201) overfull.push_back(row("80", "E", "PH", 3.6f, 4.0f));
    struct Case {
        const char* what;
        std::vector<rig::BandPlanSegment> rows;
        const char* cls;
        size_t bars, boxes, segs;
    };
    const Case cases[] = {{"21 bands", many, "E", 21, 0, 0},
                          {"no band of the class", twoClasses(), "N", 0, 0, 0},
                          {"an outline with equal edges", flat, "E", 3, 3, 1},
                          {"a 201st row", overfull, "E", 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        chartOf(twoClasses(), "E");  // something to remove first
        chartOf(c.rows, c.cls);
        EXPECT_EQ(labels("blbl").size(), c.bars);
        EXPECT_EQ(labels("bnlb").size(), c.boxes);
        EXPECT_EQ(labels("priv").size(), c.segs);
    }
    // The 21 bars stay where they were first put, one above the other.
    chartOf(many, "E");
    const std::vector<Label*> bars = labels("blbl");
    ASSERT_EQ(bars.size(), 21u);
    EXPECT_NEAR(bars[20]->Top(), 21 * 0.05 * chart().Height(), 1e-6);
}

TEST_F(PrivilegeChartTest, TheShippedPlanOpensOnTheExtraChart) {
    t.installShipped({"BandPlan.txt"});
    frmBandPlan& w = chart();
    EXPECT_TRUE(t.dialogs().messages().empty());
    EXPECT_TRUE(w.Label1->Caption().startsWith(QStringLiteral("Frequencies Effective: ")));
    EXPECT_GT(w.Label1->Caption().size(), QStringLiteral("Frequencies Effective: ").size());
    EXPECT_EQ(w.Label2->Caption(), QStringLiteral("Extra Frequency Privileges"));
    const size_t extraBars = labels("blbl").size();
    EXPECT_GE(extraBars, 5u);
    EXPECT_LE(extraBars, 20u);
    EXPECT_EQ(labels("bnlb").size(), extraBars);
    EXPECT_GE(labels("priv").size(), extraBars);
    // Every class charts within the room it has, each bar with its name box.
    for (CommandButton* b : {w.Command1, w.Command2, w.Command3, w.Command4, w.Command5}) {
        b->Press();
        EXPECT_LE(labels("blbl").size(), 20u) << b->Caption().toStdString();
        EXPECT_EQ(labels("bnlb").size(), labels("blbl").size());
    }
    w.Command6->Press();
    EXPECT_EQ(labels("blbl").size(), extraBars);
}

TEST_F(PrivilegeChartTest, TheFileDecidesTheDateTheRowsAndTheMessage) {
    const QByteArray head = "\"2026-03-01\"\r\n";
    const QByteArray rows = "\"20\",\"O\",\"CW\",14,14.35\r\n\"20\",\"E\",\"CW\",14,14.15\r\n";
    QByteArray overfull = head;
    for (int i = 0; i < 201; ++i) overfull += "\"20\",\"E\",\"PH\",14.15,14.35\r\n";
    struct Case {
        const char* what;
        QByteArray file;
        int messages;
        const char* effective;
        size_t bars;
    };
    const Case cases[] = {{"two rows", head + rows, 0, "Frequencies Effective: 2026-03-01", 1},
                          {"the date alone", head, 0, "Frequencies Effective: 2026-03-01", 0},
                          {"a 201st row", overfull, 1, "Frequencies Effective: 2026-03-01", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        t.dialogs().clearShown();
        t.writeFile(QStringLiteral("BandPlan.txt"), c.file);
        frmBandPlan& w = chart();
        EXPECT_EQ(static_cast<int>(t.dialogs().messages().size()), c.messages);
        EXPECT_EQ(w.Label1->Caption(), QLatin1String(c.effective));
        EXPECT_EQ(labels("blbl").size(), c.bars);
        w.Command6->Press();
        w.Command4->Press();
        w.Command6->Press();
        EXPECT_EQ(labels("blbl").size(), c.bars);
        EXPECT_EQ(static_cast<int>(t.dialogs().messages().size()), c.messages);
        w.Unload();
        QCoreApplication::processEvents();
    }
}

}  // namespace
}  // namespace qf::test
