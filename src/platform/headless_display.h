// A display double that really rasterises: SDL's software renderer drawing into memory, with the
// back buffer's pixels readable and device states that tests can set.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

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
  // Answers of the following state() calls, oldest first; then usable. A rebuild keeps them, so
  // a loss can follow right after one.
  std::vector<device_state> upcoming_states;
  // Makes open() fail, as a device that cannot be made again does.
  bool fail_open = false;
  int32_t opens() const { return opens_; }
  int32_t presents() const { return presents_; }
  int32_t depth() const { return depth_; }
  void present() override;

 private:
  SDL_Surface* output_ = nullptr;
  int32_t opens_ = 0;
  int32_t presents_ = 0;
  int32_t depth_ = 0;
};

}  // namespace brisenfall
