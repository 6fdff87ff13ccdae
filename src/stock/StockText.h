#pragma once

#include "stock/CrLfScan.h"

#include <QByteArray>
#include <QList>

#include <utility>

namespace kanatsumugi {

// The kept names in the stock file's own format: every entry followed by CR LF. The list is
// held this way because all it is ever used for is to be written back whole.
class StockText {
public:
    StockText() = default;

    // Applies the reading rules: breaks are CR LF, lone CR or lone LF; a last line without
    // a break is an entry; reading stops at the first NUL; no conversion, no trimming.
    static StockText fromFileBytes(QByteArray bytes);
    // The same, for bytes that `scan` was made of.
    static StockText fromFileBytes(QByteArray bytes, const CrLfScan& scan);

    // The file's bytes: each entry followed by CR LF; no entries give no bytes.
    const QByteArray& bytes() const { return bytes_; }
    qsizetype count() const { return count_; }
    QList<QByteArray> entries() const;

    // Appends one entry, stored as the file will read it back: a NUL byte cuts it short
    // and a line break inside it splits it.
    void append(const QByteArray& entry);

    friend bool operator==(const StockText&, const StockText&) = default;

private:
    StockText(QByteArray bytes, qsizetype count)
        : bytes_(std::move(bytes))
        , count_(count) {}
    static StockText reformat(const QByteArray& bytes);

    QByteArray bytes_;
    qsizetype count_ = 0;
};

} // namespace kanatsumugi
