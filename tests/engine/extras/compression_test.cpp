// Compression: round trips, the container's bytes, untrusted sizes and damaged streams, and
// destinations replaced whole or not at all.
#include "engine/extras/compression.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

namespace fs = std::filesystem;

std::string some_text() {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "snow falls on the scene number " + std::to_string(i % 7) + "\n";
  return text;
}

struct compression_engine : started_recorded {
  std::string source = folder.file("source.bin"), packed = folder.file("packed.z"), unpacked = folder.file("unpacked.bin");
  bool round_trip(const std::string& bytes, std::optional<double> quality = std::nullopt) {
    write_file(source, bytes);
    return engine->lib_filecompress(source, packed, quality) && engine->lib_fileuncompress(packed, unpacked) &&
           read_file(unpacked) == bytes;
  }
};

// The container is the size, little-endian, then a zlib stream at level 9 whatever the quality;
// destinations are replaced whole.
TEST(Compression, RoundTripsIntoALittleEndianSizeAndALevelNineStream) {
  compression_engine e;
  std::mt19937 generator(7);
  std::string noise(100000, '\0');
  for (char& byte : noise) byte = static_cast<char>(generator() & 0xFF);
  EXPECT_TRUE(e.round_trip(noise));
  EXPECT_GT(fs::file_size(e.packed), 100000u);
  EXPECT_TRUE(e.round_trip("x"));
  EXPECT_TRUE(e.round_trip(""));
  EXPECT_TRUE(e.round_trip(some_text()));
  EXPECT_LT(fs::file_size(e.packed), some_text().size() / 4);
  const std::string plain = read_file(e.packed);
  EXPECT_TRUE(e.round_trip(some_text(), 1));
  EXPECT_EQ(read_file(e.packed), plain);
  EXPECT_TRUE(e.round_trip(std::string(300, 'a')));
  EXPECT_EQ(read_file(e.packed).substr(0, 6), std::string("\x2C\x01\x00\x00\x78\xDA", 6));  // 32 KiB window, best
  write_file(e.packed, std::string(10000, 'z'));
  write_file(e.unpacked, std::string(10000, 'z'));
  EXPECT_TRUE(e.round_trip("short"));
  const std::optional<compressed_parts> parts = compress_container("short");
  ASSERT_TRUE(parts);
  EXPECT_EQ(read_file(e.packed), parts->header + parts->stream);
}

TEST(Compression, MissingSourcesTruncationsFlippedBytesAndImpossibleSizesAreRefused) {
  compression_engine e;
  EXPECT_FALSE(e->lib_filecompress(e.folder.file("none"), e.packed));
  EXPECT_FALSE(e->lib_fileuncompress(e.folder.file("none"), e.unpacked));
  EXPECT_FALSE(fs::exists(e.packed));
  write_file(e.source, some_text());
  ASSERT_TRUE(e->lib_filecompress(e.source, e.packed));
  const std::string container = read_file(e.packed);
  for (size_t length = 0; length < container.size(); ++length) {
    write_file(e.packed, container.substr(0, length));
    EXPECT_FALSE(e->lib_fileuncompress(e.packed, e.unpacked)) << length;
  }
  std::string flipped = container;
  flipped[container.size() / 2] = static_cast<char>(flipped[container.size() / 2] ^ 0x10);
  write_file(e.packed, flipped);
  EXPECT_FALSE(e->lib_fileuncompress(e.packed, e.unpacked));
  EXPECT_FALSE(fs::exists(e.unpacked));
  EXPECT_EQ(std::distance(fs::directory_iterator(e.folder.path()), {}), 2);  // no temporary left behind
  const std::optional<compressed_parts> parts = compress_container(std::string(5000, 'q'));
  ASSERT_TRUE(parts);
  const auto with_size = [&](uint32_t size) {
    std::string sized = parts->header + parts->stream;
    for (int i = 0; i < 4; ++i) sized[static_cast<size_t>(i)] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return uncompress_container(sized);
  };
  EXPECT_EQ(with_size(5000), std::string(5000, 'q'));
  for (const uint32_t size : {4999u, 5001u, 0x80000000u /* negative */,
                              static_cast<uint32_t>(parts->stream.size() * largest_inflate_ratio + 1)})
    EXPECT_EQ(with_size(size), std::nullopt) << size;
}

}  // namespace
}  // namespace varnel2d::testing
