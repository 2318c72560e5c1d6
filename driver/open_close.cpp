// Open_yyy and Close_yyy: the driver's name and sizes, and media discovery.

#include <cstring>
#include <string>

#include "driver/driver_state.h"
#include "driver/export_checks.h"
#include "driver/media_discovery.h"
#include "interface/tarvik.h"
#include "log/log_scope.h"
#include "log/log_stream.h"
#include "platform/platform.h"

namespace tarvik {
namespace {

using diag::lineEnd;

constexpr const char* mediaFileMask = "media?.dll";
constexpr const char driverName[] = "OMRON CLK";
constexpr std::int32_t qIn = 264;
constexpr std::int32_t qOut = 264;
constexpr std::int32_t qData = 128;
constexpr std::size_t mediaDigitIndex = 5;  // the place of "?" in the mask
constexpr std::int32_t noMedia = -1;

bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Scans directory for the first media library file carrying the identifier;
// its digit, or noMedia.
std::int32_t discoverMedia(diag::Logger& log, const std::string& directory) {
  std::int32_t media = noMedia;
  const bool any = platform::forEachMatchingEntry(directory, mediaFileMask, [&](const platform::DirectoryEntry& entry) {
    log.level(diag::info) << "found file: " << entry.name << lineEnd;
    if (entry.name.size() <= mediaDigitIndex || !isDigit(entry.name[mediaDigitIndex])) return true;
    log.level(diag::info) << "opening file: " << entry.name << lineEnd;
    std::FILE* file = platform::openFileForReading(directory + entry.name);
    if (file == nullptr) return true;
    log.level(diag::info) << "searching for GUID in file: " << entry.name << lineEnd;
    const bool found = fileContainsIdentifier(file, entry.size);
    std::fclose(file);
    if (found) {
      media = entry.name[mediaDigitIndex] - '0';
      log.level(diag::info) << "found GUID in file: " << entry.name << lineEnd;
      return false;
    }
    log.level(diag::info) << "GUID not found in file: " << entry.name << lineEnd;
    return true;
  });
  if (!any) log.level(diag::error) << "no files found matching mask " << mediaFileMask << lineEnd;
  return media;
}

}  // namespace
}  // namespace tarvik

int Open_yyy(std::int32_t* media, char* name, std::int32_t* q_in, std::int32_t* q_out, std::int32_t* q_data) {
  using namespace tarvik;
  return diag::runExport(driverLog(), "Open_yyy", -1, [&](diag::Logger& log) -> int {
    if (!argumentsPresent(log, media, name, q_in, q_out, q_data)) return -1;
    const std::string path = platform::executablePath();
    log.level(diag::info) << "current module: " << path << lineEnd;
    setFirstPass(true);
    *media = noMedia;
    *media = discoverMedia(log, platform::directoryPart(path));
    if (*media == noMedia) {
      log.level(diag::error) << "no media driver found" << lineEnd;
      return -1;
    }
    log.level(diag::info) << "media=" << *media << lineEnd;
    std::memcpy(name, driverName, sizeof driverName);
    *q_in = qIn;
    *q_out = qOut;
    *q_data = qData;
    log.level(diag::info) << "q_in=" << *q_in << " q_out=" << *q_out << " q_data=" << *q_data << lineEnd;
    return 0;
  });
}

int Close_yyy() {
  using namespace tarvik;
  return diag::runExport(driverLog(), "Close_yyy", -1, [](diag::Logger& log) -> int {
    log.level(diag::info) << lineEnd;
    return 0;
  });
}
