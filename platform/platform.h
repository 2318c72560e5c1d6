#pragma once
// The operating-system services the libraries and tools need, behind one
// header. Implementations live in platform/posix and platform/win32.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// The separator between a directory and a file name in the paths we build.
#if defined(_WIN32)
inline constexpr char directorySeparator = '\\';
#else
inline constexpr char directorySeparator = '/';
#endif

// Full path of the executable of the current process (the host program, not
// the library asking), never cut short; empty when it cannot be obtained.
std::string executablePath();

// The directory part of a path up to and including its last separator; empty
// when the path holds none (the caller then works relative to the current directory).
std::string directoryPart(const std::string& path);

// True when name matches mask: "?" stands for exactly one character, "*" for any
// run of characters, letters match regardless of case.
bool matchesMask(std::string_view name, std::string_view mask) noexcept;

struct DirectoryEntry {
  std::string name;     // without the directory
  std::uint64_t size;   // as the directory search lists it
};

// Runs visit for each entry of directory (empty: the current directory; else
// ending in a separator) whose name matches mask, in the order the system yields
// them. visit returns false to end the search early. Returns false when the
// search cannot start or yields no entry at all.
bool forEachMatchingEntry(const std::string& directory, std::string_view mask,
                          const std::function<bool(const DirectoryEntry&)>& visit);

// Opens a regular file for binary reading; nullptr when it cannot be opened or
// is not a plain file (a directory named like a file, say).
std::FILE* openFileForReading(const std::string& path);

// Local broken-down time of t.
std::tm localTime(std::time_t t);

// File name of a shared library called base on this platform: libbase.so, base.dll.
std::string sharedLibraryFileName(std::string_view base);

// A loaded shared library. Unloads on destruction.
class SharedLibrary {
 public:
  SharedLibrary() = default;
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;
  SharedLibrary(SharedLibrary&& other) noexcept;
  SharedLibrary& operator=(SharedLibrary&& other) noexcept;

  // Loads the library at path; false with error() describing why.
  bool load(const std::string& path);
  // Address of an exported symbol by its exported name; nullptr if missing.
  void* symbol(const char* name) const;
  bool loaded() const noexcept { return handle_ != nullptr; }
  void unload();
  const std::string& error() const noexcept { return error_; }

 private:
  void* handle_ = nullptr;
  std::string error_;
};

// True when the stream is an interactive terminal (for live tables).
bool isTerminal(std::FILE* stream);

}  // namespace platform
