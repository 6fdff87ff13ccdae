#include "stock/NameStock.h"

#include "stock/ShiftJisText.h"

namespace kanatsumugi {

bool NameStock::stockIfStockable(const QString& text) {
    if (!stockable_) {
        return false;
    }
    list_.stock(toShiftJisForStock(oneLine(text)));
    stockable_ = false;
    return true;
}

} // namespace kanatsumugi
