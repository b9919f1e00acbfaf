#include "ui/about_box.h"

#include "ui/dialog_support.h"
#include "ui/fonts.h"
#include "ui/version_info.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <memory>

namespace {

QFont LabelFont(int pixelSize, bool bold) {
    return bold ? kestrix::BoldUiFont(pixelSize) : kestrix::JapaneseUiFont(pixelSize);
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

namespace kestrix {

QUrl MakerPageUrl() {
    return QUrl(QStringLiteral("https://www.norvale.example/kestrix"));
}

void OpenAboutBox(QWidget* mainWindow, bool japaneseUi) {
    auto box = std::make_unique<TAboutBox>(mainWindow);
    const QIcon icon = mainWindow ? mainWindow->windowIcon() : QIcon();
    if (!icon.isNull()) box->Iair->setPixmap(icon.pixmap(box->Iair->size()));
    if (!japaneseUi) box->UseEnglish();
    box->setWindowIcon(icon);
    box->exec();
}

} // namespace kestrix

TAboutBox::TAboutBox(QWidget* owner, const QString& programFile) : QDialog(owner) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFont(kestrix::JapaneseUiFont(12));

    B_Ok = new QPushButton(QStringLiteral("OK"), this);
    B_Ok->setObjectName(QStringLiteral("B_Ok"));
    B_Ok->setGeometry(120, 101, 65, 21);
    B_Ok->setDefault(true);

    Iair = new QLabel(this);
    Iair->setObjectName(QStringLiteral("Iair"));
    Iair->setGeometry(8, 13, 41, 37);
    Iair->setAlignment(Qt::AlignCenter);

    Lt1 = MakeLabel(this, "Lt1", QStringLiteral("Kestrix for Windows(R)"), QRect(25, 9, 260, 14),
                    LabelFont(13, true));
    Lt2 = MakeLabel(this, "Lt2", QStringLiteral("version xxx"), QRect(25, 26, 260, 14),
                    LabelFont(12, true));
    Lcp1 = MakeLabel(this, "Lcp1", QStringLiteral("Copyright (C) Norvale. All rights reserved."),
                     QRect(0, 52, 309, 14), LabelFont(12, false));
    Lcp2 = MakeLabel(this, "Lcp2", QStringLiteral("(Written by the Kestrix team at Norvale)"),
                     QRect(0, 68, 309, 14), LabelFont(12, false));
    QFont linkFont = LabelFont(12, false);
    linkFont.setUnderline(true);
    Lurl =
        MakeLabel(this, "Lurl",
                  QStringLiteral("( ") + kestrix::MakerPageUrl().toString() + QStringLiteral(" )"),
                  QRect(0, 83, 309, 14), linkFont);
    QPalette linkPalette = Lurl->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Lurl->setPalette(linkPalette);
    Lurl->setCursor(Qt::PointingHandCursor);
    Lurl->installEventFilter(this);

    setFixedSize(309, 124);
    connect(B_Ok, &QPushButton::clicked, this, &QDialog::accept);
    B_Ok->setFocus();

    if (const auto info = kestrix::ReadVersionInfo(programFile))
        Lt2->setText(QStringLiteral("version ") + info->fileVersion());
    kestrix::CentreOnScreen(this);
}

void TAboutBox::UseEnglish() {
    QFont dialogFont = font();
    dialogFont.setFamily(kestrix::EnglishUiFont(8).family());
    setFont(dialogFont);
    setWindowTitle(QStringLiteral("Version information"));
    SetPointSize(Lt1, 9);
    for (QLabel* label : {Lt2, Lcp1, Lcp2, Lurl})
        SetPointSize(label, 8);
}

void TAboutBox::LurlClick() {
    // A browser that cannot be started is not reported; the box stays open.
    QDesktopServices::openUrl(kestrix::MakerPageUrl());
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Lurl && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        LurlClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
