#include "support/ScriptedDialogs.h"

#include "platform/Error.h"

namespace qf {

std::vector<ShownDialog> ScriptedDialogs::messages() const {
    std::vector<ShownDialog> out;
    for (const auto& s : shown_) {
        if (s.kind == ShownDialog::Message) out.push_back(s);
    }
    return out;
}

void ScriptedDialogs::record(ShownDialog d) {
    shown_.push_back(std::move(d));
    if (onShown) onShown(shown_.back());
}

Answer ScriptedDialogs::message(const MessageRequest& r) {
    record({ShownDialog::Message, r.text, r.title, r.buttons, r.defaultButton, {}, {}, r.icon});
    if (messages_.empty()) return defaultAnswer(r);
    const Answer a = messages_.front();
    messages_.pop_front();
    return a;
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title,
                               const QString& defaultText) {
    record({ShownDialog::Input, prompt, title, Buttons::OKCancel, 0, {}, defaultText});
    if (inputs_.empty()) return defaultText;
    const auto a = inputs_.front();
    inputs_.pop_front();
    return a.value_or(QString());
}

QString ScriptedDialogs::file(ShownDialog::Kind kind, const FileRequest& r) {
    record({kind, r.proposedPath, r.title, Buttons::OKCancel, 0, r.filter, {}});
    std::optional<QString> a;
    if (!files_.empty()) {
        a = files_.front();
        files_.pop_front();
    }
    if (!a) throw Error(err::kCancel, QStringLiteral("Cancel was selected."));
    return *a;
}

QString ScriptedDialogs::fileOpen(const FileRequest& r) { return file(ShownDialog::FileOpen, r); }
QString ScriptedDialogs::fileSave(const FileRequest& r) { return file(ShownDialog::FileSave, r); }

quint32 ScriptedDialogs::chooseColor(quint32 start) {
    record({ShownDialog::Color, {}, {}, Buttons::OKCancel, 0, {}, {}});
    if (colors_.empty()) return start;
    const quint32 c = colors_.front();
    colors_.pop_front();
    return c;
}

}  // namespace qf
