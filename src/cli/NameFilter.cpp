#include "cli/NameFilter.h"

#include "apperror/Messages.h"
#include "generator/KanaTables.h"

#include <algorithm>

namespace kanatsumugi {

namespace {

std::string textOf(const KanaTables& tables, std::string_view indices) {
    std::string text;
    for (const char index : indices) {
        text += tables.kanaUtf8(static_cast<std::uint8_t>(index));
    }
    return text;
}

std::string given(TextRule rule, const std::string& utf8) {
    return optionOf(rule) + " " + utf8;
}

} // namespace

int NameFilter::moraeOf(const KanaIndexName& name) {
    int morae = name.count;
    for (int i = 0; i < name.count; ++i) {
        morae -= KanaTables::isSmall(name.kana[static_cast<std::size_t>(i)]) ? 1 : 0;
    }
    return morae;
}

NameFilter::NameFilter(const KanaTables& tables, const CliOptions& options) {
    checkLengths(options);
    for (const auto& [rule, utf8] : options.texts) {
        std::string indices;
        for (std::size_t at = 0; at < utf8.size(); at += 3) { // every kana is three bytes
            const int index = tables.indexOf(std::string_view(utf8).substr(at, 3));
            if (index < 0 && required(rule)) {
                throw NoNameMatches(fill(tr("%s: %s is not among the kana names are made of"),
                                         {given(rule, utf8), utf8.substr(at, 3)}));
            }
            if (index < 0) {
                indices.clear(); // a text no name holds: the rule always holds
                break;
            }
            indices += static_cast<char>(index);
        }
        if (!indices.empty()) {
            checkText(tables, rule, indices);
            texts_.emplace_back(rule, indices);
        }
    }
    checkPairs(tables);
}

void NameFilter::checkLengths(const CliOptions& options) {
    // With -l L a name has L kana, or L + 1 when it closes with a pair; else 2 to 9.
    const int fixed = options.fixedLength.value_or(0);
    kanaLow_ = std::max(fixed > 0 ? fixed : 2, options.kana.low);
    kanaHigh_ = std::min(fixed > 0 ? fixed + 1 : KanaIndexName::kCapacity, options.kana.high);
    const auto refuse = [](const CountRange& range, int low, int high) {
        throw NoNameMatches(fill(tr("%s: no name here has that many (names have %s to %s)"),
                                 {range.given, std::to_string(low), std::to_string(high)}));
    };
    if (kanaLow_ > kanaHigh_) {
        refuse(options.kana, fixed > 0 ? fixed : 2, fixed > 0 ? fixed + 1 : 9);
    }
    // The first kana stands alone and every pair takes two, so n kana hold at least
    // (n + 2) / 2 morae; the ninth kana only ever closes a pair.
    const int lowest = (kanaLow_ + 2) / 2;
    const int highest = std::min({kanaHigh_, KanaIndexName::kMaxLength, fixed > 0 ? fixed : 9});
    // A name longer than its drawn length holds a closing pair.
    endsSmall_ = kanaLow_ > (fixed > 0 ? fixed : KanaIndexName::kMaxLength);
    countsMorae_ = options.morae.low > lowest || options.morae.high < highest;
    moraeLow_ = std::max(lowest, options.morae.low);
    moraeHigh_ = std::min(highest, options.morae.high);
    if (moraeLow_ > moraeHigh_) {
        refuse(options.morae, lowest, highest);
    }
}

void NameFilter::checkText(const KanaTables& tables, TextRule rule,
                           const std::string& indices) const {
    if (!required(rule)) {
        return;
    }
    const std::string shown = given(rule, textOf(tables, indices));
    const int first = static_cast<std::uint8_t>(indices[0]);
    if (rule == TextRule::StartsWith && first >= tables.initialCount()) {
        throw NoNameMatches(
            fill(tr("%s: no name starts with %s"), {shown, tables.kanaUtf8(first)}));
    }
    if (rule == TextRule::StartsWith && indices.size() > 1 &&
        KanaTables::isSmall(static_cast<std::uint8_t>(indices[1]))) {
        throw NoNameMatches(fill(tr("%s: the first kana of a name stands alone, never with %s"),
                                 {shown, tables.kanaUtf8(static_cast<std::uint8_t>(indices[1]))}));
    }
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const int kana = static_cast<std::uint8_t>(indices[i]);
        const int before = static_cast<std::uint8_t>(indices[i - 1]);
        if (!tables.mayFollow(before, kana)) {
            throw NoNameMatches(fill(tr("%s: %s never stands behind %s"),
                                     {shown, tables.kanaUtf8(kana), tables.kanaUtf8(before)}));
        }
    }
    if (static_cast<int>(indices.size()) > kanaHigh_) {
        throw NoNameMatches(fill(tr("%s: longer than any name here (%s kana at most)"),
                                 {shown, std::to_string(kanaHigh_)}));
    }
    // A small kana never stands first or second, so a text with one early needs kana before it.
    const auto small = std::find_if(indices.begin(), indices.end(), [](char kana) {
        return KanaTables::isSmall(static_cast<std::uint8_t>(kana));
    });
    const auto before = rule == TextRule::StartsWith || small == indices.end()
                            ? 0
                            : std::max<std::ptrdiff_t>(0, 2 - (small - indices.begin()));
    if (static_cast<int>(indices.size() + before) > kanaHigh_) {
        throw NoNameMatches(fill(tr("%s: a small kana is never first or second in a name, and "
                                    "names here have %s kana at most"),
                                 {shown, std::to_string(kanaHigh_)}));
    }
    if (rule == TextRule::EndsWith && endsSmall_ &&
        !KanaTables::isSmall(static_cast<std::uint8_t>(indices.back()))) {
        throw NoNameMatches(fill(tr("%s: every name here closes with a small kana"), {shown}));
    }
}

// Two texts that exclude each other: two different starts or ends, or a text that
// must stand where another must not.
void NameFilter::checkPairs(const KanaTables& tables) const {
    for (const auto& [rule, text] : texts_) {
        for (const auto& [other, otherText] : texts_) {
            const std::string_view a = text;
            const bool conflicts =
                (rule == TextRule::StartsWith && other == TextRule::StartsWith &&
                 !a.starts_with(otherText) && !std::string_view(otherText).starts_with(a)) ||
                (rule == TextRule::EndsWith && other == TextRule::EndsWith &&
                 !a.ends_with(otherText) && !std::string_view(otherText).ends_with(a)) ||
                (required(rule) && other == TextRule::Without && a.find(otherText) != a.npos) ||
                (rule == TextRule::StartsWith && other == TextRule::NotStartsWith &&
                 a.starts_with(otherText)) ||
                (rule == TextRule::EndsWith && other == TextRule::NotEndsWith &&
                 a.ends_with(otherText));
            if (conflicts) {
                throw NoNameMatches(fill(
                    tr("%s and %s: no name meets both"),
                    {given(rule, textOf(tables, text)), given(other, textOf(tables, otherText))}));
            }
        }
    }
}

} // namespace kanatsumugi
