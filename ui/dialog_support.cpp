#include "ui/dialog_support.h"

#include <QCoreApplication>
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
    // A window gets its frame from the window manager when it is first
    // shown. Until then the frame of the window it belongs to, made by the
    // same manager, stands in for it, so that the whole dialog, title bar
    // included, comes to the middle and not its inside alone.
    const QWidget* owner = widget->parentWidget() ? widget->parentWidget()->window() : nullptr;
    if (!widget->isVisible() && owner && owner->isVisible()) {
        const QRect outer = owner->frameGeometry();
        const QRect inner = owner->geometry();
        frame = widget->geometry().adjusted(outer.left() - inner.left(), outer.top() - inner.top(),
                                            outer.right() - inner.right(),
                                            outer.bottom() - inner.bottom());
    }
    frame.moveCenter(screen->geometry().center());
    widget->move(frame.topLeft());
}

QMessageBox::StandardButton AskWarning(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::Warning, caption, text, buttons, parent);
    // The questions quote style names as the user typed them.
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString WarningCaption() {
    return QCoreApplication::translate("kestrix::DialogSupport", "Warning");
}

void ShowProgramMessageOver(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace kestrix
