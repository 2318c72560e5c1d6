#pragma once
// Small fixtures shared by the tests: temporary folders, files, log bodies and
// libraries loaded from a folder of their own.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace testsupport {

// A fresh directory under the system's temporary folder, removed on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const noexcept { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  void write(const std::string& name, const std::string& content) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Whole content of a file; empty when it cannot be read.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);

// Splits text at line feeds (the last line may lack one).
std::vector<std::string> splitLines(const std::string& text);

// The log lines between the "created: " and "closed: " lines of a log file's
// text; the two framing lines themselves are checked by their own tests.
std::vector<std::string> logBody(const std::string& logText);

// Changes the current directory for its lifetime.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& directory);
  ~CurrentDirectory();
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

// Loads a library with `directory` as the current directory during the load,
// so that its Logger reads "_logger" from and writes its log into directory.
// Unloading (destruction or unload()) writes the "closed: " line.
class LibraryInFolder {
 public:
  LibraryInFolder(const std::string& libraryPath, const std::filesystem::path& directory);
  void* symbol(const char* name) const { return library_.symbol(name); }
  template <class Fn>
  Fn function(const char* name) const {
    return reinterpret_cast<Fn>(library_.symbol(name));
  }
  bool loaded() const noexcept { return library_.loaded(); }
  const std::string& error() const noexcept { return library_.error(); }
  void unload() { library_.unload(); }

 private:
  platform::SharedLibrary library_;
};

// Path of a built artefact, from the compile-time definitions the tests get:
// TARVIK_STAGE_DIR (the stage folder) and TARVIK_BINARY_DIR.
std::string stagePath(const std::string& name);
std::string binaryPath(const std::string& relative);

// Runs a program with arguments in a working directory; returns its exit code
// (-1 when it could not run) and captures standard output and error.
struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};
RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& workingDirectory, int timeoutSeconds = 60,
                     const std::vector<std::string>& environment = {});

}  // namespace testsupport
