// The preview form: attach into the host, the watch every 100 ms, the close request, the host's
// loss (named on stderr), detach.
#include "shell/preview.h"

#include <gtest/gtest.h>

#include "testing/recording_preview_host.h"

namespace brisenfall {
namespace {

using calls = std::vector<std::string>;

TEST(picture_box_twips, covers_the_host_client_area_in_twips) {
  const twips_size size = picture_box_twips({0, 0, 152, 112}, 15, 15);
  const twips_size offset = picture_box_twips({4, 6, 104, 86}, 15, 12);
  EXPECT_EQ(std::tuple(size.width, size.height, offset.width, offset.height), std::tuple(2280, 1680, 1500, 960));
}

class preview_test : public ::testing::Test {
 protected:
  preview_test() {
    shell.preview_host_window = 77;
    host.add_window(77, 152, 112);
  }
  int events_runs() const { return static_cast<int>(std::count(host.calls.begin(), host.calls.end(), "events 100")); }

  shell_state shell;
  recording_preview_host host;
  frmPreview preview{shell, host};
};

// The picture moves over the host's client area and into the host; a close request takes it back,
// and the next tick ends the preview.
TEST_F(preview_test, the_picture_moves_into_the_host_and_a_close_request_ends_the_preview) {
  host.on_events = [this] {
    if (events_runs() == 3) host.queue_message(preview_message::close);
  };
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(preview.run(), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "a close request is the ordinary end";
  EXPECT_EQ(events_runs(), 3);
  EXPECT_EQ(calls(host.calls.begin(), host.calls.begin() + 4),
            (calls{"replace procedure", "client rect 77", "move 0 0 152 112", "parent 77"}));
  EXPECT_EQ(std::tuple(host.picture_parent, preview.preview_active, preview.tmrPreview_enabled),
            std::tuple(0, false, false));
  // The close request is not passed on to the picture box's own procedure.
  EXPECT_TRUE(host.passed_on.empty());
  const calls tail(host.calls.end() - 4, host.calls.end());
  EXPECT_EQ(tail, (calls{"events 100", "parent 0", "is window 77", "replace procedure"}));
}

TEST_F(preview_test, a_vanished_host_ends_the_preview_at_the_next_tick) {
  host.on_events = [this] {
    if (events_runs() == 2) host.remove_window(77);
  };
  ::testing::internal::CaptureStderr();
  preview.run();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "brisenfall: the preview's host window 77 is gone; the preview has ended\n");
  EXPECT_EQ(events_runs(), 2);
  EXPECT_EQ(host.picture_parent, 77);
  EXPECT_EQ(host.calls.back(), "replace procedure");
}

TEST_F(preview_test, host_zero_or_not_a_window_ends_at_the_first_tick) {
  for (const int32_t window : {0, 1234}) {
    shell.preview_host_window = window;
    recording_preview_host empty_host;
    frmPreview lonely(shell, empty_host);
    lonely.run();
    EXPECT_EQ(std::count(empty_host.calls.begin(), empty_host.calls.end(), "events 100"), 1) << window;
    EXPECT_EQ(empty_host.calls[2], "move 0 0 0 0") << window;
  }
}

TEST_F(preview_test, other_messages_reach_the_old_procedure_which_comes_back_on_unload) {
  preview.Form_Unload();  // nothing replaced yet: nothing to restore
  EXPECT_TRUE(host.calls.empty());
  preview.Form_Load();
  host.queue_message(preview_message::other);
  host.run_events_for(PREVIEW_WATCH_INTERVAL);
  EXPECT_EQ(host.passed_on, std::vector<preview_message>{preview_message::other});
  preview.Form_Unload();
  // Restored: a close request now reaches the picture box's own procedure and leaves the host alone.
  host.queue_message(preview_message::close);
  host.run_events_for(PREVIEW_WATCH_INTERVAL);
  EXPECT_EQ(host.passed_on.size(), 2u);
  EXPECT_EQ(host.picture_parent, 77);
  EXPECT_TRUE(preview.preview_active);
}

}  // namespace
}  // namespace brisenfall
