#include "stock/NameStock.h"

namespace kanatsumugi {

bool NameStock::stockIfStockable(const QByteArray& text) {
    if (!stockable_)
        return false;
    list_.stock(text);
    stockable_ = false;
    return true;
}

} // namespace kanatsumugi
