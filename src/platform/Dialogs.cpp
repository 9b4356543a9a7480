#include "platform/Dialogs.h"

#include "platform/Colors.h"
#include "platform/Error.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace qf {

namespace {

QMessageBox::Icon qtIcon(Icon i) {
    switch (i) {
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Exclamation: return QMessageBox::Warning;
        case Icon::Information: return QMessageBox::Information;
        case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

std::vector<Answer> answersOf(Buttons b) {
    switch (b) {
        case Buttons::OK: return {Answer::OK};
        case Buttons::OKCancel: return {Answer::OK, Answer::Cancel};
        case Buttons::YesNo: return {Answer::Yes, Answer::No};
        case Buttons::YesNoCancel: return {Answer::Yes, Answer::No, Answer::Cancel};
    }
    return {Answer::OK};
}

Answer defaultAnswer(const MessageRequest& r) {
    const auto answers = answersOf(r.buttons);
    const auto i = static_cast<size_t>(r.defaultButton);
    return i < answers.size() ? answers[i] : answers.front();
}

// ---- QtDialogs

Answer QtDialogs::message(const MessageRequest& r) {
    QMessageBox box(qtIcon(r.icon), r.title, r.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<std::pair<QPushButton*, Answer>> buttons;
    for (Answer a : answersOf(r.buttons)) {
        QMessageBox::StandardButton sb = QMessageBox::Ok;
        switch (a) {
            case Answer::OK: sb = QMessageBox::Ok; break;
            case Answer::Cancel: sb = QMessageBox::Cancel; break;
            case Answer::Yes: sb = QMessageBox::Yes; break;
            case Answer::No: sb = QMessageBox::No; break;
        }
        buttons.emplace_back(box.addButton(sb), a);
    }
    const auto d = static_cast<size_t>(r.defaultButton);
    box.setDefaultButton(buttons[d < buttons.size() ? d : 0].first);
    box.exec();
    for (const auto& [button, answer] : buttons) {
        if (box.clickedButton() == button) return answer;
    }
    // Closed with Esc or the title bar: the box's cancel or last button, as the platform does.
    return buttons.back().second;
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& defaultText) {
    QInputDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(title);
    dlg.setLabelText(prompt);
    dlg.setTextValue(defaultText);
    if (dlg.exec() != QDialog::Accepted) return {};
    return dlg.textValue();
}

QString qtFileFilter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|'))) return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString d = parts[i].trimmed();
        if (!d.isEmpty()) descriptions << d;
    }
    return descriptions.join(QStringLiteral(";;"));
}

QString QtDialogs::fileOpen(const FileRequest& r) {
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), r.title,
                                                      r.proposedPath, qtFileFilter(r.filter));
    if (path.isEmpty()) throw Error(err::kCancel, QStringLiteral("Cancel was selected."));
    return path;
}

QString QtDialogs::fileSave(const FileRequest& r) {
    const auto options =
        r.promptOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), r.title,
                                                      r.proposedPath, qtFileFilter(r.filter),
                                                      nullptr, options);
    if (path.isEmpty()) throw Error(err::kCancel, QStringLiteral("Cancel was selected."));
    return path;
}

quint32 QtDialogs::chooseColor(quint32 start) {
    const QColor c = QColorDialog::getColor(toQColor(start), QApplication::activeWindow());
    return c.isValid() ? fromQColor(c) : start;
}

}  // namespace qf
