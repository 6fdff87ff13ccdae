#include "lexicon/KanaText.h"

#include "apperror/AppError.h"

#include <gtest/gtest.h>

namespace kanatsumugi {
namespace {

// Byte sequences an argument can carry but a test through the program hardly can: each
// must be read as the kana it is or refused as what it is.
TEST(KanaText, ReadsOnlyKanaInTheShortestUtf8) {
    const struct {
        const char* utf8;
        const char* read; // the katakana, or how the message ends
    } cases[] = {
        {"かゔー", "カヴー"},
        {"ア\xED\xA0\x80", "not UTF-8 (byte 4)"},   // a surrogate
        {"\xF4\x90\x80\x80", "not UTF-8 (byte 1)"}, // beyond U+10FFFF
        {"\xE0\x9F\xBF", "not UTF-8 (byte 1)"},     // U+07FF in three bytes
        {"ア\xE3\x82", "not UTF-8 (byte 4)"},       // cut short
        {"ア\xE3\x82\x41", "not UTF-8 (byte 4)"},   // a lead byte before ASCII
        {"ア\x82\xA2", "not UTF-8 (byte 4)"},       // a stray continuation byte
        {"\xF0\x9F\x98\x80", "not \"\xF0\x9F\x98\x80\" (U+01F600)"},
        {"ア\x7F", "not U+007F"},
    };
    for (const auto& c : cases) {
        std::string read;
        try {
            read = readKanaText(c.utf8, "--contains");
        } catch (const InputError& error) {
            read = error.what();
        }
        EXPECT_TRUE(read.ends_with(c.read)) << c.read << ": " << read;
    }
}

} // namespace
} // namespace kanatsumugi
