// Termination signals: recorded only while a catcher lives, the first one named, the handlers
// before it restored, and a new catcher starting with nothing recorded.
#include <varnel2d/termination_signals.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

namespace varnel2d {
namespace {

void (*handler_of(int signal_number))(int) {
  struct sigaction now {};
  sigaction(signal_number, nullptr, &now);
  return now.sa_handler;
}

extern "C" void ignore_signal(int) {}

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

  const termination_signal_catcher next;
  EXPECT_FALSE(termination_requested());
  std::signal(SIGINT, SIG_DFL);
}

TEST(TerminationSignals, LeftToTheProgramSdlStartedLaterKeepsTheDefaultActions) {
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  leave_termination_signals_to_the_program();
  SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
  EXPECT_EQ(handler_of(SIGTERM), SIG_DFL);
  EXPECT_EQ(handler_of(SIGINT), SIG_DFL);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
}  // namespace varnel2d
