#include "platform/ChoiceControls.h"

#include "platform/Error.h"
#include "platform/Guard.h"
#include "platform/Keys.h"

#include <QKeyEvent>

namespace qf {

// ---- Frame

Frame::Frame(Form& form, QString name, const QString& caption)
    : WidgetControl<QGroupBox>(form, std::move(name), ControlKind::Frame, caption, form.client()) {
    applyGeometry();
    applyFont();
}

// ---- OptionButton

OptionButton::OptionButton(Form& form, QString name, const QString& caption, Frame* container)
    : WidgetControl<QRadioButton>(form, std::move(name), ControlKind::OptionButton, caption,
                                  container ? static_cast<QWidget*>(container) : form.client()) {
    // toggled, not clicked: a selection made by code must run the handler as the operator's does.
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on && Click) guarded(Click);
    });
    applyGeometry();
    applyFont();
}

void OptionButton::setValue(bool on) {
    if (on) {
        setChecked(true);
        return;
    }
    if (!isChecked()) return;
    // Qt will not clear the selected button of an exclusive group; step out of the group for it.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
}

bool OptionButton::event(QEvent* e) {
    return clickOnMnemonic(*this, e) || QRadioButton::event(e);
}

void OptionButton::nextCheckState() {
    if (clickOutlastsFocusSteps()) QRadioButton::nextCheckState();
}

void OptionButton::paintEvent(QPaintEvent*) {
    QStyleOptionButton option;
    initStyleOption(&option);
    paintWrappedCaption(*this, option, QStyle::CE_RadioButton, QStyle::SE_RadioButtonContents);
}

void OptionButton::keyPressEvent(QKeyEvent* e) {
    int keyCode = 0, ascii = 0;
    keyEvent(e, keyCode, ascii);
    e->accept();
    if (keyCode == 0) return;
    QRadioButton::keyPressEvent(e);
}

void OptionButton::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) form_.keyUpPhase(this, keyCodeOf(*e), shiftOf(*e));
    QRadioButton::keyReleaseEvent(e);
}

void OptionButton::focusInEvent(QFocusEvent* e) {
    QRadioButton::focusInEvent(e);
    focusIn(e->reason());
}

void OptionButton::focusOutEvent(QFocusEvent* e) {
    QRadioButton::focusOutEvent(e);
    focusOut(e->reason());
}

// ---- CheckBox

CheckBox::CheckBox(Form& form, QString name, const QString& caption)
    : WidgetControl<QCheckBox>(form, std::move(name), ControlKind::CheckBox, caption, form.client()) {
    connect(this, &QCheckBox::toggled, this, [this] {
        if (Click) guarded(Click);
    });
    applyGeometry();
    applyFont();
}

void CheckBox::setValue(int value) {
    if (value != 0 && value != 1) {
        throw Error(err::kInvalidProperty, QStringLiteral("Invalid property value"));
    }
    setChecked(value == 1);
}

bool CheckBox::event(QEvent* e) {
    return clickOnMnemonic(*this, e) || QCheckBox::event(e);
}

void CheckBox::nextCheckState() {
    if (clickOutlastsFocusSteps()) QCheckBox::nextCheckState();
}

void CheckBox::paintEvent(QPaintEvent*) {
    QStyleOptionButton option;
    initStyleOption(&option);
    paintWrappedCaption(*this, option, QStyle::CE_CheckBox, QStyle::SE_CheckBoxContents);
}

void CheckBox::keyPressEvent(QKeyEvent* e) {
    int keyCode = 0, ascii = 0;
    keyEvent(e, keyCode, ascii);
    e->accept();
    if (keyCode == 0) return;
    QCheckBox::keyPressEvent(e);
}

void CheckBox::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) form_.keyUpPhase(this, keyCodeOf(*e), shiftOf(*e));
    QCheckBox::keyReleaseEvent(e);
}

void CheckBox::focusInEvent(QFocusEvent* e) {
    QCheckBox::focusInEvent(e);
    focusIn(e->reason());
}

void CheckBox::focusOutEvent(QFocusEvent* e) {
    QCheckBox::focusOutEvent(e);
    focusOut(e->reason());
}

}  // namespace qf
