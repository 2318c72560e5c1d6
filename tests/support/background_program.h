#pragma once
// A program running beside a test (a server such as finsim), stopped by its
// own pid when the test ends.

#include <string>
#include <vector>

namespace testsupport {

class BackgroundProgram {
 public:
  BackgroundProgram(const std::string& program, const std::vector<std::string>& arguments);
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  // The first line the program printed, waiting at most timeoutMs for it.
  std::string firstLine(int timeoutMs = 5000);
  bool running() const noexcept { return pid_ > 0; }

 private:
  int pid_ = -1;
  int out_ = -1;
};

}  // namespace testsupport
