#pragma once
// FINS memory area read/write requests as the driver writes them, replies as
// it reads them, and the host record fields they come from and go to. All
// byte access goes through common/bytes.h; nothing here logs.

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/bytes.h"
#include "interface/host_records.h"

namespace tarvik::frame {

inline constexpr std::uint8_t finsMainCode = 0x01;
inline constexpr std::uint8_t areaReadCode = 0x01;
inline constexpr std::uint8_t areaWriteCode = 0x02;

// UnitID, command code (2), area code, word address (2), bit, item count (2).
inline constexpr std::int32_t requestHeadLength = 9;
// The host's request buffer holds at least this: the head and one 2-byte value.
inline constexpr std::size_t requestCapacity = 11;
// Command code and end code; a write reply is exactly this.
inline constexpr std::int32_t replyHeaderLength = 4;

// The six bytes of the host's ItemAddress that the driver reads.
struct Item {
  std::uint8_t unitId;
  std::uint8_t areaIndex;
  std::uint16_t offset;  // i[1], little-endian in the record
  std::uint8_t debug;
  std::uint8_t countByte;  // number of values minus one
};
Item readItem(const ItemAddress& ia) noexcept;

// Frame bytes 0 to 8: UnitID, 01, subCode, area code, word address, bit 0, item count.
struct RequestHead {
  std::uint8_t unitId;
  std::uint8_t subCode;
  std::uint8_t areaCode;
  std::uint16_t wordAddress;
  std::uint8_t itemCount;
};
bool putRequestHead(wire::ByteWriter& out, const RequestHead& head) noexcept;

// The write data of one value: V holds it as a little-endian integer; the
// frame carries its low 2 bytes high first, or its low byte alone.
bool putWriteValue(wire::ByteWriter& out, std::uint8_t bytesPerValue, const ItemValue& value) noexcept;

// The reply's command code and end code (bytes 0 to 3).
bool getReplyHeader(wire::ByteReader& in, std::span<const std::uint8_t>& header) noexcept;
// 01 subCode 00 00: the controller did what was asked.
bool isGoodReply(std::span<const std::uint8_t> header, std::uint8_t subCode) noexcept;

// Value i of a reply's data of values of bytesPerValue (1 or 2) bytes, high byte
// first; data must hold (i + 1) * bytesPerValue bytes.
std::uint16_t valueAt(std::span<const std::uint8_t> data, std::uint8_t bytesPerValue, std::size_t i) noexcept;

// Stores a received value into V as an IEEE 754 single, little-endian bytes.
void storeReadValue(ItemValue& record, std::uint16_t value) noexcept;

// Bytes of a reply that may be read: a negative count means none arrived.
constexpr std::size_t receivedLength(std::int32_t countRec) noexcept {
  return countRec > 0 ? static_cast<std::size_t>(countRec) : 0;
}

}  // namespace tarvik::frame
