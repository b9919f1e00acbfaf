#include "config/language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace kestrix {

namespace {

Language current = Language::English;

QTranslator& Catalogue() {
    static QTranslator translator;
    return translator;
}

} // namespace

bool UseLanguage(Language language) {
    QTranslator& catalogue = Catalogue();
    QCoreApplication::removeTranslator(&catalogue);
    current = language;
    if (language == Language::English) return true;
    if (catalogue.isEmpty() && !catalogue.load(QStringLiteral(":/translations/kestrix_ja.qm")))
        return false;
    return QCoreApplication::installTranslator(&catalogue);
}

Language CurrentLanguage() {
    return current;
}

} // namespace kestrix
