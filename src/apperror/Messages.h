#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kanatsumugi {

// Takes the locale from the environment (LC_ALL, LC_MESSAGES, LANG, and LANGUAGE as
// gettext reads it) and opens the command's message catalogue, installed beside the
// program under the standard locale folder.
void openMessageCatalogue();

// The message `english` (its gettext id) in the user's language.
const char* tr(const char* english);
// The same for a message that depends on a count.
const char* trn(const char* one, const char* many, unsigned long count);

// Marks a message id in a table; the table's reader translates it.
constexpr const char* msg(const char* english) {
    return english;
}

// `text` with each "%s" replaced by the next of `args`, in order.
std::string fill(std::string_view text, std::initializer_list<std::string_view> args);

// Text as the user gave it, quoted, with control characters escaped so that a message
// stays on one line.
std::string quoted(std::string_view text);

} // namespace kanatsumugi
