#include "platform/ListBox.h"

#include "platform/Colors.h"
#include "platform/Error.h"
#include "platform/Guard.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace qf {

ListBox::ListBox(Form& form, QString name, bool sorted)
    : WidgetControl<QListWidget>(form, std::move(name), ControlKind::ListBox, form.client()),
      sorted_(sorted) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    applyGeometry();
    applyFont();
}

void ListBox::AddItem(const QString& text) {
    const QSignalBlocker block(this);
    int at = QListWidget::count();
    if (sorted_) {
        // After the last item that sorts at or before it, by binary search: the county lists
        // are refilled item by item at every reload.
        int lo = 0;
        int hi = at;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (item(mid)->text().compare(text, Qt::CaseInsensitive) <= 0) {
                lo = mid + 1;
            } else {
                hi = mid;
            }
        }
        at = lo;
    }
    insertItem(at, text);
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= QListWidget::count()) {
        throw Error(err::kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
    }
    const QSignalBlocker block(this);
    delete takeItem(index);
}

void ListBox::Clear() {
    const QSignalBlocker block(this);
    clear();
}

QString ListBox::List(int index) const {
    if (index < 0 || index >= QListWidget::count()) return {};
    return item(index)->text();
}

void ListBox::setListIndex(int index) {
    const QSignalBlocker block(this);
    setCurrentRow(index);
}

QString ListBox::Text() const {
    return List(currentRow());
}

int ListBox::find(const QString& text) const {
    for (int i = 0; i < QListWidget::count(); ++i) {
        if (item(i)->text().compare(text, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

void ListBox::setBackColor(quint32 color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(color));
    setPalette(pal);
}

void ListBox::setForeColor(quint32 color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(color));
    setPalette(pal);
}

void ListBox::mouseReleaseEvent(QMouseEvent* e) {
    QListWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && itemAt(e->position().toPoint()) && Click) guarded(Click);
}

void ListBox::keyPressEvent(QKeyEvent* e) {
    int keyCode = 0, ascii = 0;
    keyEvent(e, keyCode, ascii);
    e->accept();
    if (keyCode == 0) return;
    const int before = currentRow();
    QListWidget::keyPressEvent(e);
    e->accept();  // the window's handlers have run already
    if (currentRow() != before && currentRow() >= 0 && Click) guarded(Click);
}

void ListBox::focusInEvent(QFocusEvent* e) {
    QListWidget::focusInEvent(e);
    focusIn(e->reason());
}

void ListBox::focusOutEvent(QFocusEvent* e) {
    QListWidget::focusOutEvent(e);
    focusOut(e->reason());
}

}  // namespace qf
