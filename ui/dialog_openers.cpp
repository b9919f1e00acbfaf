// The main window as host of its dialogs: the style editor, the about box and
// the duct-system window, and the window's return to the duct page after a
// dialog has closed.

#include "ui/main_window.h"

#include "config/codepage.h"
#include "ui/about_box.h"
#include "ui/duct_page.h"
#include "ui/duct_system_window.h"
#include "ui/style_editor.h"
#include "ui/terminal_page.h"

#include <QComboBox>

void MainWindow::editStyles(bool terminal) {
    runGuarded([this, terminal] {
        kestrix::OpenStyleEditor(*this, terminal);
        dialogClosed();
    });
}

void MainWindow::openAboutBox() {
    kestrix::OpenAboutBox(this);
    dialogClosed();
}

// Not modal, and made on first use only, so start-up does not pay for it.
void MainWindow::openDuctSystem() {
    kestrix::StyleNameList names;
    QComboBox* styles = ductPage_->styleList();
    for (int i = 0; i < styles->count(); ++i)
        names.push_back(kestrix::Utf8ToCp932Lossy(styles->itemText(i).toStdString()));
    kestrix::ShowDuctSystemWindow(this, session_->materials, session_->ductStyles, names);
}

QComboBox* MainWindow::ductStyleList() {
    return ductPage_->styleList();
}

QComboBox* MainWindow::terminalStyleList() {
    return terminalPage_->styleList();
}

// The style editor reruns the pages' style choice after Apply and Save.
void MainWindow::DuctStyleCBChange() {
    ductPage_->onStyleChosen();
}

void MainWindow::KiguStyleCBChange() {
    terminalPage_->onStyleChosen();
}
