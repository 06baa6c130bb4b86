// The drive, folder and file lists of the music dialog: mounted volumes and the home folder stand
// for drives, a folder list shows the path down from the drive and the folders inside, and a file
// list shows the files that match a pattern such as "*.mid;*.rmi". Names are kept as the file
// system's bytes beside the text shown, so that names that are not valid UTF-8 still open.
#pragma once

#include <QListWidget>
#include <QString>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

namespace brisenfall {

// One entry of the drive list: what it shows and the folder it opens, ending in a separator.
struct music_drive {
  QString label;
  std::string root;
};

// The home folder first, then every mounted volume that is ready.
std::vector<music_drive> music_drives();

// The user's music folder (the desktop's XDG music folder), else the home folder; with a separator.
std::string user_music_folder();

// The drive whose root holds the folder (the longest matching root); 0 when none does.
int drive_index_of(const std::vector<music_drive>& drives, const std::string& folder);

// The folder and the file name joined by exactly one separator.
std::string music_file_path(const std::string& folder, const std::string& name);

// A file-system name or path (bytes) as the text to show, in the file system's encoding.
QString shown_name(const std::string& name);

// True when the name matches one of the ";"-separated patterns ("*" and "?" wildcards), in any case.
bool matches_file_pattern(const QString& name, const QString& patterns);

// The folder list: from the drive's root down to the current folder, then the folders inside it.
// Each entry holds its folder's full path.
class folder_list final : public QTreeWidget {
 public:
  explicit folder_list(QWidget* parent);
  // Shows the folder below that root; false, with nothing changed, when the folder cannot be read.
  bool set_path(const std::string& folder, const std::string& root);
  // The current folder, ending in a separator.
  const std::string& path() const { return path_; }
  // The folder an entry stands for.
  static std::string path_of(const QTreeWidgetItem* item);
  // Runs when a key has moved the current entry.
  std::function<void()> on_keyboard_move;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::string path_;
};

// The file list: the files of one folder that match the pattern, sorted by name, with extended
// selection.
class file_list final : public QListWidget {
 public:
  explicit file_list(QWidget* parent);
  void set_pattern(const QString& patterns) { patterns_ = patterns; }
  // Lists the folder's matching files; a folder that cannot be read lists none, and one whose
  // reading fails part way lists the files read until then.
  void set_path(const std::string& folder);
  // The folder shown, ending in a separator.
  const std::string& path() const { return path_; }
  // The file name an entry stands for, as the file system's bytes.
  static std::string name_of(const QListWidgetItem* item);
  // Runs when a key has moved the current entry.
  std::function<void()> on_keyboard_move;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString patterns_;
  std::string path_;
};

}  // namespace brisenfall
