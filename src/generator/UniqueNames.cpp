#include "generator/UniqueNames.h"

#include "generator/NameBatch.h"

#include <algorithm>
#include <bit>

namespace kanatsumugi {

UniqueNames::UniqueNames(std::size_t expected)
    : slots_(std::bit_ceil(std::max<std::size_t>(1024, expected + expected / 3 + 1))) {}

std::uint64_t UniqueNames::pack(const KanaIndexName& name) {
    std::uint64_t key = 0;
    for (int i = 0; i < name.count; ++i) {
        // Index + 1 keeps a leading ア apart from a shorter name.
        key = (key << 6) | (name.kana[static_cast<std::size_t>(i)] + 1u);
    }
    return key;
}

std::size_t UniqueNames::slotOf(std::uint64_t key) const {
    // Fibonacci hashing: the top bits of the product choose the slot.
    const int shift = 64 - std::countr_zero(slots_.size());
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = (key * 0x9E3779B97F4A7C15ULL) >> shift;
    while (slots_[slot] != 0 && slots_[slot] != key) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

bool UniqueNames::insert(const KanaIndexName& name) {
    const std::uint64_t key = pack(name);
    std::uint64_t& slot = slots_[slotOf(key)];
    if (slot == key) {
        return false;
    }
    slot = key;
    // At three quarters full the table doubles, and every key finds its new slot.
    if (++size_ * 4 > slots_.size() * 3) {
        std::vector<std::uint64_t> old(slots_.size() * 2);
        old.swap(slots_);
        for (const std::uint64_t held : old) {
            if (held != 0) {
                slots_[slotOf(held)] = held;
            }
        }
    }
    return true;
}

} // namespace kanatsumugi
