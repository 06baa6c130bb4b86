// A display double that really rasterises: SDL's software renderer drawing into memory, with the
// back buffer's pixels readable and device states that tests can set.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/display_device.h"
#include "platform/sdl_display_base.h"

struct SDL_Surface;

namespace brisenfall {

class headless_display final : public sdl_display_base {
 public:
  headless_display() = default;
  ~headless_display() override;

  bool open(const display_mode& mode) override;
  void close() override;
  device_state state() override;

  // The back buffer's pixel as ARGB (pending quads are drawn first).
  uint32_t pixel(int32_t x, int32_t y);
  // The next state() answers; usable by default.
  void simulate(device_state next) { simulated_ = next; }
  int32_t opens() const { return opens_; }
  int32_t presents() const { return presents_; }
  int32_t depth() const { return depth_; }
  void present() override;

 private:
  SDL_Surface* output_ = nullptr;
  device_state simulated_ = device_state::usable;
  int32_t opens_ = 0;
  int32_t presents_ = 0;
  int32_t depth_ = 0;
};

}  // namespace brisenfall
