// clkhost: polls a list of tags through the driver and the media library, as
// a supervisory host does, and shows their values.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "host/host_session.h"
#include "host/items_file.h"
#include "host/output.h"
#include "platform/platform.h"

namespace {

constexpr int exitGood = 0;
constexpr int exitErroneous = 1;
constexpr int exitSetup = 2;

const char* usage =
    "usage: clkhost [ITEMS_FILE] [--cycles N] [--interval MS] [--write NAME=VALUE]... [--json] [--verbose]\n"
    "  ITEMS_FILE   tags, one a line: name unit area offset [value] (default items.txt)\n"
    "  --cycles N   poll N times (default 1); --interval MS between cycles (default 1000)\n"
    "  --write NAME=VALUE  write VALUE to tag NAME in each cycle\n"
    "  --json       one JSON object per value; --verbose also prints the block plan\n"
    "exit codes: 0 all values good, 1 some value erroneous, 2 setup failed\n";

struct Options {
  std::string itemsFile = "items.txt";
  long cycles = 1;
  long intervalMs = 1000;
  std::vector<std::pair<std::string, std::string>> writes;
  bool json = false;
  bool verbose = false;
};

bool parseLong(const char* text, long low, long high, long& out) {
  char* end = nullptr;
  out = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && out >= low && out <= high;
}

bool parseOptions(int argc, char** argv, Options& o, std::string& why) {
  bool haveFile = false;
  for (int k = 1; k < argc; ++k) {
    const std::string a = argv[k];
    auto next = [&]() -> const char* { return k + 1 < argc ? argv[++k] : nullptr; };
    if (a == "--cycles") {
      const char* v = next();
      if (!v || !parseLong(v, 1, 100000000, o.cycles)) return why = "--cycles needs a number of at least 1", false;
    } else if (a == "--interval") {
      const char* v = next();
      if (!v || !parseLong(v, 0, 86400000, o.intervalMs)) return why = "--interval needs milliseconds", false;
    } else if (a == "--write") {
      const char* v = next();
      const char* eq = v ? std::strchr(v, '=') : nullptr;
      if (!eq || eq == v) return why = "--write needs NAME=VALUE", false;
      o.writes.emplace_back(std::string(v, eq), std::string(eq + 1));
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--verbose") {
      o.verbose = true;
    } else if (a == "--help" || a == "-h") {
      std::fputs(usage, stdout);
      std::exit(exitGood);
    } else if (!a.empty() && a[0] == '-') {
      return why = "unknown option " + a, false;
    } else if (!haveFile) {
      o.itemsFile = a;
      haveFile = true;
    } else {
      return why = "more than one items file given", false;
    }
  }
  return true;
}

// Applies --write NAME=VALUE to the tags; false with the reason when it does not fit.
bool applyWrites(const Options& o, std::vector<host::Tag>& tags, std::string& why) {
  for (const auto& [name, text] : o.writes) {
    host::Tag* tag = nullptr;
    for (auto& t : tags) {
      if (t.name == name) tag = &t;
    }
    long value = 0;
    if (tag == nullptr) return why = "--write names no tag of the items file: " + name, false;
    if (!parseLong(text.c_str(), 0, 65535, value)) return why = "--write value must be 0 to 65535: " + text, false;
    tag->writeValue = static_cast<std::uint16_t>(value);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string why;
  if (!parseOptions(argc, argv, options, why)) {
    std::fprintf(stderr, "clkhost: %s\n%s", why.c_str(), usage);
    return exitSetup;
  }
  std::ifstream in(options.itemsFile, std::ios::binary);
  if (!in.is_open()) {
    std::fprintf(stderr, "clkhost: cannot open the items file %s.\n", options.itemsFile.c_str());
    return exitSetup;
  }
  std::ostringstream text;
  text << in.rdbuf();
  host::ItemsFile items = host::parseItemsFile(text.str());
  for (const auto& e : items.errors) {
    std::fprintf(stderr, "%s:%d: %s\n", options.itemsFile.c_str(), e.line, e.message.c_str());
  }
  if (!items.errors.empty()) {
    std::fprintf(stderr, "clkhost: the items file has %zu bad line(s); nothing was polled.\n", items.errors.size());
    return exitSetup;
  }
  if (!applyWrites(options, items.tags, why)) {
    std::fprintf(stderr, "clkhost: %s\n", why.c_str());
    return exitSetup;
  }

  host::HostSession session;
  if (!session.start(platform::directoryPart(platform::executablePath()), why)) {
    std::fprintf(stderr, "clkhost: %s\n", why.c_str());
    return exitSetup;
  }
  const bool live = !options.json && options.cycles > 1 && platform::isTerminal(stdout);
  bool anyErroneous = false;
  for (long cycle = 1; cycle <= options.cycles; ++cycle) {
    std::vector<host::Block> plan;
    const auto results = session.cycle(items.tags, &plan);
    for (const auto& r : results) anyErroneous = anyErroneous || !r.ok;
    std::string out;
    if (live) out += "\x1b[H\x1b[2J";  // rewrite the table in place
    if (options.verbose) out += host::formatPlan(items.tags, plan, session.lastPlanFirstPass());
    if (options.json) {
      out += host::formatJson(items.tags, results, host::utcTimeText());
    } else {
      if (options.cycles > 1) out += "cycle " + std::to_string(cycle) + " at " + host::utcTimeText() + "\n";
      out += host::formatTable(items.tags, results);
    }
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
    if (cycle < options.cycles) std::this_thread::sleep_for(std::chrono::milliseconds(options.intervalMs));
  }
  session.stop();
  return anyErroneous ? exitErroneous : exitGood;
}
