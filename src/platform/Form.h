// The forms kit: a window (Form) and its controls, behaving as the windows of this program were
// designed to behave, on top of Qt widgets.
//
// - Geometry is kept in twips as doubles (15 twips to a pixel) and applied to the widgets only
//   when set, so chains of scaling never pile up rounding. A window's Width/Height are its outer
//   size; ScaleWidth/ScaleHeight its client area, from fixed allowances for border, caption and
//   menu bar, the same on every platform.
// - Key preview: with KeyPreview set, the window's Form_KeyDown(KeyCode, Shift) runs before the
//   control's KeyDown, and Form_KeyPress(KeyAscii) before the control's KeyPress; a code the
//   handlers replace is what the box receives, 0 drops it. Zeroing KeyCode does not cancel the
//   character phase.
// - Each window keeps an ordered registry of its controls (hidden ones, timers and menus
//   included) for the loops that scale every control.
// - Windows are loaded at first reference (see FormSlot), unloaded through Unload(), and deleted
//   later, never inside their own running handler. A window that unloads itself while its own
//   load is still running (a message box's loop runs its timers) is deleted only after that
//   load has returned.
// - Focus handlers (GotFocus/LostFocus) run after the handler that moved the focus returns,
//   queued in the order of the moves; a Tab sent by code is queued the same way. So a key
//   handler that moves the focus completes its own steps before the boxes' focus handlers run.
//   The next key runs any still waiting before its own handlers, and a click's GotFocus waits
//   for the button's release. An operator's click on a button runs any still waiting before
//   its Click, which then reads what the box it left has committed.
// - Handlers run behind the slot boundary (Guard.h): no exception leaves into Qt.
#pragma once

#include "platform/Platform.h"
#include "platform/TwipsGeometry.h"

#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace qf {

class Control;

class Form : public QWidget, public TwipsGeometry {
    Q_OBJECT
public:
    enum class Border { Sizable, Fixed, None };
    // Fixed allowances between outer and client size, in twips.
    static constexpr double kBorderTwips = 60;    // each side
    static constexpr double kCaptionTwips = 270;  // title bar
    static constexpr double kMenuBarTwips = 300;

    Form(Platform& platform, QString name, Border border = Border::Sizable);
    ~Form() override;

    const QString& Name() const { return name_; }
    Platform& platform() { return platform_; }
    QWidget* client() { return client_; }

    // ---- geometry, in twips (Left, Top, Width, Height, Move from TwipsGeometry)
    double ScaleWidth() const;
    double ScaleHeight() const;
    Border border() const { return border_; }
    void setHasMenuBar(bool on);
    // The window's menu bar, made on first use; it takes its allowance from the client area.
    QMenuBar* menuBar();

    // ---- look
    double FontSize() const { return fontSize_; }
    void setFontSize(double points);
    const QString& FontName() const { return fontName_; }
    void setFontName(const QString& name);
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& c) { setWindowTitle(c); }
    void setBackColor(quint32 color);

    bool KeyPreview = false;

    // A Tab keystroke sent by code: handled after the current handler returns, by whatever has
    // the focus then; it only moves the focus on.
    void SendTab();

    // ---- controls
    const std::vector<Control*>& controls() const { return controls_; }
    Control* control(const QString& name) const;
    template <class C, class... Args>
    C* add(Args&&... args) {
        // Owned by Qt: the control's widget or object has this window (or its client) as parent.
        return new C(*this, std::forward<Args>(args)...);
    }

    // ---- life
    void Load();  // runs Form_Load once; called at first reference
    bool loaded() const { return loaded_; }
    void Show();
    void ShowModal();  // returns when the window is hidden or unloaded
    void Hide();
    // Runs Form_QueryUnload and Form_Unload; returns false when one of them cancelled.
    bool Unload(int unloadMode = kUnloadFromCode);
    bool unloaded() const { return unloaded_; }
    std::function<void()> onUnloaded;  // set by the FormSlot that owns the window
    // Deletes the window once control is back in the event loop, and never before its load
    // has returned.
    void deleteWhenIdle();

    static constexpr int kUnloadFromControlMenu = 0, kUnloadFromCode = 1;

    // ---- handlers a window overrides
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {
        Q_UNUSED(Cancel);
        Q_UNUSED(UnloadMode);
    }
    virtual void Form_Unload(int& Cancel) { Q_UNUSED(Cancel); }
    virtual void Form_KeyDown(int& KeyCode, int Shift) {
        Q_UNUSED(KeyCode);
        Q_UNUSED(Shift);
    }
    virtual void Form_KeyPress(int& KeyAscii) { Q_UNUSED(KeyAscii); }
    // The mouse over the window's bare surface (controls keep their own moves).
    virtual void Form_MouseMove(int Button, int Shift, double X, double Y) {
        Q_UNUSED(Button);
        Q_UNUSED(Shift);
        Q_UNUSED(X);
        Q_UNUSED(Y);
    }
    virtual void Form_KeyUp(int& KeyCode, int Shift) {
        Q_UNUSED(KeyCode);
        Q_UNUSED(Shift);
    }

    // ---- used by the controls
    void registerControl(Control* c);
    void unregisterControl(Control* c);
    // The key-down phase: window first (with key preview), then the control. Returns KeyCode.
    int keyDownPhase(Control* c, int keyCode, int shift);
    // The character phase. Returns what is left of KeyAscii.
    int keyPressPhase(Control* c, int keyAscii);
    int keyUpPhase(Control* c, int keyCode, int shift);

signals:
    void hiddenOrUnloaded();

protected:
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void applyGeometry() override;
    double frameWidth() const;
    double frameHeight() const;

    Platform& platform_;
    QString name_;
    Border border_;
    QWidget* client_;
    QMenuBar* menuBarWidget_ = nullptr;
    double fontSize_ = 8.25;
    QString fontName_ = QStringLiteral("MS Sans Serif");
    bool menuBar_ = false;
    bool loaded_ = false;
    bool loading_ = false;
    bool deleteAfterLoad_ = false;
    bool unloaded_ = false;
    bool inUnload_ = false;
    std::vector<Control*> controls_;
};

// A window loaded at first reference: get() creates and loads it when needed; after Unload the
// next get() loads a fresh one. The unloaded window is deleted later, outside its handlers.
template <class F>
class FormSlot {
public:
    using Factory = std::function<std::unique_ptr<F>()>;
    explicit FormSlot(Factory factory) : factory_(std::move(factory)) {}
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;
    ~FormSlot() { form_.reset(); }

    F& get() {
        if (!form_) {
            form_ = factory_();
            form_->onUnloaded = [this] {
                // The next reference loads a fresh window; this one goes once nothing runs in it.
                form_.release()->deleteWhenIdle();
            };
            // A window may unload itself in its own load: the caller still gets it, alive
            // until control is back in the event loop.
            F* loading = form_.get();
            loading->Load();
            return *loading;
        }
        return *form_;
    }
    bool isLoaded() const { return form_ != nullptr; }
    F* peek() const { return form_.get(); }

private:
    Factory factory_;
    std::unique_ptr<F> form_;
};

// The font face that stands for a design font on this platform (metric-compatible faces).
QString platformFontFace(const QString& designFace);
// Fonts at the resolution the twips are turned into pixels at; before the QApplication exists.
void pinFontResolution();

}  // namespace qf
