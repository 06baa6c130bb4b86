// Offset paths: defining them from text, a path file or a data file of many paths, and the
// path-offset behaviour (code 5), which walks a sprite along a path one point at a time.
#include <stdexcept>
#include <string>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/delimited_text.h"
#include "engine/paths.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/motion.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

constexpr int32_t path_offset_code = 5;

// Path types: each point a step from where the sprite is, or a place beside another sprite.
constexpr int32_t steps = 0;
constexpr int32_t beside_sprite = 1;

// What happens at the last point: switch off, stop, repeat, repeat until offsetlength runs out.
constexpr int32_t off_at_end = 0;
constexpr int32_t stop_at_end = 1;
constexpr int32_t repeat = 2;
constexpr int32_t repeat_for_a_time = 3;

}  // namespace

bool Varnel_2D_Engine::sprite_offsetset(double offsetindex, double lengthtotal, const std::string& parameters,
                                        const std::string& filename) {
  const char* operation = "sprite_offsetset";
  const int32_t index = to_int32(offsetindex);
  if (index > state_->animations.path_count()) state_->animations.size_paths(index);
  offset_path& target = state_->animations.path(index);
  if (!filename.empty()) {
    const std::string file = path + filename;
    const std::optional<std::string> text = read_whole_file(file);
    if (!text) return private_definition_failed(operation, "Cannot read " + file + ".");
    const std::optional<std::string> error = read_offset_path(*text, target);
    if (error) return private_definition_failed(operation, *error);
    return true;
  }
  const std::vector<std::string_view> pieces = comma_pieces(parameters);
  const double pairs = static_cast<double>(pieces.size()) / 2;
  if (lengthtotal != pairs)
    return private_definition_failed(operation, "Passed length total does not match string parameter length.");
  if (pairs < 1) return private_definition_failed(operation, "Length total < 1.");
  if (pairs > most_path_points) return private_definition_failed(operation, "Length total > 800.");
  const auto length = static_cast<size_t>(pairs);
  target.pathlength = static_cast<int32_t>(length);
  target.xoffsets.assign(length + 1, 0.0f);
  target.yoffsets.assign(length + 1, 0.0f);
  for (size_t k = 1; k <= length; ++k) {
    target.xoffsets[k] = static_cast<float>(leading_number(pieces[2 * k - 2]));
    target.yoffsets[k] = static_cast<float>(leading_number(pieces[2 * k - 1]));
  }
  return true;
}

bool Varnel_2D_Engine::sprite_offsetfileinit(const std::string& filenameonly) {
  const char* operation = "sprite_offsetfileinit";
  const std::string file = path + filenameonly;
  const std::optional<std::string> text = read_whole_file(file);
  if (!text) return private_definition_failed(operation, "Cannot read " + file + ".");
  const std::optional<std::string> error = read_offset_data(*text, state_->animations);
  if (error) return private_definition_failed(operation, *error);
  return true;
}

void Varnel_2D_Engine::sprite_engineoffset(double sprite, double offsetindex, double offsetspeed, double offsettype,
                                           double offsetstyle, double offsetsprite, double offsetlength,
                                           double startingpoint) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = path_offset_code;
  s.offsetindex = to_int32(offsetindex);
  s.offsettimer = s.speed = static_cast<float>(offsetspeed);
  s.offsettype = to_int32(offsettype);
  s.offsetstyle = to_int32(offsetstyle);
  s.target = to_int32(offsetsprite);
  s.offsetlength = to_int32(offsetlength);
  s.offsetposition = static_cast<float>(startingpoint);
  s.length = static_cast<float>(state_->animations.path(s.offsetindex).pathlength);
}

namespace varnel2d {

turn_result behave_path_offset(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  s.offsettimer = s.offsettimer - turn.t;
  if (s.offsettimer >= 1) return turn_result::goes_on;
  s.offsettimer = s.speed;
  s.offsetposition = s.offsetposition + 1;
  const offset_path& walked = turn.animations.path(s.offsetindex);
  const int32_t point = to_int32(s.offsetposition);
  if (point < 1 || point > walked.pathlength)
    throw std::out_of_range("point " + std::to_string(point) + " is outside its offset path of " +
                            std::to_string(walked.pathlength) + " points");
  s.xdir = walked.xoffsets[static_cast<size_t>(point)];
  s.ydir = walked.yoffsets[static_cast<size_t>(point)];
  if (s.offsettype == steps) {
    s.x = s.x + s.xdir;  // a step per point, whatever the frame time
    s.y = s.y + s.ydir;
  } else if (s.offsettype == beside_sprite) {
    const sprite_record& other = turn.sprites.at(s.target);
    s.x = other.x + s.xdir;
    s.y = other.y + s.ydir;
  }
  set_direction(s);
  const bool at_end = s.offsetposition == s.length;
  switch (s.offsetstyle) {
    case off_at_end:
      if (at_end) return end_turn_off(s);
      break;
    case stop_at_end:
      if (at_end) {
        s.enginetype = 0;
        s.delay = 0;
      }
      break;
    case repeat:
      if (at_end) s.offsetposition = 0.0f;
      break;
    case repeat_for_a_time:
      if (at_end) s.offsetposition = 0.0f;
      s.offsetlength = to_int32(s.offsetlength - static_cast<double>(turn.t));
      if (s.offsetlength < 1) return end_turn_off(s);
      break;
    default:
      break;
  }
  return turn_result::goes_on;
}

}  // namespace varnel2d
