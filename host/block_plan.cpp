#include "host/block_plan.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace host {

ItemAddress itemAddressOf(const Tag& tag, std::uint8_t countByte) {
  ItemAddress ia{};
  ia.c[records::unitIdByte] = tag.unitId;
  ia.c[records::areaIndexByte] = tag.areaIndex;
  ia.c[records::offsetLowByte] = static_cast<std::uint8_t>(tag.offset);
  ia.c[records::offsetLowByte + 1] = static_cast<std::uint8_t>(tag.offset >> 8);
  ia.c[records::debugByte] = 0;
  ia.c[records::countByte] = countByte;
  return ia;
}

std::vector<Block> planReadBlocks(const std::vector<Tag>& tags, const JoinQuery& mayJoin, bool firstPass,
                                  std::uint32_t maxValues) {
  std::vector<std::size_t> order;
  for (std::size_t k = 0; k < tags.size(); ++k) {
    if (!tags[k].writeValue) order.push_back(k);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::tie(tags[a].unitId, tags[a].areaIndex, tags[a].offset) <
           std::tie(tags[b].unitId, tags[b].areaIndex, tags[b].offset);
  });
  std::vector<Block> blocks;
  for (std::size_t k : order) {
    if (!blocks.empty()) {
      Block& open = blocks.back();
      const Tag& first = tags[open.tags.front()];
      const Tag& next = tags[k];
      const auto gathered = static_cast<std::uint32_t>(open.tags.size());
      const bool sameTarget = first.unitId == next.unitId && first.areaIndex == next.areaIndex;
      if (sameTarget && gathered < maxValues &&
          mayJoin(itemAddressOf(first), itemAddressOf(next), firstPass ? gathered - 1 : gathered)) {
        open.tags.push_back(k);
        continue;
      }
    }
    blocks.push_back(Block{{k}});
  }
  return blocks;
}

}  // namespace host
