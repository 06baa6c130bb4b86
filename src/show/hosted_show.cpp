// Start-up with options: read them, choose the window, lay the options over the settings, run.
#include "show/hosted_show.h"

#include <cstdio>
#include <cstdlib>
#include <variant>

#include "platform/show_host.h"
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

  shell_state shell;
  shell.program_folder = program_folder_of(executable);
  shell.music_browse_folder = shell.program_folder;
  if (!load_settings_with_install_path(shell, system)) return 0;
  apply_run_options(request, shell.settings);

  show_placement placement;
  placement.host = host.get();
  placement.statistics = request.fps;
  if (host) {
    const host_view view = host->poll();
    const image_size screen = host->screen_size();
    placement.with_sound = music_may_play(where.where, view.width, view.height, screen.width, screen.height);
  }
  if (!placement.with_sound) shell.settings.cfg_music_mute = -1;
  return run_show(shell, system, placement);
}

}  // namespace brisenfall
