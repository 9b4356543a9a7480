// frmCodePractice: sends Morse code practice over the air through the CW window's send loop.
// The operator fills "Text to Send" with random groups, the clipboard or typing and sends it
// character by character, each echoed into "Text Sent" once keyed; a small box sends each key
// typed into it at once. Opened modally by the CW window, which unloads it afterwards.
#pragma once

#include "platform/ChoiceControls.h"
#include "platform/Controls.h"

#include <QPlainTextEdit>

namespace qf {

class App;

// A multi-line text box whose typed characters go through its KeyPress handler; text pasted or
// dropped into it is filtered the same way.
class PracticeTextBox : public WidgetControl<QPlainTextEdit> {
    Q_OBJECT
  public:
    PracticeTextBox(Form& form, QString name);

    QString Text() const { return toPlainText(); }
    void setText(const QString& t) { setPlainText(t); }
    // Puts the caret at position pos (0 = before the first character), kept inside the text.
    void setSelStart(int pos);
    int SelStart() const { return textCursor().position(); }

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

class frmCodePractice : public Form {
    Q_OBJECT
  public:
    explicit frmCodePractice(App& app);

    // ---- controls
    TextBox* Text5;  // type-to-send box
    CommandButton *Command3, *Command4, *Command7, *Command8, *Command1, *Command2;
    Label *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    PracticeTextBox *Text1, *Text2;  // text to send, text sent
    TextBox *Text3, *Text4;          // group count, group length
    Frame* Frame1;
    OptionButton *Option2, *Option1;  // "All", "Letters Only"
    CommandButton *Command5, *Command6;

    QString PracticeText;  // what Send is working through

    // ---- handlers
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Command1_Click();  // paste
    void Command2_Click();  // generate
    void Command3_Click();  // send
    void Command4_Click();  // stop
    void Command5_Click();  // clear "Text Sent"
    void Command6_Click();  // clear "Text to Send"
    void Command7_Click();  // faster
    void Command8_Click();  // slower
    void Text5_KeyPress(int& KeyAscii);

  private:
    void buildControls();
    App& app_;
};

}  // namespace qf
