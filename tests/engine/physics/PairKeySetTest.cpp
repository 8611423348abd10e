// The collision pass's flat pair set: each key is new exactly once per filling, through growth of
// the table, and clearing makes every key new again.
#include "physics/CPairKeySet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <unordered_set>

TEST(PairKeySetTest, EachKeyIsNewOncePerFillingThroughGrowthAndClear)
{
    Vesk::CPairKeySet set;
    // Keys that collide in the low bits, in the high bits, and the extremes that can be stored.
    std::unordered_set<uint32_t> reference;
    for (int round = 0; round < 2; ++round) {
        for (uint32_t i = 0; i < 5000; ++i) {
            for (const uint32_t key : {i << 16, i, (i * 7919u) | 0xFFFF0000u, 0xFFFFFFFEu}) {
                if (key == Vesk::CPairKeySet::kEmpty)
                    continue;
                EXPECT_EQ(reference.insert(key).second, set.Insert(key)) << key;
            }
        }
        EXPECT_EQ(reference.size(), set.Size());
        set.Clear();
        reference.clear();
        EXPECT_EQ(0u, set.Size());
    }
    // The marker of an empty slot is never taken for a key.
    EXPECT_FALSE(set.Insert(Vesk::CPairKeySet::kEmpty));
    EXPECT_EQ(0u, set.Size());
}
