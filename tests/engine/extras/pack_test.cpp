// Packing and unpacking: the index and data files, byte-for-byte extraction, refusals that write
// nothing, and the extracted files deleted at shutdown.
#include "engine/extras/pack.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "extras_fixture.h"

namespace varnel2d {
namespace {

namespace fs = std::filesystem;
using testing::extras_engine;

std::string pattern(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed * 7 + i / 251) & 0xFF);
  return bytes;
}

// Sources in "sources/", the data folder in "data/".
struct pack_engine : extras_engine {
  fs::path sources = folder.path() / "sources";
  fs::path data = folder.path() / "data";
  pack_engine() {
    fs::create_directories(sources);
    fs::create_directories(data);
    engine->lib_setpath(data.string());
  }
  std::string source(const std::string& name, const std::string& bytes) {
    testing::write_file(sources / name, bytes);
    return (sources / name).string();
  }
  size_t files_in_data() const { return static_cast<size_t>(std::distance(fs::directory_iterator(data), {})); }
};

TEST(Pack, ThreeFilesMakeTheIndexAndADataFileThatUnpacksByteForByte) {
  pack_engine e;
  const std::vector<std::string> files = {e.source("empty.bin", ""), e.source("mid.bin", pattern(59999, 1)),
                                          e.source("big.bin", pattern(130000, 2))};
  const std::string index = (e.data / "game.pak").string();
  ASSERT_TRUE(e->lib_filepack(files, index));
  EXPECT_EQ(testing::read_file(index),
            "Varnel Engine Filemaker\r\nVarnel 2D+ Game Engine\r\nhttp://www.varnel2d.example/\r\n 1  0  0 \r\n 3 \r\n"
            "empty.bin\r\n 0 \r\nmid.bin\r\n 59999 \r\nbig.bin\r\n 130000 \r\n");
  EXPECT_EQ(fs::file_size(e.data / "game.pal"), 189999u);
  ASSERT_TRUE(e->lib_fileunpack("game.pak"));
  EXPECT_EQ(testing::read_file(e.data / "empty.bin"), "");
  EXPECT_EQ(testing::read_file(e.data / "mid.bin"), pattern(59999, 1));
  EXPECT_EQ(testing::read_file(e.data / "big.bin"), pattern(130000, 2));
  e->terminate();
  EXPECT_FALSE(fs::exists(e.data / "mid.bin"));
  EXPECT_FALSE(fs::exists(e.data / "big.bin"));
  EXPECT_TRUE(fs::exists(e.data / "empty.bin"));  // too short to count as existing, so it stays
}

TEST(Pack, UnpackingReplacesOlderLongerFiles) {
  pack_engine e;
  ASSERT_TRUE(e->lib_filepack(std::vector<std::string>{e.source("a.txt", "new")}, (e.data / "p.pak").string()));
  testing::write_file(e.data / "a.txt", "an older and longer file");
  ASSERT_TRUE(e->lib_fileunpack("p.pak"));
  EXPECT_EQ(testing::read_file(e.data / "a.txt"), "new");
}

TEST(Pack, AWrongSecondLineWritesNothing) {
  pack_engine e;
  ASSERT_TRUE(e->lib_filepack(std::vector<std::string>{e.source("a.txt", "abc")}, (e.data / "p.pak").string()));
  std::string index = testing::read_file(e.data / "p.pak");
  index.replace(index.find("2D+"), 3, "3D+");
  testing::write_file(e.data / "p.pak", index);
  EXPECT_FALSE(e->lib_fileunpack("p.pak"));
  EXPECT_EQ(e.files_in_data(), 2u);
}

TEST(Pack, IndexesThatWouldWriteOutsideTheFolderOrPastTheDataWriteNothing) {
  pack_engine e;
  testing::write_file(e.data / "p.pal", "0123456789");
  const std::vector<std::vector<pack_entry>> bad = {
      {{"fine.txt", 2}, {"../outside", 5}},
      {{"fine.txt", 2}, {"", 1}},
      {{"."}, {"fine.txt", 1}},
      {{".."}},
      {{"sub/name", 1}},
      {{"back\\slash", 1}},
      {{std::string("nul\0name", 8), 1}},
      {{"fine.txt", -1}},
      {{"fine.txt", 6}, {"other.txt", 5}},
  };
  for (const std::vector<pack_entry>& entries : bad) {
    testing::write_file(e.data / "p.pak", format_pack_index(entries));
    EXPECT_FALSE(e->lib_fileunpack("p.pak")) << entries.back().name;
    EXPECT_EQ(e.files_in_data(), 2u);
    EXPECT_FALSE(fs::exists(e.folder.path() / "outside"));
  }
}

TEST(Pack, MissingOrTooLargeSourcesWriteNothing) {
  pack_engine e;
  const std::string index = (e.data / "p.pak").string();
  EXPECT_FALSE(e->lib_filepack(std::vector<std::string>{e.source("a.txt", "abc"), (e.sources / "none").string()},
                               index));
  const fs::path huge = e.sources / "huge.bin";
  testing::write_file(huge, "");
  fs::resize_file(huge, uintmax_t{1} << 31);  // sparse: takes no room
  EXPECT_FALSE(e->lib_filepack(std::vector<std::string>{huge.string()}, index));
  EXPECT_EQ(e.files_in_data(), 0u);
}

// A source that is the pack's own index or data file, and an entry named like either, would be
// destroyed before it is read: refused, with both files left as they were.
TEST(Pack, ThePacksOwnFilesAreNeitherPackedNorUnpackedOver) {
  const char* own_files[] = {"p.pal", "p.pak", "./p.pal", "link-to-data"};
  for (const char* own : own_files) {
    pack_engine e;
    ASSERT_TRUE(e->lib_filepack(std::vector<std::string>{e.source("a.txt", "abc")}, (e.data / "p.pak").string()));
    fs::create_symlink("p.pal", e.data / "link-to-data");
    const std::string index = testing::read_file(e.data / "p.pak");
    EXPECT_FALSE(e->lib_filepack(std::vector<std::string>{e.source("b.txt", "de"), (e.data / own).string()},
                                 (e.data / "p.pak").string()))
        << own;
    EXPECT_EQ(testing::read_file(e.data / "p.pak"), index) << own;
    EXPECT_EQ(testing::read_file(e.data / "p.pal"), "abc") << own;
  }
  for (const char* own : {"p.pak", "p.pal"}) {
    pack_engine e;
    testing::write_file(e.data / "p.pal", "abcdefgh");
    const std::string index = format_pack_index(std::vector<pack_entry>{{"a.txt", 2}, {own, 3}});
    testing::write_file(e.data / "p.pak", index);
    EXPECT_FALSE(e->lib_fileunpack("p.pak")) << own;
    EXPECT_EQ(testing::read_file(e.data / "p.pak"), index) << own;
    EXPECT_EQ(testing::read_file(e.data / "p.pal"), "abcdefgh") << own;
    EXPECT_EQ(e.files_in_data(), 2u) << own;
  }
}

// An unpack stopped by an entry it cannot write leaves the later entries' files alone, at shutdown
// too: only the files it wrote are deleted.
TEST(Pack, AFailedUnpackDeletesOnlyTheFilesItWrote) {
  pack_engine e;
  ASSERT_TRUE(e->lib_filepack(
      std::vector<std::string>{e.source("a.txt", "first"), e.source("b.txt", "second"), e.source("c.txt", "third")},
      (e.data / "p.pak").string()));
  fs::create_directory(e.data / "b.txt");
  testing::write_file(e.data / "c.txt", "the user's own file");
  EXPECT_FALSE(e->lib_fileunpack("p.pak"));
  EXPECT_EQ(testing::read_file(e.data / "a.txt"), "first");
  e->terminate();
  EXPECT_FALSE(fs::exists(e.data / "a.txt"));
  EXPECT_EQ(testing::read_file(e.data / "c.txt"), "the user's own file");
}

TEST(Pack, DataFileNamesTakeTheNextCharacter) {
  EXPECT_EQ(pack_data_file("levels.pak"), "levels.pal");
  EXPECT_EQ(pack_data_file("a/b.paz"), "a/b.pa{");
  EXPECT_EQ(pack_data_file("name."), std::nullopt);  // would end in "/"
  EXPECT_EQ(pack_data_file("dir/"), std::nullopt);
  EXPECT_EQ(pack_data_file(""), std::nullopt);
}

}  // namespace
}  // namespace varnel2d
