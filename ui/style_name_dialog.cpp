#include "ui/style_name_dialog.h"

#include "config/codepage.h"
#include "config/config_writer.h"
#include "config/language.h"
#include "ui/access_keys.h"
#include "ui/dialog_support.h"
#include "ui/fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace kestrix {

StyleNameDialog::StyleNameDialog(QStringList existingNames, QWidget* parent)
    : QDialog(parent), existingNames_(std::move(existingNames)) {
    setObjectName(QStringLiteral("DuctStyle2"));
    setFont(JapaneseUiFont(12));

    nameLabel_ = new QLabel(tr("Style Name"), this);
    nameLabel_->setTextFormat(Qt::PlainText);
    nameLabel_->setObjectName(QStringLiteral("Label1"));
    nameLabel_->setGeometry(12, 10, 236, 16);

    nameField_ = new QLineEdit(this);
    nameField_->setObjectName(QStringLiteral("name"));
    nameField_->setGeometry(12, 28, 236, 22);

    okButton_ = new QPushButton(tr("&OK"), this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setGeometry(48, 62, 80, 25);
    okButton_->setDefault(true);

    cancelButton_ = new QPushButton(tr("&Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));
    cancelButton_->setGeometry(134, 62, 80, 25);
    // While it has the focus, Enter presses it; elsewhere Enter means OK.
    cancelButton_->setAutoDefault(true);

    setFixedSize(260, 98);
    KeepAccessKeysOutOf(this, {nameField_});
    connect(okButton_, &QPushButton::clicked, this, &StyleNameDialog::onOk);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    setName(tr("Style1"));
    // The Japanese texts are drawn in the Japanese font, the English ones in
    // the smaller Western one.
    if (CurrentLanguage() == Language::English) setFont(EnglishUiFont(8));
    CentreOnScreen(this);
}

void StyleNameDialog::setName(const QString& name) {
    nameField_->setText(name);
    nameField_->selectAll();
}

QString StyleNameDialog::enteredName() const {
    return nameField_->text();
}

void StyleNameDialog::onOk() {
    const QString entered = nameField_->text();
    // An empty name marks an empty slot, and some names cannot be written back
    // to the style file: such names never reach the table.
    if (const auto problem = StyleNameProblem(entered)) {
        AskWarning(this, WarningCaption(), QString::fromStdString(*problem), QMessageBox::Ok);
        return;
    }
    // Compared as the file will hold it: two texts that the code page stores
    // as the same bytes (a wave dash 〜 and a full-width tilde ～) are the
    // same name.
    const QString stored = FromCp932(ToCp932(entered).value_or(std::string()));
    for (const QString& existing : std::as_const(existingNames_)) {
        if (existing.compare(stored, Qt::CaseInsensitive) == 0) {
            AskWarning(this, WarningCaption(),
                       tr("Style Name:\n  \"%1\" has already been registered！").arg(entered),
                       QMessageBox::Yes);
            return;
        }
    }
    accept();
}

} // namespace kestrix
