#pragma once
// Byte-order helpers for everything that crosses a wire or a host record.
// All access goes through shifts on unsigned bytes, never through casts of
// the caller's memory, so the result is the same on any host byte order.

#include <cstddef>
#include <cstdint>
#include <span>

namespace wire {

constexpr std::uint16_t loadBE16(const std::uint8_t* p) noexcept {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
constexpr void storeBE16(std::uint8_t* p, std::uint16_t v) noexcept {
  p[0] = static_cast<std::uint8_t>(v >> 8);
  p[1] = static_cast<std::uint8_t>(v);
}
constexpr std::uint16_t loadLE16(const std::uint8_t* p) noexcept {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
constexpr void storeLE16(std::uint8_t* p, std::uint16_t v) noexcept {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
constexpr std::uint32_t loadLE32(const std::uint8_t* p) noexcept {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
constexpr void storeLE32(std::uint8_t* p, std::uint32_t v) noexcept {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

// A reader over received bytes that refuses to run past the end. Every get
// reports failure instead of yielding a silent zero.
class ByteReader {
 public:
  constexpr ByteReader(const std::uint8_t* data, std::size_t size) noexcept
      : pos_(data), end_(data + size) {}
  explicit constexpr ByteReader(std::span<const std::uint8_t> bytes) noexcept
      : ByteReader(bytes.data(), bytes.size()) {}

  constexpr std::size_t remaining() const noexcept { return static_cast<std::size_t>(end_ - pos_); }
  constexpr bool atEnd() const noexcept { return pos_ == end_; }

  constexpr bool getU8(std::uint8_t& out) noexcept {
    if (remaining() < 1) return false;
    out = *pos_++;
    return true;
  }
  constexpr bool getBE16(std::uint16_t& out) noexcept {
    if (remaining() < 2) return false;
    out = loadBE16(pos_);
    pos_ += 2;
    return true;
  }
  // Hands out a view of the next n bytes and moves past them.
  constexpr bool getBytes(std::size_t n, std::span<const std::uint8_t>& out) noexcept {
    if (remaining() < n) return false;
    out = std::span<const std::uint8_t>(pos_, n);
    pos_ += n;
    return true;
  }
  constexpr std::span<const std::uint8_t> rest() const noexcept {
    return std::span<const std::uint8_t>(pos_, remaining());
  }

 private:
  const std::uint8_t* pos_;
  const std::uint8_t* end_;
};

// A writer into a caller's buffer of known capacity; a put past the end fails
// and leaves the buffer as it was.
class ByteWriter {
 public:
  constexpr ByteWriter(std::uint8_t* data, std::size_t capacity) noexcept
      : begin_(data), pos_(data), end_(data + capacity) {}

  constexpr std::size_t size() const noexcept { return static_cast<std::size_t>(pos_ - begin_); }
  constexpr std::size_t remaining() const noexcept { return static_cast<std::size_t>(end_ - pos_); }

  constexpr bool putU8(std::uint8_t v) noexcept {
    if (remaining() < 1) return false;
    *pos_++ = v;
    return true;
  }
  constexpr bool putBE16(std::uint16_t v) noexcept {
    if (remaining() < 2) return false;
    storeBE16(pos_, v);
    pos_ += 2;
    return true;
  }
  constexpr bool putBytes(std::span<const std::uint8_t> bytes) noexcept {
    if (remaining() < bytes.size()) return false;
    for (std::uint8_t b : bytes) *pos_++ = b;
    return true;
  }

 private:
  std::uint8_t* begin_;
  std::uint8_t* pos_;
  std::uint8_t* end_;
};

}  // namespace wire
