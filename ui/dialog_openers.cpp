// The main window as host of its dialogs: the handlers that open the style
// editor and the about box, and the window's return to the duct page after a
// dialog has closed.

#include "ui/main_window.h"

#include "config/codepage.h"
#include "ui/about_box.h"
#include "ui/duct_system_window.h"
#include "ui/style_editor.h"

#include <QComboBox>

void TForm1::Set_Button1Click() {
    kestrix::OpenStyleEditor(*this, false);
    DialogClosed();
}

void TForm1::SelectClick() {
    Set_Button1Click();
}

void TForm1::Set_Button2Click() {
    kestrix::OpenStyleEditor(*this, true);
    DialogClosed();
}

void TForm1::Select2Click() {
    Set_Button2Click();
}

void TForm1::aboutClick() {
    kestrix::OpenAboutBox(this);
    DialogClosed();
}

// Not modal, and made on first use only, so start-up does not pay for it.
void TForm1::ductSystemClick() {
    kestrix::StyleNameList names;
    for (int i = 0; i < DuctStyleCB->count(); ++i)
        names.push_back(kestrix::Utf8ToCp932Lossy(DuctStyleCB->itemText(i).toStdString()));
    kestrix::ShowDuctSystemWindow(this, materials, ductStyles, names);
}

void TForm1::showProgramMessage(const QString& caption, const QString& text) {
    ShowMessage({MessageKind::Error, caption, text});
}
