#include "cli/UniqueNames.h"

#include "cli/NameBatch.h"

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

} // namespace kanatsumugi
