#pragma once

#include <string_view>

namespace kanatsumugi {

// UTF-8 bytes of inventory entry `index` (0 to 60), so names can be printed
// without a conversion library. Raises AppError outside that range.
std::string_view kanaUtf8(int index);

} // namespace kanatsumugi
