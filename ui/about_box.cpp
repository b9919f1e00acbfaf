#include "ui/about_box.h"

#include "config/language.h"
#include "ui/dialog_support.h"
#include "ui/fonts.h"
#include "ui/version_info.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <memory>

namespace kestrix {

namespace {

QFont LabelFont(int pixelSize, bool bold) {
    return bold ? BoldUiFont(pixelSize) : JapaneseUiFont(pixelSize);
}

QLabel* MakeLabel(QWidget* parent, const char* objectName, const QString& text, QRect geometry,
                  const QFont& font) {
    auto* label = new QLabel(parent);
    // The version comes from the program file: shown as written, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(font);
    return label;
}

void SetPointSize(QLabel* label, int points) {
    QFont font = label->font();
    font.setPointSize(points);
    label->setFont(font);
}

} // namespace

QUrl MakerPageUrl() {
    return QUrl(QStringLiteral("https://www.norvale.example/kestrix"));
}

void OpenAboutBox(QWidget* mainWindow) {
    auto box = std::make_unique<AboutBox>(mainWindow);
    const QIcon icon = mainWindow ? mainWindow->windowIcon() : QIcon();
    box->setIcon(icon);
    box->setWindowIcon(icon);
    box->exec();
}

AboutBox::AboutBox(QWidget* owner, const QString& programFile) : QDialog(owner) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("Version information"));
    setFont(JapaneseUiFont(12));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("B_Ok"));
    okButton_->setGeometry(120, 101, 65, 21);
    okButton_->setDefault(true);

    iconLabel_ = new QLabel(this);
    iconLabel_->setObjectName(QStringLiteral("Iair"));
    iconLabel_->setGeometry(8, 13, 41, 37);
    iconLabel_->setAlignment(Qt::AlignCenter);

    titleLabel_ = MakeLabel(this, "Lt1", QStringLiteral("Kestrix for Windows(R)"),
                            QRect(25, 9, 260, 14), LabelFont(13, true));
    versionLabel_ = MakeLabel(this, "Lt2", QStringLiteral("version xxx"), QRect(25, 26, 260, 14),
                              LabelFont(12, true));
    copyrightLabel_ =
        MakeLabel(this, "Lcp1", QStringLiteral("Copyright (C) Norvale. All rights reserved."),
                  QRect(0, 52, 309, 14), LabelFont(12, false));
    authorLabel_ =
        MakeLabel(this, "Lcp2", QStringLiteral("(Written by the Kestrix team at Norvale)"),
                  QRect(0, 68, 309, 14), LabelFont(12, false));
    QFont linkFont = LabelFont(12, false);
    linkFont.setUnderline(true);
    linkLabel_ = MakeLabel(this, "Lurl",
                           QStringLiteral("( ") + MakerPageUrl().toString() + QStringLiteral(" )"),
                           QRect(0, 83, 309, 14), linkFont);
    QPalette linkPalette = linkLabel_->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    linkLabel_->setPalette(linkPalette);
    linkLabel_->setCursor(Qt::PointingHandCursor);
    linkLabel_->installEventFilter(this);

    setFixedSize(309, 124);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    okButton_->setFocus();

    if (const auto info = ReadVersionInfo(programFile))
        versionLabel_->setText(QStringLiteral("version ") + info->fileVersion());
    if (CurrentLanguage() == Language::English) useEnglishFonts();
    CentreOnScreen(this);
}

void AboutBox::setIcon(const QIcon& icon) {
    if (!icon.isNull()) iconLabel_->setPixmap(icon.pixmap(iconLabel_->size()));
}

// The English box keeps its Japanese layout in the Western family and in
// point sizes.
void AboutBox::useEnglishFonts() {
    QFont dialogFont = font();
    dialogFont.setFamily(EnglishUiFont(8).family());
    setFont(dialogFont);
    SetPointSize(titleLabel_, 9);
    for (QLabel* label : {versionLabel_, copyrightLabel_, authorLabel_, linkLabel_})
        SetPointSize(label, 8);
}

void AboutBox::onLinkClicked() {
    // A browser that cannot be started is not reported; the box stays open.
    QDesktopServices::openUrl(MakerPageUrl());
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == linkLabel_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        onLinkClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrix
