// The dialogs' scripted test double, kept with the tests: the program never links it.
#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace qf {

// What the scripted double was asked to show, in order.
struct ShownDialog {
    enum Kind { Message, Input, FileOpen, FileSave, Color } kind;
    QString text;   // message text, input prompt, or file proposed path
    QString title;
    Buttons buttons = Buttons::OK;
    int defaultButton = 0;
    QString filter;  // file dialogs
    QString defaultText;
    Icon icon = Icon::None;  // message boxes
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
