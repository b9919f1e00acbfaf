#pragma once

// Alt with a letter or digit is an access key, never text. When no control
// of the window claims it, Qt hands it on to the focused edit field, which
// would type the letter: a flow field would lose its value and its page's
// results to a key meant for the other page. The filter swallows such keys
// in the program's editable fields, as a Windows edit field ignores them.

#include <QObject>

#include <initializer_list>

class QEvent;
class QLineEdit;

// True for a key press of Alt (without Ctrl or Meta, so AltGr still types)
// with a letter or a digit.
bool IsAccessKeyPress(const QEvent* event);

// Keeps such key presses out of the fields; the filter is owned by `owner`.
void KeepAccessKeysOutOf(QObject* owner, std::initializer_list<QLineEdit*> fields);
