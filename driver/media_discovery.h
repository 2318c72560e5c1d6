#pragma once
// Finding the media library: which "media?.dll" beside the host's executable
// carries the media identifier. The file is streamed in fixed chunks with white
// space dropped, so memory stays constant whatever the file's size.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

namespace tarvik {

inline constexpr std::string_view mediaIdentifierText = "16428EE8_9A10_4363_82D5_153286869221";

// Looks for needle among the first `limit` non-white-space bytes fed to it,
// across chunk borders. White space: 0x09 to 0x0D and 0x20.
class IdentifierScanner {
 public:
  IdentifierScanner(std::string_view needle, std::uint64_t limit);

  // Feeds the next raw bytes of the file. Returns true while more input may
  // change the outcome (not found yet and the limit not reached).
  bool feed(const std::uint8_t* data, std::size_t size);
  bool found() const noexcept { return found_; }

 private:
  std::string_view needle_;
  std::boyer_moore_horspool_searcher<const std::uint8_t*> searcher_;
  std::uint64_t remaining_;   // non-white-space bytes still to be stored
  std::vector<std::uint8_t> window_;  // tail of the previous chunk, then this chunk's kept bytes
  std::size_t tail_ = 0;
  bool found_ = false;
};

// Streams file through an IdentifierScanner with the listed size as limit.
bool fileContainsIdentifier(std::FILE* file, std::uint64_t listedSize, std::string_view needle = mediaIdentifierText);

}  // namespace tarvik
