#include "lexicon/KanaSet.h"

#include <algorithm>

namespace kanatsumugi {

namespace {

constexpr std::size_t kInventoryCount = 61;

constexpr std::size_t bitWords(std::size_t length) {
    return (std::size_t{1} << (6 * length)) / 64;
}

} // namespace

void KanaSet::set(std::vector<std::uint64_t>& bits, std::size_t length, std::size_t k) {
    if (bits.empty()) {
        bits.resize(bitWords(length));
    }
    bits[k / 64] |= std::uint64_t{1} << (k % 64);
}

bool KanaSet::insert(std::string_view indices) {
    const std::size_t length = indices.size();
    if (length < kMinLength || length > kMaxLength ||
        std::any_of(indices.begin(), indices.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= kInventoryCount; })) {
        return false;
    }
    if (length >= 4) {
        set(prefixes3_, 3, key(indices.substr(0, 3)));
    }
    if (length <= 4) {
        if (test(short_[length - 2], key(indices))) {
            return true;
        }
        set(short_[length - 2], length, key(indices));
    } else {
        set(prefixes4_, 4, key(indices.substr(0, 4)));
        long_.push_back(packed(indices));
    }
    ++size_;
    return true;
}

void KanaSet::seal() {
    if (!std::is_sorted(long_.begin(), long_.end())) {
        std::sort(long_.begin(), long_.end());
    }
    const auto repeated = std::unique(long_.begin(), long_.end());
    size_ -= static_cast<std::size_t>(long_.end() - repeated);
    long_.erase(repeated, long_.end());
}

std::uint64_t KanaSet::packed(std::string_view indices) {
    // Six bits a kana and the length on top: texts of different lengths never meet.
    std::uint64_t p = indices.size();
    for (const char c : indices) {
        p = p << 6 | static_cast<unsigned char>(c);
    }
    return p;
}

bool KanaSet::containsLong(std::string_view indices) const {
    return std::binary_search(long_.begin(), long_.end(), packed(indices));
}

} // namespace kanatsumugi
