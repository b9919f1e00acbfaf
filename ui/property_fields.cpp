// The read-only property fields of both pages: a click copies a field's
// text, the arrow keys walk through the tab order.

#include "ui/main_window.h"

#include "ui/column_list_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

void TForm1::E_dpClick(QLineEdit* field) {
    if (field->text().isEmpty()) return;
    field->selectAll();
    QGuiApplication::clipboard()->setText(field->text());
}

void TForm1::E_dpEnter(QLineEdit* field) {
    if (whl->count() >= 1) field->selectAll();
}

void TForm1::E_dpKeyDown(QLineEdit* field, int key) {
    // Only tab stops count, as with the Tab key itself.
    if (key == Qt::Key_Down || key == Qt::Key_Up) {
        if (field->hasFocus()) focusNextPrevChild(key == Qt::Key_Down);
    }
}
