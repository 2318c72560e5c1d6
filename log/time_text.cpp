#include "log/time_text.h"

#include <array>
#include <cstdio>

#include "platform/platform.h"

namespace diag {
namespace {

// English names whatever locale the host has set.
constexpr std::array<const char*, 7> weekdays{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::string timeText(const std::tm& local) {
  const char* weekday = (local.tm_wday >= 0 && local.tm_wday < 7) ? weekdays[static_cast<std::size_t>(local.tm_wday)] : "???";
  const char* month = (local.tm_mon >= 0 && local.tm_mon < 12) ? months[static_cast<std::size_t>(local.tm_mon)] : "???";
  // Day, clock and year through strftime: zero-padded day, unlike asctime.
  char rest[32] = {};
  if (std::strftime(rest, sizeof rest, "%d %H:%M:%S %Y", &local) == 0) rest[0] = '\0';
  std::string text;
  text.reserve(25);
  text.append(weekday).append(" ").append(month).append(" ").append(rest).append("\n");
  return text;
}

std::string timeTextNow() { return timeText(platform::localTime(std::time(nullptr))); }

}  // namespace diag
