#include "driver/media_discovery.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

namespace tarvik {
namespace {

constexpr std::size_t chunkSize = 64 * 1024;

constexpr std::array<std::uint8_t, 256> makeKeepTable() {
  std::array<std::uint8_t, 256> keep{};
  for (std::size_t c = 0; c < keep.size(); ++c) {
    keep[c] = (c == 0x20 || (c >= 0x09 && c <= 0x0D)) ? 0 : 1;
  }
  return keep;
}
constexpr std::array<std::uint8_t, 256> keepTable = makeKeepTable();

}  // namespace

namespace {
const std::uint8_t* bytesOf(std::string_view text) { return reinterpret_cast<const std::uint8_t*>(text.data()); }
}  // namespace

IdentifierScanner::IdentifierScanner(std::string_view needle, std::uint64_t limit)
    : needle_(needle), searcher_(bytesOf(needle), bytesOf(needle) + needle.size()), remaining_(limit) {
  if (needle_.empty()) found_ = true;  // the empty text stands everywhere
  window_.resize(needle_.size() + chunkSize);
}

bool IdentifierScanner::feed(const std::uint8_t* data, std::size_t size) {
  while (!found_ && remaining_ > 0 && size > 0) {
    const std::size_t take = std::min(size, chunkSize);
    // Branch-free compaction: every byte is stored, only kept ones advance.
    std::uint8_t* out = window_.data() + tail_;
    std::size_t kept = 0;
    for (std::size_t k = 0; k < take; ++k) {
      const std::uint8_t c = data[k];
      out[kept] = c;
      kept += keepTable[c];
    }
    if (kept > remaining_) kept = static_cast<std::size_t>(remaining_);
    remaining_ -= kept;
    data += take;
    size -= take;

    const std::size_t filled = tail_ + kept;
    const auto* begin = window_.data();
    const auto* end = begin + filled;
    if (std::search(begin, end, searcher_) != end) {
      found_ = true;
      break;
    }
    // Keep the last needle-length-minus-one bytes: a match may straddle the border.
    const std::size_t keepTail = std::min(filled, needle_.size() - 1);
    std::memmove(window_.data(), end - keepTail, keepTail);
    tail_ = keepTail;
  }
  return !found_ && remaining_ > 0;
}

bool fileContainsIdentifier(std::FILE* file, std::uint64_t listedSize, std::string_view needle) {
  IdentifierScanner scanner(needle, listedSize);
  std::vector<std::uint8_t> chunk(chunkSize);
  for (;;) {
    const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
    if (got == 0) break;  // end of file or a read error
    if (!scanner.feed(chunk.data(), got)) break;
  }
  return scanner.found();
}

}  // namespace tarvik
