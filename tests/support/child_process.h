// Runs a program of the test's choosing with extra environment variables and waits for it with a
// time limit; a child still running when the object goes is asked to end, then killed.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace brisenfall::testing {

// What a child of the sanitized build adds to the time it takes to end: LeakSanitizer scans its
// memory at exit (over a second for the show). Tests that time an exit allow it on top.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::chrono::milliseconds leak_scan_allowance{3000};
#else
inline constexpr std::chrono::milliseconds leak_scan_allowance{0};
#endif

class child_process {
 public:
  child_process(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment);
  ~child_process();
  child_process(const child_process&) = delete;
  child_process& operator=(const child_process&) = delete;

  // The exit code, or nothing if the child is still running after the wait (-1 for a signal).
  std::optional<int> wait_for_exit(std::chrono::milliseconds limit);
  void send_signal(int signal_number);
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  std::optional<int> exit_code_;
};

// Runs a shell command and returns what it printed, without the last line end.
std::string command_output(const std::string& command);

}  // namespace brisenfall::testing
