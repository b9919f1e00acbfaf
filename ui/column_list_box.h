#pragma once

#include <QListWidget>

// A list that shows its items in columns, top to bottom and then into the next
// column, like a multi-column list box: each column is the visible width
// divided by the column count, and the list scrolls sideways when the items
// need more columns than fit.
class ColumnListBox : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(int columns READ columns WRITE setColumns)

  public:
    explicit ColumnListBox(QWidget* parent = nullptr);

    int columns() const { return columns_; }
    // Never below 1.
    void setColumns(int columns);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void updateGrid();

    int columns_ = 1;
};
