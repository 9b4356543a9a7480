#include "platform/ListView.h"

#include "platform/Colors.h"
#include "platform/Error.h"
#include "platform/Guard.h"
#include "platform/Keys.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace qf {

namespace {
Error badIndex() { return Error(err::kSubscript, QStringLiteral("Index out of bounds")); }

// A stable sort keeps the order of rows with equal keys as they were added.
void sortItemsBy(QList<QTreeWidgetItem*>& items, int column) {
    std::stable_sort(items.begin(), items.end(), [column](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return a->text(column).compare(b->text(column), Qt::CaseInsensitive) < 0;
    });
}
}  // namespace

ListView::ListView(Form& form, QString name)
    : WidgetControl<QTreeWidget>(form, std::move(name), ControlKind::ListView, form.client()) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    header()->setMinimumSectionSize(0);
    // A cell narrower than its text shows it shortened with an ellipsis, so the operator sees
    // that more is there. Headers are shortened by showHeader: the style cuts them mid-letter.
    setTextElideMode(Qt::ElideRight);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int index) {
        if (ColumnClick) guarded([&] { ColumnClick(index + 1); });
    });
    // The operator may drag a column narrower or wider.
    connect(header(), &QHeaderView::sectionResized, this, [this](int index, int, int) {
        if (index >= 0 && index < columnCount()) showHeader(index);
    });
    applyGeometry();
    applyFont();
}

void ListView::addColumn(const QString& header, double widthTwips, Qt::Alignment alignment) {
    widths_.push_back(widthTwips);
    alignments_.push_back(alignment);
    headers_.push_back(header);
    const int n = static_cast<int>(widths_.size());
    setColumnCount(n);
    headerItem()->setTextAlignment(n - 1, alignment | Qt::AlignVCenter);
    applyColumnWidth(n - 1);
}

void ListView::clearColumns() {
    clear();
    sortColumn_ = -1;
    widths_.clear();
    alignments_.clear();
    headers_.clear();
    setColumnCount(0);
}

double ListView::columnWidth(int index) const {
    if (index < 0 || index >= columnCount()) throw badIndex();
    return widths_[static_cast<size_t>(index)];
}

void ListView::setColumnWidth(int index, double twips) {
    if (index < 0 || index >= columnCount()) throw badIndex();
    widths_[static_cast<size_t>(index)] = twips;
    applyColumnWidth(index);
}

void ListView::applyColumnWidth(int index) {
    QTreeWidget::setColumnWidth(index, std::max(0, toPixels(widths_[static_cast<size_t>(index)])));
    showHeader(index);
}

void ListView::showHeader(int index) {
    const QString& full = headers_[static_cast<size_t>(index)];
    const QFontMetrics fm(header()->font());
    const int room = QTreeWidget::columnWidth(index) -
                     2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header());
    const QString shown = fm.horizontalAdvance(full) <= room ? full
                          : room > 0 ? fm.elidedText(full, Qt::ElideRight, room)
                                     : QString();
    QTreeWidgetItem* h = headerItem();
    if (h->text(index) != shown) h->setText(index, shown);
    h->setToolTip(index, shown == full ? QString() : full);
}

QString ListView::columnHeader(int index) const {
    if (index < 0 || index >= columnCount()) throw badIndex();
    return headers_[static_cast<size_t>(index)];
}

void ListView::clearRows() {
    clear();
    setCurrentItem(nullptr);
}

std::unique_ptr<QTreeWidgetItem> ListView::makeItem(const QStringList& texts) const {
    auto item = std::make_unique<QTreeWidgetItem>();
    for (int c = 0; c < texts.size() && c < columnCount(); ++c) {
        item->setText(c, texts[c]);
        item->setTextAlignment(c, alignments_[static_cast<size_t>(c)] | Qt::AlignVCenter);
    }
    return item;
}

int ListView::sortedIndex(const QString& key, bool beforeEqual) const {
    int lo = 0, hi = count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const int c = topLevelItem(mid)->text(sortColumn_).compare(key, Qt::CaseInsensitive);
        if (beforeEqual ? c < 0 : c <= 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

int ListView::addRow(const QStringList& texts, bool atTop) {
    std::unique_ptr<QTreeWidgetItem> item = makeItem(texts);
    if (sortColumn_ >= 0) {
        const int index = sortedIndex(item->text(sortColumn_), atTop);
        insertTopLevelItem(index, item.release());
        return index + 1;
    }
    if (atTop) {
        insertTopLevelItem(0, item.release());
        return 1;
    }
    addTopLevelItem(item.release());
    return count();
}

void ListView::setRows(const std::vector<QStringList>& rows) {
    clearRows();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const QStringList& texts : rows) items.push_back(makeItem(texts).release());
    if (sortColumn_ >= 0) sortItemsBy(items, sortColumn_);
    addTopLevelItems(items);
}

void ListView::removeRow(int row) {
    if (row < 1 || row > count()) throw badIndex();
    QTreeWidgetItem* item = topLevelItem(row - 1);
    if (currentItem() == item)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    delete takeTopLevelItem(row - 1);
}

QString ListView::text(int row, int column) const {
    if (row < 1 || row > count() || column < 0 || column >= columnCount()) throw badIndex();
    return topLevelItem(row - 1)->text(column);
}

int ListView::selectedRow() const {
    const auto items = selectedItems();
    if (items.isEmpty()) return 0;
    return indexOfTopLevelItem(items.front()) + 1;
}

void ListView::selectRow(int row) {
    if (row < 1 || row > count()) throw badIndex();
    setCurrentItem(topLevelItem(row - 1));
    topLevelItem(row - 1)->setSelected(true);
}

void ListView::sortBy(int column) {
    if (column < 0 || column >= columnCount()) throw badIndex();
    QList<QTreeWidgetItem*> items = invisibleRootItem()->takeChildren();
    sortItemsBy(items, column);
    addTopLevelItems(items);
    sortColumn_ = column;
}

void ListView::setBackColor(quint32 color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(color));
    setPalette(pal);
}

void ListView::applyGeometry() { Control::applyGeometry(); }

void ListView::changeEvent(QEvent* e) {
    QTreeWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        for (int c = 0; c < columnCount(); ++c) showHeader(c);
    }
}

void ListView::mousePressEvent(QMouseEvent* e) {
    // A click makes its row current where it stands. Qt would scroll to that row half a second
    // later (to keep a double click on one row), by which time rows added at the top may have
    // pushed it out of sight, and the view would follow it away from where the operator looks.
    // The row was in view to be clicked, so the view stays put.
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    QTreeWidget::mousePressEvent(e);
    setAutoScroll(autoScroll);
}

void ListView::mouseReleaseEvent(QMouseEvent* e) {
    QTreeWidget::mouseReleaseEvent(e);
    const QPointF p = e->position() * 15.0;
    int button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    int shift = ((e->modifiers() & Qt::ShiftModifier) ? kShiftMask : 0) |
                ((e->modifiers() & Qt::ControlModifier) ? kCtrlMask : 0);
    if (e->button() == Qt::LeftButton && Click) guarded(Click);
    if (MouseUp) guarded([&] { MouseUp(button, shift, p.x(), p.y()); });
}

void ListView::mouseDoubleClickEvent(QMouseEvent* e) {
    QTreeWidget::mouseDoubleClickEvent(e);
    if (DblClick) guarded(DblClick);
}

void ListView::focusInEvent(QFocusEvent* e) {
    QTreeWidget::focusInEvent(e);
    focusIn(e->reason());
}

void ListView::focusOutEvent(QFocusEvent* e) {
    QTreeWidget::focusOutEvent(e);
    focusOut(e->reason());
}

void ListView::keyPressEvent(QKeyEvent* e) {
    int keyCode = 0, ascii = 0;
    keyEvent(e, keyCode, ascii);
    e->accept();
    if (keyCode == 0) return;
    QTreeWidget::keyPressEvent(e);
    e->accept();
}

}  // namespace qf
