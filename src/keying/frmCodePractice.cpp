#include "keying/frmCodePractice.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/KeyFilters.h"
#include "common/ScreenScaling.h"
#include "keying/CWFrm.h"
#include "keying/PracticeGroups.h"
#include "platform/Error.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>

namespace qf {

namespace {

constexpr quint32 kDarkBlue = 0x800000;

QString upperLetters(QString t) {
    for (QChar& c : t) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = c.toUpper();
    }
    return t;
}

}  // namespace

// ---- PracticeTextBox

PracticeTextBox::PracticeTextBox(Form& form, QString name)
    : WidgetControl<QPlainTextEdit>(form, std::move(name), ControlKind::TextBox, form.client()) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(kDarkBlue));
    pal.setColor(QPalette::Text, toQColor(kWhite));
    setPalette(pal);
    setFontName(QStringLiteral("Courier New"));
    setFontSize(11.25);
    applyGeometry();
    applyFont();
}

void PracticeTextBox::setSelStart(int pos) {
    QTextCursor cur = textCursor();
    cur.setPosition(std::clamp(pos, 0, static_cast<int>(toPlainText().size())));
    setTextCursor(cur);
}

void PracticeTextBox::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && t.size() == 1 && t[0].unicode() >= 32 && t[0].unicode() < 256) {
        const int typed = t[0].unicode();
        const int k = form().keyPressPhase(this, typed);
        if (k == 0) return;
        if (k != typed) {
            insertPlainText(QString(QChar(k)));
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void PracticeTextBox::insertFromMimeData(const QMimeData* source) {
    // Ctrl+V, Shift+Insert and a drop: the letters are capitals, as if typed.
    if (source && source->hasText()) insertPlainText(upperLetters(source->text()));
}

void PracticeTextBox::focusInEvent(QFocusEvent* e) {
    QPlainTextEdit::focusInEvent(e);
    focusIn(e->reason());
}

void PracticeTextBox::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    focusOut(e->reason());
}

// ---- frmCodePractice

frmCodePractice::frmCodePractice(App& app)
    : Form(app.platform(), QStringLiteral("frmCodePractice"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("On the Air Code Practice"));
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    Move(0, 0, 9480, 6690);
    buildControls();
}

void frmCodePractice::buildControls() {
    auto label = [this](const char* name, const QString& caption, double l, double t, double w,
                        double h) {
        Label* lb = add<Label>(QString::fromLatin1(name), caption);
        lb->Move(l, t, w, h);
        return lb;
    };
    auto button = [this](const char* name, const QString& caption, double l, double t, double w) {
        CommandButton* b = add<CommandButton>(QString::fromLatin1(name), caption);
        b->Move(l, t, w, 375);
        return b;
    };
    auto box = [this](const char* name, const QString& text, double l, double t, double w) {
        TextBox* b = add<TextBox>(QString::fromLatin1(name));
        b->Move(l, t, w, 285);
        b->setText(text);
        return b;
    };

    Text5 = box("Text5", QString(), 8640, 5700, 480);
    Command3 = button("Command3", QStringLiteral("&Send"), 120, 4920, 1200);
    Command4 = button("Command4", QStringLiteral("S&top"), 1440, 4920, 1200);
    Command7 = button("Command7", QStringLiteral("&Faster"), 6720, 4920, 1140);
    Command8 = button("Command8", QStringLiteral("S&lower"), 7980, 4920, 1140);
    Command1 = button("Command1", QStringLiteral("&Paste from Clipboard"), 2760, 4920, 2280);
    Command2 = button("Command2", QStringLiteral("&Generate Random Characters"), 6360, 660, 2760);
    Label1 = label("Label1",
                   QStringLiteral("Code practice can be sent from randomly generated characters, "
                                  "from text pasted from the clipboard or from text typed into "
                                  "the box headed \" Text to Send\".  Send sends the characters "
                                  "with the CW keyer. "),
                   120, 120, 9000, 480);
    Label1->setWordWrap(true);
    Text1 = add<PracticeTextBox>(QStringLiteral("Text1"));
    Text1->Move(120, 1740, 4440, 3000);
    Label2 = label("Label2", QStringLiteral(" Text to Send"), 120, 1440, 3000, 255);
    Text2 = add<PracticeTextBox>(QStringLiteral("Text2"));
    Text2->Move(4680, 1740, 4440, 3000);
    Label3 = label("Label3", QStringLiteral(" Text Sent"), 4680, 1440, 3000, 255);
    Label4 = label("Label4", QStringLiteral("Generate"), 120, 750, 780, 255);
    Text3 = box("Text3", QStringLiteral("10"), 930, 720, 600);
    Label5 = label("Label5", QStringLiteral("groups of"), 1620, 750, 840, 255);
    Text4 = box("Text4", QStringLiteral("5"), 2460, 720, 600);
    Label6 = label("Label6", QStringLiteral("characters each."), 3150, 750, 1440, 255);
    Frame1 = add<Frame>(QStringLiteral("Frame1"), QStringLiteral("Include:"));
    Frame1->Move(4560, 600, 1680, 660);
    Option2 = add<OptionButton>(QStringLiteral("Option2"), QStringLiteral("All"), Frame1);
    Option2->Move(120, 270, 600, 285);
    Option1 = add<OptionButton>(QStringLiteral("Option1"), QStringLiteral("Letters Only"), Frame1);
    // Its caption takes two lines at the window's font.
    Option1->Move(720, 225, 900, 420);
    Command5 = button("Command5", QStringLiteral("Cl&ear"), 8280, 1380, 840);
    Command6 = button("Command6", QStringLiteral("&Clear"), 3720, 1380, 840);
    for (CommandButton* b : {Command5, Command6}) {
        b->setFocusPolicy(Qt::ClickFocus);  // not tab stops
        b->setHeight(315);
    }
    Label7 = label("Label7", QStringLiteral("WPM"), 5220, 4980, 540, 255);
    Label8 = label("Label8", QStringLiteral("13"), 5760, 4920, 720, 375);
    Label8->setFrameShape(QFrame::Box);
    Label8->setAlignment(Qt::AlignCenter);
    Label8->setFontBold(true);
    Label9 = label("Label9", QStringLiteral("Type characters here to send text from keyboard:"),
                   4200, 5730, 4380, 255);
    Label9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The type-to-send box first, so it has the focus when the window opens.
    QWidget* order[] = {Text5, Command3, Command4, Command7, Command8, Command1, Command2,
                        Text1, Text2,    Text3,    Text4,    Option2,  Option1};
    for (size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
    Text5->setFocus();

    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command3->Click = [this] { Command3_Click(); };
    Command4->Click = [this] { Command4_Click(); };
    Command5->Click = [this] { Command5_Click(); };
    Command6->Click = [this] { Command6_Click(); };
    Command7->Click = [this] { Command7_Click(); };
    Command8->Click = [this] { Command8_Click(); };
    Text1->KeyPress = [](int& k) { UpperCaseKey(k); };
    Text5->KeyPress = [this](int& k) { Text5_KeyPress(k); };
}

void frmCodePractice::Form_Load() {
    try {
        ScaleWindow(*this, platform().screen, platform().dialogs);
    } catch (const Error&) {
    }
    try {
        Label8->setCaption(app_.forms().CWFrm().Text11->Text());
    } catch (const Error&) {
    }
    Option2->setValue(true);
}

void frmCodePractice::Form_Unload(int& Cancel) {
    RunState& run = app_.run();
    run.CWSendBuffer.clear();
    PracticeText.clear();
    // The send loop is still keying its character: it ends with that one, then the window can go.
    if (run.CWSending == 1) Cancel = 1;
}

void frmCodePractice::Command2_Click() {
    const PracticeCount groups = ReadPracticeCount(Text3->Text(), 10, kMaxPracticeGroups);
    if (!groups.shown.isNull()) Text3->setText(groups.shown);
    const PracticeCount length = ReadPracticeCount(Text4->Text(), 5, kMaxPracticeGroupLength);
    if (!length.shown.isNull()) Text4->setText(length.shown);
    RandomSource& random = app_.random();
    random.reseedFromClock();
    Text1->setText(GeneratePracticeGroups(groups.value, length.value, Option1->Value(), random));
}

void frmCodePractice::Command3_Click() {
    RunState& run = app_.run();
    QPointer<frmCodePractice> self(this);
    try {
        PracticeText = Text1->Text();
        Text1->SetFocus();
        for (qsizetype i = 1; i <= PracticeText.size(); ++i) {
            // Read again: edits made while sending act from here on.
            PracticeText = Text1->Text();
            run.CWSendBuffer = PracticeText.mid(i - 1, 1);
            if (run.CWSending == 0) app_.forms().CWFrm().LoopThroughCWBuffer();
            if (!self) return;
            // A stop while the character was keyed emptied the text: it is not echoed.
            const QString sent = PracticeText.mid(i - 1, 1);
            Text2->setText(Text2->Text() + sent);
            if (!Text2->Text().isEmpty())
                Text2->setSelStart(static_cast<int>(Text2->Text().size()) - 1);
            Text1->setSelStart(static_cast<int>(i));
            QCoreApplication::processEvents();
            if (!self) return;
        }
    } catch (const Error&) {
    }
}

void frmCodePractice::Command4_Click() {
    PracticeText.clear();
    app_.run().CWSendBuffer.clear();
}

void frmCodePractice::Command5_Click() {
    Text2->setText(QString());
}

void frmCodePractice::Command6_Click() {
    Text1->setText(QString());
}

void frmCodePractice::Command7_Click() {
    CWFrm& cw = app_.forms().CWFrm();
    cw.UpDown1_UpClick();
    Label8->setCaption(cw.Text11->Text());
}

void frmCodePractice::Command8_Click() {
    CWFrm& cw = app_.forms().CWFrm();
    cw.UpDown1_DownClick();
    Label8->setCaption(cw.Text11->Text());
}

void frmCodePractice::Command1_Click() {
    Text1->setText(QGuiApplication::clipboard()->text());
}

void frmCodePractice::Text5_KeyPress(int& KeyAscii) {
    RunState& run = app_.run();
    const int key = KeyAscii;
    KeyAscii = 0;  // the box itself stays empty
    try {
        int k = key;
        UpperCaseKey(k);
        if (k == 8) {
            // A character not yet keyed is withdrawn.
            if (!run.CWSendBuffer.isEmpty()) run.CWSendBuffer.chop(1);
            if (!Text2->Text().isEmpty()) {
                QString t = Text2->Text();
                t.chop(1);
                Text2->setText(t);
            }
            return;
        }
        const QChar c(k);
        Text2->setText(Text2->Text() + c);
        run.CWSendBuffer += c;
        if (run.CWSending == 0) app_.forms().CWFrm().LoopThroughCWBuffer();
    } catch (const Error&) {
    }
}

}  // namespace qf
