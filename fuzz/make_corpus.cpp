// fuzz_make_corpus FOLDER: writes the fuzz targets' seed files into FOLDER/<target>/, each made by the
// project's own writer for that kind of file where there is one; data files are written in their
// documented format and waves of other encodings by a helper here. The settings store's seeds come
// from fuzz/make-corpus.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/extras/compression.h"
#include "engine/extras/high_scores.h"
#include "engine/extras/map_file.h"
#include "engine/extras/pack.h"
#include "engine/backends/wave_sound.h"
#include "shell/settings_file.h"
#include "smf.h"
#include "support/audio_test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace brisenfall;
using namespace varnel2d;

fs::path folder;

void seed(const std::string& target, const std::string& name, std::string_view bytes) {
  fs::create_directories(folder / target);
  std::ofstream(folder / target / name, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void seed(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
  seed(target, name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void settings_files() {
  settings_values values;
  values.cfg_install_path = "/usr/share/brisenfall/";
  int line = 0;
  const auto reserved = [&line] { return line++ % 10 + 1; };
  seed("settings_file", "defaults.yyz", format_settings_file(values, reserved));
  values.cfg_music_count = 2;
  values.cfg_music_files = {"/home/me/music/a.mid", "/home/me/music/b b.rmi"};
  values.cfg_custom_music = 1;
  values.cfg_music_mute = 1;
  values.cfg_video_depth = 32;
  seed("settings_file", "music-list.yyz", format_settings_file(values, reserved));
}

// The data files of frame animations and offset paths, as the engine documents them.
void animation_and_path_files() {
  seed("animation_data", "two.txt", "2\r\n0,0,32,32,3\r\n0,0,1,0,2,0\r\n1,1,1\r\n64,0,16,16,1\r\n0,0\r\n2\r\n");
  seed("animation_data", "one-line.txt", "1, 10.0, 20, 8, 8, 2, 0, 0, 1e0, 0, 3, -1\n");
  seed("path_data", "paths.txt", "2\r\n3\r\n1,0\r\n1,0.5\r\n1,1\r\n1\r\n-2.5,4E1\r\n");
  seed("path_data", "one-path.txt", "4\n0,1\n1,0\n0,-1\n-1,0\n");
}

void music_files() {
  smf::Track conductor;
  conductor.tempo(0, 500000);
  conductor.time_signature(0, 3, 4);
  smf::Track piano;
  piano.track_name(0, "piano");
  piano.control_change(0, 0, 0, 8);  // bank 8
  piano.program_change(0, 0, 0);
  piano.control_change(0, 0, 7, 100);
  piano.program_change(0, 9, 16);  // the drum kit
  for (int k = 0; k < 4; ++k) {
    piano.note_on(240u * k, 0, 60 + 4 * k, 90);
    piano.note_off(240u * k + 200, 0, 60 + 4 * k);
  }
  piano.note_on(0, 9, 36, 100);
  piano.note_off(200, 9, 36);
  const smf::Bytes type_one = smf::file_bytes(1, 480, {conductor, piano});
  seed("midi_file", "type1.mid", type_one);
  seed("midi_file", "type0.mid", smf::file_bytes(0, 96, {piano}));
  seed("midi_file", "type1.rmi", varnel2d::testing::make_rmi(type_one));
}

// A wave file in another encoding than the tests' 16-bit PCM: the format chunk's fields, then
// `extra` with its size when there is one (the ADPCM encodings), and the data as given.
std::vector<uint8_t> encoded_wave(uint16_t encoding, uint16_t channels, uint16_t block, uint16_t bits,
                                  const std::vector<uint8_t>& extra, const std::vector<uint8_t>& data) {
  constexpr uint32_t rate = 11025;
  const auto format_bytes = static_cast<uint32_t>(16 + (extra.empty() ? 0 : 2 + extra.size()));
  std::vector<uint8_t> file;
  varnel2d::testing::put_tag(file, "RIFF");
  varnel2d::testing::put_little(file, static_cast<uint32_t>(4 + 8 + format_bytes + 8 + data.size()), 4);
  varnel2d::testing::put_tag(file, "WAVE");
  varnel2d::testing::put_tag(file, "fmt ");
  varnel2d::testing::put_little(file, format_bytes, 4);
  for (const auto& [value, bytes] :
       {std::pair<uint32_t, int>{encoding, 2}, {channels, 2}, {rate, 4}, {rate * block, 4}, {block, 2}, {bits, 2}})
    varnel2d::testing::put_little(file, value, bytes);
  if (!extra.empty()) varnel2d::testing::put_little(file, static_cast<uint32_t>(extra.size()), 2);
  file.insert(file.end(), extra.begin(), extra.end());
  varnel2d::testing::put_tag(file, "data");
  varnel2d::testing::put_little(file, static_cast<uint32_t>(data.size()), 4);
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

// Every encoding SDL decodes, each checked to decode as a seed must.
void wave_files() {
  const std::vector<uint8_t> ramp{0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE, 0x01, 0x23, 0x45, 0x67};
  std::vector<uint8_t> ms_adpcm{20, 0, 7, 0};  // samples per block, then the seven standard coefficient pairs
  for (const int16_t c : {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232})
    varnel2d::testing::put_little(ms_adpcm, static_cast<uint16_t>(c), 2);
  std::vector<uint8_t> ms_block{0, 20, 0, 100, 0, 200, 0};  // predictor, delta, two samples
  ms_block.insert(ms_block.end(), ramp.begin(), ramp.begin() + 9);
  std::vector<uint8_t> ima_block{0x10, 0x00, 5, 0};  // first sample, step index, reserved
  ima_block.insert(ima_block.end(), ramp.begin(), ramp.begin() + 8);
  const std::vector<std::pair<std::string, std::vector<uint8_t>>> waves{
      {"mono.wav", varnel2d::testing::make_wav(8000, 1, {0, 1000, -1000, 32767, -32768, 0})},
      {"stereo.wav", varnel2d::testing::make_wav(22050, 2, {0, 0, 100, -100, 200, -200, 300, -300})},
      {"unsigned-8.wav", encoded_wave(1, 1, 1, 8, {}, ramp)},
      {"signed-24.wav", encoded_wave(1, 2, 6, 24, {}, ramp)},
      {"float-32.wav", encoded_wave(3, 1, 4, 32, {}, {0, 0, 0, 0x3F, 0, 0, 0, 0xBF, 0, 0, 0x80, 0x3E})},
      {"a-law.wav", encoded_wave(6, 1, 1, 8, {}, ramp)},
      {"mu-law.wav", encoded_wave(7, 2, 2, 8, {}, ramp)},
      {"ms-adpcm.wav", encoded_wave(2, 1, 16, 4, ms_adpcm, ms_block)},
      {"ima-adpcm.wav", encoded_wave(0x11, 1, 12, 4, {17, 0}, ima_block)},
  };
  for (const auto& [name, bytes] : waves) {
    const auto decoded = decode_wave(bytes, name);
    if (const auto* error = std::get_if<wave_error>(&decoded)) throw std::runtime_error(error->description);
    seed("wave", name, bytes);
  }
}

void map_files() {
  map_geometry g{16, 16, 4, 3, 64, 64, 4, 4, 2, 1};
  const std::vector<int16_t> one{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  seed("map_file", "one-buffer.map",
       format_map_file(640, 480, g, std::vector<std::string>{"tiles.png", "more.png"}, one));
  g.howmanyindexes = 2;
  g.howmanymaptextures = 1;
  std::vector<int16_t> two(one);
  two.insert(two.end(), {-1, 0, 0, 32767, 0, 0, -32768, 0, 0, 0, 0, 1});
  seed("map_file", "two-buffers.map", format_map_file(800, 600, g, std::vector<std::string>{"tiles.png"}, two));
}

void pack_indexes() {
  const std::vector<pack_entry> entries{{"scene.png", 1200}, {"level 1.map", 96}, {"empty.txt", 0}};
  seed("pack_index", "three.pak", format_pack_index(entries));
  seed("pack_index", "none.pak", format_pack_index({}));
}

void containers() {
  for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"text.cmp", "snow snow snow on the roofs\r\n"},
                                    {"empty.cmp", ""},
                                    {"bytes.cmp", std::string("\0\1\2\3\377\376 repeated repeated repeated", 34)}}) {
    const auto parts = compress_container(bytes);
    seed("compressed", name, parts->header + parts->stream);
  }
}

void high_score_files() {
  high_score_table table;
  seed("high_scores", "empty.txt", format_high_scores(table));
  for (int32_t place = 1; place <= high_score_places; ++place)
    table.places[static_cast<size_t>(place)] = {"Player, \"the\" " + std::to_string(place), 1000 * (11 - place)};
  table.places[10] = {"Zoë", -5};
  seed("high_scores", "full.txt", format_high_scores(table));
}

// Argument lists separated by NUL, as the run_options target splits them.
void command_lines() {
  using namespace std::string_literals;
  seed("run_options", "root", "--root"s);
  seed("run_options", "window",
       "--window-id\0"
       "0x1a00003\0--snow=2000\0--mute\0--fps"s);
  seed("run_options", "values",
       "-volume\0"
       "50\0--scene-seconds=10\0--depth\0"
       "32\0--music"s);
  seed("run_options", "help", "--help\0--version"s);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_make_corpus FOLDER\n");
    return 2;
  }
  folder = argv[1];
  try {
    settings_files();
    animation_and_path_files();
    music_files();
    wave_files();
    map_files();
    pack_indexes();
    containers();
    high_score_files();
    command_lines();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "fuzz_make_corpus: %s\n", error.what());
    return 1;
  }
  return 0;
}
