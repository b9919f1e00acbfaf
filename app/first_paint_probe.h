#pragma once

// For the start-up benchmark: with KESTRIX_QUIT_AFTER_FIRST_PAINT set in the
// environment, the program ends (status 0, nothing saved) as soon as the
// window has been painted once, so that the time from process start to the
// first painted window can be measured from outside. Without the variable it
// does nothing.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Let the paint finish, then leave the event loop.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

inline void QuitAfterFirstPaintIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsEmpty("KESTRIX_QUIT_AFTER_FIRST_PAINT")) return;
    window.installEventFilter(new FirstPaintProbe(&window));
}
