// The inputs fuzzing found, read again by their readers: each is refused or read as the table says,
// without a crash, a hang or an allocation out of proportion to its size. The inputs lie in
// inputs/<fuzz target>/, and every one of them needs its line in the table.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <new>
#include <span>
#include <string>
#include <variant>

#include "engine/backends/wave_sound.h"
#include "support/engine_fixture.h"

namespace varnel2d {
namespace {

// The largest block asked for, through operator new (replaced below) and SDL's memory functions.
size_t largest_block = 0;

size_t noted(size_t size) {
  largest_block = std::max(largest_block, size);
  return size;
}

// Sends SDL's allocations through noted() while it lives.
class sdl_allocations {
 public:
  sdl_allocations() {
    SDL_GetMemoryFunctions(&malloc_, &calloc_, &realloc_, &free_);
    SDL_SetMemoryFunctions([](size_t size) { return malloc_(noted(size)); },
                           [](size_t count, size_t size) {
                             noted(count * size);
                             return calloc_(count, size);
                           },
                           [](void* block, size_t size) { return realloc_(block, noted(size)); }, free_);
  }
  ~sdl_allocations() { SDL_SetMemoryFunctions(malloc_, calloc_, realloc_, free_); }

 private:
  static inline SDL_malloc_func malloc_;
  static inline SDL_calloc_func calloc_;
  static inline SDL_realloc_func realloc_;
  static inline SDL_free_func free_;
};

// What each reader made of an input, in a few words.
std::string wave_outcome(std::string_view input) {
  const auto sound = decode_wave({reinterpret_cast<const uint8_t*>(input.data()), input.size()}, "input.wav");
  if (const auto* error = std::get_if<wave_error>(&sound)) return "error " + std::to_string(error->number);
  const wave_sound& read = std::get<wave_sound>(sound);
  return std::to_string(read.frames()) + " frames at " + std::to_string(read.rate) + " Hz";
}

// Maps are loaded the whole way, as the map_file fuzz target does: on the headless display, with a
// tile texture in the data folder. Made before the first input so its own allocations are not counted.
struct map_loader : testing::started_headless {
  map_loader() { testing::write_png(folder.file("tiles.png"), testing::filled_image(64, 64, 0xFFFFFFFFu)); }
};

map_loader& loader() {
  static map_loader made;
  return made;
}

std::string map_outcome(std::string_view input) {
  Varnel_2D_Engine& engine = *loader().engine;
  testing::write_file(loader().folder.file("input.map"), input);
  if (!engine.map_initmapfile("input.map", false, true, false, false, 0xFFFF00FFu)) return "refused";
  engine.map_draw();
  return std::to_string(static_cast<int>(engine.map_getwidth())) + " x " +
         std::to_string(static_cast<int>(engine.map_getheight())) + " cells, " +
         std::to_string(static_cast<int>(engine.map_gethowmanyindexes())) + " buffers";
}

const std::map<std::string, std::function<std::string(std::string_view)>> readers = {
    {"wave", wave_outcome},
    {"map_file", map_outcome},
};

// Each input, by target and file name, and its outcome.
const std::map<std::string, std::string> expected = {
    // The data chunk states more bytes than the file holds (SDL allocated all of them first): the
    // frames that are there are read.
    {"wave/data-past-end.wav", "6 frames at 8000 Hz"},
    {"wave/data-past-end-no-riff.wav", "0 frames at 8000 Hz"},
    // 8192 x 8192 cells and two entries (the buffers were reserved for all of them first).
    {"map_file/large-geometry-short-file.map", "refused"},
    // One cell on a texture of 8192 x 8192 tiles (a lookup entry was made for every tile).
    {"map_file/many-tiles-per-texture.map", "1 x 1 cells, 1 buffers"},
};

TEST(fuzz_findings, every_input_is_refused_or_read_as_the_table_says) {
  loader();
  const sdl_allocations watch;
  size_t inputs = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(FINDINGS_FOLDER)) {
    if (!entry.is_regular_file()) continue;
    ++inputs;
    const std::string name = entry.path().lexically_relative(FINDINGS_FOLDER).generic_string();
    const std::string target = name.substr(0, name.find('/'));
    ASSERT_TRUE(readers.contains(target)) << name << ": no reader for " << target;
    ASSERT_TRUE(expected.contains(name)) << name << " has no line in the table";
    const std::string input = testing::read_file(entry.path());
    largest_block = 0;
    const std::string outcome = readers.at(target)(input);
    const size_t largest = largest_block;
    EXPECT_EQ(outcome, expected.at(name)) << name;
    EXPECT_LE(largest, 64 * input.size() + 65536) << name << ": the largest block read for it";
  }
  EXPECT_EQ(inputs, expected.size()) << "the table names inputs that are not in " << FINDINGS_FOLDER;
}

}  // namespace
}  // namespace varnel2d

// Every allocation of the program is noted, so the test sees the readers' own. The blocks come from
// std::malloc and go back to std::free, which gcc cannot see through operator delete.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  if (void* block = std::malloc(std::max<size_t>(varnel2d::noted(size), 1))) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
