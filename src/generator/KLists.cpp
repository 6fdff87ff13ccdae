#include "generator/KLists.h"

#include "apperror/AppError.h"

#include <string>

namespace kanatsumugi {

int TIntList::Add(std::int32_t value) {
    items_.push_back(value);
    return Count() - 1;
}

void throwListIndexError(int index) {
    throw AppError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}

} // namespace kanatsumugi
