#include "startup/Form6.h"

#include "app/App.h"
#include "common/ScreenScaling.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"

namespace qf {

Form6::Form6(App& app) : Form(app.platform(), QStringLiteral("Form6"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral(" Modify Multiplier Color Selections"));
    // The design size is the client area; the outer size adds the frame.
    Move(0, 0, 5595 + 2 * kBorderTwips, 2115 + 2 * kBorderTwips + kCaptionTwips);

    Command1 = add<CommandButton>(QStringLiteral("Command1"),
                                  QStringLiteral("Change \"Remaining\" Color"));
    Command1->Move(120, 120, 2535, 495);
    Command1->Click = [this] { Command1_Click(); };
    Command3 =
        add<CommandButton>(QStringLiteral("Command3"), QStringLiteral("Change \"Worked\" Color"));
    Command3->Move(2880, 120, 2535, 495);
    Command3->Click = [this] { Command3_Click(); };

    auto sample = [this](const char* name, const char* caption, double left) {
        Label* l = add<Label>(QString::fromLatin1(name), QString::fromLatin1(caption));
        l->Move(left, 840, 1935, 495);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setFontName(QStringLiteral("Arial"));
        l->setFontSize(9);
        return l;
    };
    Label2 = sample("Label2", "Appearance of multiplier remaining", 480);
    Label1 = sample("Label1", "Appearance of multiplier worked", 3240);

    Line2 = add<Line>(QStringLiteral("Line2"), 2760, 0, 2760, 1440);
    Line1 = add<Line>(QStringLiteral("Line1"), 120, 1440, 5520, 1440);

    Command6 = add<CommandButton>(QStringLiteral("Command6"), QStringLiteral("Done"));
    Command6->Move(2160, 1680, 1095, 375);
    Command6->Click = [this] { Command6_Click(); };

    setTabOrder(Command1, Command3);
    setTabOrder(Command3, Command6);
    Command1->setFocus(Qt::OtherFocusReason);
}

void Form6::Form_Load() {
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
    } catch (const Error& e) {
        // Reported as the other windows report a failed scaling; the colours still show.
        platform().dialogs.ok(e.text(), QStringLiteral("Form Resize Error"));
    }
    Label1->setForeColor(static_cast<quint32>(app_.station().WorkedColor));
    Label2->setForeColor(static_cast<quint32>(app_.station().RemainingColor));
}

void Form6::chooseColor(qint32& color, Label* sample) {
    try {
        // Cancel gives back the starting colour, which changes nothing.
        const quint32 chosen = platform().dialogs.chooseColor(static_cast<quint32>(color));
        color = static_cast<qint32>(chosen);
        sample->setForeColor(chosen);
    } catch (const Error&) {
        // A failing colour dialog leaves the colour as it was.
    }
}

void Form6::Command1_Click() {
    chooseColor(app_.station().RemainingColor, Label2);
}

void Form6::Command3_Click() {
    chooseColor(app_.station().WorkedColor, Label1);
}

void Form6::Command6_Click() {
    Hide();
}

}  // namespace qf
