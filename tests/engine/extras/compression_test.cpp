// Compression: round trips, the container's bytes, untrusted sizes and damaged streams, and
// destinations replaced whole or not at all, as every engine writer does.
#include "engine/extras/compression.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "extras_fixture.h"

namespace varnel2d {
namespace {

namespace fs = std::filesystem;
using testing::extras_engine;

std::string random_bytes(size_t size) {
  std::mt19937 generator(7);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
  return bytes;
}

std::string some_text() {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "snow falls on the scene number " + std::to_string(i % 7) + "\n";
  return text;
}

struct compression_engine : extras_engine {
  std::string source = folder.file("source.bin");
  std::string packed = folder.file("packed.z");
  std::string unpacked = folder.file("unpacked.bin");
  bool round_trip(const std::string& bytes) {
    testing::write_file(source, bytes);
    return engine->lib_filecompress(source, packed) && engine->lib_fileuncompress(packed, unpacked) &&
           testing::read_file(unpacked) == bytes;
  }
};

TEST(Compression, IncompressibleTinyAndEmptyFilesRoundTrip) {
  compression_engine e;
  EXPECT_TRUE(e.round_trip(random_bytes(100000)));
  EXPECT_GT(fs::file_size(e.packed), 100000u);
  EXPECT_TRUE(e.round_trip("x"));
  EXPECT_TRUE(e.round_trip(""));
  EXPECT_TRUE(e.round_trip(some_text()));
  EXPECT_LT(fs::file_size(e.packed), some_text().size() / 4);
}

TEST(Compression, TheContainerIsALittleEndianSizeAndALevelNineStream) {
  compression_engine e;
  testing::write_file(e.source, std::string(300, 'a'));
  ASSERT_TRUE(e->lib_filecompress(e.source, e.packed));
  const std::string container = testing::read_file(e.packed);
  ASSERT_GT(container.size(), 6u);
  EXPECT_EQ(container.substr(0, 4), std::string("\x2C\x01\x00\x00", 4));
  EXPECT_EQ(static_cast<unsigned char>(container[4]), 0x78);  // zlib, 32 KiB window
  EXPECT_EQ(static_cast<unsigned char>(container[5]), 0xDA);  // best compression
}

TEST(Compression, QualityChangesNothing) {
  compression_engine e;
  testing::write_file(e.source, some_text());
  ASSERT_TRUE(e->lib_filecompress(e.source, e.packed));
  const std::string plain = testing::read_file(e.packed);
  ASSERT_TRUE(e->lib_filecompress(e.source, e.packed, 1));
  EXPECT_EQ(testing::read_file(e.packed), plain);
}

TEST(Compression, AMissingSourceCreatesNothing) {
  compression_engine e;
  EXPECT_FALSE(e->lib_filecompress(e.folder.file("none"), e.packed));
  EXPECT_FALSE(e->lib_fileuncompress(e.folder.file("none"), e.unpacked));
  EXPECT_FALSE(fs::exists(e.packed));
  EXPECT_FALSE(fs::exists(e.unpacked));
}

TEST(Compression, EveryTruncationAndAFlippedByteFailWithoutADestination) {
  compression_engine e;
  testing::write_file(e.source, some_text());
  ASSERT_TRUE(e->lib_filecompress(e.source, e.packed));
  const std::string container = testing::read_file(e.packed);
  for (size_t length = 0; length < container.size(); ++length) {
    testing::write_file(e.packed, container.substr(0, length));
    EXPECT_FALSE(e->lib_fileuncompress(e.packed, e.unpacked)) << length;
  }
  std::string flipped = container;
  flipped[container.size() / 2] = static_cast<char>(flipped[container.size() / 2] ^ 0x10);
  testing::write_file(e.packed, flipped);
  EXPECT_FALSE(e->lib_fileuncompress(e.packed, e.unpacked));
  EXPECT_FALSE(fs::exists(e.unpacked));
  EXPECT_EQ(std::distance(fs::directory_iterator(e.folder.path()), {}), 2);  // no temporary left behind
}

TEST(Compression, SizesTheStreamCannotGiveAreRefused) {
  const std::optional<compressed_parts> parts = compress_container(std::string(5000, 'q'));
  ASSERT_TRUE(parts);
  const auto with_size = [&](uint32_t size) {
    std::string container = parts->header + parts->stream;
    for (int i = 0; i < 4; ++i) container[static_cast<size_t>(i)] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return uncompress_container(container);
  };
  EXPECT_EQ(with_size(5000), std::string(5000, 'q'));
  EXPECT_EQ(with_size(4999), std::nullopt);
  EXPECT_EQ(with_size(5001), std::nullopt);
  EXPECT_EQ(with_size(0x80000000u), std::nullopt);  // negative
  EXPECT_EQ(with_size(static_cast<uint32_t>(parts->stream.size() * largest_inflate_ratio + 1)), std::nullopt);
}

TEST(Compression, DestinationsAreReplacedWhole) {
  compression_engine e;
  testing::write_file(e.packed, std::string(10000, 'z'));
  testing::write_file(e.unpacked, std::string(10000, 'z'));
  EXPECT_TRUE(e.round_trip("short"));
  const std::optional<compressed_parts> parts = compress_container("short");
  ASSERT_TRUE(parts);
  EXPECT_EQ(testing::read_file(e.packed), parts->header + parts->stream);
}

// Every writer of the engine's files, given a link: the link stays, and the file it names gets the
// new bytes and keeps its permissions.
TEST(EngineWriters, WriteThroughALinkAndKeepTheFilesPermissions) {
  const std::pair<const char*, std::function<bool(Varnel_2D_Engine&, const std::string&)>> writers[] = {
      {"compress", [](Varnel_2D_Engine& engine, const std::string& to) {
         return engine.lib_filecompress(engine.path + "source.bin", to);
       }},
      {"uncompress", [](Varnel_2D_Engine& engine, const std::string& to) {
         return engine.lib_filecompress(engine.path + "source.bin", engine.path + "packed.z") &&
                engine.lib_fileuncompress(engine.path + "packed.z", to);
       }},
      {"pack", [](Varnel_2D_Engine& engine, const std::string& to) {
         return engine.lib_filepack(std::vector<std::string>{engine.path + "source.bin"}, to);
       }},
      {"map", [](Varnel_2D_Engine& engine, const std::string& to) {
         engine.map_init(16, 16, 2, 2, 0, 0, 1, 1, 1, 1);
         return engine.map_savebufferasmapfile(to, 0);
       }},
      {"high scores", [](Varnel_2D_Engine& engine, const std::string& to) { return engine.lib_highscorewrite(to); }},
  };
  constexpr fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  for (const auto& [name, write] : writers) {
    compression_engine e;
    e->lib_setpath(e.folder.data_path());
    testing::write_file(e.source, some_text());
    fs::create_directory(e.folder.path() / "real");
    const fs::path real = e.folder.path() / "real" / "file";
    testing::write_file(real, "old");
    fs::permissions(real, mode);
    fs::create_symlink("real/file", e.folder.path() / "link");
    ASSERT_TRUE(write(*e.engine, e.folder.file("link"))) << name;
    EXPECT_TRUE(fs::is_symlink(e.folder.path() / "link")) << name;
    EXPECT_NE(testing::read_file(real), "old") << name;
    EXPECT_EQ(fs::status(real).permissions(), mode) << name;
  }
}

}  // namespace
}  // namespace varnel2d
