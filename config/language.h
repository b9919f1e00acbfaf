#pragma once

// The interface language, decided once at start-up. Texts are written in
// English in the source; the Japanese ones come from Qt's translation
// catalogue (translations/kestrix_ja.ts), compiled into the program.

namespace kestrix {

enum class Language { English, Japanese };

// Makes tr() and QCoreApplication::translate() answer in the language:
// installs the Japanese catalogue, or removes it for English. Needs a
// QCoreApplication. False when the catalogue could not be loaded.
bool UseLanguage(Language language);

// The language last passed to UseLanguage (English before any call).
Language CurrentLanguage();

} // namespace kestrix
