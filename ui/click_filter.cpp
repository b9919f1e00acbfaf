#include "ui/click_filter.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

void ClickFilter::watch(QWidget* widget, Handlers handlers) {
    handlers_[widget] = std::move(handlers);
    widget->installEventFilter(this);
    // A list reports moves only while a button is held unless it tracks the mouse.
    if (handlers_[widget].dragMove) widget->setMouseTracking(true);
}

bool ClickFilter::eventFilter(QObject* watched, QEvent* event) {
    const auto it = handlers_.find(watched);
    if (it == handlers_.end()) return QObject::eventFilter(watched, event);
    const Handlers& h = it->second;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && h.click) h.click();
        break;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && h.doubleClick)
            h.doubleClick();
        break;
    case QEvent::MouseMove:
        if ((static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton) && h.dragMove)
            h.dragMove();
        break;
    case QEvent::FocusIn:
        if (h.focusIn) h.focusIn();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool IsOtherButtonPress(const QEvent* event) {
    return (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) &&
           static_cast<const QMouseEvent*>(event)->button() != Qt::LeftButton;
}

bool PopUpMenuAtDisabledButton(QObject* watched, QEvent* event,
                               const std::function<void(const QPoint&)>& popUp) {
#ifdef Q_OS_WIN
    constexpr QEvent::Type menuClick = QEvent::MouseButtonRelease;
#else
    constexpr QEvent::Type menuClick = QEvent::MouseButtonPress;
#endif
    if (event->type() != menuClick || static_cast<QWidget*>(watched)->isEnabled()) return false;
    const auto* click = static_cast<QMouseEvent*>(event);
    if (click->button() != Qt::RightButton) return false;
    popUp(click->globalPosition().toPoint());
    return true;
}
