#pragma once

// Mouse clicks, double clicks and drags on controls that have no click signal
// of their own (labels, read-only fields, the candidate lists). One filter
// serves any number of watched widgets; each watched widget has its handlers.

#include <QObject>

#include <QPoint>

#include <functional>
#include <unordered_map>

class QWidget;

class ClickFilter : public QObject {
    Q_OBJECT

  public:
    struct Handlers {
        std::function<void()> click;       // left button pressed
        std::function<void()> doubleClick; // left button double-clicked (after a click)
        std::function<void()> dragMove;    // mouse moved with the left button held
        std::function<void()> focusIn;     // the widget received the focus
    };

    explicit ClickFilter(QObject* parent) : QObject(parent) {}

    // Watches the widget; handlers left empty are not called.
    void watch(QWidget* widget, Handlers handlers);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unordered_map<QObject*, Handlers> handlers_;
};

// Forwards the events of the watched widgets to one function; true swallows.
class EventHook : public QObject {
  public:
    using Function = std::function<bool(QObject* watched, QEvent* event)>;
    EventHook(QObject* parent, Function function)
        : QObject(parent), function_(std::move(function)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return function_(watched, event) || QObject::eventFilter(watched, event);
    }

  private:
    Function function_;
};

// True for a press or double click of any button but the left one: in the
// candidate lists only the left button picks, a right click opens the
// window's menu and must not replace the pick on its way.
bool IsOtherButtonPress(const QEvent* event);

// A button that cannot be pressed takes no mouse input, in Windows: a right
// click there reaches the window, whose menu opens. Qt makes no menu request
// at such a button; this opens the menu on the click itself, at the moment a
// menu request would come (on release in Windows, on press elsewhere). True
// when the event was such a click.
bool PopUpMenuAtDisabledButton(QObject* watched, QEvent* event,
                               const std::function<void(const QPoint&)>& popUp);
