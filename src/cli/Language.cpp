#include "cli/Language.h"

#include <cstdlib>

namespace kanatsumugi {

namespace {

Language current = Language::English;

} // namespace

Language languageFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("ja") ? Language::Japanese
                                                             : Language::English;
        }
    }
    return Language::English;
}

void setLanguage(Language language) {
    current = language;
}

std::string tr(std::string_view japanese, std::string_view english) {
    return std::string(current == Language::Japanese ? japanese : english);
}

} // namespace kanatsumugi
