#include "sim/controller.h"

#include "common/bytes.h"
#include "common/fins_end_codes.h"

namespace sim {
namespace {

constexpr std::uint8_t memoryAreaMain = 0x01;
constexpr std::uint8_t memoryAreaRead = 0x01;
constexpr std::uint8_t memoryAreaWrite = 0x02;
// Area codes the driver uses: word areas carry 2 bytes per value, bit-status
// areas 1 byte.
constexpr std::uint8_t wordAreas[] = {0x80, 0x81, 0x82, 0x85, 0x9C, 0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98};
constexpr std::uint8_t byteAreas[] = {0x01, 0x03, 0x04, 0x1B};

}  // namespace

SimulatedController::SimulatedController() {
  for (std::uint8_t code : wordAreas) areas_[code] = Area{2, fullAreaSize, {}};
  for (std::uint8_t code : byteAreas) areas_[code] = Area{1, fullAreaSize, {}};
}

void SimulatedController::setAreaSize(std::uint8_t areaCode, std::uint32_t size) {
  if (Area* area = findArea(areaCode)) {
    area->size = size < fullAreaSize ? size : fullAreaSize;
    if (!area->values.empty()) area->values.resize(area->size);
  }
}

SimulatedController::Area* SimulatedController::findArea(std::uint8_t code) {
  const auto it = areas_.find(code);
  return it == areas_.end() ? nullptr : &it->second;
}
const SimulatedController::Area* SimulatedController::findArea(std::uint8_t code) const {
  const auto it = areas_.find(code);
  return it == areas_.end() ? nullptr : &it->second;
}

std::vector<std::uint8_t> SimulatedController::handle(std::span<const std::uint8_t> command) {
  // The data are appended behind the four header bytes in place.
  std::vector<std::uint8_t> response(4);
  response[0] = command.size() > 0 ? command[0] : 0;
  response[1] = command.size() > 1 ? command[1] : 0;
  const std::uint16_t endCode = respond(command, response);
  if (endCode != fins::endcode::normal) response.resize(4);
  wire::storeBE16(&response[2], endCode);
  return response;
}

std::uint16_t SimulatedController::respond(std::span<const std::uint8_t> command, std::vector<std::uint8_t>& data) {
  wire::ByteReader in(command);
  std::uint8_t mrc = 0, src = 0;
  if (!in.getU8(mrc) || !in.getU8(src)) return fins::endcode::commandTooShort;
  if (mrc != memoryAreaMain || (src != memoryAreaRead && src != memoryAreaWrite)) return fins::endcode::unsupportedCommand;
  std::uint8_t areaCode = 0, bit = 0;
  std::uint16_t begin = 0, count = 0;
  if (!in.getU8(areaCode) || !in.getBE16(begin) || !in.getU8(bit) || !in.getBE16(count)) {
    return fins::endcode::commandTooShort;
  }
  Area* area = findArea(areaCode);
  if (area == nullptr) return fins::endcode::areaMissing;
  if (bit != 0 || begin >= area->size) return fins::endcode::addressOutOfRange;
  if (std::uint32_t{begin} + count > area->size) return fins::endcode::addressRangeExceeded;
  const std::size_t dataLength = std::size_t{count} * area->bytesPerValue;

  if (src == memoryAreaRead) {
    if (!in.atEnd()) return fins::endcode::commandTooLong;
    data.reserve(data.size() + dataLength);
    for (std::uint32_t k = 0; k < count; ++k) {
      const std::uint16_t v = area->values.empty() ? 0 : area->values[begin + k];
      if (area->bytesPerValue == 2) data.push_back(static_cast<std::uint8_t>(v >> 8));
      data.push_back(static_cast<std::uint8_t>(v));
    }
    return fins::endcode::normal;
  }
  if (in.remaining() != dataLength) return fins::endcode::dataCountMismatch;
  if (area->values.empty()) area->values.assign(area->size, 0);
  for (std::uint32_t k = 0; k < count; ++k) {
    std::uint16_t v = 0;
    std::uint8_t b = 0;
    if (area->bytesPerValue == 2) in.getBE16(v);
    else if (in.getU8(b)) v = b;
    area->values[begin + k] = v;
  }
  return fins::endcode::normal;
}

bool SimulatedController::peek(std::uint8_t areaCode, std::uint32_t address, std::uint16_t& value) const {
  const Area* area = findArea(areaCode);
  if (area == nullptr || address >= area->size) return false;
  value = area->values.empty() ? 0 : area->values[address];
  return true;
}

bool SimulatedController::poke(std::uint8_t areaCode, std::uint32_t address, std::uint16_t value) {
  Area* area = findArea(areaCode);
  if (area == nullptr || address >= area->size) return false;
  if (area->values.empty()) area->values.assign(area->size, 0);
  area->values[address] = area->bytesPerValue == 1 ? static_cast<std::uint16_t>(value & 0xFF) : value;
  return true;
}

}  // namespace sim
