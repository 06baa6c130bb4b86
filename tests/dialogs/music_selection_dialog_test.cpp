// The music selection dialog: browsing, previews, the list of up to 20 files, Ok and the ways to cancel.
#include "dialogs/music_selection_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "dialog_test_support.h"
#include "testing/recording_system_services.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

using testing::press_key;

QStringList texts(const QListWidget& list) {
  QStringList result;
  for (int i = 0; i < list.count(); ++i) result.push_back(list.item(i)->text());
  return result;
}

void select_rows(QListWidget& list, std::initializer_list<int> rows) {
  list.clearSelection();
  for (const int row : rows) list.item(row)->setSelected(true);
}

class music_dialog_test : public ::testing::Test {
 protected:
  music_dialog_test() {
    std::filesystem::create_directories(root.path() / "music" / "winter");
    for (const char* name : {"b.mid", "A.MID", "c.rmi", "notes.txt", "d.midi", ".hidden.mid"})
      testing::write_file(folder(name), "MThd");
    testing::write_file(folder("winter/deep.mid"), "MThd");
    shell.music_browse_folder = folder("");
    shell.settings.cfg_install_path = root.data_path();
  }
  std::string folder(const std::string& name) const { return root.data_path() + "music/" + name; }
  std::unique_ptr<frm_custommusic> open(std::vector<music_drive> drives = {}) {
    if (drives.empty()) drives = {{"test", root.data_path()}};
    auto dialog = std::make_unique<frm_custommusic>(nullptr, shell, system, player, std::move(drives));
    dialog->show();
    return dialog;
  }

  testing::temp_folder root;
  recording_system_services system{root.path().string()};
  testing::recording_music_player player;
  shell_state shell;
};

// A file added twice is listed twice; of more files than the list has room for the first ones are
// added, with one warning; a full list takes nothing and warns only when files are selected.
TEST_F(music_dialog_test, the_list_takes_up_to_twenty_files_and_warns_once_when_more_are_selected) {
  for (int i = 1; i <= 25; ++i)
    testing::write_file(folder((i < 10 ? "m0" : "m") + std::to_string(i) + ".mid"), "MThd");
  const auto dialog = open();
  ASSERT_EQ(dialog->File1->count(), 28);
  select_rows(*dialog->File1, {1});
  dialog->Command1_Click();
  QTest::mouseClick(dialog->Command1, Qt::LeftButton);
  const QString twice = QString::fromStdString(folder("b.mid"));
  EXPECT_EQ(texts(*dialog->List2), (QStringList{twice, twice}));
  dialog->File1->clearSelection();
  for (int i = 3; i < 28; ++i) dialog->File1->item(i)->setSelected(true);
  QTest::mouseClick(dialog->Command1, Qt::LeftButton);
  ASSERT_EQ(dialog->List2->count(), 20);
  EXPECT_EQ(std::tuple(dialog->List2->item(2)->text().toStdString(), dialog->List2->item(19)->text().toStdString()),
            std::tuple(folder("m01.mid"), folder("m18.mid")));
  ASSERT_EQ(system.messages.size(), 1u);
  EXPECT_EQ(std::tie(system.messages[0].title, system.messages[0].text),
            std::tuple("Music Selection", "Up to 20 music files can be selected."));

  dialog->File1->clearSelection();
  dialog->Command1_Click();
  EXPECT_EQ(system.messages.size(), 1u);
  select_rows(*dialog->File1, {0});
  dialog->Command1_Click();
  EXPECT_EQ(std::tuple(dialog->List2->count(), system.messages.size()), std::tuple(20, 2u));
}

// Remove takes the selected entries and keeps the order of the rest; Ok replaces the list in memory.
// Return presses the focused button only.
TEST_F(music_dialog_test, remove_keeps_the_order_of_the_rest_and_ok_replaces_the_list_in_memory) {
  shell.settings.cfg_music_count = 5;
  shell.settings.cfg_music_files = {"/1.mid", "/2.mid", "/3.mid", "/4.mid", "/5.mid"};
  auto dialog = open();
  select_rows(*dialog->List2, {0, 2, 4});
  QTest::mouseClick(dialog->Command5, Qt::LeftButton);
  EXPECT_EQ(texts(*dialog->List2), (QStringList{"/2.mid", "/4.mid"}));
  EXPECT_TRUE(dialog->List2->selectedItems().isEmpty());
  select_rows(*dialog->File1, {0, 2});
  dialog->Command1_Click();
  QTest::mouseClick(dialog->Command3, Qt::LeftButton);
  EXPECT_EQ(std::tie(shell.settings.cfg_music_count, shell.settings.cfg_music_files),
            std::tuple(4, std::vector<std::string>{"/2.mid", "/4.mid", folder("A.MID"), folder("c.rmi")}));
  EXPECT_FALSE(dialog->isVisible());

  dialog = open();
  dialog->List2->selectAll();
  dialog->Command5_Click();
  dialog->File1->selectAll();
  QTest::keyClick(dialog->File1, Qt::Key_Return);
  EXPECT_EQ(dialog->List2->count(), 0);
  press_key(dialog->Command1, Qt::Key_Return);
  EXPECT_EQ(dialog->List2->count(), 3);
  dialog->List2->selectAll();
  dialog->Command5_Click();
  press_key(dialog->Command3, Qt::Key_Return);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(shell.settings.cfg_music_count, 0);
}

// The dialog's caption, fixed size and tips; Cancel, Escape and the close box discard the changes.
TEST_F(music_dialog_test, opening_and_cancel_escape_and_the_close_box_discard_the_changes_and_stop_the_preview) {
  shell.settings.cfg_music_count = 1;
  shell.settings.cfg_music_files = {"/kept.mid"};
  auto opened = open();
  EXPECT_EQ(std::tuple(opened->windowTitle(), opened->size(), opened->File1->toolTip()),
            std::tuple("Brisenfall Screensaver - Music Selection", QSize(602, 391),
                       " Click on a music file to preview it "));
  EXPECT_EQ(opened->Command6->toolTip(), " Exit without saving any changes to your music list ");
  EXPECT_EQ(opened->minimumSize(), opened->maximumSize());
  opened.reset();
  const std::vector<std::function<void(frm_custommusic&)>> ways = {
      [](frm_custommusic& d) { QTest::mouseClick(d.Command6, Qt::LeftButton); },
      [](frm_custommusic& d) { QTest::keyClick(&d, Qt::Key_Escape); },
      [](frm_custommusic& d) { d.close(); },
  };
  for (size_t way = 0; way < ways.size(); ++way) {
    player.calls.clear();
    const auto dialog = open();
    select_rows(*dialog->File1, {0});
    dialog->Command1_Click();
    select_rows(*dialog->List2, {0});
    dialog->Command5_Click();
    ways[way](*dialog);
    EXPECT_EQ(std::tie(shell.settings.cfg_music_count, shell.settings.cfg_music_files, player.calls),
              std::tuple(1, std::vector<std::string>{"/kept.mid"}, std::vector<std::string>{"stop"})) << way;
    EXPECT_FALSE(dialog->isVisible()) << way;
  }
}

TEST_F(music_dialog_test, a_click_or_a_key_previews_a_file_and_a_double_click_on_the_list_plays_the_entry) {
  shell.settings.cfg_music_count = 1;
  shell.settings.cfg_music_files = {"/listed.mid"};
  const auto dialog = open();
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  const QRect row = dialog->File1->visualItemRect(dialog->File1->item(0));
  QTest::mouseClick(dialog->File1->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_TRUE(dialog->File1->isEnabled());
  // The keys stay in the file list after a click, and moving with them does what a click does.
  ASSERT_EQ(QApplication::focusWidget(), dialog->File1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(player.calls, (std::vector<std::string>{"play " + folder("A.MID"), "play " + folder("b.mid"),
                                                    "play " + folder("c.rmi")}));
  EXPECT_EQ(std::tuple(dialog->File1->selectedItems().size(), dialog->List2->count()), std::tuple(2, 1));

  const QRect entry = dialog->List2->visualItemRect(dialog->List2->item(0));
  QTest::mouseClick(dialog->List2->viewport(), Qt::LeftButton, {}, entry.center());
  EXPECT_EQ(player.calls.size(), 3u);
  QTest::mouseDClick(dialog->List2->viewport(), Qt::LeftButton, {}, entry.center());
  EXPECT_EQ(player.calls.back(), "play /listed.mid");

  dialog->Dir1->setFocus();
  QTest::keyClick(dialog->Dir1, Qt::Key_Down);  // from the current folder to "winter", inside it
  EXPECT_EQ(texts(*dialog->File1), QStringList{"deep.mid"});
}

TEST_F(music_dialog_test, with_no_folder_remembered_it_opens_in_the_users_music_folder_else_at_home) {
  const std::string home = root.data_path() + "home/";
  std::filesystem::create_directories(home + ".config");
  std::filesystem::create_directories(home + "Tunes");
  testing::write_file(home + ".config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Tunes\"\n");
  std::vector<std::pair<const char*, std::optional<std::string>>> saved;  // put back at the end
  for (const auto& [name, value] : {std::pair{"HOME", home}, {"XDG_CONFIG_HOME", home + ".config"}}) {
    saved.emplace_back(name, std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
    setenv(name, value.c_str(), 1);
  }
  for (const std::string& expected : {home + "Tunes/", home}) {
    shell.music_browse_folder.clear();
    EXPECT_EQ(open()->Dir1->path(), expected);
    std::filesystem::remove(home + "Tunes");
  }
  for (const auto& [name, value] : saved) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
}

// Linux names are bytes: a file and a folder whose names are not UTF-8 (0xE9 alone) are heard,
// added, kept and entered under their own names.
TEST_F(music_dialog_test, names_that_are_not_utf8_are_previewed_added_and_entered_as_they_are) {
  const std::string file = folder("\xE9t\xE9.mid"), inner = folder("caf\xE9/");
  testing::write_file(file, "MThd");
  std::filesystem::create_directories(inner);
  testing::write_file(inner + "inside.mid", "MThd");
  const auto dialog = open();
  const auto row = [&dialog](const std::string& name) {
    for (int i = 0; i < dialog->File1->count(); ++i)
      if (file_list::name_of(dialog->File1->item(i)) == name) return i;
    return -1;
  };
  const int e9 = row("\xE9t\xE9.mid");
  ASSERT_GE(e9, 0);
  QTest::mouseClick(dialog->File1->viewport(), Qt::LeftButton, {},
                    dialog->File1->visualItemRect(dialog->File1->item(e9)).center());
  EXPECT_EQ(player.calls, std::vector<std::string>{"play " + file});
  select_rows(*dialog->File1, {e9});
  dialog->Command1_Click();
  dialog->List2->item(0)->setSelected(true);
  dialog->List2_DblClick();
  EXPECT_EQ(player.calls.back(), "play " + file);

  QTreeWidgetItem* cafe = dialog->Dir1->currentItem()->child(0);
  ASSERT_EQ(folder_list::path_of(cafe), inner);
  dialog->Dir1->setCurrentItem(cafe);
  QTest::keyClick(dialog->Dir1, Qt::Key_Return);
  EXPECT_EQ(dialog->Dir1->path(), inner);
  EXPECT_EQ(texts(*dialog->File1), QStringList{"inside.mid"});

  dialog->Command3_Click();
  EXPECT_EQ(shell.settings.cfg_music_files, std::vector<std::string>{file});
}

TEST_F(music_dialog_test, a_file_whose_name_holds_a_line_break_is_refused_with_a_message) {
  testing::write_file(folder("two\nlines.mid"), "MThd");
  const auto dialog = open();
  ASSERT_EQ(dialog->File1->count(), 4);
  dialog->File1->selectAll();
  dialog->Command1_Click();
  EXPECT_EQ(texts(*dialog->List2),
            (QStringList{QString::fromStdString(folder("A.MID")), QString::fromStdString(folder("b.mid")),
                         QString::fromStdString(folder("c.rmi"))}));
  ASSERT_EQ(system.messages.size(), 1u);
  EXPECT_EQ(system.messages[0].title, "Music Selection");
  const std::string& text = system.messages[0].text;
  EXPECT_TRUE(text.find("line break") != std::string::npos && text.find(folder("two lines.mid")) != std::string::npos)
      << text;
}

// A drive that cannot be read returns silently to the browse folder; folders follow clicks, and
// reopening starts where browsing ended. A disk or share that fails part way through a folder: the
// lists show what was read.
TEST_F(music_dialog_test, folders_follow_clicks_and_reopening_starts_where_browsing_ended) {
  auto dialog = open({{"test", root.data_path()}, {"gone", root.data_path() + "no-medium/"}});
  dialog->Drive1->setCurrentIndex(1);
  dialog->Drive1_Change();
  EXPECT_EQ(dialog->Drive1->currentIndex(), 0);
  EXPECT_EQ(dialog->Dir1->path(), folder(""));
  EXPECT_EQ(dialog->File1->count(), 3);
  EXPECT_TRUE(system.messages.empty());

  dialog->Dir1_Click(folder("winter/"));
  EXPECT_EQ(texts(*dialog->File1), QStringList{"deep.mid"});
  EXPECT_EQ(dialog->Dir1->path(), folder(""));
  dialog->reject();
  EXPECT_EQ(shell.music_browse_folder, folder("winter/"));

  dialog = open();
  EXPECT_EQ(dialog->Dir1->path(), folder("winter/"));
  EXPECT_EQ(texts(*dialog->File1), QStringList{"deep.mid"});
  // The folder list runs from the drive's root down to the folder.
  EXPECT_EQ(dialog->Dir1->topLevelItem(0)->text(0).toStdString(), root.data_path());

  for (int i = 1; i <= 6; ++i) testing::write_file(folder("winter/" + std::to_string(i) + ".mid"), "MThd");
  {
    const testing::failing_folder_listing failing(folder("winter/"), 5);
    QStringList read;
    for (const std::string& name : failing.first_names)
      if (name.ends_with(".mid")) read.push_back(QString::fromStdString(name));
    read.sort(Qt::CaseInsensitive);
    dialog->Dir1_Click(folder("winter/"));
    EXPECT_EQ(texts(*dialog->File1), read);
  }
  const testing::failing_folder_listing failing(folder("winter/"), 3);
  EXPECT_TRUE(dialog->Dir1->set_path(folder("winter/"), root.data_path()));
  EXPECT_EQ(dialog->Dir1->path(), folder("winter/"));
}

// Paths join with exactly one separator; a folder belongs to the drive with the longest root that
// holds it.
TEST(music_file_path, joins_with_one_separator_and_drive_index_of_picks_the_longest_root) {
  EXPECT_EQ(std::tuple(music_file_path("/", "a.mid"), music_file_path("/m", "a.mid"), music_file_path("/m/", "a.mid")),
            std::tuple("/a.mid", "/m/a.mid", "/m/a.mid"));
  const std::vector<music_drive> drives{{"home", "/home/me/"}, {"root", "/"}, {"media", "/media/usb/"}};
  EXPECT_EQ(std::tuple(drive_index_of(drives, "/home/me/music/"), drive_index_of(drives, "/media/usb"),
                       drive_index_of(drives, "/srv/")),
            std::tuple(0, 2, 1));
}

}  // namespace
}  // namespace brisenfall
