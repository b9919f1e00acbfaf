#pragma once

// Alt with a letter or digit is an access key, never text. When no control
// of the window claims it, Qt hands it on to the focused control: an edit
// field would type the letter, so that a flow field would lose its value and
// its page's results to a key meant for the other page, and a list would
// search for an entry starting with it and choose that entry, a style or a
// size. The filter swallows such keys in those controls, as Windows keeps an
// Alt letter from edit fields and lists alike.

#include <QObject>

#include <initializer_list>

class QEvent;
class QWidget;

// True for a key press of Alt (without Ctrl or Meta, so AltGr still types)
// with a letter or a digit.
bool IsAccessKeyPress(const QEvent* event);

// Keeps such key presses out of the controls; the filter is owned by `owner`.
void KeepAccessKeysOutOf(QObject* owner, std::initializer_list<QWidget*> controls);
