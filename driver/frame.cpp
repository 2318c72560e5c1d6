#include "driver/frame.h"

#include <bit>

namespace tarvik::frame {

Item readItem(const ItemAddress& ia) noexcept {
  return Item{ia.c[records::unitIdByte], ia.c[records::areaIndexByte], wire::loadLE16(&ia.c[records::offsetLowByte]),
              ia.c[records::debugByte], ia.c[records::countByte]};
}

bool putRequestHead(wire::ByteWriter& out, const RequestHead& head) noexcept {
  constexpr std::uint8_t bitAddress = 0x00;
  constexpr std::uint8_t itemCountHigh = 0x00;
  return out.putU8(head.unitId) && out.putU8(finsMainCode) && out.putU8(head.subCode) && out.putU8(head.areaCode) &&
         out.putBE16(head.wordAddress) && out.putU8(bitAddress) && out.putU8(itemCountHigh) &&
         out.putU8(head.itemCount);
}

bool putWriteValue(wire::ByteWriter& out, std::uint8_t bytesPerValue, const ItemValue& value) noexcept {
  if (bytesPerValue == 2) return out.putBE16(wire::loadLE16(value.V));
  return out.putU8(value.V[0]);
}

bool getReplyHeader(wire::ByteReader& in, std::span<const std::uint8_t>& header) noexcept {
  return in.getBytes(static_cast<std::size_t>(replyHeaderLength), header);
}

bool isGoodReply(std::span<const std::uint8_t> header, std::uint8_t subCode) noexcept {
  return header.size() == static_cast<std::size_t>(replyHeaderLength) && header[0] == finsMainCode &&
         header[1] == subCode && header[2] == 0x00 && header[3] == 0x00;
}

std::uint16_t valueAt(std::span<const std::uint8_t> data, std::uint8_t bytesPerValue, std::size_t i) noexcept {
  if (bytesPerValue == 2) return wire::loadBE16(&data[2 * i]);
  return data[i];
}

void storeReadValue(ItemValue& record, std::uint16_t value) noexcept {
  wire::storeLE32(record.V, std::bit_cast<std::uint32_t>(static_cast<float>(value)));
}

}  // namespace tarvik::frame
