// Dialogs: message box, input box, file open/save and colour choice behind one service. The Qt
// implementation shows real modal boxes; the tests' scripted double (tests/support) answers from
// a queue that a test fills, and keeps what was shown so the test can read it back.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace qf {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { OK = 1, Cancel = 2, Yes = 6, No = 7 };

struct MessageRequest {
    QString text;
    QString title;
    Buttons buttons = Buttons::OK;
    Icon icon = Icon::None;
    int defaultButton = 0;  // 0 first, 1 second, 2 third
};

struct FileRequest {
    QString title;
    QString proposedPath;  // full path: folder and file name
    QString filter;        // "ADIF Files (*.adi)"
    bool promptOverwrite = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer message(const MessageRequest& request) = 0;
    // Cancel gives the empty text.
    virtual QString input(const QString& prompt, const QString& title,
                          const QString& defaultText) = 0;
    // Cancel throws Error(err::kCancel).
    virtual QString fileOpen(const FileRequest& request) = 0;
    virtual QString fileSave(const FileRequest& request) = 0;
    // Colours are 0x00BBGGRR values (Colors.h); Cancel returns the starting colour.
    virtual quint32 chooseColor(quint32 start) = 0;

    // The common OK box.
    void ok(const QString& text, const QString& title, Icon icon = Icon::None) {
        message({text, title, Buttons::OK, icon, 0});
    }
};

// A filter written the Windows way, descriptions and patterns separated by "|" ("LOG Files
// (*.log) | *.log"), as the Qt dialogs want it: the descriptions alone, joined by ";;". A filter
// without "|" is already in that form and passes unchanged.
QString qtFileFilter(const QString& filter);
// The answers a box with these buttons can give, in the order the buttons stand.
std::vector<Answer> answersOf(Buttons b);
// What the default button answers.
Answer defaultAnswer(const MessageRequest& request);

class QtDialogs : public Dialogs {
public:
    Answer message(const MessageRequest& request) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString fileOpen(const FileRequest& request) override;
    QString fileSave(const FileRequest& request) override;
    quint32 chooseColor(quint32 start) override;
};

}  // namespace qf
