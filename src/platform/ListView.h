// List view in report view: headed columns with widths in twips (a zero-width column still
// exists), rows of an item text and sub-items added at the end or the top, a sort by one column
// that holds for the rows added after it, and Click / DblClick / MouseUp / ColumnClick handlers.
// Rows are numbered from 1. After a refill no row counts as selected until the operator picks one.
// A click makes its row current without scrolling the view, then or later.
#pragma once

#include "platform/Controls.h"

#include <QTreeWidget>

#include <memory>
#include <vector>

namespace qf {

class ListView : public WidgetControl<QTreeWidget> {
    Q_OBJECT
public:
    ListView(Form& form, QString name);

    // ---- columns
    void addColumn(const QString& header, double widthTwips,
                   Qt::Alignment alignment = Qt::AlignLeft);
    void clearColumns();
    int columnCount() const override { return static_cast<int>(widths_.size()); }
    double columnWidth(int index) const override;
    void setColumnWidth(int index, double twips) override;
    // The header as added; a column too narrow for it shows it shortened, with the whole text as
    // its tooltip.
    QString columnHeader(int index) const;

    // ---- rows, numbered 1 to count()
    void clearRows();
    // The item text and sub-items, one per column; returns the new row's number. Once sorted,
    // the row takes its sorted place instead: before the rows of an equal key when added at the
    // top, after them otherwise, so the order is the one a sort of the rows as added would give.
    int addRow(const QStringList& texts, bool atTop = false);
    // Replaces every row by these, in this order (or in the kept sort), in one go.
    void setRows(const std::vector<QStringList>& rows);
    // Takes a row out. When it is the current row, no row becomes current: Qt would make a
    // neighbour current and scroll the view to it, away from where the operator looks.
    void removeRow(int row);
    int count() const { return topLevelItemCount(); }
    QString text(int row, int column) const;
    // 0 when no row is selected.
    int selectedRow() const;
    void selectRow(int row);

    // Sorts the rows by one column's text, ignoring case, and keeps that sort for every row added
    // later, by a refill too: an operator who sorted the list should not see it fall back to the
    // insertion order at the next contact. Clearing the columns drops it.
    void sortBy(int column);
    // The kept sort's column, or -1 while the rows stand as they were added.
    int sortColumn() const { return sortColumn_; }

    void setBackColor(quint32 color);

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int Button, int Shift, double X, double Y)> MouseUp;
    std::function<void(int column)> ColumnClick;  // 1 = first column

protected:
    void applyGeometry() override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void applyColumnWidth(int index);
    void showHeader(int index);
    std::unique_ptr<QTreeWidgetItem> makeItem(const QStringList& texts) const;
    // Where a row of this key goes in the kept sort: before or after the rows of an equal key.
    int sortedIndex(const QString& key, bool beforeEqual) const;
    std::vector<double> widths_;
    std::vector<Qt::Alignment> alignments_;
    std::vector<QString> headers_;
    int sortColumn_ = -1;
};

}  // namespace qf
