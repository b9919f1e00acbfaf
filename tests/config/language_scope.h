#pragma once

#include "config/language.h"

namespace kestrix {

// The interface language of the texts under test, English again afterwards.
class LanguageScope {
  public:
    explicit LanguageScope(Language language) { UseLanguage(language); }
    explicit LanguageScope(bool japanese)
        : LanguageScope(japanese ? Language::Japanese : Language::English) {}
    ~LanguageScope() { UseLanguage(Language::English); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;
};

inline Language LanguageOf(bool japanese) {
    return japanese ? Language::Japanese : Language::English;
}

} // namespace kestrix
