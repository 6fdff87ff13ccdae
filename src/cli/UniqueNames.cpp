#include "cli/UniqueNames.h"

#include "cli/NameBatch.h"

#include <span>

namespace kanatsumugi {

namespace {

constexpr int kInitialBits = 10;
constexpr std::uint64_t kHashMultiplier = 0x9E3779B97F4A7C15ULL;

} // namespace

UniqueNames::UniqueNames()
    : slots_(std::size_t{1} << kInitialBits)
    , shift_(64 - kInitialBits) {}

std::uint64_t UniqueNames::pack(const KanaIndexName& name) {
    std::uint64_t key = 0;
    for (int i = 0; i < name.count; ++i) {
        // Index + 1 keeps a leading ア apart from a shorter name.
        key = (key << 6) | (name.kana[static_cast<std::size_t>(i)] + 1u);
    }
    return key;
}

bool UniqueNames::insert(const KanaIndexName& name) {
    return insertKey(pack(name));
}

bool UniqueNames::contains(const KanaIndexName& name) const {
    const std::uint64_t key = pack(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = (key * kHashMultiplier) >> shift_;; slot = (slot + 1) & mask) {
        if (slots_[slot] == key) {
            return true;
        }
        if (slots_[slot] == 0) {
            return false;
        }
    }
}

bool UniqueNames::insertKey(std::uint64_t key) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = (key * kHashMultiplier) >> shift_;; slot = (slot + 1) & mask) {
        if (slots_[slot] == key) {
            return false;
        }
        if (slots_[slot] == 0) {
            slots_[slot] = key;
            if (++size_ * 4 > slots_.size() * 3) {
                grow();
            }
            return true;
        }
    }
}

void UniqueNames::grow() {
    std::vector<std::uint64_t> old(slots_.size() * 2);
    old.swap(slots_);
    --shift_;
    size_ = 0;
    const std::size_t mask = slots_.size() - 1;
    for (const std::uint64_t key : old) {
        if (key != 0) {
            std::size_t slot = (key * kHashMultiplier) >> shift_;
            while (slots_[slot] != 0) {
                slot = (slot + 1) & mask;
            }
            slots_[slot] = key;
            ++size_;
        }
    }
}

namespace {

constexpr int kReadingBits = 27; // 2^27 > 86,400,000
constexpr std::uint32_t kReadingMask = (std::uint32_t{1} << kReadingBits) - 1;

// Five hash bits below the ones that choose the slot (a table never passes 2^28 slots).
std::uint32_t tagOf(std::uint64_t hash) {
    return static_cast<std::uint32_t>(hash >> 31) & 0x1f;
}

} // namespace

SeenReadings::SeenReadings(const KanaTables& tables, std::optional<std::int32_t> fixedLength)
    : tables_(tables)
    , fixedLength_(fixedLength)
    , slots_(std::size_t{1} << kInitialBits)
    , shift_(64 - kInitialBits) {}

std::uint64_t SeenReadings::keyAt(std::uint32_t slotValue) const {
    KanaIndexName name;
    makeNames(tables_, fixedLength_, (slotValue & kReadingMask) - 1, std::span(&name, 1));
    return UniqueNames::pack(name);
}

bool SeenReadings::insert(std::uint32_t reading, const KanaIndexName& name) {
    const std::uint64_t key = UniqueNames::pack(name);
    const std::uint64_t hash = key * kHashMultiplier;
    // Reading + 1, so that no held value is 0 (the empty slot).
    const std::uint32_t value = tagOf(hash) << kReadingBits | (reading + 1);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash >> shift_;; slot = (slot + 1) & mask) {
        const std::uint32_t held = slots_[slot];
        if (held == 0) {
            slots_[slot] = value;
            if (++size_ * 4 > slots_.size() * 3) {
                grow();
            }
            return true;
        }
        if ((held >> kReadingBits) == (value >> kReadingBits) && keyAt(held) == key) {
            return false;
        }
    }
}

void SeenReadings::place(std::uint32_t slotValue, std::uint64_t key) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = (key * kHashMultiplier) >> shift_;
    while (slots_[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    slots_[slot] = slotValue;
}

void SeenReadings::grow() {
    std::vector<std::uint32_t> old(slots_.size() * 2);
    old.swap(slots_);
    --shift_;
    for (const std::uint32_t value : old) {
        if (value != 0) {
            place(value, keyAt(value));
        }
    }
}

} // namespace kanatsumugi
