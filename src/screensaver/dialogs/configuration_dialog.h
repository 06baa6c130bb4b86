// The configuration dialog frmConfiguration: snow amount, scene time, music volume, mute and custom
// music, colour depth; About, Read Me, a test show (Preview) and Exit.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "dialogs/configuration_mode.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace brisenfall {

inline constexpr const char* README_FILE = "readme.htm";
inline constexpr const char* README_FAILED_TITLE = "Failed To Launch Default Web Browser!";
inline constexpr const char* README_FAILED_TEXT = "Error launching browser!";

// The indices of the four buttons of the Command1 array.
enum : int16_t { ABOUT_BUTTON = 1, PREVIEW_BUTTON = 3, EXIT_BUTTON = 4, README_BUTTON = 5 };

class frmConfiguration final : public QDialog {
 public:
  // Fills the controls from the settings in memory; fixed size, centred on the screen.
  frmConfiguration(shell_state& shell, system_services& system, music_preview_player& player,
                   show_runner run_show_modally);

  void Form_Load();
  // Copies the controls into the settings in memory.
  void update_vars();
  // The About, Preview, Exit and Read Me buttons, by index.
  void Command1_Click(int16_t index);
  void Check2_Click();
  // Edit: the music selection dialog.
  void Command2_Click();
  void readme();

  QLabel* Image1;
  QGroupBox* Frame4;
  QRadioButton* Option1;
  QRadioButton* Option2;
  QGroupBox* Frame1;
  QLabel* Label1;
  QLabel* Label2;
  QScrollBar* HScroll1;
  QGroupBox* Frame2;
  QLabel* Label4;
  QLabel* Label3;
  QScrollBar* HScroll2;
  QGroupBox* Frame3;
  QLabel* Label5;
  QLabel* Label6;
  QScrollBar* HScroll3;
  QCheckBox* Check1;
  QCheckBox* Check2;
  QPushButton* Command2;
  std::array<QPushButton*, 6> Command1{};  // indices 1, 3, 4, 5
  QLabel* Label8;
  QLabel* Image3;

 protected:
  // Return and Enter press the focused button; Escape presses Exit; the close box goes through
  // reject() and runs nothing.
  void keyPressEvent(QKeyEvent* event) override;
  // While the test show runs the dialog does not close.
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs the test show modally: the show lets window events run every frame, and none of them
  // may reach the dialog meanwhile.
  void run_test_show();

  shell_state& shell_;
  system_services& system_;
  music_preview_player& player_;
  show_runner run_show_modally_;
  bool test_show_running_ = false;
};

}  // namespace brisenfall
