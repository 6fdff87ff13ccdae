#include "KLists.h"

#include "AppError.h"

#include <string>

namespace kanatsumugi {

int TIntList::Add(std::int32_t value)
{
    items_.push_back(value);
    return Count() - 1;
}

std::int32_t TIntList::Items(int index) const
{
    if (index < 0 || index >= Count()) [[unlikely]] {
        throw AppError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
    }
    return items_[static_cast<std::size_t>(index)];
}

} // namespace kanatsumugi
