#pragma once

#include <string>
#include <string_view>

namespace kanatsumugi {

// The language of help and messages: Japanese under a Japanese locale, else English.
enum class Language { Japanese, English };

// The language the locale variables ask for, read as the C library reads them:
// LC_ALL, then LC_MESSAGES, then LANG; the first one set and not empty decides.
Language languageFromEnvironment();

// The language the texts below are given in; English until set.
void setLanguage(Language language);

// One text in the current language.
std::string tr(std::string_view japanese, std::string_view english);

} // namespace kanatsumugi
