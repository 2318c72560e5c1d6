#include "host/block_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

std::uint16_t offsetOf(const ItemAddress& ia) { return static_cast<std::uint16_t>(ia.c[2] | (ia.c[3] << 8)); }

// The driver's two rules: only offsets and the count decide.
host::JoinQuery driverRule(bool firstPass) {
  return [firstPass](const ItemAddress& a, const ItemAddress& b, std::uint32_t count) {
    const std::uint32_t c = firstPass ? count + 1u : count;
    return c < 128u && std::uint32_t{offsetOf(a)} + c == offsetOf(b);
  };
}

TEST(BlockPlan, AnyListGivesContiguousBlocksCoveringEveryReadTagOnce) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 200; ++round) {
    std::vector<host::Tag> tags;
    const int count = 1 + static_cast<int>(random() % 300);
    for (int k = 0; k < count; ++k) {
      host::Tag t;
      t.name = "t" + std::to_string(k);
      t.unitId = static_cast<std::uint8_t>(random() % 3);
      t.areaIndex = static_cast<std::uint8_t>(random() % 4);
      t.offset = static_cast<std::uint16_t>(random() % 200 + (random() % 2 ? 65400 : 0));
      if (random() % 10 == 0) t.writeValue = 1;
      tags.push_back(t);
    }
    const bool firstPass = round % 2 == 0;
    const auto maxValues = static_cast<std::uint32_t>(round % 3 == 0 ? 128 : 1 + random() % 20);
    const auto blocks = host::planReadBlocks(tags, driverRule(firstPass), firstPass, maxValues);

    std::map<std::size_t, int> seen;
    for (const auto& block : blocks) {
      ASSERT_FALSE(block.tags.empty());
      ASSERT_LE(block.tags.size(), maxValues);
      const host::Tag& first = tags[block.tags.front()];
      for (std::size_t i = 0; i < block.tags.size(); ++i) {
        const host::Tag& t = tags[block.tags[i]];
        ++seen[block.tags[i]];
        EXPECT_FALSE(t.writeValue);
        EXPECT_EQ(t.unitId, first.unitId);
        EXPECT_EQ(t.areaIndex, first.areaIndex);
        EXPECT_EQ(std::uint32_t{t.offset}, std::uint32_t{first.offset} + i) << "round " << round;
      }
    }
    for (std::size_t k = 0; k < tags.size(); ++k) {
      EXPECT_EQ(seen[k], tags[k].writeValue ? 0 : 1) << "tag " << k << " round " << round;
    }
  }
}

TEST(BlockPlan, NeighboursOfOneAreaShareABlockUpToTheLimit) {
  std::vector<host::Tag> tags;
  for (std::uint16_t k = 0; k < 300; ++k) tags.push_back(host::Tag{"t" + std::to_string(k), 1, 10, k, {}});
  for (bool firstPass : {true, false}) {
    const auto blocks = host::planReadBlocks(tags, driverRule(firstPass), firstPass, 128);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].tags.size(), 128u);
    EXPECT_EQ(blocks[2].tags.size(), 44u);
  }
}

}  // namespace
