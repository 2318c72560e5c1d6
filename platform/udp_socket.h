#pragma once
// A UDP socket over IPv4 for the FINS/UDP bridge and the finsim server.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

struct UdpPeer {
  std::uint32_t address = 0;  // IPv4, host byte order
  std::uint16_t port = 0;
  friend bool operator==(const UdpPeer&, const UdpPeer&) = default;
};

// Resolves "host" (a dotted address or a name) to an IPv4 address.
bool resolveIpv4(const std::string& host, std::uint32_t& address);

class UdpSocket {
 public:
  UdpSocket() = default;
  ~UdpSocket();
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // Binds to host:port (port 0: any free port); false with error set.
  bool bind(const std::string& host, std::uint16_t port, std::string& error);
  std::uint16_t localPort() const;
  bool sendTo(const UdpPeer& to, const std::uint8_t* data, std::size_t size);
  // Waits at most timeoutMs for one datagram: its size (at most capacity
  // bytes are stored, the rest is dropped), -1 when nothing came, -2 on error.
  long receiveFrom(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, UdpPeer& from);
  void close();

 private:
  std::intptr_t handle_ = -1;
};

}  // namespace platform
