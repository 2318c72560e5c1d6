// A stand-in host: loads ./media1.dll from its own folder, binds the media
// exports by their exported names and runs the actions given as arguments:
// open, close, start, stop, write:<hex bytes>, read:<length>.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "interface/media_export_names.h"
#include "interface/quellon.h"
#include "platform/platform.h"

namespace {

std::vector<char> parseHex(const std::string& text) {
  std::vector<char> bytes;
  for (std::size_t k = 0; k + 2 <= text.size(); k += 2) {
    bytes.push_back(static_cast<char>(std::stoi(text.substr(k, 2), nullptr, 16)));
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  platform::SharedLibrary media;
  if (!media.load(platform::directoryPart(platform::executablePath()) + "media1.dll")) {
    std::printf("load failed: %s\n", media.error().c_str());
    return 2;
  }
  const auto& names = quellon::mediaExportNames;
  auto bind = [&](const char* name) { return reinterpret_cast<quellon::LifecycleFn>(media.symbol(name)); };
  auto open = bind(names.openMedia), close = bind(names.closeMedia), start = bind(names.startMedia),
       stop = bind(names.stopMedia);
  auto read = reinterpret_cast<quellon::TransferFn>(media.symbol(names.readMedia));
  auto write = reinterpret_cast<quellon::TransferFn>(media.symbol(names.writeMedia));
  if (!open || !close || !start || !stop || !read || !write || !media.symbol(quellon::mediaMarkerName)) return 3;
  platform::MediaId id = 5;
  for (int k = 1; k < argc; ++k) {
    const std::string action = argv[k];
    if (action == "open") {
      const int r = open(id);
      std::printf("open=%d id=%ld\n", r, static_cast<long>(id));
    } else if (action == "close") {
      std::printf("close=%d\n", close(id));
    } else if (action == "start") {
      std::printf("start=%d\n", start(id));
    } else if (action == "stop") {
      std::printf("stop=%d\n", stop(id));
    } else if (action.rfind("write:", 0) == 0) {
      std::vector<char> frame = parseHex(action.substr(6));
      int count = 77;
      const int r = write(id, frame.empty() ? nullptr : frame.data(), static_cast<int>(frame.size()), count);
      std::printf("write=%d count=%d\n", r, count);
    } else if (action.rfind("read:", 0) == 0) {
      const int length = std::stoi(action.substr(5));
      std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 1), 0);
      int count = 77;
      const int r = read(id, buffer.data(), length, count);
      std::printf("read=%d count=%d\n", r, count);
    }
  }
  return 0;
}
