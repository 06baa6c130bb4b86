// Xvfb for end-to-end tests.
#include "support/virtual_display.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace brisenfall::testing {
namespace {

// The process id an X server writes into its lock file; -1 when there is none.
pid_t lock_owner(int number) {
  std::ifstream lock("/tmp/.X" + std::to_string(number) + "-lock");
  long pid = -1;
  return lock >> pid ? static_cast<pid_t>(pid) : -1;
}

}  // namespace

virtual_display::virtual_display(const std::string& screen) {
  // Pick a display number from the process id so parallel tests do not collide; skip taken ones.
  for (int attempt = 0; attempt < 50 && !server_; ++attempt) {
    const int number = 100 + (getpid() + attempt * 7) % 800;
    if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
        std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock"))
      continue;
    name_ = ":" + std::to_string(number);
    // -noreset: by default the server resets when its last client goes (each xdotool call), and a
    // program connecting during that reset is turned away.
    auto server = std::make_unique<child_process>(
        std::vector<std::string>{"/usr/bin/Xvfb", name_, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"},
        std::map<std::string, std::string>{});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (server->wait_for_exit(std::chrono::milliseconds(0)).has_value()) break;
      // Ready when the lock names our server: another test may have taken the same number first,
      // and then the socket that appears is that server's, which goes when that test ends.
      if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)) &&
          lock_owner(number) == server->pid()) {
        server_ = std::move(server);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  if (!server_) throw std::runtime_error("cannot start Xvfb");
}

unsigned long virtual_display::wait_for_window(const std::string& title, std::chrono::milliseconds limit) const {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  do {
    const std::string found = xdotool("search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n 1");
    if (!found.empty()) return std::stoul(found);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  return 0;
}

std::string virtual_display::xdotool(const std::string& arguments) const {
  return command_output("DISPLAY=" + name_ + " xdotool " + arguments);
}

}  // namespace brisenfall::testing
