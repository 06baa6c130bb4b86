// Helpers of the dialog tests: a recording preview player, acting on a modal dialog once it is
// open, keys on a focused control, small pictures and folder listings that fail.
#pragma once

#include <QString>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "dialogs/music_preview_player.h"

class QDialog;
class QWidget;

// Readable Qt texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace brisenfall::testing {

class recording_music_player final : public music_preview_player {
 public:
  // "play PATH" or "stop", in order.
  std::vector<std::string> calls;
  void play(const std::string& path) override { calls.push_back("play " + path); }
  void stop() override { calls.push_back("stop"); }
};

// Once a modal dialog other than the current one opens, runs the action on it (from its event loop).
void when_modal_opens(std::function<void(QDialog&)> action);

// Gives the control the focus and presses the key on it.
void press_key(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Writes a picture of one colour (0xRRGGBB) in the format the file name asks for.
void write_picture(const std::string& path, int width, int height, unsigned int rgb);

// While one lives, reading the folder's entries fails with EIO after the first `entries` (counting
// "." and ".."), as on a failing disk or network share: the C library's readdir is replaced in
// this test program. `first_names` are the names the listing gets before it fails.
class failing_folder_listing {
 public:
  failing_folder_listing(const std::string& folder, int entries);
  ~failing_folder_listing();
  failing_folder_listing(const failing_folder_listing&) = delete;
  failing_folder_listing& operator=(const failing_folder_listing&) = delete;
  std::vector<std::string> first_names;
};

}  // namespace brisenfall::testing
