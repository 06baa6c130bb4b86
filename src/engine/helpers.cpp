// Numeric and file helpers of the engine object: random numbers, counters, angles, colours, files.
#include <cmath>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/angles.h"
#include "engine/draw_math.h"
#include "engine/paths.h"
#include <varnel2d/numbers.h>
#include <varnel2d/random.h>

using namespace varnel2d;

double Varnel_2D_Engine::lib_getnumber(double low, double high) {
  random_reseed_from_clock();
  return low + int_floor((high - low + 1) * random_unit());
}

bool Varnel_2D_Engine::lib_chance(double percent) {
  const double first = random_unit();
  // Reseeding mixes the value in: restarting from it would allow only 100 000 states, and a run of
  // chances would soon repeat (a 50 % chance came up about one time in five).
  random_mix(static_cast<uint64_t>(int_floor(first * 100000) + 1));
  return static_cast<float>(random_unit() * 100) <= percent;
}

void Varnel_2D_Engine::lib_varaddlimit(double& var, double value, double min, double max) {
  var += value;
  if (var < min)
    var = min;
  else if (var > max)
    var = max;
}

void Varnel_2D_Engine::lib_varaddwrap(double& var, double value, double min, double max) {
  var += value;
  if (var < min)
    var = max;
  else if (var > max)
    var = min;
}

double Varnel_2D_Engine::lib_getangle(float x1, float y1, float x2, float y2) {
  return angle_towards(x1, y1, x2, y2, engine_pi);
}

void Varnel_2D_Engine::lib_getadirection(double angle, double velocity) {
  const auto [x, y] = movement_towards(angle, velocity, engine_pi);
  retx = x;
  rety = y;
}

double Varnel_2D_Engine::lib_getdistance(double x1, double y1, double x2, double y2) {
  return static_cast<float>(std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1)));
}

uint32_t Varnel_2D_Engine::lib_getargbcolor(double alpha, double red, double green, double blue) {
  return pack_argb(alpha, red, green, blue);
}

bool Varnel_2D_Engine::lib_fileexists(const std::string& fullfilepath) { return file_has_content(fullfilepath); }

std::string Varnel_2D_Engine::lib_filepathgetname(const std::string& filepath) { return file_name_of(filepath); }
