// Captions drawn as the original controls drew them: wrapped inside the control where the text is
// longer than the control is wide, and a label's text at its top edge whatever its alignment.
// Read from the pixels the controls really paint; and the resolution fonts are sized at.
#include "platform/ChoiceControls.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include <functional>

namespace qf {
namespace {

// The rows of a control's picture that hold ink (black text on the light button face), as runs.
struct Ink {
    int top = -1;
    int bottom = -1;
    int runs = 0;  // blocks of inked rows with blank rows between them: lines of text
};

Ink inkOf(QWidget* w) {
    const QImage img = w->grab().toImage();
    Ink ink;
    bool inRun = false;
    // Skip the control's frame and mark: text lies well inside them.
    const int left = img.width() / 3;
    for (int y = 3; y < img.height() - 3; ++y) {
        bool inked = false;
        for (int x = left; x < img.width() - 3 && !inked; ++x) inked = qGray(img.pixel(x, y)) < 96;
        if (inked) {
            if (ink.top < 0) ink.top = y;
            ink.bottom = y;
            if (!inRun) ++ink.runs;
        }
        inRun = inked;
    }
    return ink;
}

class CaptionLayoutTest : public ::testing::Test {
  protected:
    CaptionLayoutTest() : form(t.app().platform(), QStringLiteral("frmCaptions")) {
        form.Move(0, 0, 9600, 7200);
        form.Show();
    }
    test::TestApp t;
    Form form;
};

// A caption three times the control's width, in a control tall enough for three lines.
TEST_F(CaptionLayoutTest, ALongCaptionWrapsInsideItsControl) {
    const QString caption = QStringLiteral("Rovers on County Lines Click to Add Multiple");
    struct Case {
        const char* kind;
        std::function<Control*()> make;
    };
    const Case cases[] = {
        {"label", [&] { return form.add<Label>(QStringLiteral("Label1"), caption); }},
        {"button", [&] { return form.add<CommandButton>(QStringLiteral("Command1"), caption); }},
        {"check box", [&] { return form.add<CheckBox>(QStringLiteral("Check1"), caption); }},
        {"option button",
         [&] { return form.add<OptionButton>(QStringLiteral("Option1"), caption); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Control* control = c.make();
        control->Move(120, 120, 1800, 900);
        control->widget()->show();
        QCoreApplication::processEvents();
        const Ink ink = inkOf(control->widget());
        EXPECT_GE(ink.runs, 2) << "the caption is drawn on one line";
        delete control;
    }
}

// Centred or right-aligned, a label's text starts at its top edge; only the sideways place
// follows the alignment.
TEST_F(CaptionLayoutTest, ALabelsTextStartsAtItsTopWhateverItsAlignment) {
    Label* label = form.add<Label>(QStringLiteral("Label1"), QStringLiteral("1.850"));
    label->Move(120, 120, 1200, 1500);
    const int lineHeight = label->fontMetrics().height();
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignCenter,
                                        Qt::AlignRight | Qt::AlignVCenter,
                                        Qt::AlignHCenter | Qt::AlignBottom};
    for (Qt::Alignment a : alignments) {
        label->setAlignment(a);
        QCoreApplication::processEvents();
        const Ink ink = inkOf(label);
        EXPECT_GE(ink.top, 0);
        EXPECT_LT(ink.bottom, lineHeight + 3) << "alignment " << int(a);
    }
}

// The second line of a wrapped caption is part of the control: a click on it ticks the box.
TEST_F(CaptionLayoutTest, AClickOnAWrappedCaptionsSecondLineTicksTheBox) {
    auto* check = form.add<CheckBox>(QStringLiteral("chkDX"),
                                     QStringLiteral("List DX Only (also controls main form)"));
    check->Move(240, 1680, 1815, 495);
    QCoreApplication::processEvents();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->width() / 2, check->height() - 4));
    EXPECT_EQ(check->Value(), 1);
}

// Fonts are sized at the 96 dots per inch that 15 twips to the pixel stand for, unless the
// operator has chosen a resolution himself.
TEST(FontResolutionTest, PinnedTo96UnlessTheOperatorChoseOne) {
    const QByteArray before = qgetenv("QT_FONT_DPI");
    qunsetenv("QT_FONT_DPI");
    pinFontResolution();
    EXPECT_EQ(qgetenv("QT_FONT_DPI"), QByteArray("96"));
    qputenv("QT_FONT_DPI", "120");
    pinFontResolution();
    EXPECT_EQ(qgetenv("QT_FONT_DPI"), QByteArray("120"));
    qputenv("QT_FONT_DPI", before);
}

}  // namespace
}  // namespace qf
