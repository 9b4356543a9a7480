#include "platform/Controls.h"

#include "platform/Colors.h"
#include "platform/Error.h"
#include "platform/Guard.h"
#include "platform/Keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>
#include <QSignalBlocker>
#include <QStylePainter>

#include <algorithm>
#include <cmath>
#include <deque>
#include <utility>

namespace qf {

namespace {

int buttonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int buttonsOf(Qt::MouseButtons b) {
    return ((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) |
           ((b & Qt::MiddleButton) ? 4 : 0);
}

int shiftOfMods(Qt::KeyboardModifiers m) {
    return ((m & Qt::ShiftModifier) ? kShiftMask : 0) |
           ((m & Qt::ControlModifier) ? kCtrlMask : 0) | ((m & Qt::AltModifier) ? kAltMask : 0);
}

// Editing commands that would change a box's text without the key phases.
bool bypassesKeyPhases(QKeyEvent* e) {
    return e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) ||
           e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo) ||
           e->matches(QKeySequence::SelectAll);
}

}  // namespace

// ---- Control

Control::Control(Form& form, QString name, ControlKind kind)
    : TwipsGeometry(1215, 285), form_(form), name_(std::move(name)), kind_(kind) {
    form_.registerControl(this);
}

Control::~Control() {
    form_.unregisterControl(this);
}

void Control::applyGeometry() {
    if (QWidget* w = widget()) {
        w->setGeometry(toPixels(left_), toPixels(top_), toPixels(width_), toPixels(height_));
    }
}

bool Control::hasFont() const {
    switch (kind_) {
        case ControlKind::Image:
        case ControlKind::Line:
        case ControlKind::Timer:
        case ControlKind::Menu:
            return false;
        default:
            return true;
    }
}

void Control::setFontSize(double points) {
    if (!hasFont()) {
        throw Error(438, QStringLiteral("Object doesn't support this property or method"));
    }
    if (!std::isfinite(points) || points <= 0) {
        throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
    }
    fontSize_ = points;
    applyFont();
}

void Control::setFontName(const QString& face) {
    fontName_ = face;
    applyFont();
}

void Control::setFontBold(bool on) {
    bold_ = on;
    applyFont();
}

void Control::applyFont() {
    QWidget* w = widget();
    if (!w || !hasFont()) return;
    // Every attribute set explicitly, so nothing of the window's own font passes through.
    QFont f(platformFontFace(fontName_));
    f.setPointSizeF(std::max(1.0, fontSize_));
    f.setBold(bold_);
    f.setItalic(false);
    f.setUnderline(false);
    w->setFont(f);
}

bool Control::Visible() const {
    QWidget* w = const_cast<Control*>(this)->widget();
    return w ? !w->isHidden() : false;
}

void Control::setVisible(bool on) {
    if (QWidget* w = widget()) w->setVisible(on);
}

bool Control::Enabled() const {
    QWidget* w = const_cast<Control*>(this)->widget();
    return w ? !w->testAttribute(Qt::WA_Disabled) : true;
}

void Control::setEnabled(bool on) {
    if (QWidget* w = widget()) w->setEnabled(on);
}

void Control::SetFocus() {
    QWidget* w = widget();
    if (!w || !Visible() || !Enabled() || form_.isHidden()) {
        throw Error(err::kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
    }
    w->setFocus(Qt::OtherFocusReason);
}

// The focus handlers run after the handler that moved the focus has returned, in the order of
// the moves: the old control's LostFocus, then the new one's GotFocus. A key handler that moves
// the focus therefore finishes its own steps first; letting pending events run inside a handler
// runs them at that point. Each move is queued here and one queued call per move runs the
// oldest; a key reaching a control first runs every one still waiting, so the box always has
// its arrival behind it before it takes a key, however fast the operator types.
namespace {

struct PendingFocusHandler {
    QPointer<QObject> alive;  // the control's widget: a deleted control runs nothing
    Control* control;
    bool gotFocus;
};

std::deque<PendingFocusHandler>& pendingFocusHandlers() {
    static std::deque<PendingFocusHandler> queue;
    return queue;
}

// Runs the oldest waiting handler; false when none was waiting.
bool runOldestFocusHandler() {
    auto& queue = pendingFocusHandlers();
    while (!queue.empty()) {
        const PendingFocusHandler next = queue.front();
        queue.pop_front();
        if (!next.alive) continue;
        const auto& handler = next.gotFocus ? next.control->GotFocus : next.control->LostFocus;
        if (handler) guarded(handler);
        return true;
    }
    return false;
}

}  // namespace

void Control::runPendingFocusHandlers() {
    while (runOldestFocusHandler()) {
    }
}

void Control::queueFocusHandler(bool gotFocus) {
    QWidget* w = widget();
    if (!w) return;
    pendingFocusHandlers().push_back({QPointer<QObject>(w), this, gotFocus});
    // The application outlives every control, so each move keeps its queued call.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { runOldestFocusHandler(); }, Qt::QueuedConnection);
}

void Control::focusIn(Qt::FocusReason reason) {
    // A menu, a message box or another window taking the focus is no move between controls.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    queueFocusHandler(true);
}

void Control::focusOut(Qt::FocusReason reason) {
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    queueFocusHandler(false);
}

bool Control::clickOutlastsFocusSteps() {
    QWidget* w = widget();
    if (!w) return true;
    // A press and release read in one go reach the button before the queued LostFocus of the
    // box the press took the focus from; the click must see what that LostFocus commits.
    const QPointer<QWidget> alive(w);
    const bool shown = w->isVisible(), focused = w->hasFocus();
    runPendingFocusHandlers();
    if (!alive) return false;
    // Qt lets go of a held button that is disabled or loses the focus, and a hidden one no
    // longer gets the release: the same click, however quick, comes to nothing as well.
    if (!w->isEnabled() || (shown && !w->isVisible())) return false;
    return !focused || w->hasFocus();
}

bool clickOnMnemonic(QAbstractButton& button, QEvent* e) {
    if (e->type() != QEvent::Shortcut || static_cast<QShortcutEvent*>(e)->isAmbiguous()) {
        return false;
    }
    // Qt would click a tenth of a second later, leaving the focus where it was, so the box being
    // left would commit nothing first.
    if (button.focusPolicy() != Qt::NoFocus) button.setFocus(Qt::ShortcutFocusReason);
    button.click();
    return true;
}

bool Control::keyEvent(QKeyEvent* e, int& keyCode, int& ascii) {
    runPendingFocusHandlers();
    keyCode = form_.keyDownPhase(this, keyCodeOf(*e), shiftOf(*e));
    ascii = keyAsciiOf(*e);
    if (ascii != 0) ascii = form_.keyPressPhase(this, ascii);
    return true;
}

// ---- TextBox

TextBox::TextBox(Form& form, QString name)
    : WidgetControl<QLineEdit>(form, std::move(name), ControlKind::TextBox, form.client()) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setMaxLength(0);
    connect(this, &QLineEdit::textChanged, this, [this] { fireChange(); });
    applyGeometry();
    applyFont();
}

void TextBox::setText(const QString& t) {
    const bool changed = t != text();
    {
        const QSignalBlocker block(this);
        QLineEdit::setText(t);
        setCursorPosition(0);
    }
    if (changed) fireChange();
}

void TextBox::fireChange() {
    if (Change) guarded(Change);
}

int TextBox::SelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TextBox::setSelStart(int pos) {
    deselect();
    setCursorPosition(std::clamp(pos, 0, static_cast<int>(text().size())));
}

int TextBox::SelLength() const {
    return hasSelectedText() ? selectedText().size() : 0;
}

void TextBox::setSelLength(int len) {
    const int start = SelStart();
    const int n = std::clamp(len, 0, static_cast<int>(text().size()) - start);
    if (n == 0) {
        setSelStart(start);
    } else {
        setSelection(start, n);
    }
}

void TextBox::SelectAllText() {
    setSelStart(0);
    setSelLength(static_cast<int>(text().size()));
}

void TextBox::typeChar(int ascii) {
    if (isReadOnly()) return;
    if (ascii == 8) {
        backspace();
        return;
    }
    if (ascii < 32 || ascii == 127) return;  // Enter, Esc and other control codes insert nothing
    if (maxLength_ > 0 && text().size() - SelLength() >= maxLength_) return;
    insert(QString(QChar(ascii)));
}

void TextBox::keyPressEvent(QKeyEvent* e) {
    // A key typed while the click that brought the focus is still held: the arrival comes first.
    if (clickArrivalPending_) runPendingClickArrival();
    int keyCode = 0, ascii = 0;
    keyEvent(e, keyCode, ascii);
    e->accept();
    if (keyAsciiOf(*e) != 0) {
        // A character key: the box takes what the handlers left of it, and nothing else.
        if (ascii != 0) typeChar(ascii);
        return;
    }
    if (keyCode == 0 || bypassesKeyPhases(e)) return;
    QLineEdit::keyPressEvent(e);
    // A key the box does not use must not travel on to the window: its handlers have run.
    e->accept();
}

void TextBox::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) form_.keyUpPhase(this, keyCodeOf(*e), shiftOf(*e));
    QLineEdit::keyReleaseEvent(e);
}

void TextBox::focusInEvent(QFocusEvent* e) {
    // Tabbing in selects nothing: keep the caret and selection the box had.
    const int start = SelStart(), len = SelLength();
    QLineEdit::focusInEvent(e);
    if (len > 0) {
        setSelection(start, len);
    } else {
        deselect();
        setCursorPosition(start);
    }
    if (e->reason() != Qt::MouseFocusReason) {
        focusIn(e->reason());
        return;
    }
    // The press that gave the focus is handled right after this and places the caret; on a
    // real display the release (and any drag before it) comes later still. GotFocus runs once
    // the click is over, or at once when no button turns out to be held.
    clickArrivalPending_ = true;
    buttonHeld_ = false;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (clickArrivalPending_ && !buttonHeld_) runPendingClickArrival();
        },
        Qt::QueuedConnection);
}

void TextBox::runPendingClickArrival() {
    clickArrivalPending_ = false;
    focusIn(Qt::MouseFocusReason);
}

void TextBox::focusOutEvent(QFocusEvent* e) {
    // A box left before its click was over still had its arrival: GotFocus before LostFocus.
    if (clickArrivalPending_ && e->reason() != Qt::PopupFocusReason &&
        e->reason() != Qt::ActiveWindowFocusReason) {
        runPendingClickArrival();
    }
    buttonHeld_ = false;
    // Leaving keeps the selection.
    const int start = SelStart(), len = SelLength();
    QLineEdit::focusOutEvent(e);
    if (len > 0) setSelection(start, len);
    focusOut(e->reason());
}

void TextBox::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        e->accept();  // no selection paste
        return;
    }
    buttonHeld_ = true;
    QLineEdit::mousePressEvent(e);
}

void TextBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
    buttonHeld_ = false;
    if (clickArrivalPending_) runPendingClickArrival();
}

void TextBox::inputMethodEvent(QInputMethodEvent* e) {
    e->ignore();
}

// ---- Label

Label::Label(Form& form, QString name, const QString& caption)
    : WidgetControl<QLabel>(form, std::move(name), ControlKind::Label, form.client()) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft);
    setMouseTracking(true);
    setTextFormat(Qt::PlainText);
    QLabel::setText(caption);
    applyColors();
    applyGeometry();
    applyFont();
}

void Label::setCaption(const QString& c) {
    if (c == text()) return;
    QLabel::setText(c);
    if (Change) guarded(Change);
}

void Label::setAlignment(Qt::Alignment horizontal) {
    QLabel::setAlignment((horizontal & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
}

void Label::setBackColor(quint32 color) {
    back_ = color;
    applyColors();
}

void Label::setForeColor(quint32 color) {
    fore_ = color;
    applyColors();
}

void Label::setTransparent(bool on) {
    transparent_ = on;
    applyColors();
}

void Label::applyColors() {
    const QColor back = toQColor(back_), fore = toQColor(fore_);
    // The rebuild of a logging window sets the same colours on many labels again and again:
    // a palette that already holds them, set as its own, is left as it is.
    const QPalette& now = palette();
    bool same = autoFillBackground() == !transparent_;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto& [role, color] : {std::pair{QPalette::Window, back}, std::pair{QPalette::WindowText, fore}}) {
            same = same && now.isBrushSet(group, role) && now.brush(group, role).style() == Qt::SolidPattern &&
                   now.color(group, role) == color;
        }
    }
    if (same) return;
    QPalette pal = now;
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, fore);
    setPalette(pal);
    setAutoFillBackground(!transparent_);
}

void Label::mousePressEvent(QMouseEvent* e) {
    e->accept();
    pressed_ = true;
    const QPointF p = e->position() * 15.0;
    if (MouseDown) {
        guarded(
            [&] { MouseDown(buttonOf(e->button()), shiftOfMods(e->modifiers()), p.x(), p.y()); });
    }
}

void Label::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    const QPointF p = e->position() * 15.0;
    if (MouseUp) {
        guarded([&] { MouseUp(buttonOf(e->button()), shiftOfMods(e->modifiers()), p.x(), p.y()); });
    }
    // The release that ends a double click raises no Click.
    if (pressed_ && e->button() == Qt::LeftButton && Click) guarded(Click);
    pressed_ = false;
}

void Label::mouseDoubleClickEvent(QMouseEvent* e) {
    e->accept();
    pressed_ = false;
    if (e->button() == Qt::LeftButton && DblClick) guarded(DblClick);
}

void Label::mouseMoveEvent(QMouseEvent* e) {
    e->accept();  // moves over a label never reach the window
    const QPointF p = e->position() * 15.0;
    if (MouseMove) {
        guarded(
            [&] { MouseMove(buttonsOf(e->buttons()), shiftOfMods(e->modifiers()), p.x(), p.y()); });
    }
}

// ---- CommandButton

CommandButton::CommandButton(Form& form, QString name, const QString& caption)
    : WidgetControl<QPushButton>(form, std::move(name), ControlKind::CommandButton, caption,
                                 form.client()) {
    setAutoDefault(false);
    // clicked comes from the operator only: a mouse click, Space or a mnemonic.
    connect(this, &QPushButton::clicked, this, [this] {
        if (clickOutlastsFocusSteps()) Press();
    });
    applyGeometry();
    applyFont();
}

void CommandButton::Press() {
    if (Click) guarded(Click);
}

bool CommandButton::event(QEvent* e) {
    return clickOnMnemonic(*this, e) || QPushButton::event(e);
}

void CommandButton::paintEvent(QPaintEvent* e) {
    // A picture button keeps Qt's own layout of picture and caption.
    if (!icon().isNull()) {
        QPushButton::paintEvent(e);
        return;
    }
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown()) {
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    p.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, option.palette,
                   isEnabled(), caption, QPalette::ButtonText);
}

void CommandButton::keyPressEvent(QKeyEvent* e) {
    int keyCode = 0, ascii = 0;
    keyEvent(e, keyCode, ascii);
    e->accept();
    if (ascii == 13) {
        Press();  // Enter presses the focused button
        return;
    }
    if (keyCode == 0) return;
    QPushButton::keyPressEvent(e);
    e->accept();
}

void CommandButton::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) form_.keyUpPhase(this, keyCodeOf(*e), shiftOf(*e));
    QPushButton::keyReleaseEvent(e);
}

void CommandButton::focusInEvent(QFocusEvent* e) {
    QPushButton::focusInEvent(e);
    focusIn(e->reason());
}

void CommandButton::focusOutEvent(QFocusEvent* e) {
    QPushButton::focusOutEvent(e);
    focusOut(e->reason());
}

// ---- Image

Image::Image(Form& form, QString name)
    : WidgetControl<QLabel>(form, std::move(name), ControlKind::Image, form.client()) {
    setScaledContents(true);
    applyGeometry();
}

void Image::setPicture(const QPixmap& p) {
    picture_ = p;
    setPixmap(p);
}

void Image::applyGeometry() {
    Control::applyGeometry();
}

void Image::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    if (e->button() == Qt::LeftButton && Click) guarded(Click);
}

// ---- Line

Line::Line(Form& form, QString name, double x1, double y1, double x2, double y2)
    : WidgetControl<QWidget>(form, std::move(name), ControlKind::Line, form.client()),
      x1_(x1),
      y1_(y1),
      x2_(x2),
      y2_(y2) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    applyGeometry();
}

void Line::setPoints(double x1, double y1, double x2, double y2) {
    for (double v : {x1, y1, x2, y2}) checkTwips(v, false);
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    applyGeometry();
}

void Line::setBorderColor(quint32 color) {
    color_ = color;
    update();
}

void Line::setDotted(bool on) {
    dotted_ = on;
    update();
}

void Line::applyGeometry() {
    const int l = toPixels(std::min(x1_, x2_)), t = toPixels(std::min(y1_, y2_));
    const int r = toPixels(std::max(x1_, x2_)), b = toPixels(std::max(y1_, y2_));
    setGeometry(l, t, r - l + 1, b - t + 1);
    raise();  // above the labels it crosses
    update();
}

void Line::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(toQColor(color_), 1, dotted_ ? Qt::DotLine : Qt::SolidLine));
    const QPoint origin = geometry().topLeft();
    p.drawLine(QPoint(toPixels(x1_), toPixels(y1_)) - origin,
               QPoint(toPixels(x2_), toPixels(y2_)) - origin);
}

// ---- Timer

Timer::Timer(Form& form, QString name, int intervalMs, bool enabled)
    : KitTimer(form.platform().clock, &form), Control(form, std::move(name), ControlKind::Timer) {
    setObjectName(Name());
    setInterval(intervalMs);
    setEnabled(enabled);
}

// ---- captions of check boxes and option buttons

void paintWrappedCaption(QAbstractButton& button, QStyleOptionButton option,
                         QStyle::ControlElement element, QStyle::SubElement contents) {
    QStylePainter p(&button);
    const QString caption = option.text;
    const bool focused = option.state & QStyle::State_HasFocus;
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus;
    p.drawControl(element, option);
    const QRect area = button.style()->subElementRect(contents, &option, &button);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    p.drawItemText(area, flags, option.palette, button.isEnabled(), caption, QPalette::WindowText);
    if (focused && !caption.isEmpty()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(&button);
        focus.rect = option.fontMetrics.boundingRect(area, flags, caption).adjusted(-1, 0, 1, 0) &
                     button.rect();
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace qf
