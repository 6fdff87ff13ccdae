#pragma once

#include <bitset>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kanatsumugi {

class KanaSymbols;

// Words that should not appear inside a name: the program's own reviewed list and,
// added to it, any list of the user's.
class Blocklist {
public:
    static constexpr const char* kFileName = "blocklist.txt";

    // The shipped list from `dataDir`: one katakana entry a line, each able to stand in a
    // name, none twice; lines starting with # are comments. Raises AppError naming the
    // file and line when the file is missing or breaks a rule.
    static Blocklist loadShipped(const std::filesystem::path& dataDir, const KanaSymbols& symbols);
    // Adds the user's list: one entry a line, UTF-8, katakana or hiragana. An entry no
    // name can hold is skipped; a line that is not kana raises AppError naming it.
    void addUserFile(const std::filesystem::path& file, const KanaSymbols& symbols);

    // Whether any entry stands inside the name (inventory indices).
    [[nodiscard]] bool blocks(std::string_view indices) const {
        for (std::size_t start = 0; start + kShortestEntry <= indices.size(); ++start) {
            const std::size_t pair = static_cast<unsigned char>(indices[start]) * kPairStride +
                                     static_cast<unsigned char>(indices[start + 1]);
            if (!starts_[pair]) {
                continue; // no entry starts with these two kana: most names, from the cache
            }
            for (const std::string& entry : byStart_[pair]) {
                if (indices.substr(start).starts_with(entry)) {
                    return true;
                }
            }
        }
        return false;
    }
    [[nodiscard]] std::size_t size() const { return size_; }

private:
    enum class Source { Shipped, User };
    void addFile(const std::filesystem::path& file, const KanaSymbols& symbols, Source source);

    static constexpr std::size_t kShortestEntry = 2;
    static constexpr std::size_t kPairStride = 64;

    // The entries by their first two kana, and a bit for each pair that starts one.
    std::vector<std::vector<std::string>> byStart_ =
        std::vector<std::vector<std::string>>(kPairStride * kPairStride);
    std::bitset<kPairStride * kPairStride> starts_;
    std::size_t size_ = 0;
};

} // namespace kanatsumugi
