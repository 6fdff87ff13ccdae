#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kanatsumugi {

class KanaTables;
struct KanaIndexName;

// A set of names, each packed into one 64-bit key (six bits a kana, nine kana at
// most). Open addressing keeps it at eight bytes a slot.
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

// The names of one run printed so far, for --unique. A name is a function of its clock
// reading, so each is held as the reading that made it (27 bits) and five bits of its
// hash: four bytes a slot, half of what keys take. A whole day's 56 million different
// names then peak at about 0.8 GB instead of 1.6 GB. A name is made again from its
// reading only when the five bits match, and when the table grows.
class SeenReadings {
public:
    SeenReadings(const KanaTables& tables, std::optional<std::int32_t> fixedLength);

    // True when no name equal to `name`, made at `reading`, was inserted before.
    bool insert(std::uint32_t reading, const KanaIndexName& name);
    [[nodiscard]] std::size_t size() const { return size_; }

private:
    [[nodiscard]] std::uint64_t keyAt(std::uint32_t slotValue) const;
    void place(std::uint32_t slotValue, std::uint64_t key);
    void grow();

    const KanaTables& tables_;
    std::optional<std::int32_t> fixedLength_;
    std::vector<std::uint32_t> slots_;
    std::size_t size_ = 0;
    int shift_ = 0;
};

} // namespace kanatsumugi
