// The frame cycle: frame start and end, device-loss recovery and screenshots.
#include <charconv>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

constexpr int32_t once_a_second_ms = 999;
constexpr double settle_after_rebuild_ms = 500;

// The shortest decimal text that reads back as the same number.
template <typename Number>
std::string shortest(Number value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

void Varnel_2D_Engine::scene_begin() {
  private_poll_mouse();
  private_poll_gamepads();
  // The keyboard is read when a key is checked; its presses are taken here, once a frame.
  private_poll_key_presses();
  for (int32_t i = 1; i <= state_->timers.in_use; ++i) {
    timer_entry& timer = state_->timers.timers[static_cast<size_t>(i)];
    timer.elapsed = to_int32(timer.elapsed + static_cast<double>(timedelta));
  }
  display_device& display = *state_->backends.display;
  display.begin_frame();
  if (state_->images.surface_to_draw >= 1) {
    if (const image_slot* slot = slot_at(state_->images.surfaces, state_->images.surface_to_draw); slot != nullptr && slot->image != 0)
      display.copy_surface(slot->image);
  }
}

void Varnel_2D_Engine::scene_end() {
  if (state_->input.cursor.active) private_draw_cursor();
  if (sceneinfo) private_draw_stats();
  state_->backends.display->present();
  if (state_->frames.cap != 0) {
    // The next frame ends an interval after this one really ended: late frames do not shorten it.
    private_wait_since(state_->frames.capped_frame_end, state_->frames.interval);
    state_->frames.capped_frame_end = private_now();
  }
  if (private_now() - state_->frames.last_second > once_a_second_ms) {
    state_->frames.last_second = private_now();
    framerate = state_->frames.counter;
    state_->frames.counter = 0;
  }
  if (!state_->frames.delta) {
    timedelta = 1.0f;
  } else {
    const delta_outcome outcome = delta_step(state_->frames, private_now());
    if (outcome.wait_ms > 0) lib_delay(outcome.wait_ms);
    timedelta = outcome.timedelta;
  }
  ++state_->frames.counter;
}

void Varnel_2D_Engine::private_draw_cursor() {
  const cursor_config& cursor = state_->input.cursor;
  sprite_quad quad;
  quad.left = cursor.sx;
  quad.top = cursor.sy;
  quad.right = cursor.sx + cursor.sw;
  quad.bottom = cursor.sy + cursor.sh;
  const double x = int_floor(mousex);
  const double y = int_floor(mousey);
  if (cursor.shadow) {
    quad.x = static_cast<float>(x + cursor.shadow_x);
    quad.y = static_cast<float>(y + cursor.shadow_y);
    quad.colour = static_cast<uint32_t>(cursor.shadow_alpha & 0xFF) << 24;
    private_draw(cursor.texture, quad);
  }
  quad.x = static_cast<float>(x);
  quad.y = static_cast<float>(y);
  quad.colour = (static_cast<uint32_t>(cursor.alpha & 0xFF) << 24) | 0x00FFFFFFu;
  private_draw(cursor.texture, quad);
}

void Varnel_2D_Engine::private_draw_stats() {
  state_->frames.stats_line = "FPS=" + shortest(framerate) + " Sprites=" + shortest(private_stats_sprite_count()) +
                       " Mouse=" + shortest(mousex) + "/" + shortest(mousey) + " Button=" + shortest(mousebutton);
  if (state_->map.active)
    state_->frames.stats_line += " Map= " + shortest(to_int32(int_floor(mapx))) + "/" + shortest(to_int32(int_floor(mapy))) +
                          " Tile= " + shortest(map_getatmouse());
  text(10, 10, 300, 50, state_->frames.stats_line, 0xFFFFFFFFu, "Arial", 0, false, false, 0, 0, 0, 0);
}

bool Varnel_2D_Engine::scene_lost() {
  lib_doevents(1);
  device_state state = state_->backends.display->state();
  while (state == device_state::lost) {
    state_->backends.clock->pass_time(1);
    lib_doevents(1);
    state = state_->backends.display->state();
  }
  if (state == device_state::usable) return false;
  const bool rebuilt = private_rebuild_device();
  lib_delay(settle_after_rebuild_ms);
  return !rebuilt;
}

bool Varnel_2D_Engine::private_rebuild_device() {
  private_terminate_textures();
  private_release_input();
  private_release_directx();
  return private_create_device() && private_init_input() && private_reload_textures();
}

bool Varnel_2D_Engine::lib_savescreenshot(const std::string& fullfilepath) {
  ++state_->frames.screenshot_counter;
  const std::string file =
      fullfilepath.empty() ? path + "screen" + std::to_string(state_->frames.screenshot_counter) + ".bmp" : fullfilepath;
  const bool saved = state_->backends.display->save_screenshot(file);
  lib_doevents(1);
  return saved;
}
