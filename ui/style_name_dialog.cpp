#include "ui/style_name_dialog.h"

#include "config/codepage.h"
#include "config/config_writer.h"
#include "ui/access_keys.h"
#include "ui/dialog_support.h"
#include "ui/fonts.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

TDuctStyle2::TDuctStyle2(bool japaneseUi, QStringList existingNames, QWidget* parent)
    : QDialog(parent), japaneseUi_(japaneseUi), existingNames_(std::move(existingNames)) {
    setObjectName(QStringLiteral("DuctStyle2"));
    setFont(kestrix::JapaneseUiFont(12));

    Label1 = new QLabel(QStringLiteral("選定ｽﾀｲﾙ名："), this);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 10, 236, 16);

    name = new QLineEdit(QStringLiteral("ｽﾀｲﾙ1"), this);
    name->setObjectName(QStringLiteral("name"));
    name->setGeometry(12, 28, 236, 22);

    Button1 = new QPushButton(QStringLiteral("OK(&O)"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(48, 62, 80, 25);
    Button1->setDefault(true);

    Button2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(&C)"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(134, 62, 80, 25);
    // While it has the focus, Enter presses it; elsewhere Enter means OK.
    Button2->setAutoDefault(true);

    setFixedSize(260, 98);
    KeepAccessKeysOutOf(this, {name});
    connect(Button1, &QPushButton::clicked, this, &TDuctStyle2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDuctStyle2::Button2Click);

    FormCreate();
    // The texts do not change during a run, so they are ready before the first
    // activation as well.
    FormActivate();
    kestrix::CentreOnScreen(this);
}

QString TDuctStyle2::enteredName() const {
    return name->text();
}

void TDuctStyle2::FormCreate() {
    if (!japaneseUi_) name->setText(QStringLiteral("Style1"));
    name->selectAll();
}

void TDuctStyle2::FormActivate() {
    if (japaneseUi_) {
        duplicateBefore_ = QStringLiteral("選定ｽﾀｲﾙ名:\n　\"");
        duplicateAfter_ = QStringLiteral("\" は、すでに登録されています！");
        return;
    }
    duplicateBefore_ = QStringLiteral("Style Name:\n  \"");
    duplicateAfter_ = QStringLiteral("\" has already been registered！");
    setFont(kestrix::EnglishUiFont(8));
    Label1->setText(QStringLiteral("Style Name"));
    Button1->setText(QStringLiteral("&OK"));
    Button2->setText(QStringLiteral("&Cancel"));
}

void TDuctStyle2::Button1Click() {
    const QString entered = name->text();
    // An empty name marks an empty slot, and some names cannot be written back
    // to the style file: such names never reach the table.
    if (const auto problem = kestrix::StyleNameProblem(entered)) {
        kestrix::AskWarning(this, kestrix::WarningCaption(japaneseUi_),
                            QString::fromStdString(*problem), QMessageBox::Ok);
        return;
    }
    // Compared as the file will hold it: two texts that the code page stores
    // as the same bytes (a wave dash 〜 and a full-width tilde ～) are the
    // same name.
    const QString stored = kestrix::FromCp932(kestrix::ToCp932(entered).value_or(std::string()));
    for (const QString& existing : std::as_const(existingNames_)) {
        if (existing.compare(stored, Qt::CaseInsensitive) == 0) {
            kestrix::AskWarning(this, kestrix::WarningCaption(japaneseUi_),
                                duplicateBefore_ + entered + duplicateAfter_, QMessageBox::Yes);
            return;
        }
    }
    accept();
}

void TDuctStyle2::Button2Click() {
    reject();
}

void TDuctStyle2::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}
