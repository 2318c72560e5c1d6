#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/udp_socket.h"
#include "platform/ipv4_address.inc"

namespace platform {

bool resolveIpv4(const std::string& host, std::uint32_t& address) {
  return detail::lookupIpv4(host, address);
}

UdpSocket::~UdpSocket() { close(); }

bool UdpSocket::bind(const std::string& host, std::uint16_t port, std::string& error) {
  close();
  UdpPeer local{0, port};
  if (!host.empty() && !resolveIpv4(host, local.address)) {
    error = "cannot resolve " + host;
    return false;
  }
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  const sockaddr_in a = detail::toSockaddr(local);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
    error = std::strerror(errno);
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

std::uint16_t UdpSocket::localPort() const {
  sockaddr_in a{};
  socklen_t size = sizeof a;
  if (handle_ < 0 || ::getsockname(static_cast<int>(handle_), reinterpret_cast<sockaddr*>(&a), &size) != 0) return 0;
  return ntohs(a.sin_port);
}

bool UdpSocket::sendTo(const UdpPeer& to, const std::uint8_t* data, std::size_t size) {
  if (handle_ < 0) return false;
  const sockaddr_in a = detail::toSockaddr(to);
  return ::sendto(static_cast<int>(handle_), data, size, 0, reinterpret_cast<const sockaddr*>(&a), sizeof a) ==
         static_cast<ssize_t>(size);
}

long UdpSocket::receiveFrom(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, UdpPeer& from) {
  if (handle_ < 0) return -2;
  pollfd p{static_cast<int>(handle_), POLLIN, 0};
  const int ready = ::poll(&p, 1, timeoutMs < 0 ? 0 : timeoutMs);
  if (ready == 0 || (ready < 0 && errno == EINTR)) return -1;
  if (ready < 0) return -2;
  sockaddr_in a{};
  socklen_t size = sizeof a;
  // MSG_TRUNC: the datagram's real size, even when the buffer is smaller.
  const ssize_t got = ::recvfrom(static_cast<int>(handle_), buffer, capacity, MSG_TRUNC,
                                 reinterpret_cast<sockaddr*>(&a), &size);
  if (got < 0) return errno == EINTR ? -1 : -2;
  from = UdpPeer{ntohl(a.sin_addr.s_addr), ntohs(a.sin_port)};
  return static_cast<long>(got);
}

void UdpSocket::close() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
}

}  // namespace platform
