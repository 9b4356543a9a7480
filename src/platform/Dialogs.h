// Dialogs: message box, input box, file open/save and colour choice behind one service. The Qt
// implementation shows real modal boxes; the scripted double answers from a queue that a test
// fills, and keeps what was shown so the test can read it back.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
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
    // Colours are &H00BBGGRR values; Cancel returns the starting colour.
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

class QtDialogs : public Dialogs {
public:
    Answer message(const MessageRequest& request) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString fileOpen(const FileRequest& request) override;
    QString fileSave(const FileRequest& request) override;
    quint32 chooseColor(quint32 start) override;
};

// What the scripted double was asked to show, in order.
struct ShownDialog {
    enum Kind { Message, Input, FileOpen, FileSave, Color } kind;
    QString text;   // message text, input prompt, or file proposed path
    QString title;
    Buttons buttons = Buttons::OK;
    int defaultButton = 0;
    QString filter;  // file dialogs
    QString defaultText;
};

class ScriptedDialogs : public Dialogs {
public:
    // Queued answers, used in the order the dialogs are shown. A dialog with no queued answer
    // takes its default: the default button, the default text, Cancel for file dialogs and the
    // starting colour for the colour dialog.
    void answerMessage(Answer a) { messages_.push_back(a); }
    void answerInput(const QString& text) { inputs_.push_back(text); }
    void answerInputCancel() { inputs_.push_back(std::nullopt); }
    void answerFile(const QString& path) { files_.push_back(path); }
    void answerFileCancel() { files_.push_back(std::nullopt); }
    void answerColor(quint32 c) { colors_.push_back(c); }

    // Runs as each dialog is shown, before it is answered: a test looks at the program then.
    std::function<void(const ShownDialog&)> onShown;

    const std::vector<ShownDialog>& shown() const { return shown_; }
    std::vector<ShownDialog> messages() const;  // the message boxes only
    void clearShown() { shown_.clear(); }
    bool allAnswersUsed() const {
        return messages_.empty() && inputs_.empty() && files_.empty() && colors_.empty();
    }

    Answer message(const MessageRequest& request) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString fileOpen(const FileRequest& request) override;
    QString fileSave(const FileRequest& request) override;
    quint32 chooseColor(quint32 start) override;

private:
    QString file(ShownDialog::Kind kind, const FileRequest& request);
    void record(ShownDialog d);
    std::deque<Answer> messages_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<std::optional<QString>> files_;
    std::deque<quint32> colors_;
    std::vector<ShownDialog> shown_;
};

}  // namespace qf
