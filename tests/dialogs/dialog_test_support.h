// Helpers of the dialog tests: a recording preview player, acting on a modal dialog once it is
// open, small pictures, and the grabs of the dialogs.
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

// Writes a picture of one colour (0xRRGGBB) in the format the file name asks for.
void write_picture(const std::string& path, int width, int height, unsigned int rgb);

// Saves a grab of the widget as PNG into $BRISENFALL_GRAB_FOLDER when it is set, for people to look at.
void save_grab_for_review(QWidget& widget, const std::string& name);

}  // namespace brisenfall::testing
