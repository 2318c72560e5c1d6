#include "tests/support/test_support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testsupport {
namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = fs::temp_directory_path() /
                               ("tarvik-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                                std::to_string(rd() % 100000));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = fs::canonical(candidate);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& content) const { writeFile(file(name), content); }
std::string TempDir::read(const std::string& name) const { return readFile(file(name)); }
bool TempDir::exists(const std::string& name) const { return fs::exists(path_ / name); }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> logBody(const std::string& logText) {
  std::vector<std::string> body;
  for (const std::string& line : splitLines(logText)) {
    if (line.rfind("created: ", 0) == 0 || line.rfind("closed: ", 0) == 0) continue;
    body.push_back(line);
  }
  return body;
}

CurrentDirectory::CurrentDirectory(const fs::path& directory) : previous_(fs::current_path()) {
  fs::current_path(directory);
}
CurrentDirectory::~CurrentDirectory() {
  std::error_code ec;
  fs::current_path(previous_, ec);
}

LibraryInFolder::LibraryInFolder(const std::string& libraryPath, const fs::path& directory) {
  CurrentDirectory inFolder(directory);
  library_.load(libraryPath);
}

std::string stagePath(const std::string& name) { return std::string(TARVIK_STAGE_DIR) + "/" + name; }
std::string binaryPath(const std::string& relative) { return std::string(TARVIK_BINARY_DIR) + "/" + relative; }

namespace {

void drain(int fd, std::string& into) {
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) return;
    into.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const fs::path& workingDirectory, int timeoutSeconds,
                     const std::vector<std::string>& environment) {
  RunResult result;
  int outPipe[2], errPipe[2];
  if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) return result;
  const pid_t pid = ::fork();
  if (pid < 0) return result;
  if (pid == 0) {
    ::dup2(outPipe[1], 1);
    ::dup2(errPipe[1], 2);
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (::chdir(workingDirectory.c_str()) != 0) ::_exit(126);
    for (const std::string& assignment : environment) ::putenv(const_cast<char*>(assignment.c_str()));
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  ::fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
  ::fcntl(errPipe[0], F_SETFL, O_NONBLOCK);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  int status = 0;
  bool exited = false;
  while (!exited) {
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    ::poll(fds, 2, 50);
    drain(outPipe[0], result.out);
    drain(errPipe[0], result.err);
    if (::waitpid(pid, &status, WNOHANG) == pid) exited = true;
    else if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      result.err += "\n[killed after timeout]\n";
      exited = true;
      status = -1;
    }
  }
  drain(outPipe[0], result.out);
  drain(errPipe[0], result.err);
  ::close(outPipe[0]);
  ::close(errPipe[0]);
  if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  else if (status != -1 && WIFSIGNALED(status)) result.exitCode = 128 + WTERMSIG(status);
  return result;
}

}  // namespace testsupport
