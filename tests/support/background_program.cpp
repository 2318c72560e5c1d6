#include "tests/support/background_program.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

BackgroundProgram::BackgroundProgram(const std::string& program, const std::vector<std::string>& arguments) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return;
  const pid_t pid = ::fork();
  if (pid < 0) return;
  if (pid == 0) {
    ::dup2(pipeFds[1], 1);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  pid_ = pid;
  out_ = pipeFds[0];
}

BackgroundProgram::~BackgroundProgram() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  if (out_ >= 0) ::close(out_);
}

std::string BackgroundProgram::firstLine(int timeoutMs) {
  std::string line;
  char c = 0;
  while (out_ >= 0) {
    pollfd p{out_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) break;
    if (::read(out_, &c, 1) != 1 || c == '\n') break;
    line.push_back(c);
  }
  return line;
}

}  // namespace testsupport
