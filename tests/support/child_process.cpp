// Child processes for end-to-end tests.
#include "support/child_process.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace varnel2d::testing {

child_process::child_process(const std::vector<std::string>& arguments,
                             const std::map<std::string, std::string>& environment) {
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // A test that crashes leaves no display server or show behind (the fork's thread is the
    // test's main thread, which lives as long as the test).
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
}

// A child still running is asked to end as a host would ask it (SIGTERM), so that it releases what
// it holds (X resources, the GL driver's caches); one that does not end within seconds is killed.
child_process::~child_process() {
  if (exit_code_.has_value()) return;
  kill(pid_, SIGTERM);
  if (wait_for_exit(std::chrono::seconds(5)).has_value()) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

std::optional<int> child_process::wait_for_exit(std::chrono::milliseconds limit) {
  wait_until(
      [this] {
        int status = 0;
        if (!exit_code_ && waitpid(pid_, &status, WNOHANG) == pid_)
          exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return exit_code_.has_value();
      },
      limit, std::chrono::milliseconds(2));
  return exit_code_;
}

void child_process::send_signal(int signal_number) {
  if (!exit_code_.has_value()) kill(pid_, signal_number);
}

std::string command_output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
  }
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

bool wait_until(const std::function<bool()>& reached, std::chrono::milliseconds limit, std::chrono::milliseconds step) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!reached()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(step);
  }
  return true;
}

}  // namespace varnel2d::testing
