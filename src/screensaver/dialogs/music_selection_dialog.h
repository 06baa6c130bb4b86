// The music selection dialog frm_custommusic: browse drives and folders, hear a MIDI file by
// clicking it, build the custom music list of up to 20 files, confirm or cancel.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "dialogs/music_browser.h"
#include "dialogs/music_preview_player.h"
#include "desktop/system_services.h"
#include "shell/shell_state.h"

class QComboBox;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace brisenfall {

inline constexpr int MUSIC_LIST_LIMIT = 20;
inline constexpr const char* MUSIC_FILE_PATTERN = "*.mid;*.rmi";
inline constexpr const char* MUSIC_MESSAGE_TITLE = "Music Selection";
inline constexpr const char* MUSIC_LIMIT_TEXT = "Up to 20 music files can be selected.";
inline constexpr const char* MUSIC_LINE_BREAK_TEXT =
    "These files cannot be added because their names hold a line break, which the settings file cannot keep. "
    "Rename them to add them: ";

class frm_custommusic final : public QDialog {
 public:
  // Opens in shell.music_browse_folder (the user's music folder when none is remembered) with the
  // list from the settings; modal, centred on its owner.
  frm_custommusic(QWidget* owner, shell_state& shell, system_services& system, music_preview_player& player,
                  std::vector<music_drive> drives = music_drives());

  void Form_Load();
  // Browsing.
  void Drive1_Change();
  void Dir1_Change();
  void Dir1_Click(const std::string& folder);
  // Preview.
  void File1_Click();
  void do_audio();
  void play_audio(std::string x);
  void List2_DblClick();
  // Buttons: Add, Remove, Ok, Cancel.
  void Command1_Click();
  void Command5_Click();
  void Command3_Click();
  void Command6_Click();
  // Every way of closing ends here: the preview stops and the browse folder is kept.
  void done(int result) override;

  // The path of an entry of the music list, as the file system's bytes.
  static std::string List2_path(const QListWidgetItem* entry);

  QGroupBox* Frame2;
  QComboBox* Drive1;
  folder_list* Dir1;
  file_list* File1;
  QPushButton* Command1;
  QGroupBox* Frame1;
  QListWidget* List2;
  QPushButton* Command5;
  QPushButton* Command3;
  QPushButton* Command6;

 protected:
  // Return and Enter press the focused button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Appends a path to the music list: its bytes kept, its text shown.
  void add_to_List2(const std::string& path);
  // Points the drive and folder lists at a folder; false, with nothing changed, when it cannot be read.
  bool browse_to(const std::string& folder);
  // The root of the drive chosen in Drive1.
  std::string current_root() const;

  shell_state& shell_;
  system_services& system_;
  music_preview_player& player_;
  std::vector<music_drive> drives_;
};

}  // namespace brisenfall
