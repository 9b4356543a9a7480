#include "platform/Form.h"

#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/Error.h"
#include "platform/Guard.h"
#include "platform/Keys.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace qf {

namespace {

Qt::WindowFlags flagsFor(Form::Border b) {
    switch (b) {
        case Form::Border::None: return Qt::Window | Qt::FramelessWindowHint | Qt::Tool;
        case Form::Border::Fixed:
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
        case Form::Border::Sizable: break;
    }
    return Qt::Window;
}

}  // namespace

QString platformFontFace(const QString& designFace) {
    // Debian's metric-compatible faces keep the designed text widths; docs/design.md says why
    // each one was chosen.
    struct Substitute {
        const char* design;
        const char* face;
    };
    static const Substitute kFaces[] = {
        {"arial", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},
        {"microsoft sans serif", "Liberation Sans"},
        {"tahoma", "Liberation Sans"},
        {"arial narrow", "Liberation Sans Narrow"},
        {"times new roman", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
    };
    const QString f = designFace.simplified().toLower();
    for (const Substitute& s : kFaces) {
        if (f == QLatin1String(s.design)) return QString::fromLatin1(s.face);
    }
    return designFace;
}

void pinFontResolution() {
    // The windows are laid out at 15 twips to the pixel, which is 96 dots per inch; a font sized
    // for another resolution would no longer fit the controls drawn for it.
    if (!qEnvironmentVariableIsSet("QT_FONT_DPI")) qputenv("QT_FONT_DPI", "96");
}

Form::Form(Platform& platform, QString name, Border border)
    : QWidget(nullptr, flagsFor(border)),
      TwipsGeometry(9600, 7200),
      platform_(platform),
      name_(std::move(name)),
      border_(border),
      client_(new QWidget(this)) {
    setObjectName(name_);
    client_->setObjectName(QStringLiteral("client"));
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    setFontSize(fontSize_);
    applyGeometry();
}

Form::~Form() {
    // Controls unregister themselves while this window's members still exist.
    const QObjectList kids = children();
    for (QObject* k : kids) delete k;
}

double Form::frameWidth() const { return border_ == Border::None ? 0 : 2 * kBorderTwips; }

double Form::frameHeight() const {
    const double frame = border_ == Border::None ? 0 : 2 * kBorderTwips + kCaptionTwips;
    return frame + (menuBar_ ? kMenuBarTwips : 0);
}

double Form::ScaleWidth() const { return std::max(0.0, width_ - frameWidth()); }
double Form::ScaleHeight() const { return std::max(0.0, height_ - frameHeight()); }

void Form::setHasMenuBar(bool on) {
    menuBar_ = on;
    applyGeometry();
}

QMenuBar* Form::menuBar() {
    if (!menuBarWidget_) {
        menuBarWidget_ = new QMenuBar(this);
        menuBarWidget_->setNativeMenuBar(false);
        // Menus use the system's menu font: the window's own font grows with the screen and
        // would push the items out of the bar.
        QFont f(platformFontFace(QStringLiteral("MS Sans Serif")));
        f.setPointSizeF(9);
        menuBarWidget_->setFont(f);
        setHasMenuBar(true);
    }
    return menuBarWidget_;
}

void Form::applyGeometry() {
    const int menuPx = menuBar_ ? toPixels(kMenuBarTwips) : 0;
    const int w = toPixels(ScaleWidth());
    const int h = toPixels(ScaleHeight());
    if (menuBarWidget_) menuBarWidget_->setGeometry(0, 0, w, menuPx);
    // The Qt window is the client area plus the menu bar; the window manager adds the rest.
    resize(std::max(1, w), std::max(1, h + menuPx));
    client_->setGeometry(0, menuPx, w, h);
    move(toPixels(left_), toPixels(top_));
}

void Form::setFontSize(double points) {
    if (!std::isfinite(points) || points <= 0) {
        throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
    }
    fontSize_ = points;
    QFont f(platformFontFace(fontName_));
    f.setPointSizeF(std::max(1.0, fontSize_));
    setFont(f);
}

void Form::setFontName(const QString& name) {
    fontName_ = name;
    setFontSize(fontSize_);
}

void Form::setBackColor(quint32 color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(color));
    setPalette(pal);
    setAutoFillBackground(true);
}

Control* Form::control(const QString& name) const {
    for (Control* c : controls_) {
        if (c->Name().compare(name, Qt::CaseInsensitive) == 0) return c;
    }
    return nullptr;
}

void Form::registerControl(Control* c) { controls_.push_back(c); }

void Form::unregisterControl(Control* c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    loading_ = true;
    guarded([this] { Form_Load(); });
    loading_ = false;
    if (deleteAfterLoad_) deleteLater();
}

void Form::deleteWhenIdle() {
    // A message box inside the load runs deferred deletes in its own loop: the load would go
    // on in a deleted window.
    if (loading_) {
        deleteAfterLoad_ = true;
    } else {
        deleteLater();
    }
}

void Form::Show() {
    Load();
    if (unloaded_) return;
    show();
    raise();
    activateWindow();
}

void Form::ShowModal() {
    Load();
    if (unloaded_) return;
    QPointer<Form> self(this);
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (!isVisible() || unloaded_) return;
    QEventLoop loop;
    connect(this, &Form::hiddenOrUnloaded, &loop, &QEventLoop::quit);
    loop.exec();
    // The window may be gone by now: an unload inside the loop deletes it later.
    if (self && !self->unloaded_) self->setWindowModality(Qt::NonModal);
}

void Form::Hide() { hide(); }

void Form::SendTab() {
    QMetaObject::invokeMethod(
        this, [this] { focusNextChild(); }, Qt::QueuedConnection);
}

bool Form::Unload(int unloadMode) {
    if (unloaded_ || inUnload_) return true;
    inUnload_ = true;
    int cancel = 0;
    guarded([&] { Form_QueryUnload(cancel, unloadMode); });
    if (cancel == 0) guarded([&] { Form_Unload(cancel); });
    inUnload_ = false;
    if (cancel != 0) return false;
    unloaded_ = true;
    for (Control* c : controls_) {
        if (auto* t = dynamic_cast<Timer*>(c)) t->setEnabled(false);
    }
    hide();
    emit hiddenOrUnloaded();
    if (onUnloaded) onUnloaded();
    return true;
}

void Form::closeEvent(QCloseEvent* e) {
    // The window goes only through Unload, which its handlers may cancel.
    e->ignore();
    Unload(kUnloadFromControlMenu);
}

void Form::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (!e->spontaneous()) emit hiddenOrUnloaded();
}

int Form::keyDownPhase(Control* c, int keyCode, int shift) {
    if (KeyPreview) guarded([&] { Form_KeyDown(keyCode, shift); });
    if (keyCode != 0 && c && c->KeyDown) guarded([&] { c->KeyDown(keyCode, shift); });
    return keyCode;
}

int Form::keyPressPhase(Control* c, int keyAscii) {
    if (KeyPreview) guarded([&] { Form_KeyPress(keyAscii); });
    if (keyAscii != 0 && c && c->KeyPress) guarded([&] { c->KeyPress(keyAscii); });
    return keyAscii;
}

int Form::keyUpPhase(Control* c, int keyCode, int shift) {
    if (KeyPreview) guarded([&] { Form_KeyUp(keyCode, shift); });
    if (keyCode != 0 && c && c->KeyUp) guarded([&] { c->KeyUp(keyCode, shift); });
    return keyCode;
}

void Form::keyPressEvent(QKeyEvent* e) {
    // Keys that reach the window itself (no control has the focus).
    Control::runPendingFocusHandlers();
    int code = keyCodeOf(*e);
    guarded([&] { Form_KeyDown(code, shiftOf(*e)); });
    int ascii = keyAsciiOf(*e);
    if (ascii != 0) guarded([&] { Form_KeyPress(ascii); });
}

bool Form::eventFilter(QObject* watched, QEvent* e) {
    if (watched == client_ && e->type() == QEvent::MouseMove) {
        auto* m = static_cast<QMouseEvent*>(e);
        const QPointF p = m->position() * 15.0;
        const int buttons = ((m->buttons() & Qt::LeftButton) ? 1 : 0) |
                            ((m->buttons() & Qt::RightButton) ? 2 : 0) |
                            ((m->buttons() & Qt::MiddleButton) ? 4 : 0);
        guarded([&] { Form_MouseMove(buttons, 0, p.x(), p.y()); });
    }
    return QWidget::eventFilter(watched, e);
}

void Form::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    int code = keyCodeOf(*e);
    guarded([&] { Form_KeyUp(code, shiftOf(*e)); });
}

}  // namespace qf
