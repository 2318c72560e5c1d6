#include "host/output.h"

#include <chrono>
#include <cstdio>

namespace host {
namespace {

std::string valueText(const TagResult& r) {
  if (!r.ok) return "error: " + r.error;
  const std::string number = std::to_string(static_cast<long long>(r.value));
  return r.written ? "written " + number : number;
}

std::string pad(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

std::string formatTable(const std::vector<Tag>& tags, const std::vector<TagResult>& results) {
  std::size_t nameWidth = 4;
  for (const Tag& t : tags) nameWidth = std::max(nameWidth, t.name.size());
  std::string out = pad("NAME", nameWidth + 2) + pad("UNIT", 6) + pad("AREA", 10) + pad("OFFSET", 8) + "VALUE\n";
  for (std::size_t k = 0; k < tags.size(); ++k) {
    const Tag& t = tags[k];
    out += pad(t.name, nameWidth + 2) + pad(std::to_string(t.unitId), 6) + pad(areaName(t.areaIndex), 10) +
           pad(std::to_string(t.offset), 8) + valueText(results[k]) + "\n";
  }
  return out;
}

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string formatJson(const std::vector<Tag>& tags, const std::vector<TagResult>& results, const std::string& time) {
  std::string out;
  for (std::size_t k = 0; k < tags.size(); ++k) {
    const TagResult& r = results[k];
    out += "{\"name\":" + jsonString(tags[k].name) + ",\"value\":";
    out += r.ok ? std::to_string(static_cast<long long>(r.value)) : "null";
    out += std::string(",\"status\":") + (r.ok ? "\"ok\"" : "\"error\"");
    if (!r.ok) out += ",\"error\":" + jsonString(r.error);
    if (r.written) out += ",\"written\":true";
    out += ",\"time\":" + jsonString(time) + "}\n";
  }
  return out;
}

std::string formatPlan(const std::vector<Tag>& tags, const std::vector<Block>& plan, bool firstPass) {
  std::string out = "block plan (" + std::string(firstPass ? "first" : "second") + " pass):\n";
  for (std::size_t b = 0; b < plan.size(); ++b) {
    const Tag& first = tags[plan[b].tags.front()];
    out += "  block " + std::to_string(b + 1) + ": unit " + std::to_string(first.unitId) + " area " +
           areaName(first.areaIndex) + " offset " + std::to_string(first.offset) + ", " +
           std::to_string(plan[b].tags.size()) + " value(s):";
    for (std::size_t k : plan[b].tags) out += " " + tags[k].name;
    out += "\n";
  }
  return out;
}

std::string utcTimeText() {
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss clock{now - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

}  // namespace host
