// The main window as host of its dialogs: the handlers that open the style
// editor and the about box, and the window's return to the duct page after a
// dialog has closed.

#include "ui/main_window.h"

#include "ui/about_box.h"
#include "ui/style_editor.h"

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
    kestrix::OpenAboutBox(this, japaneseUi());
    DialogClosed();
}

void TForm1::showProgramMessage(const QString& caption, const QString& text) {
    ShowMessage({MessageKind::Error, caption, text});
}
