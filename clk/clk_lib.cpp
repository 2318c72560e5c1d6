// Our stand-in for the link library: sessions, and as back end either the
// embedded simulator, which serves every destination, or a FINS/UDP bridge. Like the libraries that call it,
// it expects calls that do not overlap in time.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "clk/clk_config.h"
#include "interface/clk_errors.h"
#include "common/bytes.h"
#include "interface/clk_api.h"
#include "platform/udp_socket.h"
#include "sim/controller.h"
#include "common/fins_udp.h"

namespace clk {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int32_t strayKind = 2;

struct Message {
  ClkMessageHeader header;
  std::vector<std::uint8_t> bytes;
  Clock::time_point readyAt;
};

// A request sent over FINS/UDP whose response is still awaited.
struct Outstanding {
  std::uint8_t sid;
  Destination to;
};

struct Bridge {
  platform::UdpSocket socket;
  std::uint8_t nextSid = 0;
  std::deque<Outstanding> outstanding;
};

constexpr std::size_t maxOutstanding = 256;  // one per SID
constexpr std::size_t maxDatagram = 2048;

struct Session {
  std::int32_t lastError = error::none;
  std::deque<Message> inbox;            // embedded simulator
  std::shared_ptr<Bridge> bridge;       // FINS/UDP bridge, when configured
};

struct Link {
  ClkConfig config;
  bool configErrorReported = false;
  std::map<std::int32_t, Session> sessions;
  std::int32_t nextHandle = 1;
  std::map<Destination, sim::SimulatedController> controllers;
};

Link& link() {
  static Link instance;
  return instance;
}

Session* findSession(std::int32_t handle) {
  auto& sessions = link().sessions;
  const auto it = sessions.find(handle);
  return it == sessions.end() ? nullptr : &it->second;
}

sim::SimulatedController& controllerFor(const Destination& d) {
  auto& controllers = link().controllers;
  auto it = controllers.find(d);
  if (it == controllers.end()) {
    it = controllers.emplace(d, sim::SimulatedController{}).first;
    for (const auto& [code, size] : link().config.areaSizes) it->second.setAreaSize(code, size);
  }
  return it->second;
}

const Faults* faultsFor(const Destination& d) {
  const auto& faults = link().config.faults;
  const auto it = faults.find(d);
  return it == faults.end() ? nullptr : &it->second;
}

const UdpEndpoint* endpointFor(const Destination& d) {
  const auto& config = link().config;
  const auto it = config.nodes.find({d.network, d.node});
  if (it != config.nodes.end()) return &it->second;
  return config.gateway ? &*config.gateway : nullptr;
}

std::int32_t bridgeSend(Session& session, const Destination& to, const std::uint8_t* body, std::int32_t length) {
  const UdpEndpoint* endpoint = endpointFor(to);
  platform::UdpPeer peer;
  if (endpoint == nullptr || !platform::resolveIpv4(endpoint->host, peer.address)) {
    session.lastError = error::noRoute;
    return -1;
  }
  peer.port = endpoint->port;
  Bridge& bridge = *session.bridge;
  fins::FinsUdpHeader header;
  header.dna = to.network;
  header.da1 = to.node;
  header.da2 = to.unit;
  header.sna = link().config.localNetwork;
  header.sa1 = link().config.localNode;
  header.sa2 = 0;
  header.sid = bridge.nextSid++;
  const auto datagram = fins::encodeFinsUdp(header, std::span<const std::uint8_t>(body, static_cast<std::size_t>(length)));
  if (!bridge.socket.sendTo(peer, datagram.data(), datagram.size())) {
    session.lastError = error::sendFailed;
    return -1;
  }
  if (bridge.outstanding.size() >= maxOutstanding) bridge.outstanding.pop_front();
  bridge.outstanding.push_back(Outstanding{header.sid, to});
  return 0;
}

// Takes the first response that answers an outstanding request; strays and
// late duplicates are dropped.
std::int32_t bridgeReceive(Session& session, ClkMessageHeader* header, void* buffer, std::int32_t length,
                           Clock::time_point deadline) {
  Bridge& bridge = *session.bridge;
  std::uint8_t datagram[maxDatagram];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left < 0) break;
    platform::UdpPeer from;
    const long got = bridge.socket.receiveFrom(datagram, sizeof datagram, static_cast<int>(left), from);
    if (got == -1) break;
    if (got < 0 || static_cast<std::size_t>(got) > sizeof datagram) continue;
    std::span<const std::uint8_t> text;
    const auto h = fins::decodeFinsUdp(std::span<const std::uint8_t>(datagram, static_cast<std::size_t>(got)), text);
    if (!h || (h->icf & fins::icfResponseBit) == 0) continue;
    const Destination source{h->sna, h->sa1, h->sa2};
    const auto match = std::find_if(bridge.outstanding.begin(), bridge.outstanding.end(),
                                    [&](const Outstanding& o) { return o.sid == h->sid && o.to == source; });
    if (match == bridge.outstanding.end()) continue;
    bridge.outstanding.erase(match);
    *header = ClkMessageHeader{0, source.network, source.node, source.unit, clkKindFins};
    const auto size = static_cast<std::int32_t>(text.size());
    if (size > length) session.lastError = error::bufferTooSmall;
    if (size > 0) std::memcpy(buffer, text.data(), static_cast<std::size_t>(std::min(size, length)));
    return size;
  }
  session.lastError = error::timeout;
  return -1;
}

}  // namespace
}  // namespace clk

using namespace clk;

std::int32_t CLK_CALL ClkOpen(std::uint8_t, std::int32_t* errorCode) {
  try {
    ConfigResult loaded = loadClkConfig();
    if (!loaded.ok) {
      if (!link().configErrorReported) {
        std::fprintf(stderr, "clk_lib: %s\n", loaded.error.c_str());
        link().configErrorReported = true;
      }
      if (errorCode != nullptr) *errorCode = error::badConfiguration;
      return CLK_ERROR;
    }
    link().config = std::move(loaded.config);
    if (link().config.openFailCode) {
      if (errorCode != nullptr) *errorCode = *link().config.openFailCode;
      return CLK_ERROR;
    }
    Session session;
    if (link().config.backend == Backend::bridge) {
      session.bridge = std::make_shared<Bridge>();
      std::string why;
      if (!session.bridge->socket.bind("0.0.0.0", 0, why)) {
        if (errorCode != nullptr) *errorCode = error::boardMissing;
        return CLK_ERROR;
      }
    }
    const std::int32_t handle = link().nextHandle++;
    link().sessions[handle] = std::move(session);
    return handle;
  } catch (...) {
    if (errorCode != nullptr) *errorCode = error::boardMissing;
    return CLK_ERROR;
  }
}

std::int32_t CLK_CALL ClkClose(std::int32_t handle) {
  return link().sessions.erase(handle) == 1 ? 0 : -1;
}

std::int32_t CLK_CALL ClkSendMessage(std::int32_t handle, const ClkMessageHeader* header, const void* data,
                                     std::int32_t length) {
  Session* session = findSession(handle);
  if (session == nullptr) return -1;
  if (header == nullptr || length < 0 || (length > 0 && data == nullptr)) {
    session->lastError = error::sendFailed;
    return -1;
  }
  try {
    const Destination to{header->network, header->node, header->unit};
    const Faults* faults = faultsFor(to);
    if (faults != nullptr && faults->sendResult) return *faults->sendResult;
    if (faults != nullptr && faults->sendFailCode) {
      session->lastError = *faults->sendFailCode;
      return -1;
    }
    const auto* body = static_cast<const std::uint8_t*>(data);
    if (session->bridge) return bridgeSend(*session, to, body, length);
    std::vector<std::uint8_t> reply = controllerFor(to).handle(std::span<const std::uint8_t>(body, static_cast<std::size_t>(length)));
    const ClkMessageHeader from{0, to.network, to.node, to.unit, clkKindFins};
    const auto now = Clock::now();
    if (faults != nullptr) {
      if (faults->drop) return 0;
      if (faults->endCode) {
        reply.resize(4);
        wire::storeBE16(&reply[2], *faults->endCode);
      }
      if (faults->stray) {
        ClkMessageHeader other = from;
        other.kind = strayKind;
        session->inbox.push_back(Message{other, reply, now});
      }
      if (faults->cutTo && static_cast<std::size_t>(*faults->cutTo) < reply.size()) {
        reply.resize(static_cast<std::size_t>(*faults->cutTo));
      }
    }
    const auto delay = std::chrono::milliseconds(faults != nullptr ? faults->delayMs : 0);
    session->inbox.push_back(Message{from, std::move(reply), now + delay});
    return 0;
  } catch (...) {
    session->lastError = error::sendFailed;
    return -1;
  }
}

std::int32_t CLK_CALL ClkReceiveMessage(std::int32_t handle, ClkMessageHeader* header, void* buffer,
                                        std::int32_t length, std::int32_t timeout) {
  Session* session = findSession(handle);
  if (session == nullptr) return -1;
  if (header == nullptr || buffer == nullptr || length < 0) {
    session->lastError = error::bufferTooSmall;
    return -1;
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max<std::int32_t>(timeout, 0));
  if (session->bridge) return bridgeReceive(*session, header, buffer, length, deadline);
  for (;;) {
    const auto now = Clock::now();
    if (!session->inbox.empty() && session->inbox.front().readyAt <= now) {
      Message message = std::move(session->inbox.front());
      session->inbox.pop_front();
      *header = message.header;
      const auto size = static_cast<std::int32_t>(message.bytes.size());
      // Never more than the caller's buffer; the real length tells it what it missed.
      if (size > length) session->lastError = error::bufferTooSmall;
      if (size > 0) std::memcpy(buffer, message.bytes.data(), static_cast<std::size_t>(std::min(size, length)));
      return size;
    }
    if (now >= deadline) {
      session->lastError = error::timeout;
      return -1;
    }
    auto wakeAt = deadline;
    if (!session->inbox.empty()) wakeAt = std::min(wakeAt, session->inbox.front().readyAt);
    std::this_thread::sleep_until(wakeAt);
  }
}

std::int32_t CLK_CALL ClkLastError(std::int32_t handle) {
  const Session* session = findSession(handle);
  return session == nullptr ? error::badHandle : session->lastError;
}
