#include "cli/NameFilter.h"

#include "apperror/Messages.h"
#include "generator/KanaTables.h"
#include "generator/NamePlaces.h"

#include <algorithm>
#include <array>

namespace kanatsumugi {

namespace {

std::string given(TextRule rule, const std::string& utf8) {
    return optionOf(rule) + " " + utf8;
}

} // namespace

NameFilter::NameFilter(const KanaTables& tables, const CliOptions& options)
    : tables_(tables) {
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
        if (!indices.empty() && required(rule)) {
            checkText(rule, indices, given(rule, utf8));
        }
        if (!indices.empty()) {
            texts_.emplace_back(rule, indices);
        }
    }
    checkPairs();
}

void NameFilter::checkLengths(const CliOptions& options) {
    // A name has its drawn length (-l, or 2 to 8 by chance), one kana more when it closes
    // with a pair.
    const int drawnLow = options.fixedLength.value_or(2);
    drawnHigh_ = options.fixedLength.value_or(KanaIndexName::kMaxLength);
    kanaLow_ = std::max(drawnLow, options.kana.low);
    kanaHigh_ = std::min(drawnHigh_ + 1, options.kana.high);
    const auto refuse = [](const CountRange& range, int low, int high) {
        throw NoNameMatches(fill(tr("%s: no name here has that many (names have %s to %s)"),
                                 {range.given, std::to_string(low), std::to_string(high)}));
    };
    if (kanaLow_ > kanaHigh_) {
        refuse(options.kana, drawnLow, drawnHigh_ + 1);
    }
    // The first kana stands alone and every pair takes two, so n kana hold at least
    // (n + 2) / 2 morae; a kana past the drawn length only ever closes a pair.
    const int lowest = (kanaLow_ + 2) / 2;
    const int highest = std::min(kanaHigh_, drawnHigh_);
    countsMorae_ = options.morae.low > lowest || options.morae.high < highest;
    moraeLow_ = std::max(lowest, options.morae.low);
    moraeHigh_ = std::min(highest, options.morae.high);
    if (moraeLow_ > moraeHigh_) {
        refuse(options.morae, lowest, highest);
    }
}

void NameFilter::checkText(TextRule rule, const std::string& indices,
                           const std::string& shown) const {
    // Why a text cannot stand where it must, for each kind of Misfit in its order; the
    // second %s is the kana at fault or the count of kana that limits it, the third the kana
    // it cannot follow or that count.
    static constexpr std::array<const char*, Misfit::NoRoom + 1> kWhy = {
        nullptr,
        nullptr, // the constructor has named a kana outside the inventory
        msg("%s: no name starts with %s"),
        msg("%s: the first kana of a name stands alone, never with %s"),
        msg("%s: %s never stands behind %s"),
        msg("%s: no name starts with %s, so a kana stands before it, and names here have %s "
            "kana at most"),
        msg("%s: longer than any name here (%s kana at most)"),
        msg("%s: a small kana is never first or second in a name, and names here have %s kana "
            "at most"),
        msg("%s: names of %s kana close with a small kana"),
        msg("%s: more morae than any name here has (%s at most)"),
        nullptr, // only a whole name can be too short
        msg("%s: no name of the lengths asked for can hold it there (a small kana stands only "
            "behind certain kana, and a name longer than drawn closes with one)"),
    };
    const Place place = rule == TextRule::StartsWith ? Place::Start
                        : rule == TextRule::EndsWith ? Place::End
                                                     : Place::Anywhere;
    const Misfit misfit = misfitOf(tables_, indices, place, lengths());
    if (kWhy[misfit.kind] != nullptr) {
        const std::string detail = misfit.kind < Misfit::TooLong
                                       ? std::string(tables_.kanaUtf8(misfit.kana))
                                       : std::to_string(misfit.count);
        const std::string last = misfit.kind == Misfit::NeverBehind
                                     ? std::string(tables_.kanaUtf8(misfit.before))
                                     : std::to_string(misfit.count);
        throw NoNameMatches(fill(tr(kWhy[misfit.kind]), {shown, detail, last}));
    }
}

// Two texts that exclude each other: two different starts or ends, a start and an end
// that no short name can both hold, or a text that must stand where another must not.
void NameFilter::checkPairs() const {
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
                 a.ends_with(otherText)) ||
                (rule == TextRule::StartsWith && other == TextRule::EndsWith &&
                 !startAndEndFit(tables_, a, otherText, lengths()));
            if (conflicts) {
                throw NoNameMatches(fill(tr("%s and %s: no name meets both"),
                                         {given(rule, tables_.spell(text, true)),
                                          given(other, tables_.spell(otherText, true))}));
            }
        }
    }
}

} // namespace kanatsumugi
