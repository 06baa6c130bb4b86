// The frame cycle: frame start and end, device-loss recovery and screenshots.
#include <charconv>

#include "engine/Varnel_2D_Engine.h"
#include "platform/numbers.h"

using namespace brisenfall;

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
  for (int32_t i = 1; i <= timers_.in_use; ++i) {
    timer_entry& timer = timers_.timers[static_cast<size_t>(i)];
    timer.elapsed = to_int32(timer.elapsed + static_cast<double>(timedelta));
  }
  display_device& display = *backends_.display;
  display.begin_frame();
  if (images_.surface_to_draw >= 1) {
    if (const image_slot* slot = slot_at(images_.surfaces, images_.surface_to_draw); slot != nullptr && slot->image != 0)
      display.copy_surface(slot->image);
  }
}

void Varnel_2D_Engine::scene_end() {
  if (input_.cursor.active) private_draw_cursor();
  if (sceneinfo) private_draw_stats();
  backends_.display->present();
  if (frames_.cap != 0) {
    // The next frame ends an interval after this one really ended: late frames do not shorten it.
    private_wait_since(frames_.capped_frame_end, frames_.interval);
    frames_.capped_frame_end = private_now();
  }
  if (private_now() - frames_.last_second > once_a_second_ms) {
    frames_.last_second = private_now();
    framerate = frames_.counter;
    frames_.counter = 0;
  }
  if (!frames_.delta) {
    timedelta = 1.0f;
  } else {
    const delta_outcome outcome = delta_step(frames_, private_now());
    if (outcome.wait_ms > 0) lib_delay(outcome.wait_ms);
    timedelta = outcome.timedelta;
  }
  ++frames_.counter;
}

void Varnel_2D_Engine::private_draw_cursor() {
  const cursor_config& cursor = input_.cursor;
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
  frames_.stats_line = "FPS=" + shortest(framerate) + " Sprites=" + shortest(private_stats_sprite_count()) +
                       " Mouse=" + shortest(mousex) + "/" + shortest(mousey) + " Button=" + shortest(mousebutton);
  if (map_.active)
    frames_.stats_line += " Map= " + shortest(to_int32(int_floor(mapx))) + "/" + shortest(to_int32(int_floor(mapy))) +
                          " Tile= " + shortest(map_getatmouse());
  text(10, 10, 300, 50, frames_.stats_line, 0xFFFFFFFFu, "Arial", 0, false, false, 0, 0, 0, 0);
}

bool Varnel_2D_Engine::scene_lost() {
  lib_doevents(1);
  device_state state = backends_.display->state();
  while (state == device_state::lost) {
    backends_.clock->pass_time(1);
    lib_doevents(1);
    state = backends_.display->state();
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
  ++frames_.screenshot_counter;
  const std::string file =
      fullfilepath.empty() ? path + "screen" + std::to_string(frames_.screenshot_counter) + ".bmp" : fullfilepath;
  const bool saved = backends_.display->save_screenshot(file);
  lib_doevents(1);
  return saved;
}
