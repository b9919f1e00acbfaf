#pragma once

// Small pieces shared by the program's dialogs: their fonts, their place on
// the screen and their message boxes.

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace kestrix {

// Moves a top-level widget, frame included, to the centre of the screen it
// is on (or of the parent's screen).
void CentreOnScreen(QWidget* widget);

// A warning box over `parent` with the given buttons; returns the one chosen.
QMessageBox::StandardButton AskWarning(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons);

// Caption of the dialogs' warning boxes, in the language in use.
QString WarningCaption();

// One of the program's own messages: one OK button, no icon, over `parent`,
// so that it stays above a dialog kept on top.
void ShowProgramMessageOver(QWidget* parent, const QString& caption, const QString& text);

} // namespace kestrix
