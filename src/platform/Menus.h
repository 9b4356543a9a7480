// Menu items of a window's menu bar. A ticked item changes its tick only when code says so:
// the Click handler reads the old tick and sets the new one itself. No item has a shortcut key.
#pragma once

#include "platform/Controls.h"

#include <QAction>
#include <QMenu>

namespace qf {

class MenuItem : public QObject, public Control {
    Q_OBJECT
public:
    // A menu (with items under it): at the top of the bar when parent is null.
    static MenuItem* menu(Form& form, QString name, const QString& caption,
                          MenuItem* parent = nullptr);
    // An item that runs its Click: in the bar itself when parent is null.
    static MenuItem* item(Form& form, QString name, const QString& caption,
                          MenuItem* parent = nullptr);
    // A separator line in this menu.
    void addSeparator();

    QString Caption() const { return action_->text(); }
    void setCaption(const QString& c) { action_->setText(c); }
    bool Checked() const { return ticked_; }
    void setChecked(bool on);
    bool Visible() const override { return action_->isVisible(); }
    void setVisible(bool on) override { action_->setVisible(on); }
    bool Enabled() const override { return action_->isEnabled(); }
    void setEnabled(bool on) override { action_->setEnabled(on); }

    QAction* action() const { return action_; }
    QMenu* submenu() const { return menu_; }

    std::function<void()> Click;

private:
    MenuItem(Form& form, QString name);
    QAction* action_ = nullptr;
    QMenu* menu_ = nullptr;
    bool ticked_ = false;
};

}  // namespace qf
