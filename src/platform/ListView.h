// List view in report view: headed columns with widths in twips (a zero-width column still
// exists), rows of an item text and sub-items added at the end or the top, a one-shot sort by
// one column, and Click / DblClick / MouseUp / ColumnClick handlers. Rows are numbered from 1.
// After a refill no row counts as selected until the operator picks one.
#pragma once

#include "platform/Controls.h"

#include <QTreeWidget>

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
    QString columnHeader(int index) const;

    // ---- rows, numbered 1 to count()
    void clearRows();
    // The item text and sub-items, one per column; returns the new row's number.
    int addRow(const QStringList& texts, bool atTop = false);
    // Takes a row out. When it is the current row, no row becomes current: Qt would make a
    // neighbour current and scroll the view to it, away from where the operator looks.
    void removeRow(int row);
    int count() const { return topLevelItemCount(); }
    QString text(int row, int column) const;
    // 0 when no row is selected.
    int selectedRow() const;
    void selectRow(int row);

    // Sorts the rows once by one column's text, ignoring case; later rows are not sorted.
    void sortOnce(int column);

    void setBackColor(quint32 color);

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int Button, int Shift, double X, double Y)> MouseUp;
    std::function<void(int column)> ColumnClick;  // 1 = first column

protected:
    void applyGeometry() override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void applyColumnWidth(int index);
    std::vector<double> widths_;
    std::vector<Qt::Alignment> alignments_;
};

}  // namespace qf
