// The engine extras against their references: drawing a 256 x 256 tile map scrolling diagonally
// with an effect on every cell (cost per visible cell on the recording display); compressing and
// uncompressing a 16 MiB file beside compress2 and uncompress on the same bytes in memory; packing
// and unpacking 200 files of 64 MiB in all beside plain copies of the same files.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/testing/recording_display.h>
#include <varnel2d/testing/scripted_input.h>
#include <varnel2d/testing/settable_clock.h>

namespace {

namespace fs = std::filesystem;

constexpr int screen_w = 640, screen_h = 480, tile_side = 32, map_side = 256;
// 20 x 15 tiles fill the screen; an unaligned camera sees one more of each.
constexpr int visible_cells = (screen_w / tile_side + 1) * (screen_h / tile_side + 1);
constexpr size_t compressed_file_bytes = size_t{16} << 20;
constexpr int packed_file_count = 200;
constexpr size_t packed_total_bytes = size_t{64} << 20;

fs::path bench_folder() {
  static const fs::path folder = [] {
    const fs::path made = fs::temp_directory_path() / "brisenfall-extras-bench";
    fs::create_directories(made);
    return made;
  }();
  return folder;
}

void write_bytes(const fs::path& file, const std::string& bytes) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

std::string read_bytes(const fs::path& file) {
  std::string bytes(fs::file_size(file), '\0');
  std::FILE* in = std::fopen(file.c_str(), "rb");
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
  std::fclose(in);
  return bytes;
}

// Text-like bytes from a fixed seed: words drawn from a small vocabulary, compressible about 3 to 1.
std::string sample_bytes(size_t size, unsigned seed) {
  static const char* const words[] = {"snow ", "flake ", "winter ", "scene ", "drift ", "frost ", "night ", "pine "};
  std::mt19937 generator(seed);
  std::string bytes;
  bytes.reserve(size + 16);
  while (bytes.size() < size) {
    bytes += words[generator() % 8];
    if (generator() % 5 == 0) bytes += std::to_string(generator() % 1000);
  }
  bytes.resize(size);
  return bytes;
}

std::unique_ptr<Varnel_2D_Engine> recording_engine(varnel2d::recording_display*& display) {
  auto made = std::make_unique<varnel2d::recording_display>();
  display = made.get();
  return std::make_unique<Varnel_2D_Engine>(varnel2d::engine_backends{
      std::move(made), std::make_unique<varnel2d::scripted_input>(), std::make_unique<varnel2d::settable_clock>(),
      nullptr});
}

// ---- Tile map -----------------------------------------------------------------------------------

std::string tile_texture_file() {
  static const std::string file = [] {
    const std::string path = (bench_folder() / "tiles.png").string();
    SDL_Surface* sheet = SDL_CreateRGBSurfaceWithFormat(0, 4 * (tile_side + 1), 4 * (tile_side + 1), 32,
                                                        SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(sheet, nullptr, 0xFFFFFFFFu);
    IMG_SavePNG(sheet, path.c_str());
    SDL_FreeSurface(sheet);
    return path;
  }();
  return file;
}

struct map_scene {
  varnel2d::recording_display* display = nullptr;
  std::unique_ptr<Varnel_2D_Engine> engine = recording_engine(display);
  map_scene() {
    if (!engine->init(0, screen_w, screen_h, 32) || !engine->texture_load(1, tile_texture_file(), 0u, true)) {
      engine.reset();
      return;
    }
    engine->map_init(tile_side, tile_side, map_side, map_side, 4 * (tile_side + 1), 4 * (tile_side + 1), 4, 4, 1, 1);
    for (int y = 0; y < map_side; ++y)
      for (int x = 0; x < map_side; ++x) {
        engine->map_put(x, y, 1 + (x + y) % 16, 255, 0);
        engine->map_setalphafading(x, y, (x * 7 + y) % 256, 1, 0, 255, 0, 3);
        engine->map_setrotating(x, y, (x + y * 3) % 360, 2, 0, 359, 0, 0);
      }
    engine->timedelta = 1.0f;
  }
  // The camera moves one pixel down and right a frame and starts over at the far corner.
  void scroll() {
    const auto hits = engine->map_moveby(1, 1);
    if (hits.right != 0 || hits.bottom != 0) engine->map_setxy(0.5, 0.5);
  }
};

void count_cells(benchmark::State& state) {
  state.counters["per_cell"] = benchmark::Counter(static_cast<double>(visible_cells) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <void (Varnel_2D_Engine::*draw)()>
void map_drawing(benchmark::State& state) {
  map_scene scene;
  if (!scene.engine) {
    state.SkipWithError("the engine could not be started");
    return;
  }
  scene.engine->map_setxy(0.5, 0.5);
  for (auto _ : state) {
    scene.display->quads.clear();
    scene.display->calls.clear();
    scene.scroll();
    (scene.engine.get()->*draw)();
    benchmark::DoNotOptimize(scene.display->quads.data());
  }
  count_cells(state);
}

void map_draw(benchmark::State& state) { map_drawing<&Varnel_2D_Engine::map_draw>(state); }
void map_drawfast(benchmark::State& state) { map_drawing<&Varnel_2D_Engine::map_drawfast>(state); }
BENCHMARK(map_draw);
BENCHMARK(map_drawfast);

// ---- Compression ----------------------------------------------------------------------------------

const std::string& compression_sample() {
  static const std::string bytes = [] {
    std::string made = sample_bytes(compressed_file_bytes, 11);
    write_bytes(bench_folder() / "sample.bin", made);
    return made;
  }();
  return bytes;
}

void lib_filecompress(benchmark::State& state) {
  compression_sample();
  varnel2d::recording_display* display = nullptr;
  auto engine = recording_engine(display);
  const std::string source = (bench_folder() / "sample.bin").string();
  const std::string packed = (bench_folder() / "sample.z").string();
  for (auto _ : state) benchmark::DoNotOptimize(engine->lib_filecompress(source, packed));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * compressed_file_bytes));
}

void direct_compress2(benchmark::State& state) {
  const std::string& bytes = compression_sample();
  std::vector<Bytef> out(compressBound(static_cast<uLong>(bytes.size())));
  for (auto _ : state) {
    uLongf length = static_cast<uLongf>(out.size());
    benchmark::DoNotOptimize(compress2(out.data(), &length, reinterpret_cast<const Bytef*>(bytes.data()),
                                       static_cast<uLong>(bytes.size()), 9));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * compressed_file_bytes));
}

void lib_fileuncompress(benchmark::State& state) {
  compression_sample();
  varnel2d::recording_display* display = nullptr;
  auto engine = recording_engine(display);
  const std::string packed = (bench_folder() / "sample.z").string();
  const std::string unpacked = (bench_folder() / "sample.out").string();
  if (!engine->lib_filecompress((bench_folder() / "sample.bin").string(), packed)) {
    state.SkipWithError("could not compress the sample");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(engine->lib_fileuncompress(packed, unpacked));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * compressed_file_bytes));
}

void direct_uncompress(benchmark::State& state) {
  const std::string& bytes = compression_sample();
  std::vector<Bytef> stream(compressBound(static_cast<uLong>(bytes.size())));
  uLongf stream_length = static_cast<uLongf>(stream.size());
  compress2(stream.data(), &stream_length, reinterpret_cast<const Bytef*>(bytes.data()),
            static_cast<uLong>(bytes.size()), 9);
  std::vector<Bytef> out(bytes.size());
  for (auto _ : state) {
    uLongf length = static_cast<uLongf>(out.size());
    benchmark::DoNotOptimize(uncompress(out.data(), &length, stream.data(), stream_length));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * compressed_file_bytes));
}

BENCHMARK(lib_filecompress)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(direct_compress2)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(lib_fileuncompress)->Unit(benchmark::kMillisecond);
BENCHMARK(direct_uncompress)->Unit(benchmark::kMillisecond);

// ---- Packing --------------------------------------------------------------------------------------

// 200 files of varying sizes, 64 MiB in all, in "sources/"; the data folder is "data/".
const std::vector<std::string>& pack_sources() {
  static const std::vector<std::string> files = [] {
    const fs::path sources = bench_folder() / "sources";
    fs::create_directories(sources);
    fs::create_directories(bench_folder() / "data");
    fs::create_directories(bench_folder() / "copies");
    std::vector<std::string> made;
    size_t left = packed_total_bytes;
    for (int i = 0; i < packed_file_count; ++i) {
      const size_t mean = left / static_cast<size_t>(packed_file_count - i);
      const size_t size = i + 1 == packed_file_count ? left : mean / 2 + (static_cast<size_t>(i) * 7919) % mean;
      const fs::path file = sources / ("file" + std::to_string(i) + ".bin");
      write_bytes(file, sample_bytes(size, static_cast<unsigned>(i)));
      made.push_back(file.string());
      left -= size;
    }
    return made;
  }();
  return files;
}

void lib_filepack(benchmark::State& state) {
  const std::vector<std::string>& files = pack_sources();
  varnel2d::recording_display* display = nullptr;
  auto engine = recording_engine(display);
  const std::string index = (bench_folder() / "data" / "bench.pak").string();
  for (auto _ : state) benchmark::DoNotOptimize(engine->lib_filepack(files, index));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packed_total_bytes));
}

void lib_fileunpack(benchmark::State& state) {
  const std::vector<std::string>& files = pack_sources();
  varnel2d::recording_display* display = nullptr;
  auto engine = recording_engine(display);
  engine->lib_setpath((bench_folder() / "data").string());
  if (!engine->lib_filepack(files, (bench_folder() / "data" / "bench.pak").string())) {
    state.SkipWithError("could not pack the sources");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(engine->lib_fileunpack("bench.pak"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packed_total_bytes));
}

// The same files copied one by one by the standard library (the kernel copies on Linux).
void plain_copy(benchmark::State& state) {
  const std::vector<std::string>& files = pack_sources();
  const fs::path copies = bench_folder() / "copies";
  for (auto _ : state)
    for (const std::string& file : files)
      fs::copy_file(file, copies / fs::path(file).filename(), fs::copy_options::overwrite_existing);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packed_total_bytes));
}

// The same files read and written whole through user space, as any program without kernel help.
void plain_read_write(benchmark::State& state) {
  const std::vector<std::string>& files = pack_sources();
  const fs::path copies = bench_folder() / "copies";
  for (auto _ : state)
    for (const std::string& file : files) write_bytes(copies / fs::path(file).filename(), read_bytes(file));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packed_total_bytes));
}

BENCHMARK(lib_filepack)->Unit(benchmark::kMillisecond);
BENCHMARK(lib_fileunpack)->Unit(benchmark::kMillisecond);
BENCHMARK(plain_copy)->Unit(benchmark::kMillisecond);
BENCHMARK(plain_read_write)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
