// Xvfb for end-to-end tests.
#include "support/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace varnel2d::testing {

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
  std::string number;
  pollfd readable{pipe_ends[0], POLLIN, 0};
  for (char c = 0; poll(&readable, 1, 10000) > 0 && read(pipe_ends[0], &c, 1) == 1 && c != '\n';) number += c;
  close(pipe_ends[0]);
  if (number.empty()) throw std::runtime_error("cannot start Xvfb");
  name_ = ":" + number;
}

unsigned long virtual_display::wait_for_window(const std::string& title, std::chrono::milliseconds limit) const {
  std::string found;
  const std::string search = "search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n 1";
  wait_until([&] { return !(found = xdotool(search)).empty(); }, limit, std::chrono::milliseconds(50));
  return found.empty() ? 0 : std::stoul(found);
}

std::string virtual_display::xdotool(const std::string& arguments) const {
  return command_output("DISPLAY=" + name_ + " xdotool " + arguments);
}

}  // namespace varnel2d::testing
