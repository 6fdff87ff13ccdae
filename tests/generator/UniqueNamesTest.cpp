#include "generator/UniqueNames.h"

#include "generator/NameBatch.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>

using namespace kanatsumugi;

namespace {

KanaIndexName nameOf(std::initializer_list<int> kana) {
    KanaIndexName name;
    for (const int k : kana) {
        name.kana[static_cast<std::size_t>(name.count++)] = static_cast<std::uint8_t>(k);
    }
    return name;
}

TEST(UniqueNames, KeysTellApartNamesThatShareAPrefixOfア) {
    // ア is index 0: a key built from the bare indices would merge these.
    const KanaIndexName names[] = {nameOf({0, 0}),
                                   nameOf({0, 0, 0}),
                                   nameOf({1, 0}),
                                   nameOf({0, 1}),
                                   nameOf({60, 60, 60, 60, 60, 60, 60, 60, 60}),
                                   nameOf({60, 60, 60, 60, 60, 60, 60, 60})};
    std::set<std::uint64_t> keys;
    for (const KanaIndexName& name : names) {
        const std::uint64_t key = UniqueNames::pack(name);
        EXPECT_NE(key, 0u);
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), std::size(names));
}

TEST(UniqueNames, RemembersEveryNameThroughGrowth) {
    UniqueNames seen;
    int added = 0;
    for (int a = 0; a < 51; ++a) {
        for (int b = 0; b < 61; ++b) {
            for (int c = 0; c < 61; c += 2) {
                EXPECT_TRUE(seen.insert(nameOf({a, b, c})));
                ++added;
            }
        }
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(added));
    for (int a = 0; a < 51; ++a) {
        for (int b = 0; b < 61; ++b) {
            for (int c = 0; c < 61; ++c) {
                ASSERT_EQ(seen.insert(nameOf({a, b, c})), c % 2 == 1) << a << " " << b << " " << c;
            }
        }
    }
}

} // namespace
