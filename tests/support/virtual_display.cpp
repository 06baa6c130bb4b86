// Xvfb for end-to-end tests.
#include "support/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace varnel2d::testing {
namespace {

// What the server writes on `fd` up to its line end, waiting at most `limit`; empty when it ends
// or closes the pipe first.
std::string read_line(int fd, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::string line;
  while (line.empty() || line.back() != '\n') {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd readable{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) return {};
    char buffer[16];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) return {};
    line.append(buffer, static_cast<size_t>(got));
  }
  return line;
}

}  // namespace

virtual_display::virtual_display(const std::string& screen, const std::vector<std::string>& server_arguments) {
  // The server picks a free display number itself (its lock files make that safe between parallel
  // tests) and writes it on the pipe once it accepts connections.
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) throw std::runtime_error("cannot start Xvfb: no pipe");
  fcntl(pipe_ends[0], F_SETFD, FD_CLOEXEC);
  // -noreset: by default the server resets when its last client goes (each xdotool call), and a
  // program connecting during that reset is turned away.
  std::vector<std::string> command{"/usr/bin/Xvfb", "-displayfd", std::to_string(pipe_ends[1]), "-screen", "0", screen,
                                   "-nolisten", "tcp", "-noreset"};
  command.insert(command.end(), server_arguments.begin(), server_arguments.end());
  server_ = std::make_unique<child_process>(command, std::map<std::string, std::string>{});
  close(pipe_ends[1]);
  const std::string number = read_line(pipe_ends[0], std::chrono::seconds(10));
  close(pipe_ends[0]);
  if (number.empty()) throw std::runtime_error("cannot start Xvfb");
  name_ = ":" + number.substr(0, number.size() - 1);
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

}  // namespace varnel2d::testing
