#pragma once
// The 10-byte FINS header that precedes every FINS/UDP datagram.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fins {

struct FinsUdpHeader {
  std::uint8_t icf = 0x80;  // bit 7: gateway used; bit 6: response
  std::uint8_t rsv = 0;
  std::uint8_t gct = 2;     // gateways the message may still pass
  std::uint8_t dna = 0, da1 = 0, da2 = 0;  // destination network, node, unit
  std::uint8_t sna = 0, sa1 = 0, sa2 = 0;  // source network, node, unit
  std::uint8_t sid = 0;     // service id: pairs a response with its request
  friend bool operator==(const FinsUdpHeader&, const FinsUdpHeader&) = default;
};

inline constexpr std::size_t finsUdpHeaderLength = 10;
inline constexpr std::uint8_t icfResponseBit = 0x40;

// The datagram: header, then the FINS command or response text.
std::vector<std::uint8_t> encodeFinsUdp(const FinsUdpHeader& header, std::span<const std::uint8_t> text);

// The header of a datagram, and the text behind it; nothing for a datagram
// shorter than the header.
std::optional<FinsUdpHeader> decodeFinsUdp(std::span<const std::uint8_t> datagram, std::span<const std::uint8_t>& text);

// The header of the response to a request: addresses swapped, same SID.
FinsUdpHeader responseHeaderFor(const FinsUdpHeader& request);

}  // namespace fins
