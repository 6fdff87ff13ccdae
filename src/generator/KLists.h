#pragma once

#include <cstdint>
#include <vector>

namespace kanatsumugi {

// Raises the program's list-index error (AppError) for `index`.
[[noreturn]] void throwListIndexError(int index);

// A growable list of 32-bit signed integers. Reading outside 0..Count()-1 raises
// AppError instead of reading past the end.
class TIntList {
public:
    // Appends `value` and returns its index.
    int Add(std::int32_t value);
    [[nodiscard]] std::int32_t Items(int index) const {
        if (static_cast<unsigned>(index) >= items_.size()) [[unlikely]] {
            throwListIndexError(index);
        }
        return items_[static_cast<std::size_t>(index)];
    }
    std::int32_t operator[](int index) const { return Items(index); }
    [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<std::int32_t> items_;
};

} // namespace kanatsumugi
