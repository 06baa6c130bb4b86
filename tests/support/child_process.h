// Runs a program of the test's choosing with extra environment variables and waits for it with a
// time limit; a child still running when the object goes is asked to end, then killed.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace varnel2d::testing {

// How long a test waits for a child that should be ending. The sanitized build's children take
// seconds more: LeakSanitizer scans their memory at exit and symbolises the stacks of the leaks it
// is told to ignore, and there a frame that was being shown when its window went away can take
// seconds inside the software GL driver. So an exit's time is measured only in the plain build.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::chrono::milliseconds exit_limit{30000};
inline constexpr bool exit_times_count = false;
#else
inline constexpr std::chrono::milliseconds exit_limit{5000};
inline constexpr bool exit_times_count = true;
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

 private:
  pid_t pid_ = -1;
  std::optional<int> exit_code_;
};

// Runs a shell command and returns what it printed, without the last line end.
std::string command_output(const std::string& command);

// Checks `reached` every `step` until it holds or `limit` has passed (at least once); whether it held.
bool wait_until(const std::function<bool()>& reached, std::chrono::milliseconds limit,
                std::chrono::milliseconds step = std::chrono::milliseconds(40));

}  // namespace varnel2d::testing

// The screensaver's tests reach these helpers as brisenfall::testing as well.
namespace brisenfall::testing {
using namespace varnel2d::testing;
}  // namespace brisenfall::testing
