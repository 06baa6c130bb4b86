// The engine object's private state: one struct per family, gathered so that the public header
// names none of them.
#pragma once

#include "engine/audio.h"
#include "engine/draw_math.h"
#include "engine/engine_core.h"
#include "engine/extras/background_tiles.h"
#include "engine/extras/high_scores.h"
#include "engine/extras/pack.h"
#include "engine/extras/tile_map.h"
#include "engine/frame_state.h"
#include "engine/input_state.h"
#include "engine/sprites/animation_table.h"
#include "engine/sprites/sprite_table.h"
#include "engine/texture_table.h"
#include "engine/timer_table.h"

namespace varnel2d {

struct engine_state {
  sprite_table sprites;
  animation_table animations;
  tile_map map;
  pack_state pack;
  background_tiles backgrounds;
  high_score_table high_scores;
  bool sound_available = false;
  bool music_available = false;
  audio_state audio;
  engine_backends backends;
  core_state core;
  texture_table images;
  frame_state frames;
  input_state input;
  timer_table timers;
};

}  // namespace varnel2d
