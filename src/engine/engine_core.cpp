// The engine object: start-up, shutdown, the log and the data folder.
#include "engine/Varnel_2D_Engine.h"
#include "engine/angles.h"
#include "engine/paths.h"
#include "platform/numbers.h"
#include "platform/termination_signals.h"

using namespace brisenfall;

namespace {
constexpr int warmup_frame_count = 100;
constexpr double warmup_frame_ms = 25;
}  // namespace

Varnel_2D_Engine::Varnel_2D_Engine() : Varnel_2D_Engine(real_backends()) {}

Varnel_2D_Engine::Varnel_2D_Engine(engine_backends backends) : backends_(std::move(backends)) {}

Varnel_2D_Engine::~Varnel_2D_Engine() = default;

bool Varnel_2D_Engine::init(native_window frm, std::optional<double> width, std::optional<double> height,
                            std::optional<double> depth) {
  if (!width || !height || !depth) return false;
  core_.window = frm;
  core_.width = to_int32(*width);
  core_.height = to_int32(*height);
  core_.depth = to_int32(*depth);
  core_.pi = engine_pi;
  scene_setframerate(0, true);
  timedelta = 1.0f;
  lib_initdelta(50);
  private_build_angle_table();
  private_build_direction_table();
  frames_.clock.start(*backends_.clock);
  sceneinfo = false;
  timer_init(0);
  if (!private_create_device()) {
    log("Device Init Failed");
    return false;
  }
  private_audio_start();
  if (!private_init_input()) {
    log("Direct Input Init Failed");
    return false;
  }
  sprites_.sortcursor = 1;
  return true;
}

bool Varnel_2D_Engine::private_create_device() {
  const display_mode mode{core_.window, core_.width, core_.height, core_.depth == 16 ? 16 : 32};
  if (core_.width < 1 || core_.height < 1 || !backends_.display->open(mode)) {
    backends_.display->close();
    return false;
  }
  core_.device_open = true;
  private_warmup_frames();
  return true;
}

void Varnel_2D_Engine::private_warmup_frames() {
  const bool kept_sceneinfo = sceneinfo;
  const int16_t kept_surface = images_.surface_to_draw;
  sceneinfo = false;
  images_.surface_to_draw = 0;
  // SIGTERM or SIGINT, or a host's window that is gone, cuts the black frames short: the show is
  // about to end.
  display_device& display = *backends_.display;
  for (int frame = 0; frame < warmup_frame_count && !termination_requested() && !display.window_gone(); ++frame) {
    scene_begin();
    scene_end();
    lib_delay(warmup_frame_ms);
  }
  sceneinfo = kept_sceneinfo;
  images_.surface_to_draw = kept_surface;
}

void Varnel_2D_Engine::private_build_angle_table() { core_.angle_table = make_angle_table(core_.pi); }

void Varnel_2D_Engine::private_build_direction_table() { core_.direction_table = make_direction_table(); }

void Varnel_2D_Engine::terminate() {
  // Releasing the sound and the display can take a tenth of a second or more; the screen is
  // given back first.
  backends_.display->hide();
  private_terminate_textures();
  private_release_input();
  private_audio_stop();
  private_release_directx();
  core_.window = 0;
  private_delete_unpacked_files();
  lib_doevents(1);
}

void Varnel_2D_Engine::private_release_directx() {
  backends_.display->close();
  core_.device_open = false;
}

void Varnel_2D_Engine::log(const std::string& t) { append_line(path + "data.log", t); }

void Varnel_2D_Engine::lib_setpath(const std::string& filepath, const std::string& foldername) {
  path = data_folder(filepath, foldername);
}

double Varnel_2D_Engine::lib_getscreenwidth() const { return core_.width; }
double Varnel_2D_Engine::lib_getscreenheight() const { return core_.height; }
double Varnel_2D_Engine::lib_getscreendepth() const { return core_.depth; }
double Varnel_2D_Engine::lib_getmaxtexturewidth() { return backends_.display->max_texture_size().width; }
double Varnel_2D_Engine::lib_getmaxtextureheight() { return backends_.display->max_texture_size().height; }
