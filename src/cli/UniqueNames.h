#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kanatsumugi {

struct KanaIndexName;

// A set of names, each packed into one 64-bit key (six bits a kana, nine kana at
// most). Open addressing keeps it at eight bytes a slot: a whole day's 56 million
// different names take 1 GB at the peak, against 0.8 GB for a set of readings that
// makes each name again to compare it, at half the speed.
class UniqueNames {
public:
    UniqueNames();

    // True when `name` was not in the set; it is in the set afterwards.
    bool insert(const KanaIndexName& name);
    // True when `name` is in the set.
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
