#pragma once

#include <string>
#include <string_view>

namespace kanatsumugi::test {

// Converts with glibc iconv, independently of the program's own kana tables.
std::string utf8ToCp932(std::string_view utf8);
std::string cp932ToUtf8(std::string_view cp932);

} // namespace kanatsumugi::test
