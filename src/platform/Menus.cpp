#include "platform/Menus.h"

#include "platform/Guard.h"

#include <QSignalBlocker>

namespace qf {

MenuItem::MenuItem(Form& form, QString name)
    : QObject(&form), Control(form, std::move(name), ControlKind::Menu) {
    setObjectName(Name());
}

MenuItem* MenuItem::menu(Form& form, QString name, const QString& caption, MenuItem* parent) {
    auto* m = new MenuItem(form, std::move(name));  // owned by the window
    m->menu_ = parent ? parent->menu_->addMenu(caption) : form.menuBar()->addMenu(caption);
    m->action_ = m->menu_->menuAction();
    return m;
}

MenuItem* MenuItem::item(Form& form, QString name, const QString& caption, MenuItem* parent) {
    auto* m = new MenuItem(form, std::move(name));
    m->action_ = parent ? parent->menu_->addAction(caption) : form.menuBar()->addAction(caption);
    m->action_->setShortcut(QKeySequence());
    connect(m->action_, &QAction::triggered, m, [m](bool) {
        // Undo any tick the action gave itself: only the handler decides.
        m->setChecked(m->ticked_);
        if (m->Click) guarded(m->Click);
    });
    return m;
}

void MenuItem::addSeparator() {
    if (menu_) menu_->addSeparator();
}

void MenuItem::setChecked(bool on) {
    // Only a ticked item is checkable, so unticked items draw no empty box.
    ticked_ = on;
    const QSignalBlocker block(action_);
    action_->setCheckable(on);
    action_->setChecked(on);
}

}  // namespace qf
