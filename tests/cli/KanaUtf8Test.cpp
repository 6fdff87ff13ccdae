#include "cli/KanaUtf8.h"

#include "apperror/AppError.h"
#include "generator/KanaTables.h"
#include "support/Cp932.h"

#include <gtest/gtest.h>

#include <string>

using namespace kanatsumugi;

namespace {

TEST(KanaUtf8, AgreesWithTheShiftJisInventory) {
    const KanaTables tables = KanaTables::build();
    for (int i = 0; i < tables.inventoryCount(); ++i) {
        EXPECT_EQ(std::string(kanaUtf8(i)), test::cp932ToUtf8(tables.kana(i))) << "index " << i;
    }
}

TEST(KanaUtf8, OutOfRangeRaises) {
    EXPECT_THROW(kanaUtf8(-1), AppError);
    EXPECT_THROW(kanaUtf8(61), AppError);
}

} // namespace
