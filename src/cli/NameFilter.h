#pragma once

#include "apperror/AppError.h"
#include "cli/CliOptions.h"
#include "generator/NameBatch.h"
#include "generator/NamePlaces.h"

#include <string>
#include <utility>
#include <vector>

namespace kanatsumugi {

class KanaTables;

// Filters that no name of the generator can pass; the message names the condition and why.
class NoNameMatches : public AppError {
public:
    using AppError::AppError;
};

// Which names the command line asks for, with its texts held as inventory indices.
class NameFilter {
public:
    // Raises NoNameMatches when the conditions can never all be met.
    NameFilter(const KanaTables& tables, const CliOptions& options);

    [[nodiscard]] bool matches(const KanaIndexName& name) const {
        if (name.count < kanaLow_ || name.count > kanaHigh_ ||
            (countsMorae_ && (name.morae() < moraeLow_ || name.morae() > moraeHigh_))) {
            return false;
        }
        const std::string_view indices = name.indices();
        for (const auto& [rule, text] : texts_) {
            const bool found = rule <= TextRule::NotStartsWith ? indices.starts_with(text)
                               : rule <= TextRule::NotEndsWith ? indices.ends_with(text)
                                                               : indices.find(text) != indices.npos;
            if (found != required(rule)) {
                return false;
            }
        }
        return true;
    }

    // True for the rules a text must meet, false for those it must not.
    static bool required(TextRule rule) { return static_cast<int>(rule) % 2 == 0; }

private:
    void checkLengths(const CliOptions& options);
    void checkText(TextRule rule, const std::string& indices, const std::string& shown) const;
    void checkPairs() const;
    [[nodiscard]] NameLengths lengths() const {
        return {kanaLow_, kanaHigh_, drawnHigh_, moraeHigh_};
    }

    const KanaTables& tables_;
    int drawnHigh_ = KanaIndexName::kMaxLength; // a name one kana longer closes with a pair
    int kanaLow_ = 0;
    int kanaHigh_ = KanaIndexName::kCapacity;
    bool countsMorae_ = false;
    int moraeLow_ = 0;
    int moraeHigh_ = KanaIndexName::kCapacity;
    std::vector<std::pair<TextRule, std::string>> texts_;
};

} // namespace kanatsumugi
