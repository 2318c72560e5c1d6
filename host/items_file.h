#pragma once
// The items file: one tag a line, "name unit area offset [value]". The area is
// an index of the driver's area table (0 to 27) or one of our area names; a
// value makes the tag one that is written. "#" starts a comment.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct Tag {
  std::string name;
  std::uint8_t unitId = 0;
  std::uint8_t areaIndex = 0;
  std::uint16_t offset = 0;
  std::optional<std::uint16_t> writeValue;
};

struct ItemsFileError {
  int line;
  std::string message;
};

struct ItemsFile {
  std::vector<Tag> tags;
  std::vector<ItemsFileError> errors;
};

ItemsFile parseItemsFile(const std::string& text);

// The area index of a well-known area name or a number 0 to 27.
std::optional<std::uint8_t> areaIndexOf(std::string_view word);
// The well-known name of an area index, or its number.
std::string areaName(std::uint8_t areaIndex);

}  // namespace host
