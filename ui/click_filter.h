#pragma once

// Mouse clicks, double clicks and drags on controls that have no click signal
// of their own (labels, read-only fields, the candidate lists). One filter
// serves any number of watched widgets; each watched widget has its handlers.

#include <QObject>

#include <functional>
#include <unordered_map>

class QWidget;

class ClickFilter : public QObject {
    Q_OBJECT

public:
    struct Handlers {
        std::function<void()> click;        // left button pressed
        std::function<void()> doubleClick;  // left button double-clicked (after a click)
        std::function<void()> dragMove;     // mouse moved with the left button held
        std::function<void()> focusIn;      // the widget received the focus
    };

    explicit ClickFilter(QObject* parent) : QObject(parent) {}

    // Watches the widget; handlers left empty are not called.
    void watch(QWidget* widget, Handlers handlers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unordered_map<QObject*, Handlers> handlers_;
};
