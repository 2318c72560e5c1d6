#include "host/items_file.h"

#include <array>
#include <charconv>
#include <set>
#include <sstream>

namespace host {
namespace {

constexpr std::uint8_t areaCount = 28;

struct AreaName {
  std::string_view name;
  std::uint8_t index;
};

// Our names for the rows of the driver's area table that an engineer asks for most.
constexpr std::array<AreaName, 18> areaNames{{
    {"cio", 0}, {"tim-flag", 6}, {"tim", 7}, {"cnt-flag", 8}, {"cnt", 9}, {"dm", 10},
    {"lr", 15}, {"hr", 16}, {"ar", 17}, {"em0", 18}, {"em1", 19}, {"em2", 20},
    {"em3", 21}, {"em4", 22}, {"em5", 23}, {"em6", 24}, {"em7", 25}, {"em8", 26},
}};

template <class T>
bool parseUnsigned(std::string_view word, T max, T& out) {
  unsigned long value = 0;
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  }
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  if (ec != std::errc() || end != word.data() + word.size() || word.empty() || value > max) return false;
  out = static_cast<T>(value);
  return true;
}

}  // namespace

std::optional<std::uint8_t> areaIndexOf(std::string_view word) {
  for (const auto& a : areaNames) {
    if (a.name == word) return a.index;
  }
  std::uint8_t index = 0;
  if (parseUnsigned<std::uint8_t>(word, areaCount - 1, index)) return index;
  return std::nullopt;
}

std::string areaName(std::uint8_t areaIndex) {
  for (const auto& a : areaNames) {
    if (a.index == areaIndex) return std::string(a.name);
  }
  return std::to_string(areaIndex);
}

ItemsFile parseItemsFile(const std::string& text) {
  ItemsFile file;
  std::set<std::string> names;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    auto fail = [&](const std::string& why) { file.errors.push_back({number, why}); };
    if (w.size() < 4 || w.size() > 5) {
      fail("expected: name unit area offset [value]");
      continue;
    }
    Tag tag;
    tag.name = w[0];
    const auto area = areaIndexOf(w[2]);
    std::uint16_t value = 0;
    if (!parseUnsigned<std::uint8_t>(w[1], 255, tag.unitId)) fail("unit '" + w[1] + "' is not 0 to 255");
    else if (!area) fail("area '" + w[2] + "' is neither 0 to 27 nor a known area name");
    else if (!parseUnsigned<std::uint16_t>(w[3], 65535, tag.offset)) fail("offset '" + w[3] + "' is not 0 to 65535");
    else if (w.size() == 5 && !parseUnsigned<std::uint16_t>(w[4], 65535, value)) fail("value '" + w[4] + "' is not 0 to 65535");
    else if (!names.insert(tag.name).second) fail("tag '" + tag.name + "' is defined twice");
    else {
      tag.areaIndex = *area;
      if (w.size() == 5) tag.writeValue = value;
      file.tags.push_back(tag);
    }
  }
  return file;
}

}  // namespace host
