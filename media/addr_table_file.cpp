#include "media/addr_table_file.h"

#include <fstream>

#include "platform/platform.h"

namespace quellon {

using diag::lineEnd;

void readAddrTable(std::istream& in, AddrTable& table) {
  std::string line;
  while (in.good()) {
    std::getline(in, line);
    if (in.eof()) break;  // ended at the end of the file, not at a line feed
    if (in.fail()) break;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == ';') continue;
    if (const auto entry = parseAddrTableLine(line)) table.insert(*entry);
  }
}

bool loadAddrTable(diag::Logger& log, AddrTable& table) {
  const std::string path = platform::executablePath();
  log.level(diag::info) << "current module: " << path << lineEnd;
  std::ifstream in(platform::directoryPart(path) + addrTableFileName);
  if (!in.is_open()) {
    log.level(diag::error) << "cannot open file " << addrTableFileName << lineEnd;
    return false;
  }
  readAddrTable(in, table);
  log.level(diag::info) << "initialized addr table:" << lineEnd;
  for (const auto& [unitId, address] : table.entries()) {
    writeAddress(log.level(diag::info) << std::int32_t{unitId} << ' ', address) << lineEnd;
  }
  return true;
}

}  // namespace quellon
