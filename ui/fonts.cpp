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
    static const QString family =
        // The design's face; a Windows without it (its Japanese fonts are an
        // optional feature outside Japan) has Meiryo UI or Yu Gothic UI.
        // Under a Japanese Windows locale faces are listed by their
        // Japanese names.
        FirstInstalled({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                        QStringLiteral("Meiryo UI"), QStringLiteral("Yu Gothic UI"),
                        QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                        QStringLiteral("IPAexGothic"), QStringLiteral("IPAexゴシック"),
                        QStringLiteral("VL PGothic"), QStringLiteral("VL Pゴシック"),
                        QStringLiteral("TakaoPGothic"), QStringLiteral("Takao Pゴシック"),
                        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
                        QStringLiteral("IPAゴシック")});
    return family;
}

const QString& EnglishFamily() {
    static const QString family =
        FirstInstalled({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                        QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed"),
                        QStringLiteral("DejaVu Sans")});
    return family;
}

// A sans-serif face, drawn fully hinted unless told otherwise. Glyphs are
// set side by side at their own advances, as the design's text is: no
// kerning pairs, and no shaping pass for Latin and Japanese text, which need
// none. That pass would cost start-up time on every caption measured.
// Scripts that cannot be read without shaping are still shaped.
QFont UiFace(const QString& family, QFont::HintingPreference hinting) {
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setKerning(false);
    f.setHintingPreference(hinting);
    return f;
}

} // namespace

QFont JapaneseUiFont(int pixelSize) {
    QFont f = UiFace(JapaneseFamily(), QFont::PreferFullHinting);
    f.setPixelSize(pixelSize);
    return f;
}

QFont EnglishUiFont(int pointSize) {
    QFont f = UiFace(EnglishFamily(), QFont::PreferFullHinting);
    f.setPointSize(pointSize);
    return f;
}

QFont BoldUiFont(int pixelSize, QFont::HintingPreference hinting) {
    QFont f = UiFace(JapaneseFamily(), hinting);
    f.setPixelSize(pixelSize);
    f.setBold(true);
    return f;
}

} // namespace kestrix
