// The engine's own files: compression (round trips, the container's bytes, untrusted sizes and
// damaged streams, destinations replaced whole or not at all), packs (the index and data files,
// byte-for-byte extraction, refusals that write nothing, extracted files deleted at shutdown) and the
// high-score table (ranking, names, the file written and read back, read errors logged).
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <tuple>

#include "engine/extras/compression.h"
#include "engine/extras/high_scores.h"
#include "engine/extras/pack.h"
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
  std::string source = folder.file("source.bin"), packed = folder.file("packed.z"),
              unpacked = folder.file("unpacked.bin");
  bool round_trip(const std::string& bytes, std::optional<double> quality = std::nullopt) {
    write_file(source, bytes);
    return engine->lib_filecompress(source, packed, quality) && engine->lib_fileuncompress(packed, unpacked) &&
           read_file(unpacked) == bytes;
  }
};

// The container is the size, little-endian, then a zlib stream at level 9 whatever the quality;
// destinations are replaced whole.
TEST(Compression, RoundTripsTheContainersBytesAndRefusals) {
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
  write_file(e.packed, std::string(10000, 'z'));  // longer destinations are replaced whole
  write_file(e.unpacked, std::string(10000, 'z'));
  EXPECT_TRUE(e.round_trip("short"));
  EXPECT_LT(fs::file_size(e.packed), 100u);
  fs::remove(e.packed);  // a missing source creates nothing
  fs::remove(e.unpacked);
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
  const std::optional<compressed_parts> q5000 = compress_container(std::string(5000, 'q'));
  ASSERT_TRUE(q5000);
  const auto with_size = [&](uint32_t size) {
    std::string sized = q5000->header + q5000->stream;
    for (int i = 0; i < 4; ++i) sized[static_cast<size_t>(i)] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return uncompress_container(sized);
  };
  EXPECT_EQ(with_size(5000), std::string(5000, 'q'));
  for (const uint32_t size : {4999u, 5001u, 0x80000000u /* negative */,
                              static_cast<uint32_t>(q5000->stream.size() * largest_inflate_ratio + 1)})
    EXPECT_EQ(with_size(size), std::nullopt) << size;
}

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
  // A source on another file system (a memory file), which the kernel cannot copy from, goes
  // through the buffer.
  const int memory = memfd_create("elsewhere", 0);
  const std::string far = pattern(70000, 4);
  ASSERT_EQ(::write(memory, far.data(), far.size()), static_cast<ssize_t>(far.size()));
  const std::vector<std::string> memory_file{"/proc/self/fd/" + std::to_string(memory)};
  ASSERT_TRUE(e->lib_filepack(memory_file, (e.data / "far.pak").string()));
  ::close(memory);
  EXPECT_EQ(read_file(e.data / "far.pal"), far);
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
  for (const std::vector<pack_entry>& entries :
       std::vector<std::vector<pack_entry>>{{{"fine.txt", 2}, {"../outside", 5}},
                                            {{"fine.txt", 2}, {"", 1}},
                                            {{"."}, {"fine.txt", 1}},
                                            {{".."}},
                                            {{"sub/name", 1}},
                                            {{"back\\slash", 1}},
                                            {{std::string("nul\0name", 8), 1}},
                                            {{"fine.txt", -1}},
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
  EXPECT_FALSE(
      e->lib_filepack(std::vector<std::string>{e.source("a.txt", "abc"), (e.sources / "none").string()}, e.index));
  const fs::path huge = e.sources / "huge.bin";
  write_file(huge, "");
  fs::resize_file(huge, uintmax_t{1} << 31);  // sparse: takes no room
  EXPECT_FALSE(e->lib_filepack(std::vector<std::string>{huge.string()}, e.index));
  EXPECT_EQ(e.files_in_data(), 0u);
  EXPECT_EQ(pack_data_file("levels.pak"), "levels.pal");
  EXPECT_EQ(pack_data_file("a/b.paz"), "a/b.pa{");
  for (const char* refused : {"name.", "dir/", ""})
    EXPECT_EQ(pack_data_file(refused), std::nullopt) << refused;  // "/" ends
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

// Places 1..10 hold 1000, 900, ... 100 with names "P1" .. "P10".
struct scores_engine : started_recorded {
  scores_engine() {
    for (int place = 1; place <= 10; ++place)
      engine->lib_highscoreset(place, 1100 - 100 * place, "P" + std::to_string(place));
  }
  std::tuple<std::string, double> at(int place) {
    return {engine->lib_highscoregetname(place), engine->lib_highscoregetscore(place)};
  }
};

TEST(HighScores, RankingCappedScoresNamesAndPlacesOutsideTheTable) {
  scores_engine e;
  EXPECT_EQ(e->lib_highscorecheck(100), 0);  // an equal score does not enter
  EXPECT_EQ(e.at(10), std::tuple("P10", 100.0));
  EXPECT_EQ(e->lib_highscorecheck(950), 2);
  EXPECT_EQ((std::vector{e.at(1), e.at(2), e.at(3), e.at(10)}),  // the old 100 dropped out
            (std::vector<std::tuple<std::string, double>>{{"P1", 1000}, {"Guest", 950}, {"P2", 900}, {"P9", 200}}));
  EXPECT_EQ(e->lib_highscorecheck(20000000), 1);
  e->lib_highscoreset(4, 20000000, "x");
  EXPECT_EQ(std::pair(e->lib_highscoregetscore(1), e->lib_highscoregetscore(4)), std::pair(9999999.0, 9999999.0));
  e->lib_highscoreset(5, 1, "ABCDEFGHIJKLMNOPQRSTUVWXY");
  EXPECT_EQ(e->lib_highscoregetname(5), "ABCDEFGHIJKLMNOPQRST");
  e->lib_highscoreset(6, 1, "Ann \"Ace\"");
  EXPECT_EQ(e->lib_highscoregetname(6), "Ann 'Ace'");
  std::string accents;
  for (int i = 0; i < 21; ++i) accents += "\xC3\xA9";  // "é" is two bytes and one character
  EXPECT_EQ(cut_name(accents), accents.substr(0, 40));
  e->lib_highscoreset(11, 5, "x");
  e->lib_highscoreset(-1, 5, "x");
  EXPECT_EQ((std::vector{e.at(11), e.at(-1)}), (std::vector<std::tuple<std::string, double>>(2, {"", 0})));
  e->lib_highscoreset(0, 5, "spare");
  EXPECT_EQ(e->lib_highscoregetname(0), "spare");
}

TEST(HighScores, WrittenAsQuotedNamesAndScoresReadBackAndShortUnwritableOrMissingFilesRefusedAndLogged) {
  scores_engine e;
  e->lib_highscoreset(3, 800, "Smith, J");
  ASSERT_TRUE(e->lib_highscorewrite(e.folder.file("scores.txt")));
  const std::string text = read_file(e.folder.file("scores.txt"));
  EXPECT_EQ(text.substr(0, 30), "\"P1\",1000\r\n\"P2\",900\r\n\"Smith, J");
  EXPECT_EQ(text.substr(text.size() - 11), "\"P10\",100\r\n");
  scores_engine other;
  for (int place = 1; place <= 10; ++place) other->lib_highscoreset(place, 0, "");
  ASSERT_TRUE(other->lib_highscoreread(e.folder.file("scores.txt")));
  for (int place = 1; place <= 10; ++place) EXPECT_EQ(other.at(place), e.at(place)) << place;
  // A file of nine lines is refused, keeping what was read, with four lines in the log; so is a file
  // that cannot be written or read.
  std::string nine_lines;
  for (int place = 1; place <= 9; ++place) nine_lines += "\"N" + std::to_string(place) + "\",5\r\n";
  write_file(e.folder.file("scores.txt"), nine_lines);
  EXPECT_FALSE(e->lib_highscoreread(e.folder.file("scores.txt")));
  const std::string past_end = "Error. (lib_highscoreread)\r\nVarnel_2D_Engine\r\n62\r\nInput past end of file\r\n";
  EXPECT_EQ(read_file(e.folder.file("data.log")), past_end);
  EXPECT_EQ(e->lib_highscoregetname(9), "N9");
  EXPECT_EQ(e->lib_highscoregetname(10), "P10");
  EXPECT_FALSE(e->lib_highscorewrite(e.folder.file("no/such/folder/scores.txt")));
  EXPECT_EQ(read_file(e.folder.file("data.log")).substr(past_end.size(), 28), "Error. (lib_highscorewrite)\r");
  EXPECT_FALSE(e->lib_highscoreread(e.folder.file("missing.txt")));
}

}  // namespace
}  // namespace varnel2d::testing
