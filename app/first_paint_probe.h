#pragma once

// For the start-up benchmark: with KESTRIX_QUIT_AFTER_FIRST_PAINT set in the
// environment, the program ends (status 0, nothing saved) as soon as the
// window has been painted once, after writing "first-paint-ns N" to standard
// output: N is the monotonic clock at that moment, in nanoseconds, the clock
// the benchmark reads when it starts the process. Without the variable it
// does nothing.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>

class FirstPaintProbe : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Once the paint has finished and reached the screen.
            QTimer::singleShot(0, qApp, [] {
                const qint64 now = QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
                std::printf("first-paint-ns %lld\n", static_cast<long long>(now));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
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
