#include <windows.h>
#include <io.h>

#include <vector>

#include "platform/platform.h"

namespace platform {

std::string executablePath() {
  // GetModuleFileNameA cuts a long path silently: grow until it fits.
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return std::string(buffer.data(), n);
    if (buffer.size() >= 65536) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

bool forEachMatchingEntry(const std::string& directory, std::string_view mask,
                          const std::function<bool(const DirectoryEntry&)>& visit) {
  const std::string pattern = directory + std::string(mask);
  WIN32_FIND_DATAA data{};
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool any = false;
  do {
    // FindFirstFileA also matches short 8.3 names; keep to the long name's rules.
    if (!matchesMask(data.cFileName, mask)) continue;
    any = true;
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (!visit(DirectoryEntry{data.cFileName, size})) break;
  } while (::FindNextFileA(search, &data));
  ::FindClose(search);
  return any;
}

std::FILE* openFileForReading(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return nullptr;
  return std::fopen(path.c_str(), "rb");
}

std::tm localTime(std::time_t t) {
  std::tm result{};
  ::localtime_s(&result, &t);
  return result;
}

std::string sharedLibraryFileName(std::string_view base) { return std::string(base) + ".dll"; }

bool SharedLibrary::load(const std::string& path) {
  unload();
  handle_ = reinterpret_cast<void*>(::LoadLibraryA(path.c_str()));
  if (handle_ == nullptr) {
    error_ = "LoadLibrary failed with error " + std::to_string(::GetLastError());
    return false;
  }
  error_.clear();
  return true;
}

void* SharedLibrary::symbol(const char* name) const {
  if (handle_ == nullptr) return nullptr;
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void SharedLibrary::unload() {
  if (handle_ != nullptr) {
    ::FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
  }
}

bool isTerminal(std::FILE* stream) { return ::_isatty(::_fileno(stream)) != 0; }

}  // namespace platform
