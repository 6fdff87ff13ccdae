#pragma once

#include "lexicon/KanaSet.h"

#include <filesystem>
#include <string_view>

namespace kanatsumugi {

// The readings of dictionary words that the generator can spell, 2 to 7 kana.
class WordList {
public:
    static constexpr const char* kFileName = "words.bin";

    // Reads the list from `dataDir`; raises AppError naming the file when it is missing
    // or damaged.
    static WordList load(const std::filesystem::path& dataDir);

    // Whether the name (inventory indices) is the reading of a listed word.
    [[nodiscard]] bool isWord(std::string_view indices) const { return words_.contains(indices); }
    [[nodiscard]] std::size_t size() const { return words_.size(); }

private:
    KanaSet words_;
};

} // namespace kanatsumugi
