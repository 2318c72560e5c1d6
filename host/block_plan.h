#pragma once
// Gathering the tags to read into blocks, one request each. The driver says
// whether an item may join (zCompare_yyy); keeping a block within one UnitID and
// one area, and within q_data values, is the host's part.

#include <cstdint>
#include <functional>
#include <vector>

#include "host/items_file.h"
#include "interface/host_records.h"

namespace host {

struct Block {
  std::vector<std::size_t> tags;  // indexes into the tag list, ascending offset
};

// Asks the driver: may ia1 join the block that begins with ia0, given count?
using JoinQuery = std::function<bool(const ItemAddress& ia0, const ItemAddress& ia1, std::uint32_t count)>;

// ItemAddress of a tag as the driver reads it; count is the number of values minus one.
ItemAddress itemAddressOf(const Tag& tag, std::uint8_t countByte = 0);

// Blocks of the read tags (those without a write value), sorted by UnitID,
// area and offset. firstPass tells which rule the driver applies now: the count
// passed is the number of items gathered behind the first one in the first
// pass and the number gathered in the second, so that either rule asks for the
// next offset.
std::vector<Block> planReadBlocks(const std::vector<Tag>& tags, const JoinQuery& mayJoin, bool firstPass,
                                  std::uint32_t maxValues);

}  // namespace host
