#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/platform.h"

namespace platform {

std::string executablePath() {
  // readlink does not say whether it cut the path: grow until it fits.
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(n));
    buffer.resize(buffer.size() * 2);
  }
}

bool forEachMatchingEntry(const std::string& directory, std::string_view mask,
                          const std::function<bool(const DirectoryEntry&)>& visit) {
  const std::string dirName = directory.empty() ? std::string(".") : directory;
  DIR* dir = ::opendir(dirName.c_str());
  if (dir == nullptr) return false;
  bool any = false;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (!matchesMask(name, mask)) continue;
    struct stat st {};
    const std::string full = directory + std::string(name);
    const std::uint64_t size = ::stat(full.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    any = true;
    if (!visit(DirectoryEntry{std::string(name), size})) break;
  }
  ::closedir(dir);
  return any;
}

std::FILE* openFileForReading(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  struct stat st {};
  if (::fstat(::fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

std::tm localTime(std::time_t t) {
  std::tm result{};
  ::localtime_r(&t, &result);
  return result;
}

std::string sharedLibraryFileName(std::string_view base) {
  return "lib" + std::string(base) + ".so";
}

bool SharedLibrary::load(const std::string& path) {
  unload();
  handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = ::dlerror();
    error_ = why != nullptr ? why : "unknown error";
    return false;
  }
  error_.clear();
  return true;
}

void* SharedLibrary::symbol(const char* name) const {
  return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
}

void SharedLibrary::unload() {
  if (handle_ != nullptr) {
    ::dlclose(handle_);
    handle_ = nullptr;
  }
}

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

}  // namespace platform
