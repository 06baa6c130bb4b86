// The system services: whole numbers from fractions and text, the real clock, the frame cap's
// schedule, termination signals, replacing a file whole, the key table; and the show's settings
// store file and its real folder.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

#include <varnel2d/files.h>
#include <varnel2d/numbers.h>
#include <varnel2d/termination_signals.h>
#include "desktop/desktop_system_services.h"
#include "desktop/settings_store.h"
#include "engine/backends/frame_pacing.h"
#include "engine/backends/sdl_clock.h"
#include "engine/backends/sdl_input.h"
#include "support/temp_folder.h"

namespace varnel2d {
namespace {

namespace fs = std::filesystem;

TEST(Numbers, WholeNumbersRoundHalvesToEvenAndClampAndTextIsReadAsFarAsANumberGoes) {
  const std::pair<double, int32_t> wholes[] = {{2.5, 2},   {3.5, 4},          {-2.5, -2},
                                               {-0.6, -1}, {1e300, INT32_MAX}, {std::nan(""), 0}};
  for (const auto& [value, whole] : wholes) EXPECT_EQ(to_int32(value), whole) << value;
  EXPECT_EQ(to_int16(40000.0), INT16_MAX);
  EXPECT_EQ(to_int16(-40000.0), INT16_MIN);
  EXPECT_EQ(int_floor(-0.5), -1);
  const std::pair<const char*, double> texts[] = {{"  1234 rest", 1234}, {"-12.75x", -12.75}, {"+7", 7},
                                                  {"1e3", 1000},         {"1e", 1},            {"2.5e+2", 250},
                                                  {"4E-1x", 0.4},        {".5", 0.5},          {":1234", 0},
                                                  {"-", 0},              {"", 0}};
  for (const auto& [text, value] : texts) EXPECT_EQ(leading_number(text), value) << '"' << text << '"';
}

// The counter starts with the clock, so the tick count the engine derives from it starts small
// however long the machine has been up.
TEST(SdlClock, TheCounterCountsFromTheClocksCreationAndOnlyForwards) {
  const auto clock = make_sdl_clock();
  const double frequency = static_cast<double>(clock->counter_frequency());
  ASSERT_GT(frequency, 0);
  const uint64_t first = clock->counter();
  clock->pass_time(5);
  const double passed = static_cast<double>(clock->counter() - first) / frequency;
  EXPECT_LT(static_cast<double>(first) / frequency, 60.0) << "the counter runs from before the clock was made";
  EXPECT_TRUE(passed >= 0.005 && passed < 60.0) << passed;
}

// Never two frames shown closer than the refresh interval on average; a late frame is not made up for.
TEST(FramePacing, QuickFramesWaitForTheirSlotAndALateFrameStartsANewSchedule) {
  for (const auto& [rate, capped] : {std::pair{75, 75}, {0, 60}, {-1, 60}}) EXPECT_EQ(cap_rate(rate), capped) << rate;
  frame_pacer pacer(50);  // 20 ms a frame
  EXPECT_EQ(pacer.wait_before_showing(1000), 0);
  EXPECT_DOUBLE_EQ(pacer.wait_before_showing(1002), 18);  // shown at 1020
  EXPECT_DOUBLE_EQ(pacer.wait_before_showing(1021), 19);  // shown at 1040
  // A hundred frames that each take 1 ms are shown over 2 seconds: 50 a second.
  double now = 1040;
  for (int i = 0; i < 100; ++i) now += 1 + pacer.wait_before_showing(now + 1);
  EXPECT_NEAR(now, 1040 + 100 * 20, 1e-6);
  EXPECT_EQ(pacer.wait_before_showing(now + 75), 0);             // late: shown at once
  EXPECT_DOUBLE_EQ(pacer.wait_before_showing(now + 80), 15);     // the next slot is 20 ms after it
  EXPECT_DOUBLE_EQ(pacer.wait_before_showing(now + 95), 20);
}

void (*handler_of(int signal_number))(int) {
  struct sigaction now {};
  sigaction(signal_number, nullptr, &now);
  return now.sa_handler;
}

extern "C" void ignore_signal(int) {}

// Recorded only while a catcher lives, the first one named, the handlers before it restored, and
// a new catcher starting with nothing recorded.
TEST(TerminationSignals, RecordedWhileACatcherLivesThenTheEarlierHandlersReturn) {
  std::signal(SIGINT, ignore_signal);
  const auto terminate_before = handler_of(SIGTERM);
  {
    const termination_signal_catcher catcher;
    EXPECT_FALSE(termination_requested());
    EXPECT_STREQ(termination_signal_name(), "");
    std::raise(SIGINT);
    std::raise(SIGTERM);
    EXPECT_TRUE(termination_requested());
    EXPECT_STREQ(termination_signal_name(), "SIGINT") << "the first signal is the one named";
  }
  EXPECT_EQ(handler_of(SIGTERM), terminate_before);
  EXPECT_EQ(handler_of(SIGINT), ignore_signal);
  EXPECT_TRUE(termination_requested()) << "the caller still learns what ended the show";
  {
    const termination_signal_catcher next;
    EXPECT_FALSE(termination_requested());
  }
  // Left to the program, SDL started later keeps the default actions.
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  leave_termination_signals_to_the_program();
  SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
  EXPECT_EQ(handler_of(SIGTERM), SIG_DFL);
  EXPECT_EQ(handler_of(SIGINT), SIG_DFL);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Every name in the folder and below it.
std::set<std::string> names_in(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    names.insert(entry.path().lexically_relative(folder).string());
  return names;
}

void old_file(const fs::path& file, int mode) {
  testing::write_file(file, "an older file, longer than the new one");
  fs::permissions(file, static_cast<fs::perms>(mode));
}

// The real file behind links gets the bytes and keeps its permissions, and no temporary stays behind.
TEST(ReplaceFile, TheRealFileTakesTheBytesAndKeepsItsModeAndItsLinks) {
  const mode_t umask_before = ::umask(022);
  // What the folder holds, the path handed over, the file that holds the bytes afterwards, its mode.
  const std::tuple<const char*, std::function<void(const fs::path&)>, const char*, const char*, int> cases[] = {
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
  for (const auto& [name, setup, written, holder, mode] : cases) {
    SCOPED_TRACE(name);
    testing::temp_folder folder;
    setup(folder.path());
    std::set<std::string> expected = names_in(folder.path());
    expected.insert(holder);
    std::error_code error;
    ASSERT_TRUE(replace_file(folder.file(written), {"new ", "", "bytes"}, error)) << error.message();
    EXPECT_EQ(testing::read_file(folder.path() / holder), "new bytes");
    EXPECT_EQ(fs::status(folder.path() / holder).permissions(), static_cast<fs::perms>(mode));
    EXPECT_EQ(fs::is_symlink(folder.path() / written), std::string(written) != holder);
    EXPECT_EQ(names_in(folder.path()), expected);
  }
  ::umask(umask_before);
  // Where the writer may (as root), the file keeps its owner and group too.
  for (const auto& [user, group] : {std::pair(uid_t{1}, gid_t{2}), std::pair(uid_t{0}, gid_t{2})}) {
    if (::geteuid() != 0) break;
    testing::temp_folder folder;
    old_file(folder.path() / "owned.txt", 0644);
    ASSERT_EQ(::chown(folder.file("owned.txt").c_str(), user, group), 0);
    std::error_code error;
    ASSERT_TRUE(replace_file(folder.file("owned.txt"), {"new"}, error)) << error.message();
    struct stat owned {};
    ASSERT_EQ(::stat(folder.file("owned.txt").c_str(), &owned), 0);
    EXPECT_EQ(std::pair(owned.st_uid, owned.st_gid), std::pair(user, group));
  }
}

TEST(ReplaceFile, AFailureNamesItsCauseAndChangesNothing) {
  const std::tuple<const char*, std::function<void(const fs::path&)>, std::errc> cases[] = {
      {"gone/file.txt", [](const fs::path&) {}, std::errc::no_such_file_or_directory},
      {"taken", [](const fs::path& f) { fs::create_directory(f / "taken"); }, std::errc::is_a_directory},
      {"loop", [](const fs::path& f) { fs::create_symlink("loop", f / "loop"); },
       std::errc::too_many_symbolic_link_levels},
  };
  for (const auto& [written, setup, cause] : cases) {
    SCOPED_TRACE(written);
    testing::temp_folder folder;
    old_file(folder.path() / "other.txt", 0644);
    setup(folder.path());
    const std::set<std::string> before = names_in(folder.path());
    std::error_code error;
    EXPECT_FALSE(replace_file(folder.file(written), {"bytes"}, error));
    EXPECT_EQ(error, std::make_error_code(cause)) << error.message();
    EXPECT_EQ(names_in(folder.path()), before);
  }
  EXPECT_FALSE(replace_file("", {"bytes"}));
}

TEST(KeyTable, NamedKeysHaveTheirDirectInputCodes) {
  // SDL scancodes (USB usage codes) and their DirectInput codes: Escape, Return, Space, P, A, keypad
  // Enter, keypad 0, Up, the left and right Windows keys; and codes out of the table.
  const std::pair<int, int> keys[] = {{41, 1},  {40, 28},  {44, 57},   {19, 25},   {4, 30}, {88, 156},
                                      {98, 82}, {82, 200}, {227, 219}, {231, 220}, {-1, 0}, {100000, 0}};
  for (const auto& [scancode, code] : keys) EXPECT_EQ(directinput_code(scancode), code) << scancode;
}

}  // namespace
}  // namespace varnel2d

namespace brisenfall {
namespace {

constexpr std::string_view STORE =
    "; written by the installer\r\n"
    "[HKEY_CURRENT_USER\\Software\\Tamsk Brisenfall Screensaver\\Config]\r\n"
    "install_path = /opt/brisenfall/data/\r\n"
    "install_path=/second/occurrence/\r\n"
    "[hkey_current_user\\control panel\\desktop]\r\n"
    "ScreenSaveUsePassword=dword:0000000A\r\n"
    "Broken=dword:12x\r\n"
    "Wallpaper=\r\n";

TEST(settings_store_lookup, finds_texts_and_numbers_by_section_and_name_and_nothing_absent_or_malformed) {
  const std::tuple<const char*, const char*, uint32_t, std::string> found[] = {
      {"Software\\Tamsk Brisenfall Screensaver\\Config", "INSTALL_PATH", REG_SZ,
       std::string("/opt/brisenfall/data/") + '\0'},
      {"Control Panel\\Desktop", "ScreenSaveUsePassword", REG_DWORD, std::string("\x0A\0\0\0", 4)},
      {"Control Panel\\Desktop", "Wallpaper", REG_SZ, std::string(1, '\0')}};
  for (const auto& [section, name, type, bytes] : found) {
    const auto value = settings_store_lookup(STORE, HKEY_CURRENT_USER, section, name);
    ASSERT_TRUE(value.has_value()) << name;
    EXPECT_EQ(value->type, type) << name;
    EXPECT_EQ(value->bytes, bytes) << name;
  }
  EXPECT_FALSE(settings_store_lookup(STORE, HKEY_LOCAL_MACHINE, "Control Panel\\Desktop", "ScreenSaveUsePassword"));
  EXPECT_FALSE(settings_store_lookup(STORE, HKEY_CURRENT_USER, "Control Panel", "ScreenSaveUsePassword"));
  EXPECT_FALSE(settings_store_lookup(STORE, HKEY_CURRENT_USER, "Control Panel\\Desktop", "Broken"));
  EXPECT_FALSE(settings_store_lookup(STORE, 12345, "Control Panel\\Desktop", "ScreenSaveUsePassword"));
  EXPECT_FALSE(settings_store_lookup("[unterminated\r\nx=1\r\n", HKEY_CURRENT_USER, "x", "x"));
}

TEST(desktop_system_services, keeps_its_files_under_the_xdg_config_folder) {
  testing::temp_folder home;
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = previous != nullptr ? previous : "";
  setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);

  desktop_system_services system;
  const std::string folder = system.windows_directory();
  EXPECT_EQ(folder, (home.path() / "brisenfall").string());
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  testing::write_file(folder + "/settings-store.ini", STORE);
  const auto value = system.registry_query(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, REG_DWORD);
  EXPECT_EQ(system.file_length(folder + "/settings-store.ini"), static_cast<int64_t>(STORE.size()));
  EXPECT_FALSE(system.file_length(folder).has_value());
  EXPECT_TRUE(system.delete_file(folder + "/settings-store.ini"));
  EXPECT_FALSE(system.file_length(folder + "/settings-store.ini").has_value());
  EXPECT_EQ(system.platform_id(), 2);

  if (previous != nullptr) setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace brisenfall
