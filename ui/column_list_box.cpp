#include "ui/column_list_box.h"

#include <QEvent>
#include <QResizeEvent>

#include <algorithm>

ColumnListBox::ColumnListBox(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setMovement(QListView::Static);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    updateGrid();
}

void ColumnListBox::setColumns(int columns) {
    columns = std::max(1, columns);
    if (columns == columns_) return;
    columns_ = columns;
    updateGrid();
}

QItemSelectionModel::SelectionFlags ColumnListBox::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
    // The user's presses and keys only; the program may still clear the list.
    if (event && !index.isValid()) return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    return flags.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate : flags;
}

void ColumnListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    updateGrid();
}

void ColumnListBox::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateGrid();
}

void ColumnListBox::updateGrid() {
    // The frame's inner width: the viewport is laid out lazily while hidden.
    const int inner = std::max(1, contentsRect().width());
    const int rowHeight = fontMetrics().height() + 1;
    setGridSize(QSize(std::max(1, inner / columns_), rowHeight));
}
