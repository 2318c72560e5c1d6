#include "platform/platform.h"

namespace platform {
namespace {

constexpr char foldCase(char c) noexcept {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool matchesMask(std::string_view name, std::string_view mask) noexcept {
  // Iterative glob with one backtrack point for the last "*".
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || foldCase(mask[m]) == foldCase(name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::string directoryPart(const std::string& path) {
  const auto cut = path.find_last_of(directorySeparator);
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace platform
