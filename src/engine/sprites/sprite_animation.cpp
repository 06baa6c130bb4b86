// Frame animation: defining animations from text and data files, the play modes, the animations
// by direction, the frame setters and getters, and the animation step of the sprite pass.
#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/delimited_text.h"
#include "engine/paths.h"
#include "engine/sprites/behaviours.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

// Animation modes.
constexpr int32_t loop_mode = 1;
constexpr int32_t collide_mode = 2;
constexpr int32_t hit_mode = 3;
constexpr int32_t once_mode = 4;
constexpr int32_t direction_mode = 5;
constexpr int32_t once_then_off_mode = 6;
constexpr int32_t hit_then_direction_mode = 7;

constexpr size_t direction_list_pieces = 2 * direction_count;

// Shows frame k of the entry: its texture and its cell.
void show_frame(sprite_record& s, const animation_entry& entry, int32_t k) {
  const auto frame = static_cast<size_t>(k);
  s.textureindex = entry.frametexture.at(frame);
  s.xframe = static_cast<float>(entry.framex.at(frame));
  s.yframe = static_cast<float>(entry.framey.at(frame));
}

// Takes the entry's frame grid: source corner and frame size.
void take_grid(sprite_record& s, const animation_entry& entry) {
  s.srcx = entry.srcx;
  s.srcy = entry.srcy;
  s.framewidth = entry.framewidth;
  s.frameheight = entry.frameheight;
}

// Starts animation `index` in `mode` from frame 1, shown at once; the first change of frame comes
// after speed + 1 units.
void start_animation(sprite_record& s, const animation_table& table, int32_t mode, int32_t index, int32_t speed) {
  const animation_entry& entry = table.animation(index);
  s.animmode = mode;
  s.animindex = index;
  s.animspeed = speed;
  s.animframe = 1;
  s.animcounter = -1;
  take_grid(s, entry);
  show_frame(s, entry, 1);
}

// Counts the frame time; true when the next frame is due (the counter then restarts).
bool frame_due(sprite_record& s, float t) {
  s.animcounter = to_int32(s.animcounter + static_cast<double>(t));
  if (s.animcounter < s.animspeed) return false;
  s.animcounter = 0;
  s.animframe = s.animframe + 1;
  return true;
}

// Mode 5: a new direction with an animation of its own switches to it, due at once from frame 1.
void follow_direction(sprite_record& s, const animation_table& table) {
  if (s.direction == s.lastdirection) return;
  s.lastdirection = s.direction;
  const auto direction = static_cast<size_t>(s.direction);
  if (s.diranimindex.at(direction) < 1) return;
  s.animindex = s.diranimindex[direction];
  s.animspeed = s.diranimspeed[direction];
  s.animcounter = s.animspeed + 1;
  take_grid(s, table.animation(s.animindex));
  s.animframe = 0;
}

// Past the last frame: the mode decides. Returns true when the sprite was switched off.
bool after_last_frame(sprite_record& s, const animation_table& table, const animation_entry& entry) {
  s.animframe = 1;
  switch (s.animmode) {
    case loop_mode:
    case direction_mode:
      show_frame(s, entry, 1);
      return false;
    case collide_mode:
    case once_then_off_mode:
      switch_off(s);
      return true;
    case hit_mode: {
      s.animindex = s.newanimindex;
      s.animspeed = s.newanimspeed;
      const animation_entry& next = table.animation(s.animindex);
      take_grid(s, next);
      s.animmode = loop_mode;
      show_frame(s, next, 1);
      return false;
    }
    case once_mode:
      s.animmode = 0;  // the last frame stays
      return false;
    case hit_then_direction_mode:
      s.animmode = direction_mode;
      s.lastdirection = -1;  // the next frame chooses the direction's animation afresh
      return false;
    default:
      return false;
  }
}

}  // namespace

bool Varnel_2D_Engine::private_definition_failed(const std::string& operation, const std::string& detail) {
  log("Error. (" + operation + ")");
  log(detail);
  return false;
}

bool Varnel_2D_Engine::sprite_animateset(double animindex, double srcx, double srcy, double framewidth,
                                         double frameheight, double animlength, const std::string& frame_parameters,
                                         const std::string& texture_parameters) {
  const int32_t index = to_int32(animindex);
  if (index > state_->animations.animation_count()) state_->animations.size_animations(index);
  const std::vector<std::string_view> frame_pieces = comma_pieces(frame_parameters);
  const std::vector<std::string_view> texture_pieces = comma_pieces(texture_parameters);
  const double pairs = static_cast<double>(frame_pieces.size()) / 2;
  const auto textures = static_cast<double>(texture_pieces.size());
  const char* operation = "sprite_animateset";
  if (animlength != pairs || animlength != textures)
    return private_definition_failed(operation, "Passed frame total does not match string parameter length.");
  if (pairs < 1 || textures < 1) return private_definition_failed(operation, "Frame total < 1.");
  if (pairs > most_frames || textures > most_frames) return private_definition_failed(operation, "Frame total > 64.");
  std::vector<double> frames, frame_textures;
  for (const std::string_view piece : frame_pieces) frames.push_back(leading_number(piece));
  for (const std::string_view piece : texture_pieces) frame_textures.push_back(leading_number(piece));
  state_->animations.animation(index) =
      make_animation(to_int32(srcx), to_int32(srcy), to_int32(framewidth), to_int32(frameheight), frames,
                     frame_textures);
  return true;
}

bool Varnel_2D_Engine::sprite_animatefileinit(const std::string& filenameonly, double textureindexoffset) {
  const char* operation = "sprite_animatefileinit";
  const std::string file = path + filenameonly;
  const std::optional<std::string> text = read_whole_file(file);
  if (!text) return private_definition_failed(operation, "Cannot read " + file + ".");
  const std::optional<std::string> error = read_animation_data(*text, state_->animations, to_int32(textureindexoffset));
  if (error) return private_definition_failed(operation, *error);
  return true;
}

void Varnel_2D_Engine::sprite_animateloop(double sprite, double animindex, double animspeed) {
  start_animation(state_->sprites.at(sprite), state_->animations, loop_mode, to_int32(animindex), to_int32(animspeed));
}

void Varnel_2D_Engine::sprite_animatecollide(double sprite, double animindex, double animspeed) {
  sprite_record& s = state_->sprites.at(sprite);
  start_animation(s, state_->animations, collide_mode, to_int32(animindex), to_int32(animspeed));
  s.collidestatus = false;
}

void Varnel_2D_Engine::sprite_animatehit(double sprite, double animindex, double animspeed, double newanimindex,
                                         double newanimspeed) {
  sprite_record& s = state_->sprites.at(sprite);
  start_animation(s, state_->animations, hit_mode, to_int32(animindex), to_int32(animspeed));
  s.newanimindex = to_int32(newanimindex);
  s.newanimspeed = to_int32(newanimspeed);
}

void Varnel_2D_Engine::sprite_animateonce(double sprite, double animindex, double animspeed) {
  start_animation(state_->sprites.at(sprite), state_->animations, once_mode, to_int32(animindex), to_int32(animspeed));
}

void Varnel_2D_Engine::sprite_animateonceturnoff(double sprite, double animindex, double animspeed) {
  start_animation(state_->sprites.at(sprite), state_->animations, once_then_off_mode, to_int32(animindex), to_int32(animspeed));
}

void Varnel_2D_Engine::sprite_animatehitdir(double sprite, double animindex, double animspeed) {
  start_animation(state_->sprites.at(sprite), state_->animations, hit_then_direction_mode, to_int32(animindex),
                  to_int32(animspeed));
}

bool Varnel_2D_Engine::sprite_animatedirection(double sprite, double startingdirection,
                                               const std::string& directionlist) {
  const std::vector<std::string_view> pieces = comma_pieces(directionlist);
  const int16_t start = to_int16(startingdirection);
  if (pieces.size() != direction_list_pieces || start < 0 || start >= direction_count) return false;
  sprite_record& s = state_->sprites.at(sprite);
  for (size_t k = 0; k < static_cast<size_t>(direction_count); ++k) {
    s.diranimindex[k] = to_int32(leading_number(pieces[2 * k]));
    s.diranimspeed[k] = to_int32(leading_number(pieces[2 * k + 1]));
  }
  const auto first = static_cast<size_t>(start);
  if (s.diranimindex[first] >= 1) {
    start_animation(s, state_->animations, direction_mode, s.diranimindex[first], s.diranimspeed[first]);
  } else {
    // No animation for the starting direction: the current frame stays until one is chosen.
    s.animmode = direction_mode;
    s.animindex = s.diranimindex[first];
    s.animspeed = s.diranimspeed[first];
    s.animframe = 1;
    s.animcounter = -1;
  }
  s.direction = s.lastdirection = start;
  return true;
}

void Varnel_2D_Engine::sprite_animateoff(double sprite) { state_->sprites.at(sprite).animmode = 0; }

void Varnel_2D_Engine::sprite_animatesetframe(double sprite, double textureindex, double sourcex, double sourcey,
                                              double framewidth, double frameheight, double xframe, double yframe) {
  sprite_record& s = state_->sprites.at(sprite);
  s.textureindex = to_int32(textureindex);
  s.srcx = to_int32(sourcex);
  s.srcy = to_int32(sourcey);
  s.framewidth = to_int32(framewidth);
  s.frameheight = to_int32(frameheight);
  sprite_animatesetframeindex(sprite, xframe, yframe);
}

void Varnel_2D_Engine::sprite_animatesetframeindex(double sprite, double xframe, double yframe) {
  sprite_record& s = state_->sprites.at(sprite);
  s.xframe = static_cast<float>(xframe);
  s.yframe = static_cast<float>(yframe);
}

double Varnel_2D_Engine::sprite_animategetanim(double sprite) {
  const sprite_record& s = state_->sprites.at(sprite);
  return s.animmode != 0 ? s.animindex : 0;
}

void Varnel_2D_Engine::sprite_animategetframeindex(double sprite) {
  const sprite_record& s = state_->sprites.at(sprite);
  retx = s.xframe;
  rety = s.yframe;
}

void Varnel_2D_Engine::sprite_animategetframesize(double sprite) {
  retx = static_cast<float>(sprite_animategetframewidth(sprite));
  rety = static_cast<float>(sprite_animategetframeheight(sprite));
}

double Varnel_2D_Engine::sprite_animategetframewidth(double sprite) { return state_->sprites.at(sprite).framewidth; }

double Varnel_2D_Engine::sprite_animategetframeheight(double sprite) { return state_->sprites.at(sprite).frameheight; }

namespace varnel2d {

const char* animation_operation(int32_t mode) {
  switch (mode) {
    case loop_mode: return "sprite_animateloop";
    case collide_mode: return "sprite_animatecollide";
    case hit_mode: return "sprite_animatehit";
    case once_mode: return "sprite_animateonce";
    case direction_mode: return "sprite_animatedirection";
    case once_then_off_mode: return "sprite_animateonceturnoff";
    case hit_then_direction_mode: return "sprite_animatehitdir";
    default: return "sprite_animate";
  }
}

turn_result animate_frames(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  if (s.animmode == direction_mode) {
    follow_direction(s, turn.animations);
    if (s.animindex < 1) return turn_result::goes_on;  // no direction with an animation yet
  }
  if (!frame_due(s, turn.t)) return turn_result::goes_on;
  const animation_entry& entry = turn.animations.animation(s.animindex);
  if (s.animframe <= entry.frametotal) {
    show_frame(s, entry, s.animframe);
    return turn_result::goes_on;
  }
  return after_last_frame(s, turn.animations, entry) ? turn_result::ends : turn_result::goes_on;
}

}  // namespace varnel2d
