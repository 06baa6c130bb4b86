// Drive, folder and file lists over the file system.
#include "dialogs/music_browser.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>
#include <filesystem>

#include "shell/shell_utilities.h"

namespace brisenfall {
namespace {

// Each entry keeps the file system's bytes of its folder path or file name here.
constexpr int BYTES_ROLE = Qt::UserRole;

std::string file_system_path(const QString& path) { return QFile::encodeName(path).toStdString(); }

QVariant bytes_data(const std::string& bytes) { return QByteArray::fromStdString(bytes); }

// The visible entries of a folder of one kind (folders or files) as the file system's bytes, sorted
// by the name shown in any case; false when the folder cannot be opened. A read that fails part
// way keeps the entries read until then.
bool folder_entries(const std::string& folder, bool folders, std::vector<std::string>& names) {
  std::error_code error;
  std::filesystem::directory_iterator entry(folder, error);
  if (error) return false;
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    std::string name = entry->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kind_error;
    if ((folders ? entry->is_directory(kind_error) : entry->is_regular_file(kind_error)) && !kind_error)
      names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int order = shown_name(a).compare(shown_name(b), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
  });
  return true;
}

QTreeWidgetItem* folder_item(const QString& text, const std::string& path, QStyle::StandardPixmap icon) {
  auto* item = new QTreeWidgetItem(QStringList{text});
  item->setData(0, BYTES_ROLE, bytes_data(path));
  item->setIcon(0, QApplication::style()->standardIcon(icon));
  return item;
}

}  // namespace

std::vector<music_drive> music_drives() {
  std::vector<music_drive> drives;
  const std::string home = with_trailing_separator(file_system_path(QDir::homePath()));
  drives.push_back({shown_name(home) + " [Home]", home});
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const std::string root = with_trailing_separator(file_system_path(volume.rootPath()));
    if (std::any_of(drives.begin(), drives.end(), [&root](const music_drive& d) { return d.root == root; })) continue;
    QString label = shown_name(root);
    if (volume.displayName() != volume.rootPath()) label += " [" + volume.displayName() + "]";
    drives.push_back({label, root});
  }
  return drives;
}

std::string user_music_folder() {
  const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
  const QString folder = !music.isEmpty() && QFileInfo(music).isDir() ? music : QDir::homePath();
  return with_trailing_separator(file_system_path(folder));
}

int drive_index_of(const std::vector<music_drive>& drives, const std::string& folder) {
  const std::string path = with_trailing_separator(folder);
  int best = 0;
  size_t best_length = 0;
  for (size_t i = 0; i < drives.size(); ++i) {
    const std::string& root = drives[i].root;
    if (path.compare(0, root.size(), root) == 0 && root.size() > best_length) {
      best = static_cast<int>(i);
      best_length = root.size();
    }
  }
  return best;
}

std::string music_file_path(const std::string& folder, const std::string& name) {
  return with_trailing_separator(folder) + name;
}

QString shown_name(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

bool matches_file_pattern(const QString& name, const QString& patterns) {
  for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
    const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(pattern.trimmed()),
                                      QRegularExpression::CaseInsensitiveOption);
    if (wildcard.match(name).hasMatch()) return true;
  }
  return false;
}

folder_list::folder_list(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setIndentation(10);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

bool folder_list::set_path(const std::string& folder, const std::string& root) {
  const std::string target = with_trailing_separator(folder);
  std::vector<std::string> inside;
  if (!folder_entries(target, true, inside)) return false;

  // The path from the root down to the folder, one entry a level, each open.
  const std::string top = target.compare(0, root.size(), root) == 0 ? root : std::string(1, PATH_SEPARATOR);
  clear();
  QTreeWidgetItem* current = folder_item(shown_name(top), top, QStyle::SP_DirOpenIcon);
  addTopLevelItem(current);
  std::string reached = top;
  for (const auto& part : std::filesystem::path(target.substr(top.size()))) {
    if (part.empty()) continue;
    reached = with_trailing_separator(reached + part.string());
    auto* next = folder_item(shown_name(part.string()), reached, QStyle::SP_DirOpenIcon);
    current->addChild(next);
    current->setExpanded(true);
    current = next;
  }
  for (const std::string& name : inside)
    current->addChild(folder_item(shown_name(name), with_trailing_separator(target + name), QStyle::SP_DirClosedIcon));
  current->setExpanded(true);
  setCurrentItem(current);
  scrollToItem(current);
  path_ = target;
  return true;
}

std::string folder_list::path_of(const QTreeWidgetItem* item) {
  return item->data(0, BYTES_ROLE).toByteArray().toStdString();
}

void folder_list::keyPressEvent(QKeyEvent* event) {
  const QTreeWidgetItem* before = currentItem();
  QTreeWidget::keyPressEvent(event);
  if (currentItem() != nullptr && currentItem() != before && on_keyboard_move) on_keyboard_move();
}

file_list::file_list(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void file_list::set_path(const std::string& folder) {
  path_ = with_trailing_separator(folder);
  clear();
  std::vector<std::string> names;
  folder_entries(path_, false, names);
  for (const std::string& name : names) {
    const QString shown = shown_name(name);
    if (!matches_file_pattern(shown, patterns_)) continue;
    auto* item = new QListWidgetItem(shown, this);
    item->setData(BYTES_ROLE, bytes_data(name));
  }
}

std::string file_list::name_of(const QListWidgetItem* item) {
  return item->data(BYTES_ROLE).toByteArray().toStdString();
}

void file_list::keyPressEvent(QKeyEvent* event) {
  const QListWidgetItem* before = currentItem();
  QListWidget::keyPressEvent(event);
  if (currentItem() != nullptr && currentItem() != before && on_keyboard_move) on_keyboard_move();
}

}  // namespace brisenfall
