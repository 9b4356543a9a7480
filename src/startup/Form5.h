// The help window: shows the help text "ReadVEVI.txt" from the working folder in a read-only,
// scrolling box. The logging windows show it modally and unload it when it closes, so every
// opening reads the file afresh.
#pragma once

#include "platform/Controls.h"

#include <QPlainTextEdit>

namespace qf {

class App;

// A multi-line text box with a vertical scroll bar. Text() gives back exactly what was set,
// CR LF line ends included; the box shows each line end as one line break.
class MultiLineTextBox : public WidgetControl<QPlainTextEdit> {
    Q_OBJECT
public:
    MultiLineTextBox(Form& form, QString name);

    const QString& Text() const { return text_; }
    void setText(const QString& t);
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool on) { setReadOnly(on); }
    void setBackColor(quint32 color);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QString text_;
};

class Form5 : public Form {
    Q_OBJECT
public:
    explicit Form5(App& app);

    MultiLineTextBox* Text1;
    CommandButton* Command1;  // "Close"

    void Form_Load() override;
    void Command1_Click();

private:
    App& app_;
};

}  // namespace qf
