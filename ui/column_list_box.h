#pragma once

#include <QListWidget>

class CandidateItemDelegate;

// A list that shows its items in columns, top to bottom and then into the next
// column, like a multi-column list box: each column is the visible width
// divided by the column count, and the list scrolls sideways when the items
// need more columns than fit. As in a single-selection list box, the picked
// entry stays highlighted until another one is picked: a press on blank list
// space, and a Ctrl+click or Ctrl+Space on the picked entry, change nothing.
//
// A list can hold a thousand entries, all of them on screen in a large
// window, so its items are painted from text laid out once per entry rather
// than laid out again for each paint (see CandidateItemDelegate).
class ColumnListBox : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(int columns READ columns WRITE setColumns)

  public:
    explicit ColumnListBox(QWidget* parent = nullptr);

    int columns() const { return columns_; }
    // Never below 1.
    void setColumns(int columns);

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

  private:
    void updateGrid();

    QAbstractItemDelegate* styleDelegate_;
    CandidateItemDelegate* delegate_ = nullptr;
    int columns_ = 1;
    int rowHeight_ = 0;
};
