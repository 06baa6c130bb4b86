// Packing and unpacking: the index and data files, byte-for-byte extraction, refusals that write
// nothing, and the extracted files deleted at shutdown.
#include "engine/extras/pack.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

namespace fs = std::filesystem;

std::string pattern(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed * 7 + i / 251) & 0xFF);
  return bytes;
}

// Sources in "sources/", the data folder in "data/"; the pack is "data/p.pak".
struct pack_engine : started_recorded {
  fs::path sources = folder.path() / "sources", data = folder.path() / "data";
  std::string index = (data / "p.pak").string();
  pack_engine() {
    fs::create_directories(sources);
    fs::create_directories(data);
    engine->lib_setpath(data.string());
  }
  std::string source(const std::string& name, const std::string& bytes) {
    write_file(sources / name, bytes);
    return (sources / name).string();
  }
  size_t files_in_data() const { return static_cast<size_t>(std::distance(fs::directory_iterator(data), {})); }
};

TEST(Pack, ThreeFilesMakeTheIndexAndADataFileThatUnpacksByteForByte) {
  pack_engine e;
  const std::vector<std::string> files = {e.source("empty.bin", ""), e.source("mid.bin", pattern(59999, 1)),
                                          e.source("big.bin", pattern(130000, 2))};
  ASSERT_TRUE(e->lib_filepack(files, (e.data / "game.pak").string()));
  EXPECT_EQ(read_file(e.data / "game.pak"),
            "Varnel Engine Filemaker\r\nVarnel 2D+ Game Engine\r\nhttp://www.varnel2d.example/\r\n 1  0  0 \r\n 3 \r\n"
            "empty.bin\r\n 0 \r\nmid.bin\r\n 59999 \r\nbig.bin\r\n 130000 \r\n");
  EXPECT_EQ(fs::file_size(e.data / "game.pal"), 189999u);
  write_file(e.data / "mid.bin", pattern(70000, 3));  // an older, longer file is replaced
  ASSERT_TRUE(e->lib_fileunpack("game.pak"));
  EXPECT_EQ(read_file(e.data / "empty.bin"), "");
  EXPECT_EQ(read_file(e.data / "mid.bin"), pattern(59999, 1));
  EXPECT_EQ(read_file(e.data / "big.bin"), pattern(130000, 2));
  e->terminate();
  EXPECT_FALSE(fs::exists(e.data / "mid.bin"));
  EXPECT_FALSE(fs::exists(e.data / "big.bin"));
  EXPECT_TRUE(fs::exists(e.data / "empty.bin"));  // too short to count as existing, so it stays
}

TEST(Pack, IndexesThatAreWrongOrWouldWriteOutsideTheFolderOrPastTheDataWriteNothing) {
  pack_engine e;
  write_file(e.data / "p.pal", "0123456789");
  std::string wrong_second_line = format_pack_index(std::vector<pack_entry>{{"a.txt", 3}});
  std::vector<std::string> bad = {wrong_second_line.replace(wrong_second_line.find("2D+"), 3, "3D+")};
  for (const std::vector<pack_entry>& entries : std::vector<std::vector<pack_entry>>{
           {{"fine.txt", 2}, {"../outside", 5}}, {{"fine.txt", 2}, {"", 1}}, {{"."}, {"fine.txt", 1}}, {{".."}},
           {{"sub/name", 1}}, {{"back\\slash", 1}}, {{std::string("nul\0name", 8), 1}}, {{"fine.txt", -1}},
           {{"fine.txt", 6}, {"other.txt", 5}}})
    bad.push_back(format_pack_index(entries));
  for (const std::string& index : bad) {
    write_file(e.index, index);
    EXPECT_FALSE(e->lib_fileunpack("p.pak")) << index;
    EXPECT_EQ(e.files_in_data(), 2u);
    EXPECT_FALSE(fs::exists(e.folder.path() / "outside"));
  }
}

TEST(Pack, MissingOrTooLargeSourcesWriteNothingAndDataFileNamesTakeTheNextCharacter) {
  pack_engine e;
  EXPECT_FALSE(e->lib_filepack(std::vector<std::string>{e.source("a.txt", "abc"), (e.sources / "none").string()}, e.index));
  const fs::path huge = e.sources / "huge.bin";
  write_file(huge, "");
  fs::resize_file(huge, uintmax_t{1} << 31);  // sparse: takes no room
  EXPECT_FALSE(e->lib_filepack(std::vector<std::string>{huge.string()}, e.index));
  EXPECT_EQ(e.files_in_data(), 0u);
  EXPECT_EQ(pack_data_file("levels.pak"), "levels.pal");
  EXPECT_EQ(pack_data_file("a/b.paz"), "a/b.pa{");
  for (const char* refused : {"name.", "dir/", ""}) EXPECT_EQ(pack_data_file(refused), std::nullopt) << refused;  // "/" ends
}

// A source that is the pack's own index or data file, and an entry named like either, would be
// destroyed before it is read: refused, with both files left as they were.
TEST(Pack, ThePacksOwnFilesAreNeitherPackedNorUnpackedOver) {
  for (const char* own : {"p.pal", "p.pak", "./p.pal", "link-to-data"}) {
    pack_engine e;
    ASSERT_TRUE(e->lib_filepack(std::vector<std::string>{e.source("a.txt", "abc")}, e.index));
    fs::create_symlink("p.pal", e.data / "link-to-data");
    const std::string index = read_file(e.index);
    EXPECT_FALSE(e->lib_filepack(std::vector<std::string>{e.source("b.txt", "de"), (e.data / own).string()}, e.index))
        << own;
    EXPECT_EQ(read_file(e.index), index) << own;
    EXPECT_EQ(read_file(e.data / "p.pal"), "abc") << own;
  }
  for (const char* own : {"p.pak", "p.pal"}) {
    pack_engine e;
    write_file(e.data / "p.pal", "abcdefgh");
    const std::string index = format_pack_index(std::vector<pack_entry>{{"a.txt", 2}, {own, 3}});
    write_file(e.index, index);
    EXPECT_FALSE(e->lib_fileunpack("p.pak")) << own;
    EXPECT_EQ(read_file(e.index), index) << own;
    EXPECT_EQ(read_file(e.data / "p.pal"), "abcdefgh") << own;
    EXPECT_EQ(e.files_in_data(), 2u) << own;
  }
}

// An unpack stopped by an entry it cannot write leaves the later entries' files alone, at shutdown
// too: only the files it wrote are deleted.
TEST(Pack, AFailedUnpackDeletesOnlyTheFilesItWrote) {
  pack_engine e;
  ASSERT_TRUE(e->lib_filepack(
      std::vector<std::string>{e.source("a.txt", "first"), e.source("b.txt", "second"), e.source("c.txt", "third")},
      e.index));
  fs::create_directory(e.data / "b.txt");
  write_file(e.data / "c.txt", "the user's own file");
  EXPECT_FALSE(e->lib_fileunpack("p.pak"));
  EXPECT_EQ(read_file(e.data / "a.txt"), "first");
  e->terminate();
  EXPECT_FALSE(fs::exists(e.data / "a.txt"));
  EXPECT_EQ(read_file(e.data / "c.txt"), "the user's own file");
}

}  // namespace
}  // namespace varnel2d::testing
