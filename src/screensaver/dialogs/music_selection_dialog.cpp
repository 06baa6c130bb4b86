// The music selection dialog.
#include "dialogs/music_selection_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "dialogs/dialog_keys.h"
#include "dialogs/dialog_look.h"
#include "dialogs/product.h"
#include "desktop/event_pump.h"
#include "shell/settings_file.h"
#include "shell/shell_utilities.h"

namespace brisenfall {

frm_custommusic::frm_custommusic(QWidget* owner, shell_state& shell, system_services& system,
                                 music_preview_player& player, std::vector<music_drive> drives)
    : QDialog(owner), shell_(shell), system_(system), player_(player), drives_(std::move(drives)) {
  setFont(default_dialog_font());
  setFixedSize(602, 391);
  setModal(true);
  setWindowIcon(artwork_icon(shell.settings.cfg_install_path));

  Frame2 = new QGroupBox("Select Music Files From Your System ", this);
  Frame2->setGeometry(6, 6, 244, 379);
  Drive1 = new QComboBox(Frame2);
  Drive1->setGeometry(9, 18, 226, 22);
  Drive1->setFont(dialog_font("Arial", 8.25, true));
  Drive1->setToolTip(" Select a storage device to browse ");
  for (const music_drive& drive : drives_) Drive1->addItem(drive.label);
  Dir1 = new folder_list(Frame2);
  Dir1->setGeometry(9, 45, 226, 134);
  Dir1->setFont(dialog_font("Arial", 8.25));
  Dir1->setToolTip(" Select a folder to view the music files available ");
  File1 = new file_list(Frame2);
  File1->setGeometry(9, 180, 227, 160);
  File1->setFont(dialog_font("Arial", 8.25));
  File1->setToolTip(" Click on a music file to preview it ");
  Command1 = new QPushButton("Add &Selected File(s)", Frame2);
  Command1->setGeometry(9, 345, 226, 27);
  Command1->setToolTip(" Add the music files that are currently selected ");
  make_caption_bold(Frame2);

  Frame1 = new QGroupBox("Music Files To Play During Screen Saver ", this);
  Frame1->setGeometry(256, 6, 337, 379);
  List2 = new QListWidget(Frame1);
  List2->setGeometry(9, 21, 318, 316);
  List2->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Command5 = new QPushButton("&Remove Selected File(s)", Frame1);
  Command5->setGeometry(9, 345, 132, 27);
  Command5->setToolTip(" Removes the selected file(s) from your music list ");
  Command3 = new QPushButton("&Ok", Frame1);
  Command3->setGeometry(177, 345, 70, 27);
  Command3->setToolTip(" Save your music list and exit ");
  Command6 = new QPushButton("&Cancel", Frame1);
  Command6->setGeometry(255, 345, 73, 27);
  Command6->setToolTip(" Exit without saving any changes to your music list ");
  make_caption_bold(Frame1);

  for (QPushButton* button : {Command1, Command5, Command3, Command6}) button->setAutoDefault(false);
  setTabOrder(Drive1, Dir1);
  setTabOrder(Dir1, File1);
  setTabOrder(File1, Command1);
  setTabOrder(Command1, List2);
  setTabOrder(List2, Command5);
  setTabOrder(Command5, Command3);
  setTabOrder(Command3, Command6);

  connect(Drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
  connect(Dir1, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { Dir1_Click(folder_list::path_of(item)); });
  connect(Dir1, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (Dir1->set_path(folder_list::path_of(item), current_root())) Dir1_Change();
  });
  connect(File1, &QListWidget::itemClicked, this, [this] { File1_Click(); });
  // Keys move through the lists as clicks do: a file is heard, a folder's files are listed.
  File1->on_keyboard_move = [this] { File1_Click(); };
  Dir1->on_keyboard_move = [this] { Dir1_Click(folder_list::path_of(Dir1->currentItem())); };
  connect(List2, &QListWidget::itemDoubleClicked, this, [this] { List2_DblClick(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
  Form_Load();
}

void frm_custommusic::Form_Load() {
  setWindowTitle(QString(PRODUCT_TITLE) + " - Music Selection");
  File1->set_pattern(MUSIC_FILE_PATTERN);
  // With no folder remembered from an earlier opening, browsing starts in the user's music. A
  // browse folder that has gone since falls back to its drive, then to the first drive.
  const std::string start = shell_.music_browse_folder.empty() ? user_music_folder() : shell_.music_browse_folder;
  if (!browse_to(start) && !drives_.empty() &&
      !browse_to(drives_[static_cast<size_t>(drive_index_of(drives_, start))].root))
    browse_to(drives_.front().root);
  for (int i = 0; i < shell_.settings.cfg_music_count && i < static_cast<int>(shell_.settings.cfg_music_files.size());
       ++i)
    add_to_List2(shell_.settings.cfg_music_files[static_cast<size_t>(i)]);
  let_pending_events_run();
}

std::string frm_custommusic::current_root() const {
  const int drive = Drive1->currentIndex();
  if (drive < 0 || drive >= static_cast<int>(drives_.size())) return std::string(1, PATH_SEPARATOR);
  return drives_[static_cast<size_t>(drive)].root;
}

bool frm_custommusic::browse_to(const std::string& folder) {
  const QSignalBlocker quiet(Drive1);
  const int previous = Drive1->currentIndex();
  Drive1->setCurrentIndex(drive_index_of(drives_, folder));
  if (!Dir1->set_path(folder, current_root())) {
    Drive1->setCurrentIndex(previous);
    return false;
  }
  Dir1_Change();
  return true;
}

void frm_custommusic::Drive1_Change() {
  if (Dir1->set_path(current_root(), current_root())) {
    Dir1_Change();
    return;
  }
  // A volume that cannot be read: back to where browsing started, without a word.
  browse_to(shell_.music_browse_folder);
}

void frm_custommusic::Dir1_Change() { File1->set_path(Dir1->path()); }

void frm_custommusic::Dir1_Click(const std::string& folder) { File1->set_path(folder); }

void frm_custommusic::File1_Click() {
  // Disabling the list moves the focus on; it comes back, so that keys keep working in the list.
  const bool had_focus = focusWidget() == File1;
  File1->setEnabled(false);
  do_audio();
  File1->setEnabled(true);
  if (had_focus) File1->setFocus(Qt::OtherFocusReason);
}

void frm_custommusic::do_audio() {
  const QListWidgetItem* item = File1->currentItem();
  if (item == nullptr) return;
  const std::string path = music_file_path(File1->path(), file_list::name_of(item));
  if (path.size() > 3) play_audio(path);
}

void frm_custommusic::play_audio(std::string x) {
  if (x.empty())
    player_.stop();
  else
    player_.play(x);
}

void frm_custommusic::List2_DblClick() {
  const QListWidgetItem* entry = List2->currentItem();
  if (entry != nullptr && entry->isSelected()) play_audio(List2_path(entry));
}

void frm_custommusic::Command1_Click() {
  if (File1->count() == 0) return;
  bool limit_hit = false;
  QStringList refused;
  for (int i = 0; i < File1->count(); ++i) {
    const QListWidgetItem* file = File1->item(i);
    if (!file->isSelected()) continue;
    const std::string path = music_file_path(File1->path(), file_list::name_of(file));
    if (!fits_on_one_line(path))
      refused.push_back(shown_name(path).replace('\r', ' ').replace('\n', ' '));
    else if (List2->count() < MUSIC_LIST_LIMIT)
      add_to_List2(path);
    else
      limit_hit = true;
  }
  let_pending_events_run();
  if (!refused.isEmpty())
    system_.message_box(MUSIC_MESSAGE_TITLE, MUSIC_LINE_BREAK_TEXT + refused.join(", ").toStdString() + ".");
  if (limit_hit) system_.message_box(MUSIC_MESSAGE_TITLE, MUSIC_LIMIT_TEXT);
}

void frm_custommusic::Command5_Click() {
  if (List2->count() == 0) return;
  for (int i = List2->count() - 1; i >= 0; --i)
    if (List2->item(i)->isSelected()) delete List2->takeItem(i);
  List2->clearSelection();
}

void frm_custommusic::Command3_Click() {
  shell_.settings.cfg_music_count = static_cast<int16_t>(List2->count());
  shell_.settings.cfg_music_files.clear();
  for (int i = 0; i < List2->count(); ++i) shell_.settings.cfg_music_files.push_back(List2_path(List2->item(i)));
  accept();
}

void frm_custommusic::Command6_Click() { reject(); }

void frm_custommusic::add_to_List2(const std::string& path) {
  auto* entry = new QListWidgetItem(shown_name(path), List2);
  entry->setData(Qt::UserRole, QByteArray::fromStdString(path));
}

std::string frm_custommusic::List2_path(const QListWidgetItem* entry) {
  return entry->data(Qt::UserRole).toByteArray().toStdString();
}

void frm_custommusic::keyPressEvent(QKeyEvent* event) {
  if (!press_focused_button(*this, *event)) QDialog::keyPressEvent(event);
}

void frm_custommusic::done(int result) {
  play_audio("");
  shell_.music_browse_folder = with_trailing_separator(File1->path());
  QDialog::done(result);
}

}  // namespace brisenfall
