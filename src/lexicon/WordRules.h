#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kanatsumugi {

enum class Natural; // the presets of --natural, in NaturalCuts.h

// Which names the data files must let through.
struct WordRules {
    std::optional<Natural> natural;
    bool newWords = false;               // no dictionary word
    bool polite = false;                 // no entry of the shipped blocklist
    std::vector<std::string> blocklists; // nor of these lists of the user's

    [[nodiscard]] bool any() const { return natural || newWords || polite || !blocklists.empty(); }
};

} // namespace kanatsumugi
