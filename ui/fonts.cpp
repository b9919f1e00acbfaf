#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace kestrix {
namespace {

QString FirstInstalled(const QStringList& families) {
    // Looked up in the list of installed families rather than one by one:
    // asking for a missing family makes the font matcher resolve it as an
    // alias, which is slow.
    static const QStringList installed = QFontDatabase::families();
    for (const QString& family : families)
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    return families.first(); // the font matcher's own substitute then
}

const QString& JapaneseFamily() {
    static const QString family = FirstInstalled(
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
         QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("VL PGothic"),
         QStringLiteral("TakaoPGothic"), QStringLiteral("Noto Sans CJK JP"),
         QStringLiteral("IPAGothic")});
    return family;
}

const QString& EnglishFamily() {
    static const QString family = FirstInstalled(
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
         QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed"),
         QStringLiteral("DejaVu Sans")});
    return family;
}

} // namespace

QFont JapaneseUiFont(int pixelSize) {
    QFont f(JapaneseFamily());
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setPixelSize(pixelSize);
    return f;
}

QFont EnglishUiFont(int pointSize) {
    QFont f(EnglishFamily());
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setPointSize(pointSize);
    return f;
}

QFont BoldUiFont(int pixelSize) {
    QFont f = JapaneseUiFont(pixelSize);
    f.setBold(true);
    f.setHintingPreference(QFont::PreferDefaultHinting);
    return f;
}

} // namespace kestrix
