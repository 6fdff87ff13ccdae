#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kanatsumugi {

struct KanaIndexName;

// A set of names, each packed into one 64-bit key (six bits a kana, nine kana at
// most). Open addressing keeps it at eight bytes a slot: a whole day's 56 million
// different names take 1 GB, against 0.8 GB for a set of readings that makes each
// name again to compare it, at half the speed.
class UniqueNames {
public:
    // Room for `expected` names before the table first grows: growing holds the old
    // table beside the new one, half as much again at the peak.
    explicit UniqueNames(std::size_t expected = 0);

    // True when `name` was not in the set; it is in the set afterwards.
    bool insert(const KanaIndexName& name);
    // True when `name` is in the set.
    [[nodiscard]] bool contains(const KanaIndexName& name) const {
        return slots_[slotOf(pack(name))] != 0;
    }
    [[nodiscard]] std::size_t size() const { return size_; }

    // Distinct names give distinct keys, and no key is 0 (the empty slot).
    static std::uint64_t pack(const KanaIndexName& name);

private:
    // The slot that holds `key`, or the empty slot where it would go.
    [[nodiscard]] std::size_t slotOf(std::uint64_t key) const;

    std::vector<std::uint64_t> slots_;
    std::size_t size_ = 0;
};

} // namespace kanatsumugi
