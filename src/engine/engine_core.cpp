// The engine object: start-up, shutdown, the log and the data folder.
#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/angles.h"
#include "engine/paths.h"
#include <varnel2d/numbers.h>
#include <varnel2d/termination_signals.h>

using namespace varnel2d;

namespace {
constexpr int warmup_frame_count = 100;
constexpr double warmup_frame_ms = 25;
}  // namespace

Varnel_2D_Engine::Varnel_2D_Engine() : Varnel_2D_Engine(real_backends()) {}

Varnel_2D_Engine::Varnel_2D_Engine(engine_backends backends) : state_(std::make_unique<engine_state>()) {
  state_->backends = std::move(backends);
}

Varnel_2D_Engine::~Varnel_2D_Engine() = default;

bool Varnel_2D_Engine::init(native_window frm, std::optional<double> width, std::optional<double> height,
                            std::optional<double> depth) {
  if (!width || !height || !depth) return false;
  state_->core.window = frm;
  state_->core.width = to_int32(*width);
  state_->core.height = to_int32(*height);
  state_->core.depth = to_int32(*depth);
  state_->core.pi = engine_pi;
  scene_setframerate(0, true);
  timedelta = 1.0f;
  lib_initdelta(50);
  private_build_angle_table();
  private_build_direction_table();
  state_->frames.clock.start(*state_->backends.clock);
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
  state_->sprites.sortcursor = 1;
  return true;
}

bool Varnel_2D_Engine::private_create_device() {
  const display_mode mode{state_->core.window, state_->core.width, state_->core.height, state_->core.depth == 16 ? 16 : 32};
  if (state_->core.width < 1 || state_->core.height < 1 || !state_->backends.display->open(mode)) {
    state_->backends.display->close();
    return false;
  }
  state_->core.device_open = true;
  private_warmup_frames();
  return true;
}

void Varnel_2D_Engine::private_warmup_frames() {
  const bool kept_sceneinfo = sceneinfo;
  const int16_t kept_surface = state_->images.surface_to_draw;
  sceneinfo = false;
  state_->images.surface_to_draw = 0;
  // SIGTERM or SIGINT, or a host's window that is gone, cuts the black frames short: the show is
  // about to end.
  display_device& display = *state_->backends.display;
  for (int frame = 0; frame < warmup_frame_count && !termination_requested() && !display.window_gone(); ++frame) {
    scene_begin();
    scene_end();
    lib_delay(warmup_frame_ms);
  }
  sceneinfo = kept_sceneinfo;
  state_->images.surface_to_draw = kept_surface;
}

void Varnel_2D_Engine::private_build_angle_table() { state_->core.angle_table = make_angle_table(state_->core.pi); }

void Varnel_2D_Engine::private_build_direction_table() { state_->core.direction_table = make_direction_table(); }

void Varnel_2D_Engine::terminate() {
  // Releasing the sound and the display can take a tenth of a second or more; the screen is
  // given back first.
  state_->backends.display->hide();
  private_terminate_textures();
  private_release_input();
  private_audio_stop();
  private_release_directx();
  state_->core.window = 0;
  private_delete_unpacked_files();
  lib_doevents(1);
}

void Varnel_2D_Engine::private_release_directx() {
  state_->backends.display->close();
  state_->core.device_open = false;
}

void Varnel_2D_Engine::log(const std::string& t) { append_line(path + "data.log", t); }

void Varnel_2D_Engine::lib_setpath(const std::string& filepath, const std::string& foldername) {
  path = data_folder(filepath, foldername);
}

double Varnel_2D_Engine::lib_getscreenwidth() const { return state_->core.width; }
double Varnel_2D_Engine::lib_getscreenheight() const { return state_->core.height; }
double Varnel_2D_Engine::lib_getscreendepth() const { return state_->core.depth; }
double Varnel_2D_Engine::lib_getmaxtexturewidth() { return state_->backends.display->max_texture_size().width; }
double Varnel_2D_Engine::lib_getmaxtextureheight() { return state_->backends.display->max_texture_size().height; }
