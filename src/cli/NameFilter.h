#pragma once

#include "cli/NameBatch.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kanatsumugi {

class KanaTables;

// Which names the command line asks for. Texts are held as inventory indices; a text
// with a katakana outside the inventory can never be part of a name.
struct NameFilter {
    int minKana = 0;
    int maxKana = KanaIndexName::kCapacity;
    std::vector<std::string> startsWith;
    std::vector<std::string> endsWith;
    std::vector<std::string> contains;
    std::vector<std::string> without;
    bool impossible = false; // a required text holds a kana no name has

    [[nodiscard]] bool empty() const {
        return minKana == 0 && maxKana == KanaIndexName::kCapacity && startsWith.empty() &&
               endsWith.empty() && contains.empty() && without.empty() && !impossible;
    }

    [[nodiscard]] bool matches(const KanaIndexName& name) const {
        if (name.count < minKana || name.count > maxKana || impossible) {
            return false;
        }
        const std::string_view indices = name.indices();
        for (const std::string& text : startsWith) {
            if (!indices.starts_with(text)) {
                return false;
            }
        }
        for (const std::string& text : endsWith) {
            if (!indices.ends_with(text)) {
                return false;
            }
        }
        for (const std::string& text : contains) {
            if (indices.find(text) == std::string_view::npos) {
                return false;
            }
        }
        for (const std::string& text : without) {
            if (indices.find(text) != std::string_view::npos) {
                return false;
            }
        }
        return true;
    }
};

// Katakana as UTF-8, hiragana read as the same katakana. Raises AppError naming the
// first character that is neither, or when `text` is empty.
std::u32string readKanaText(std::string_view text, std::string_view option);

// The inventory index of one kana given as its Shift-JIS or its UTF-8 bytes, or -1.
int inventoryIndexOf(const KanaTables& tables, std::string_view kanaBytes, bool shiftJis);

// The inventory indices of `katakana`, or nothing when a kana is not in the inventory.
std::optional<std::string> inventoryIndices(const KanaTables& tables,
                                            const std::u32string& katakana);

} // namespace kanatsumugi
