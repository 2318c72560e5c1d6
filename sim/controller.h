#pragma once
// A simulated controller: the memory areas the driver addresses, answering
// FINS memory area read (01 01) and write (01 02) as a real controller does.

#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace sim {

class SimulatedController {
 public:
  static constexpr std::uint32_t fullAreaSize = 65536;

  SimulatedController();

  // Narrows an area to its first `size` values (no effect for an unknown code).
  void setAreaSize(std::uint8_t areaCode, std::uint32_t size);

  // The FINS response text (MRC, SRC, end code, data) to a FINS command text.
  std::vector<std::uint8_t> handle(std::span<const std::uint8_t> command);

  // Direct access for tests and tools; false outside the area.
  bool peek(std::uint8_t areaCode, std::uint32_t address, std::uint16_t& value) const;
  bool poke(std::uint8_t areaCode, std::uint32_t address, std::uint16_t value);

 private:
  struct Area {
    std::uint8_t bytesPerValue;
    std::uint32_t size;
    std::vector<std::uint16_t> values;  // allocated on first use
  };

  Area* findArea(std::uint8_t code);
  const Area* findArea(std::uint8_t code) const;
  // The end code; read data are appended to out.
  std::uint16_t respond(std::span<const std::uint8_t> command, std::vector<std::uint8_t>& out);

  std::map<std::uint8_t, Area> areas_;
};

}  // namespace sim
