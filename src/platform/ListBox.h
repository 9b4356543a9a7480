// List box. A sorted one inserts each item at its place, comparing without regard to case.
// Click fires when the operator picks an item (mouse or keys), never on Clear or AddItem.
// Items are numbered from 0, as ListIndex counts them; -1 is no selection.
#pragma once

#include "platform/Controls.h"

#include <QListWidget>

namespace qf {

class ListBox : public WidgetControl<QListWidget> {
    Q_OBJECT
public:
    ListBox(Form& form, QString name, bool sorted);

    void AddItem(const QString& text);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return QListWidget::count(); }
    QString List(int index) const;
    int ListIndex() const { return currentRow(); }
    void setListIndex(int index);
    // The selected item's text, or empty.
    QString Text() const;
    // The first item equal to the text ignoring case, or -1.
    int find(const QString& text) const;

    void setBackColor(quint32 color);
    void setForeColor(quint32 color);

    std::function<void()> Click;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool sorted_;
};

}  // namespace qf
