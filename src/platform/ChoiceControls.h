// Choice controls of the forms kit: frames that group controls under a caption, option
// buttons and check boxes. They follow the kit's Control rules (twips geometry, own font, own Visible/Enabled
// flags, handlers behind the slot boundary).
//
// - An option button's Click runs whenever it becomes selected, by the operator or by code
//   (setValue(true)), never when it is cleared; selecting one clears the others of its group,
//   which is its frame or, outside a frame, the window.
// - The operator's click on either waits for the focus steps it caused, as a command button's
//   does (Controls.h); a value set from code does not.
// - Their captions wrap inside the control, as the original controls' captions did.
// - Code can clear the selected option of a group, leaving the group with no answer, as a
//   freshly built window has none.
#pragma once

#include "platform/Controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

namespace qf {

// A captioned box; controls created with it as their container sit inside it, at coordinates
// relative to its top-left corner.
class Frame : public WidgetControl<QGroupBox> {
    Q_OBJECT
public:
    Frame(Form& form, QString name, const QString& caption = {});

    QString Caption() const { return title(); }
    void setCaption(const QString& c) { setTitle(c); }
};

class OptionButton : public WidgetControl<QRadioButton> {
    Q_OBJECT
public:
    // container: the frame it sits in, or nullptr for the window's surface.
    OptionButton(Form& form, QString name, const QString& caption = {}, Frame* container = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }

    bool Value() const { return isChecked(); }
    // true selects it (running Click when it was not selected); false clears it.
    void setValue(bool on);

    std::function<void()> Click;

protected:
    bool event(QEvent* e) override;
    // The operator's click only (never setValue): it waits for the focus steps it caused.
    void nextCheckState() override;
    void paintEvent(QPaintEvent* e) override;
    // A click anywhere on the control, a wrapped caption's second line included, selects it.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

// A check box: Value 1 checked, 0 not. Click runs on every change of the value, by the
// operator or by code.
class CheckBox : public WidgetControl<QCheckBox> {
    Q_OBJECT
public:
    CheckBox(Form& form, QString name, const QString& caption = {});

    QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }
    int Value() const { return isChecked() ? 1 : 0; }
    // 0 or 1; anything else is an invalid property value (Error 380).
    void setValue(int value);

    std::function<void()> Click;

protected:
    bool event(QEvent* e) override;
    // The operator's click only (never setValue): it waits for the focus steps it caused.
    void nextCheckState() override;
    void paintEvent(QPaintEvent* e) override;
    // A click anywhere on the control, a wrapped caption's second line included, ticks it.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

}  // namespace qf
