// Reading the host options: dash forms, values, ranges, and the choice of the window to draw in.
#include "shell/run_options.h"

#include <charconv>
#include <limits>

namespace brisenfall {
namespace {

constexpr uint64_t LARGEST_WINDOW_ID = std::numeric_limits<uint32_t>::max();

option_error refused(const std::string& what) { return {"brisenfall: " + what + " (see --help)"}; }

// A whole decimal number, all of the text; nothing otherwise.
std::optional<long long> whole_number(std::string_view text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  if (text.empty()) return std::nullopt;
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// The option's name without its one or two leading dashes, and a value written after "=".
struct option_word {
  std::string name;
  std::optional<std::string> inline_value;
};

std::optional<option_word> option_of(const std::string& argument) {
  std::string_view text(argument);
  if (text.size() < 2 || text[0] != '-') return std::nullopt;
  text.remove_prefix(text[1] == '-' ? 2 : 1);
  if (text.empty() || text[0] == '-') return std::nullopt;
  option_word word;
  const size_t equals = text.find('=');
  word.name = std::string(text.substr(0, equals));
  if (equals != std::string_view::npos) word.inline_value = std::string(text.substr(equals + 1));
  return word;
}

// Reads the arguments one option at a time.
class option_reader {
 public:
  explicit option_reader(const std::vector<std::string>& arguments) : arguments_(arguments) {}

  std::variant<run_request, option_error> read() {
    while (next_ < arguments_.size()) {
      const std::string& argument = arguments_[next_++];
      const std::optional<option_word> word = option_of(argument);
      if (!word) return refused("unknown option '" + argument + "'");
      if (auto error = take(*word, argument)) return *error;
    }
    return request_;
  }

 private:
  // One option; an error when it is unknown or its value is missing, malformed or out of range.
  std::optional<option_error> take(const option_word& word, const std::string& argument) {
    const std::string& name = word.name;
    const bool takes_value = name == "window-id" || name == "snow" || name == "volume" || name == "scene-seconds" ||
                             name == "depth" || name == "renderer" || name == "max-fps";
    if (!takes_value && word.inline_value) return refused("--" + name + " takes no value");
    if (name == "root") request_.root = true;
    else if (name == "mute") request_.mute = -1;
    else if (name == "music") request_.mute = 0;
    else if (name == "fps") request_.fps = true;
    else if (name == "help") request_.what = run_request::action::help;
    else if (name == "version") request_.what = run_request::action::version;
    else if (!takes_value) return refused("unknown option '" + argument + "'");
    if (!takes_value) return std::nullopt;

    std::optional<std::string> value = word.inline_value;
    if (!value && next_ < arguments_.size()) value = arguments_[next_++];
    if (name == "window-id") {
      if (!value) return refused("--window-id needs a window id, in hexadecimal (0x...) or decimal");
      request_.window_id = parse_window_id(*value);
      if (!request_.window_id) return refused("--window-id needs a window id, in hexadecimal (0x...) or decimal, not '" + *value + "'");
      return std::nullopt;
    }
    if (name == "depth") {
      const std::optional<long long> depth = value ? whole_number(*value) : std::nullopt;
      if (!depth || (*depth != 16 && *depth != 32))
        return refused("--depth takes 16 or 32" + (value ? ", not '" + *value + "'" : std::string()));
      request_.depth = static_cast<int16_t>(*depth);
      return std::nullopt;
    }
    if (name == "renderer") {
      request_.renderer = value ? varnel2d::renderer_named(*value) : std::nullopt;
      if (!request_.renderer)
        return refused("--renderer takes auto, gl or software" + (value ? ", not '" + *value + "'" : std::string()));
      return std::nullopt;
    }
    struct range { std::optional<int16_t>* target; int16_t least, most; };
    const range limits = name == "snow"      ? range{&request_.snow, SNOW_LEAST, SNOW_MOST}
                         : name == "volume"  ? range{&request_.volume, VOLUME_LEAST, VOLUME_MOST}
                         : name == "max-fps" ? range{&request_.max_fps, MAX_FPS_LEAST, MAX_FPS_MOST}
                                             : range{&request_.scene_seconds, SCENE_SECONDS_LEAST, SCENE_SECONDS_MOST};
    const std::optional<long long> number = value ? whole_number(*value) : std::nullopt;
    if (!number || *number < limits.least || *number > limits.most)
      return refused("--" + name + " takes a whole number from " + std::to_string(limits.least) + " to " +
                     std::to_string(limits.most) + (value ? ", not '" + *value + "'" : std::string()));
    *limits.target = static_cast<int16_t>(*number);
    return std::nullopt;
  }

  const std::vector<std::string>& arguments_;
  size_t next_ = 0;
  run_request request_;
};

}  // namespace

bool has_run_options(const std::vector<std::string>& arguments) {
  return !arguments.empty() && !arguments.front().empty() && arguments.front().front() == '-';
}

std::variant<run_request, option_error> parse_run_options(const std::vector<std::string>& arguments) {
  return option_reader(arguments).read();
}

std::optional<uint64_t> parse_window_id(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  uint64_t value = 0;
  const char* end = text.data() + text.size();
  if (text.empty()) return std::nullopt;
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (error != std::errc() || stop != end || value == 0 || value > LARGEST_WINDOW_ID) return std::nullopt;
  return value;
}

std::variant<host_choice, option_error> choose_host(const run_request& request, const char* xscreensaver_window) {
  if (request.window_id) return host_choice{host_choice::kind::given_window, *request.window_id};
  if (!request.root) return host_choice{};
  if (xscreensaver_window == nullptr || *xscreensaver_window == '\0') return host_choice{host_choice::kind::root_window, 0};
  const std::optional<uint64_t> window = parse_window_id(xscreensaver_window);
  if (!window)
    return option_error{"brisenfall: XSCREENSAVER_WINDOW is not a window id: '" + std::string(xscreensaver_window) + "'"};
  return host_choice{host_choice::kind::xscreensaver_window, *window};
}

bool music_may_play(host_choice::kind where, int32_t width, int32_t height, int32_t screen_width,
                    int32_t screen_height) {
  if (where != host_choice::kind::given_window) return true;
  return width >= screen_width && height >= screen_height;
}

void apply_run_options(const run_request& request, settings_values& settings) {
  if (request.snow) settings.cfg_snow_amount = *request.snow;
  if (request.volume) settings.cfg_music_volume = *request.volume;
  if (request.scene_seconds) settings.cfg_scene_time = *request.scene_seconds;
  if (request.mute) settings.cfg_music_mute = *request.mute;
  if (request.depth) settings.cfg_video_depth = *request.depth;
}

varnel2d::display_renderer choose_renderer(std::optional<varnel2d::display_renderer> option, const char* environment,
                                           std::string& warning) {
  if (option) return *option;
  if (environment == nullptr || *environment == '\0') return varnel2d::display_renderer::automatic;
  if (const auto named = varnel2d::renderer_named(environment)) return *named;
  warning = "brisenfall: BRISENFALL_RENDERER takes auto, gl or software, not '" + std::string(environment) +
            "'; choosing automatically";
  return varnel2d::display_renderer::automatic;
}

std::string usage_text() {
  return "Usage: brisenfall [OPTION]...\n"
         "       brisenfall /c | /s | /p WINDOW | /a\n"
         "A snowfall screensaver. Options take one or two leading dashes; a value follows as the next\n"
         "argument or after '='. Values are for this run only and never written to the settings file.\n"
         "\n"
         "  --root               draw into the window in XSCREENSAVER_WINDOW, else the root window\n"
         "  --window-id ID       draw into this window (hexadecimal 0x... or decimal)\n"
         "  --snow N             snowflakes, 100 to 3000\n"
         "  --volume N           music volume in percent, 0 to 100\n"
         "  --scene-seconds N    seconds per scene, 5 to 120\n"
         "  --mute, --music      music off or on\n"
         "  --depth 16|32        colour depth of the back buffer\n"
         "  --fps                show the statistics line\n"
         "  --renderer auto|gl|software\n"
         "                       draw with OpenGL or on the CPU; auto: on the CPU where OpenGL is\n"
         "                       a software rasteriser or missing (also BRISENFALL_RENDERER)\n"
         "  --max-fps N          frames a second at most, 10 to 240 (default: the screen's rate)\n"
         "  --help               print this text\n"
         "  --version            print the version\n"
         "\n"
         "Without --root or --window-id the show fills the screen in a window of its own. Keyboard and\n"
         "mouse do not end a show in a host's window; the host ends it with SIGTERM.\n"
         "The classic switches: /c (or nothing) the configuration dialog, /s the show, /p WINDOW a\n"
         "still preview, /a nothing.\n";
}

}  // namespace brisenfall
