#include "ui/dialog_support.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kestrix {

QFont JapaneseDialogFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("VL PGothic")});
    font.setPixelSize(pixelSize);
    return font;
}

QStringList EnglishFontFamilies() {
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
            QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
}

QFont EnglishDialogFont(int pointSize) {
    QFont font;
    font.setFamilies(EnglishFontFamilies());
    font.setPointSize(pointSize);
    return font;
}

void CentreOnScreen(QWidget* widget) {
    QScreen* screen = widget->parentWidget() ? widget->parentWidget()->screen() : widget->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = widget->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    widget->move(frame.topLeft());
}

QMessageBox::StandardButton AskWarning(QWidget* parent, const QString& caption, const QString& text,
                                       QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::Warning, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString WarningCaption(bool japanese) {
    return japanese ? QStringLiteral("警告") : QStringLiteral("Warning");
}

void ShowProgramMessageOver(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace kestrix
