#pragma once
// What a host must know to use the driver and the media library, stated once:
// the file names, the media identifier, the buffers the host provides and the
// rule on overlapping calls. The libraries and our own host take these from here.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace contract {

// The text the driver looks for in media?.dll files; the media library carries
// it in the exported name of its marker function.
inline constexpr std::string_view mediaIdentifier = "16428EE8_9A10_4363_82D5_153286869221";
// The media id that OpenMedia writes: the identifier's first group.
inline constexpr std::int32_t mediaId = 0x16428EE8;
// Files matching this beside the host's executable are media library candidates.
inline constexpr std::string_view mediaFileMask = "media?.dll";

// Beside the host's executable.
inline constexpr std::string_view addressTableFileName = "omron_clk_addr_tab";
// In the current directory.
inline constexpr std::string_view loggerConfigFileName = "_logger";
inline constexpr std::string_view driverLogFileName = "tarvik_clk.log";
inline constexpr std::string_view mediaLogFileName = "quellon.log";

// Buffers the host provides. A request frame is at most a write of one
// 2-byte value: UnitID, 8 command bytes, 2 data bytes.
inline constexpr std::size_t requestFrameCapacity = 11;
// Values per read block that the driver supports (q_data) and the largest
// reply such a block gets: command code, end code and 2 bytes per value.
inline constexpr std::size_t maxBlockValues = 128;
inline constexpr std::size_t replyCapacity = 4 + 2 * maxBlockValues;

// Calls into one library must not overlap in time: neither library takes a
// lock. A host that polls from several threads serialises its calls per library.

}  // namespace contract
