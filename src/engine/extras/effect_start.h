// Starting an effect channel of a map cell or an effect tile: the step, the limits, the duration
// (nearest whole number) and the style; the channel then runs with the shared effect styles.
#pragma once

#include "engine/sprites/effect_style.h"
#include <varnel2d/numbers.h>

namespace varnel2d {

inline void start_channel(effect_channel& channel, double step, double min, double max, double length,
                          double style) {
  channel.step = static_cast<float>(step);
  channel.min = static_cast<float>(min);
  channel.max = static_cast<float>(max);
  channel.length = to_int32(length);
  channel.style = to_int32(style);
  channel.running = true;
}

}  // namespace varnel2d
