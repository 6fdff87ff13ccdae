#pragma once

#include "stock/StockList.h"

#include <QByteArray>
#include <QString>

#include <utility>

namespace kanatsumugi {

// The stock button's rule: each generated name can be stocked once.
class NameStock {
public:
    explicit NameStock(QString filePath)
        : list_(std::move(filePath)) {}

    StockList& list() { return list_; }
    const StockList& list() const { return list_; }
    bool stockable() const { return stockable_; }

    // A new name was generated: it may be stocked.
    void nameGenerated() { stockable_ = true; }

    // Stocks `text` when stockable and clears the flag; returns whether it stocked.
    // On failure AppError propagates and the flag stays set.
    bool stockIfStockable(const QByteArray& text);

private:
    StockList list_;
    bool stockable_ = false;
};

} // namespace kanatsumugi
