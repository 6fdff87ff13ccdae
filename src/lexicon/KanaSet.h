#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kanatsumugi {

// A set of kana texts of 2 to 9 inventory kana (as inventory indices), asked millions of
// times a second: one bitmap for each of the lengths 2, 3 and 4, and for longer texts
// bitmaps of their first three and four kana in front of a sorted vector, so that most
// names are answered by a bit or two (a hash set is ten times slower).
class KanaSet {
public:
    static constexpr std::size_t kMinLength = 2;
    static constexpr std::size_t kMaxLength = 9;

    // Adds `indices`; false when it is not 2 to 9 inventory kana.
    bool insert(std::string_view indices);
    // Call once after the last insert, before the first lookup.
    void seal();

    [[nodiscard]] bool contains(std::string_view indices) const {
        const std::size_t length = indices.size();
        if (length < kMinLength || length > kMaxLength) {
            return false;
        }
        if (length >= 4 && !test(prefixes3_, key(indices.substr(0, 3)))) {
            return false; // most names end here, in a bitmap small enough for the cache
        }
        if (length <= 4) {
            return test(short_[length - 2], key(indices));
        }
        return test(prefixes4_, key(indices.substr(0, 4))) && containsLong(indices);
    }
    [[nodiscard]] std::size_t size() const { return size_; }

private:
    // Six bits a kana: any symbol of KanaSymbols, other katakana too, has a key of its own.
    [[nodiscard]] static std::size_t key(std::string_view indices) {
        std::size_t k = 0;
        for (const char c : indices) {
            k = k << 6 | static_cast<unsigned char>(c);
        }
        return k;
    }
    [[nodiscard]] static std::uint64_t packed(std::string_view indices);
    [[nodiscard]] bool containsLong(std::string_view indices) const;
    static void set(std::vector<std::uint64_t>& bits, std::size_t length, std::size_t k);
    // A bitmap is allocated at its first bit, so that a short list stays small.
    [[nodiscard]] static bool test(const std::vector<std::uint64_t>& bits, std::size_t k) {
        return k / 64 < bits.size() && (bits[k / 64] >> (k % 64) & 1u) != 0;
    }

    std::array<std::vector<std::uint64_t>, 3> short_;
    std::vector<std::uint64_t> prefixes3_; // the first three kana of every longer text
    std::vector<std::uint64_t> prefixes4_; // the first four kana of every text of 5 or more
    std::vector<std::uint64_t> long_;
    std::size_t size_ = 0;
};

} // namespace kanatsumugi
