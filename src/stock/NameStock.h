#pragma once

#include "stock/StockList.h"

#include <QByteArray>
#include <QString>

#include <utility>

namespace kanatsumugi {

// The stock button's rule: each generated name can be stocked once.
class NameStock {
public:
    explicit NameStock(QByteArray nativePath)
        : list_(std::move(nativePath)) {}
    explicit NameStock(const QString& filePath)
        : list_(filePath) {}

    StockList& list() { return list_; }
    [[nodiscard]] const StockList& list() const { return list_; }
    [[nodiscard]] bool stockable() const { return stockable_; }

    // A new name was generated: it may be stocked.
    void nameGenerated() { stockable_ = true; }

    // When stockable, stocks the name box's `text` kept to one line and in Shift-JIS, and
    // clears the flag; returns whether it stocked. A press that cannot stock says nothing,
    // not even about a character that Shift-JIS cannot hold. On failure AppError
    // propagates and the flag stays set.
    bool stockIfStockable(const QString& text);

private:
    StockList list_;
    bool stockable_ = false;
};

} // namespace kanatsumugi
