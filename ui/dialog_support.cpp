#include "ui/dialog_support.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kestrix {

void CentreOnScreen(QWidget* widget) {
    QScreen* screen = widget->parentWidget() ? widget->parentWidget()->screen() : widget->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = widget->frameGeometry();
    frame.moveCenter(screen->geometry().center());
    widget->move(frame.topLeft());
}

QMessageBox::StandardButton AskWarning(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::Warning, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString WarningCaption(bool japanese) {
    return japanese ? QStringLiteral("警告") : QStringLiteral("Warning");
}

void ShowProgramMessageOver(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace kestrix
