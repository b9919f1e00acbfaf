#pragma once

// What the style editor needs from the main window. The main window
// implements it; dialog tests use a small fake. The dialogs take the
// language from kestrix::CurrentLanguage(), decided once at start-up.

#include "config/config_records.h"

#include <QString>

class QComboBox;
class QWidget;

namespace kestrix {

class StyleEditorHost {
  public:
    virtual ~StyleEditorHost() = default;

    // False: the editor works on duct styles; true: on air-terminal styles.
    virtual bool editingTerminalStyles() const = 0;
    // Set by the opening handlers before the editor is created.
    virtual void setEditingTerminalStyles(bool terminal) = 0;

    virtual const MaterialTable& materialTable() const = 0;
    virtual DuctStyleTable& ductStyleTable() = 0;
    virtual TerminalStyleTable& terminalStyleTable() = 0;
    // The style lists of the two pages (objectNames DuctStyleCB, KiguStyleCB).
    virtual QComboBox* ductStyleList() = 0;
    virtual QComboBox* terminalStyleList() = 0;

    // The pages' style-change handlers, rerun after Apply and Save.
    virtual void DuctStyleCBChange() = 0;
    virtual void KiguStyleCBChange() = 0;

    // Where the style files are written.
    virtual QString configDirectory() const = 0;

    // Shows one of the program's message boxes (one OK button, no icon);
    // tests record it instead.
    virtual void showProgramMessage(const QString& caption, const QString& text) = 0;

    // The main window, as parent of the dialogs.
    virtual QWidget* hostWindow() = 0;
};

} // namespace kestrix
