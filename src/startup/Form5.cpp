#include "startup/Form5.h"

#include "app/App.h"
#include "common/ScreenScaling.h"
#include "platform/Colors.h"
#include "platform/Error.h"
#include "platform/Files.h"

#include <QFocusEvent>

namespace qf {

// ---- MultiLineTextBox

MultiLineTextBox::MultiLineTextBox(Form& form, QString name)
    : WidgetControl<QPlainTextEdit>(form, std::move(name), ControlKind::TextBox, form.client()) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    applyGeometry();
    applyFont();
}

void MultiLineTextBox::setText(const QString& t) {
    text_ = t;
    // A lone CR would make a line of its own in the document; CR LF is one line end.
    QString shown = t;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(shown);
}

void MultiLineTextBox::setBackColor(quint32 color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(color));
    setPalette(pal);
}

void MultiLineTextBox::focusInEvent(QFocusEvent* e) {
    QPlainTextEdit::focusInEvent(e);
    focusIn(e->reason());
}

void MultiLineTextBox::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    focusOut(e->reason());
}

// ---- Form5

Form5::Form5(App& app) : Form(app.platform(), QStringLiteral("Form5")), app_(app) {
    setCaption(QStringLiteral("Help Page"));
    // No control box: the window closes through its Close button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setBackColor(0x00400000);  // dark blue
    // The design size is the client area; the outer size adds the frame.
    Move(0, 0, 7725 + 2 * kBorderTwips, 6000 + 2 * kBorderTwips + kCaptionTwips);

    Text1 = add<MultiLineTextBox>(QStringLiteral("Text1"));
    Text1->Move(240, 240, 7215, 4935);
    Text1->setLocked(true);
    Text1->setBackColor(0x00E0E0E0);  // light grey
    Text1->setFontName(QStringLiteral("MS Sans Serif"));
    Text1->setFontSize(9.75);
    Text1->setFontBold(true);

    Command1 = add<CommandButton>(QStringLiteral("Command1"), QStringLiteral("Close"));
    Command1->Move(3240, 5400, 1215, 375);
    Command1->setFontName(QStringLiteral("Arial"));
    Command1->setFontSize(8.25);
    Command1->setFontBold(true);
    Command1->Click = [this] { Command1_Click(); };

    setTabOrder(Command1, Text1);
    Command1->setFocus(Qt::OtherFocusReason);
}

void Form5::Form_Load() {
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
        Text1->setText(QString());
        Text1->setText(
            QString::fromLatin1(platform().files.readAll(QStringLiteral("ReadVEVI.txt"))));
    } catch (const Error&) {
        // Without its text the window still opens, with an empty box.
    }
}

void Form5::Command1_Click() {
    Hide();
}

}  // namespace qf
