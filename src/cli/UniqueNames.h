#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kanatsumugi {

struct KanaIndexName;

// The set of names seen so far, each packed into one 64-bit key (six bits a
// kana, nine kana at most). Open addressing keeps it at eight bytes a slot,
// about a gigabyte for every name a whole day can give.
class UniqueNames {
public:
    UniqueNames();

    // True when `name` was not in the set; it is in the set afterwards.
    bool insert(const KanaIndexName& name);
    // True when `name` is in the set. Safe from several threads while nothing inserts.
    [[nodiscard]] bool contains(const KanaIndexName& name) const;
    [[nodiscard]] std::size_t size() const { return size_; }

    // Distinct names give distinct keys, and no key is 0 (the empty slot).
    static std::uint64_t pack(const KanaIndexName& name);

private:
    bool insertKey(std::uint64_t key);
    void grow();

    std::vector<std::uint64_t> slots_;
    std::size_t size_ = 0;
    int shift_ = 0;
};

} // namespace kanatsumugi
