#include "common/fins_udp.h"

#include <algorithm>
#include <iterator>

#include "common/bytes.h"

namespace fins {

std::vector<std::uint8_t> encodeFinsUdp(const FinsUdpHeader& h, std::span<const std::uint8_t> text) {
  std::vector<std::uint8_t> datagram(finsUdpHeaderLength + text.size());
  const std::uint8_t header[finsUdpHeaderLength] = {h.icf, h.rsv, h.gct, h.dna, h.da1, h.da2, h.sna, h.sa1, h.sa2, h.sid};
  std::copy(std::begin(header), std::end(header), datagram.begin());
  std::copy(text.begin(), text.end(), datagram.begin() + finsUdpHeaderLength);
  return datagram;
}

std::optional<FinsUdpHeader> decodeFinsUdp(std::span<const std::uint8_t> datagram, std::span<const std::uint8_t>& text) {
  wire::ByteReader in(datagram);
  FinsUdpHeader h;
  if (!in.getU8(h.icf) || !in.getU8(h.rsv) || !in.getU8(h.gct) || !in.getU8(h.dna) || !in.getU8(h.da1) ||
      !in.getU8(h.da2) || !in.getU8(h.sna) || !in.getU8(h.sa1) || !in.getU8(h.sa2) || !in.getU8(h.sid)) {
    return std::nullopt;
  }
  text = in.rest();
  return h;
}

FinsUdpHeader responseHeaderFor(const FinsUdpHeader& request) {
  FinsUdpHeader r;
  r.icf = static_cast<std::uint8_t>((request.icf | icfResponseBit) | 0x80);
  r.rsv = 0;
  r.gct = 2;
  r.dna = request.sna;
  r.da1 = request.sa1;
  r.da2 = request.sa2;
  r.sna = request.dna;
  r.sa1 = request.da1;
  r.sa2 = request.da2;
  r.sid = request.sid;
  return r;
}

}  // namespace fins
