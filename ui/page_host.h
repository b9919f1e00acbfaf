#pragma once

// What a page needs from the window that holds it: the guard its handlers
// run under, the program's message box, whether the page is the one shown,
// the window's menu and the style editor.

#include <QString>

#include <functional>

class QPoint;
class QWidget;

namespace kestrix {

class PageHost {
  public:
    virtual ~PageHost() = default;

    // Runs a handler; an error escaping it abandons the handler and is shown
    // in the standard error box, and the program carries on.
    virtual void runGuarded(const std::function<void()>& handler) = 0;
    // The program's own error box, captioned in the interface language.
    virtual void showErrorMessage(const QString& text) = 0;
    virtual bool isCurrentPage(const QWidget* page) const = 0;
    virtual void popUpWindowMenu(const QPoint& globalPosition) = 0;
    // Opens the style editor on the duct styles or the air-terminal styles.
    virtual void editStyles(bool terminal) = 0;
};

} // namespace kestrix
