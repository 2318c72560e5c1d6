#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

#include "platform/udp_socket.h"
#include "platform/ipv4_address.inc"

namespace platform {
namespace {

// Winsock must be started once per process before the first socket.
bool startWinsock() {
  static const bool started = [] {
    WSADATA data{};
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

}  // namespace

bool resolveIpv4(const std::string& host, std::uint32_t& address) {
  if (!startWinsock()) return false;
  return detail::lookupIpv4(host, address);
}

UdpSocket::~UdpSocket() { close(); }

bool UdpSocket::bind(const std::string& host, std::uint16_t port, std::string& error) {
  close();
  if (!startWinsock()) {
    error = "Winsock did not start";
    return false;
  }
  UdpPeer local{0, port};
  if (!host.empty() && !resolveIpv4(host, local.address)) {
    error = "cannot resolve " + host;
    return false;
  }
  const SOCKET s = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (s == INVALID_SOCKET) {
    error = "socket failed with error " + std::to_string(::WSAGetLastError());
    return false;
  }
  const sockaddr_in a = detail::toSockaddr(local);
  if (::bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
    error = "bind failed with error " + std::to_string(::WSAGetLastError());
    ::closesocket(s);
    return false;
  }
  handle_ = static_cast<std::intptr_t>(s);
  return true;
}

std::uint16_t UdpSocket::localPort() const {
  sockaddr_in a{};
  int size = sizeof a;
  if (handle_ < 0 || ::getsockname(static_cast<SOCKET>(handle_), reinterpret_cast<sockaddr*>(&a), &size) != 0) return 0;
  return ntohs(a.sin_port);
}

bool UdpSocket::sendTo(const UdpPeer& to, const std::uint8_t* data, std::size_t size) {
  if (handle_ < 0) return false;
  const sockaddr_in a = detail::toSockaddr(to);
  return ::sendto(static_cast<SOCKET>(handle_), reinterpret_cast<const char*>(data), static_cast<int>(size), 0,
                  reinterpret_cast<const sockaddr*>(&a), sizeof a) == static_cast<int>(size);
}

long UdpSocket::receiveFrom(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, UdpPeer& from) {
  if (handle_ < 0) return -2;
  WSAPOLLFD p{static_cast<SOCKET>(handle_), POLLRDNORM, 0};
  const int ready = ::WSAPoll(&p, 1, timeoutMs < 0 ? 0 : timeoutMs);
  if (ready == 0) return -1;
  if (ready < 0) return -2;
  sockaddr_in a{};
  int size = sizeof a;
  const int got = ::recvfrom(static_cast<SOCKET>(handle_), reinterpret_cast<char*>(buffer), static_cast<int>(capacity),
                             0, reinterpret_cast<sockaddr*>(&a), &size);
  // A datagram longer than the buffer: Windows stores what fits and reports WSAEMSGSIZE.
  if (got < 0 && ::WSAGetLastError() != WSAEMSGSIZE) return -2;
  from = UdpPeer{ntohl(a.sin_addr.s_addr), ntohs(a.sin_port)};
  return got < 0 ? static_cast<long>(capacity) + 1 : got;
}

void UdpSocket::close() {
  if (handle_ >= 0) ::closesocket(static_cast<SOCKET>(handle_));
  handle_ = -1;
}

}  // namespace platform
