// The inputs fuzzing found, read again by their readers: each is refused or read as the table says,
// without a crash, a hang or an allocation beyond what it holds. The inputs lie in
// inputs/<fuzz target>/, and every one of them needs its line in the table.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <variant>

#include "platform/wave_sound.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

std::span<const uint8_t> bytes_of(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// The largest block SDL is asked for while it records, through SDL's own memory functions.
class sdl_allocations {
 public:
  sdl_allocations() {
    SDL_GetMemoryFunctions(&malloc_, &calloc_, &realloc_, &free_);
    SDL_SetMemoryFunctions([](size_t size) { return malloc_(note(size)); },
                           [](size_t count, size_t size) { return calloc_(count, note(count * size)); },
                           [](void* block, size_t size) { return realloc_(block, note(size)); }, free_);
  }
  ~sdl_allocations() { SDL_SetMemoryFunctions(malloc_, calloc_, realloc_, free_); }
  size_t largest() const { return largest_; }

 private:
  static size_t note(size_t size) {
    largest_ = std::max(largest_, size);
    return size;
  }
  static inline SDL_malloc_func malloc_;
  static inline SDL_calloc_func calloc_;
  static inline SDL_realloc_func realloc_;
  static inline SDL_free_func free_;
  static inline size_t largest_ = 0;
};

// What each reader made of an input, in a few words.
std::string wave_outcome(std::string_view input) {
  const sdl_allocations allocations;
  const auto sound = decode_wave(bytes_of(input), "input.wav");
  if (allocations.largest() > 64 * input.size() + 4096)
    return "SDL allocated " + std::to_string(allocations.largest()) + " bytes";
  if (const auto* error = std::get_if<wave_error>(&sound)) return "error " + std::to_string(error->number);
  const wave_sound& read = std::get<wave_sound>(sound);
  return std::to_string(read.frames()) + " frames at " + std::to_string(read.rate) + " Hz";
}

const std::map<std::string, std::function<std::string(std::string_view)>> readers = {
    {"wave", wave_outcome},
};

// Each input, by target and file name, and its outcome.
const std::map<std::string, std::string> expected = {
    // The data chunk states more bytes than the file holds (SDL allocated all of them first): the
    // frames that are there are read.
    {"wave/data-past-end.wav", "6 frames at 8000 Hz"},
    {"wave/data-past-end-no-riff.wav", "0 frames at 8000 Hz"},
};

TEST(fuzz_findings, every_input_is_refused_or_read_as_the_table_says) {
  size_t inputs = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(FINDINGS_FOLDER)) {
    if (!entry.is_regular_file()) continue;
    ++inputs;
    const std::string name = entry.path().lexically_relative(FINDINGS_FOLDER).generic_string();
    const std::string target = name.substr(0, name.find('/'));
    ASSERT_TRUE(readers.contains(target)) << name << ": no reader for " << target;
    ASSERT_TRUE(expected.contains(name)) << name << " has no line in the table";
    EXPECT_EQ(readers.at(target)(testing::read_file(entry.path())), expected.at(name)) << name;
  }
  EXPECT_EQ(inputs, expected.size()) << "the table names inputs that are not in " << FINDINGS_FOLDER;
}

}  // namespace
}  // namespace brisenfall
