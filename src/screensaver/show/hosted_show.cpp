// Start-up with options: read them, choose the window, lay the options over the settings, run.
#include "show/hosted_show.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <variant>

#include "desktop/show_host.h"
#include "shell/run_options.h"
#include "shell/startup.h"
#include "show/show_entry.h"

namespace brisenfall {
namespace {

std::string window_text(uint64_t window) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(window));
  return text;
}

// The system services of a show in a host's window: nobody there can answer a message box (a
// screen locker covers everything), so a message becomes one line on stderr for the host's log.
class host_log_services final : public system_services {
 public:
  host_log_services(system_services& system, std::ostream& err) : system_(system), err_(err) {}

  void message_box(const std::string& title, const std::string& text) override {
    std::string line = "brisenfall: " + title + ": " + text;
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    err_ << line << std::endl;
  }
  std::string windows_directory() override { return system_.windows_directory(); }
  std::optional<int64_t> file_length(const std::string& path) override { return system_.file_length(path); }
  bool delete_file(const std::string& path) override { return system_.delete_file(path); }
  std::optional<registry_value> registry_query(int32_t root, const std::string& key_path,
                                               const std::string& value_name) override {
    return system_.registry_query(root, key_path, value_name);
  }
  int32_t open_document(const std::string& address) override { return system_.open_document(address); }
  bool find_window(const std::string& title) override { return system_.find_window(title); }
  void set_screensaver_running(bool running) override { system_.set_screensaver_running(running); }
  int32_t platform_id() override { return system_.platform_id(); }

 private:
  system_services& system_;
  std::ostream& err_;
};

}  // namespace

int run_with_options(const std::vector<std::string>& arguments, const std::string& executable,
                     system_services& system, std::ostream& out, std::ostream& err) {
  const auto parsed = parse_run_options(arguments);
  if (const auto* error = std::get_if<option_error>(&parsed)) {
    err << error->line << '\n';
    return EXIT_REFUSED;
  }
  const run_request& request = std::get<run_request>(parsed);
  if (request.what == run_request::action::help) {
    out << usage_text();
    return 0;
  }
  if (request.what == run_request::action::version) {
    out << "brisenfall " << BRISENFALL_VERSION << '\n';
    return 0;
  }
  const auto chosen = choose_host(request, std::getenv("XSCREENSAVER_WINDOW"));
  if (const auto* error = std::get_if<option_error>(&chosen)) {
    err << error->line << '\n';
    return EXIT_REFUSED;
  }
  const host_choice& where = std::get<host_choice>(chosen);

  std::unique_ptr<show_host> host;
  if (where.where != host_choice::kind::own_window) {
    host = open_x11_show_host(where.window);
    if (!host) {
      err << "brisenfall: cannot open the window "
          << (where.where == host_choice::kind::root_window ? std::string("(the root window)") : window_text(where.window))
          << " on the display '" << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "") << "'\n";
      return EXIT_NO_HOST_WINDOW;
    }
  }

  // In a host's window a message ends the program at once, failed, and opens no window.
  host_log_services host_log(system, err);
  system_services& services = host ? static_cast<system_services&>(host_log) : system;
  shell_state shell;
  shell.program_folder = program_folder_of(executable);
  if (!load_settings_with_install_path(shell, services)) return host ? EXIT_SHOW_FAILED : 0;
  apply_run_options(request, shell.settings);

  show_placement placement;
  placement.host = host.get();
  placement.statistics = request.fps;
  placement.renderer = request.renderer;
  placement.max_fps = request.max_fps.value_or(0);
  if (host) {
    const host_view view = host->poll();
    const varnel2d::image_size screen = host->screen_size();
    placement.with_sound = music_may_play(where.where, view.width, view.height, screen.width, screen.height);
  }
  if (!placement.with_sound) shell.settings.cfg_music_mute = -1;
  return run_show(shell, services, placement);
}

}  // namespace brisenfall
