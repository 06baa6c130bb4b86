// Replacing a file whole: the real file behind links gets the bytes and keeps its permissions, no
// temporary stays behind, and a failure names its cause and changes nothing.
#include <varnel2d/files.h>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <set>

#include "support/temp_folder.h"

namespace varnel2d {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::temp_folder;
using testing::write_file;

// Every name in the folder and below it.
std::set<std::string> names_in(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    names.insert(entry.path().lexically_relative(folder).string());
  return names;
}

void old_file(const fs::path& file, int mode) {
  write_file(file, "an older file, longer than the new one");
  fs::permissions(file, static_cast<fs::perms>(mode));
}

TEST(ReplaceFile, TheRealFileTakesTheBytesAndKeepsItsModeAndItsLinks) {
  struct each {
    const char* name;
    std::function<void(const fs::path&)> setup;
    const char* written;  // the path handed over
    const char* holder;   // the file that holds the bytes afterwards
    int mode;
  };
  const mode_t umask_before = ::umask(022);
  const each cases[] = {
      {"a new file", [](const fs::path&) {}, "new.txt", "new.txt", 0644},
      {"an older file", [](const fs::path& f) { old_file(f / "old.txt", 0600); }, "old.txt", "old.txt", 0600},
      {"a chain of relative links",
       [](const fs::path& f) {
         fs::create_directory(f / "real");
         old_file(f / "real/target.txt", 0640);
         fs::create_symlink("real/target.txt", f / "b");
         fs::create_symlink("b", f / "a");
       },
       "a", "real/target.txt", 0640},
      {"an absolute link",
       [](const fs::path& f) {
         old_file(f / "target.txt", 0604);
         fs::create_symlink(f / "target.txt", f / "link");
       },
       "link", "target.txt", 0604},
      {"a link to no file yet", [](const fs::path& f) { fs::create_symlink("made.txt", f / "link"); }, "link",
       "made.txt", 0644},
      {"folders where fixed temporaries would go",
       [](const fs::path& f) {
         fs::create_directory(f / "busy.txt.partial");
         fs::create_directory(f / "busy.txt.new");
       },
       "busy.txt", "busy.txt", 0644},
  };
  for (const each& c : cases) {
    temp_folder folder;
    c.setup(folder.path());
    std::set<std::string> expected = names_in(folder.path());
    expected.insert(c.holder);
    std::error_code error;
    ASSERT_TRUE(replace_file(folder.file(c.written), {"new ", "", "bytes"}, error))
        << c.name << ": " << error.message();
    EXPECT_EQ(read_file(folder.path() / c.holder), "new bytes") << c.name;
    EXPECT_EQ(fs::status(folder.path() / c.holder).permissions(), static_cast<fs::perms>(c.mode)) << c.name;
    EXPECT_EQ(fs::is_symlink(folder.path() / c.written), std::string(c.written) != c.holder) << c.name;
    EXPECT_EQ(names_in(folder.path()), expected) << c.name;
  }
  ::umask(umask_before);
}

TEST(ReplaceFile, AFailureNamesItsCauseAndChangesNothing) {
  struct each {
    const char* name;
    std::function<void(const fs::path&)> setup;
    const char* written;
    std::errc cause;
  };
  const each cases[] = {
      {"a missing folder", [](const fs::path&) {}, "gone/file.txt", std::errc::no_such_file_or_directory},
      {"a folder in the way", [](const fs::path& f) { fs::create_directory(f / "taken"); }, "taken",
       std::errc::is_a_directory},
      {"a link to itself", [](const fs::path& f) { fs::create_symlink("loop", f / "loop"); }, "loop",
       std::errc::too_many_symbolic_link_levels},
  };
  for (const each& c : cases) {
    temp_folder folder;
    old_file(folder.path() / "other.txt", 0644);
    c.setup(folder.path());
    const std::set<std::string> before = names_in(folder.path());
    std::error_code error;
    EXPECT_FALSE(replace_file(folder.file(c.written), {"bytes"}, error)) << c.name;
    EXPECT_EQ(error, std::make_error_code(c.cause)) << c.name << ": " << error.message();
    EXPECT_EQ(names_in(folder.path()), before) << c.name;
  }
  EXPECT_FALSE(replace_file("", {"bytes"}));
}

}  // namespace
}  // namespace varnel2d
