// The controls of the forms kit. Each is a Qt widget (or, for the timer, an object) plus the
// Control part that the windows and the scaling routines see: a name, a kind, geometry in twips,
// its own font, Visible/Enabled as its own flags, and handlers that also fire when code sets a
// value (Change on a text or caption set from code, as on typing).
#pragma once

#include "platform/Clock.h"
#include "platform/Colors.h"
#include "platform/Form.h"
#include "platform/TwipsGeometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <functional>

namespace qf {

enum class ControlKind {
    TextBox,
    Label,
    CommandButton,
    OptionButton,
    CheckBox,
    Frame,
    ListBox,
    ComboBox,
    ListView,
    Image,
    Line,
    Timer,
    Menu,
    Other
};

class Control : public TwipsGeometry {
public:
    Control(Form& form, QString name, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& Name() const { return name_; }
    ControlKind kind() const { return kind_; }
    Form& form() const { return form_; }
    virtual QWidget* widget() { return nullptr; }

    // ---- geometry, twips (TwipsGeometry); only controls with a widget have it
    bool hasGeometry() { return widget() != nullptr && kind_ != ControlKind::Line; }

    // ---- font; images, lines, timers and menus have none
    bool hasFont() const;
    double FontSize() const { return fontSize_; }
    void setFontSize(double points);
    const QString& FontName() const { return fontName_; }
    void setFontName(const QString& face);
    bool FontBold() const { return bold_; }
    void setFontBold(bool on);

    // ---- own flags, not Qt's effective values
    virtual bool Visible() const;
    virtual void setVisible(bool on);
    virtual bool Enabled() const;
    virtual void setEnabled(bool on);
    // Setting the focus on a hidden or disabled control is an error.
    void SetFocus();

    // ---- list-view columns (other kinds have none)
    virtual int columnCount() const { return 0; }
    virtual double columnWidth(int index) const {
        Q_UNUSED(index);
        return 0;
    }
    virtual void setColumnWidth(int index, double twips) {
        Q_UNUSED(index);
        Q_UNUSED(twips);
    }

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    // Runs every focus handler still waiting, oldest first; a key handled by a control runs
    // them before its own phases.
    static void runPendingFocusHandlers();
    std::function<void(int& KeyCode, int Shift)> KeyDown;
    std::function<void(int& KeyAscii)> KeyPress;
    std::function<void(int& KeyCode, int Shift)> KeyUp;

protected:
    void applyGeometry() override;
    void applyFont();
    void queueFocusHandler(bool gotFocus);
    // Queue the focus handlers for a real move between controls only.
    void focusIn(Qt::FocusReason reason);
    void focusOut(Qt::FocusReason reason);
    // The operator's click on this control (mouse, Space, mnemonic) comes after the focus steps
    // it caused: runs every focus handler still waiting, then says whether the click still
    // stands. It does not when those handlers disabled or hid the control, or took the focus
    // away from it, as a slower click would then have come to nothing.
    bool clickOutlastsFocusSteps();
    // The two key phases, for controls whose own key handling follows them.
    // Returns false when the event is used up.
    bool keyEvent(QKeyEvent* e, int& keyCode, int& ascii);

    Form& form_;
    QString name_;
    ControlKind kind_;
    double fontSize_ = 8.25;
    QString fontName_ = QStringLiteral("MS Sans Serif");
    bool bold_ = false;
};

// A control that is a Qt widget: the widget part W comes first, the Control part second. It
// names the widget after the control and settles the names both parts have (Visible, Enabled)
// in favour of the Control's own flags.
template <class W>
class WidgetControl : public W, public Control {
public:
    template <class... WidgetArgs>
    WidgetControl(Form& form, QString name, ControlKind kind, WidgetArgs&&... widgetArgs)
        : W(std::forward<WidgetArgs>(widgetArgs)...), Control(form, std::move(name), kind) {
        W::setObjectName(Name());
    }
    QWidget* widget() override { return this; }
    using Control::Enabled;
    using Control::setEnabled;
    using Control::setVisible;
    using Control::Visible;
};

// Single-line text box. Typing goes through the key phases; paste, drag and drop, the context
// menu, input methods and middle-click cannot put text in around them.
class TextBox : public WidgetControl<QLineEdit> {
    Q_OBJECT
public:
    TextBox(Form& form, QString name);

    QString Text() const { return text(); }
    // Raises Change at once, leaves SelStart and SelLength 0, and is not cut by MaxLength.
    void setText(const QString& t);
    int SelStart() const;
    void setSelStart(int pos);
    int SelLength() const;
    void setSelLength(int len);
    // SelStart 0 and the whole text selected: what a box that selects its text on arrival
    // means. SelLength alone counts from the caret, which a box's last visit may have left at
    // the end of its text.
    void SelectAllText();
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int n) { maxLength_ = n; }  // 0: no limit
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool on) { setReadOnly(on); }

    std::function<void()> Change;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;

private:
    void typeChar(int ascii);
    void fireChange();
    void runPendingClickArrival();
    int maxLength_ = 0;
    bool settingText_ = false;
    // A click that brought the focus: GotFocus waits for the button's release, so the caret the
    // click places (or a drag while the button is held) cannot undo what the handler selects.
    bool clickArrivalPending_ = false;
    bool buttonHeld_ = false;
};

// Label: Caption with a Change handler, clicks and double clicks (the second click of a double
// click is only DblClick), mouse handlers with buttons 1/2/4; word-wrapped inside its box.
class Label : public WidgetControl<QLabel> {
    Q_OBJECT
public:
    Label(Form& form, QString name, const QString& caption = {});

    QString Caption() const { return text(); }
    void setCaption(const QString& c);
    // Left, right or centred only: a label's text always starts at its top edge.
    void setAlignment(Qt::Alignment horizontal);
    void setBackColor(quint32 color);
    void setForeColor(quint32 color);
    // BackStyle transparent: the window shows through.
    void setTransparent(bool on);
    quint32 BackColor() const { return back_; }
    quint32 ForeColor() const { return fore_; }

    std::function<void()> Change;
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int Button, int Shift, double X, double Y)> MouseDown;
    std::function<void(int Button, int Shift, double X, double Y)> MouseUp;
    std::function<void(int Button, int Shift, double X, double Y)> MouseMove;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void applyColors();
    quint32 back_ = kButtonFace;
    quint32 fore_ = 0;
    bool transparent_ = false;
    bool pressed_ = false;
};

// A button's caption is word-wrapped and centred inside it, as on the original buttons.
class CommandButton : public WidgetControl<QPushButton> {
    Q_OBJECT
public:
    CommandButton(Form& form, QString name, const QString& caption = {});
    QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }
    // Runs Click as a press of the button does.
    void Press();

    std::function<void()> Click;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

// Picture stretched to its box.
class Image : public WidgetControl<QLabel> {
    Q_OBJECT
public:
    Image(Form& form, QString name);
    void setPicture(const QPixmap& p);
    const QPixmap& Picture() const { return picture_; }

    std::function<void()> Click;

protected:
    void applyGeometry() override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPixmap picture_;
};

// A drawn line between (X1, Y1) and (X2, Y2), twips in the window's client area. Lines are
// drawn above the labels they cross.
class Line : public WidgetControl<QWidget> {
    Q_OBJECT
public:
    Line(Form& form, QString name, double x1, double y1, double x2, double y2);
    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    void setPoints(double x1, double y1, double x2, double y2);
    void setBorderColor(quint32 color);
    quint32 BorderColor() const { return color_; }
    void setDotted(bool on);

protected:
    void applyGeometry() override;
    void paintEvent(QPaintEvent* e) override;

private:
    double x1_, y1_, x2_, y2_;
    quint32 color_ = 0;
    bool dotted_ = false;
};

// A window's timer, registered with the window's controls like the others.
class Timer : public KitTimer, public Control {
    Q_OBJECT
public:
    Timer(Form& form, QString name, int intervalMs, bool enabled = true);
    bool Enabled() const override { return KitTimer::Enabled(); }
    void setEnabled(bool on) override { KitTimer::setEnabled(on); }
};

// A button's mnemonic (Alt and the underlined letter): the focus moves to the button and the
// button is clicked at once, after the focus steps of the control it left. Returns false for
// any other event, and for a mnemonic two controls share, which Qt answers by moving the focus.
bool clickOnMnemonic(QAbstractButton& button, QEvent* e);

// Draws a check box's or option button's mark with the style, then its caption word-wrapped in
// the room beside the mark and centred from top to bottom, as the original controls did; Qt
// would draw it on one line, cut at the control's edge.
void paintWrappedCaption(QAbstractButton& button, QStyleOptionButton option,
                         QStyle::ControlElement element, QStyle::SubElement contents);

}  // namespace qf
