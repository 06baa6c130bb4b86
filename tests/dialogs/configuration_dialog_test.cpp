// The configuration dialog and the About screen: filling and reading the controls, the custom-music
// box, the buttons and keys, what is saved when, the sliders' ranges and the pictures.
#include "dialogs/configuration_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>
#include <csignal>
#include <filesystem>

#include "dialog_test_support.h"
#include "dialogs/about_dialog.h"
#include "dialogs/music_selection_dialog.h"
#include "dialogs/product.h"
#include "desktop/event_pump.h"
#include "desktop/qt_application.h"
#include "testing/recording_system_services.h"
#include <varnel2d/termination_signals.h>
#include "shell/settings_file.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

using testing::press_key;

// The sliders' values, the two boxes and the two depth options.
auto controls(const frmConfiguration& d) {
  return std::tuple(d.HScroll1->value(), d.HScroll2->value(), d.HScroll3->value(), d.Check1->isChecked(),
                    d.Check2->isChecked(), d.Option1->isChecked(), d.Option2->isChecked());
}

class configuration_dialog_test : public ::testing::Test {
 protected:
  configuration_dialog_test() {
    shell.settings_file_path = folder.file(SETTINGS_FILE_NAME);
    shell.music_browse_folder = folder.data_path();
    settings.cfg_install_path = folder.data_path();
  }
  std::unique_ptr<frmConfiguration> open() {
    auto dialog = std::make_unique<frmConfiguration>(shell, system, player, [this](shell_state& s) {
      shows.push_back({s.config_preview_active, testing::read_file(s.settings_file_path)});
      if (during_show) during_show();
    });
    dialog->show();
    return dialog;
  }
  // The settings file's line (1-based), or "" when there is no file.
  std::string saved_line(int number) const {
    const std::string text = testing::read_file(shell.settings_file_path);
    size_t start = 0;
    for (int i = 1; i < number && start != std::string::npos; ++i) start = text.find("\r\n", start) + 2;
    return start >= text.size() ? "" : text.substr(start, text.find("\r\n", start) - start);
  }
  // The custom-music state: the list's length, the setting and the box.
  auto music_state(const frmConfiguration& dialog) const {
    return std::tuple(settings.cfg_music_count, settings.cfg_custom_music, dialog.Check2->isChecked());
  }

  struct show_run {
    bool config_preview_active;
    std::string settings_file;
  };

  testing::temp_folder folder;
  recording_system_services system{folder.path().string()};
  testing::recording_music_player player;
  shell_state shell;
  settings_values& settings = shell.settings;
  std::vector<show_run> shows;
  std::function<void()> during_show;
};

// The settings file is not range-checked: a value outside a slider's range shows clamped, and custom
// music with an empty list opens unticked and off. The banner shows; a missing separator picture
// leaves an empty area.
TEST_F(configuration_dialog_test, opening_fills_the_controls_from_the_settings_and_shows_the_banner) {
  testing::write_picture(folder.file("banner.png"), 500, 43, 0x224488);
  settings = {.cfg_install_path = folder.data_path(), .cfg_snow_amount = 1500, .cfg_music_volume = 60,
              .cfg_scene_time = 45, .cfg_music_mute = 1, .cfg_music_count = 1, .cfg_music_files = {"/a.mid"},
              .cfg_custom_music = 1, .cfg_video_depth = 32};
  // A program that already runs a Qt application has its dialogs and message boxes in that one.
  EXPECT_TRUE(ensure_qt_application());
  auto dialog = open();
  EXPECT_EQ(std::tuple(dialog->windowTitle(), dialog->size(), dialog->Check2->text(), dialog->Label8->font().bold()),
            std::tuple("Brisenfall Screensaver - Configuration", QSize(500, 367), "Custom ", true));
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
  EXPECT_EQ(controls(*dialog), std::tuple(1500, 45, 60, true, true, false, true));
  const QImage grab = dialog->grab().toImage();
  EXPECT_EQ(grab.pixelColor(250, 20).rgb() & 0xFFFFFF, 0x224488u);
  EXPECT_NE(grab.pixelColor(250, 50).rgb() & 0xFFFFFF, 0x224488u);
  EXPECT_TRUE(dialog->Image3->pixmap().isNull());

  settings = {.cfg_install_path = folder.data_path(), .cfg_snow_amount = 5000, .cfg_music_volume = -4,
              .cfg_scene_time = 1, .cfg_music_files = {}, .cfg_custom_music = 1};
  dialog = open();
  EXPECT_EQ(controls(*dialog), std::tuple(3000, 5, 0, false, false, true, false));
  EXPECT_EQ(settings.cfg_custom_music, 0);
}

// update_vars copies the controls but leaves custom music alone; a depth other than 16 or 32
// selects neither option and is kept until one is chosen.
TEST_F(configuration_dialog_test, update_vars_copies_the_controls_and_keeps_a_depth_no_option_shows) {
  settings.cfg_music_count = 1;
  settings.cfg_music_files = {"/a.mid"};
  settings.cfg_video_depth = 24;
  const auto dialog = open();
  EXPECT_EQ(controls(*dialog), std::tuple(1300, 30, 80, false, false, false, false));
  dialog->update_vars();
  EXPECT_EQ(settings.cfg_video_depth, 24);
  dialog->HScroll1->setValue(2200);
  dialog->HScroll2->setValue(9);
  dialog->HScroll3->setValue(33);
  dialog->Check1->setChecked(true);
  dialog->Check2->setChecked(true);
  QTest::mouseClick(dialog->Option1, Qt::LeftButton);
  dialog->update_vars();
  EXPECT_EQ(std::tuple(settings.cfg_snow_amount, settings.cfg_scene_time, settings.cfg_music_volume,
                       settings.cfg_music_mute, settings.cfg_video_depth, settings.cfg_custom_music),
            std::tuple(2200, 9, 33, 1, 16, 0));
  dialog->Option2->setChecked(true);
  dialog->update_vars();
  EXPECT_EQ(settings.cfg_video_depth, 32);
}

// Emptying the list unticks custom music, and the box cannot be ticked while the list is empty;
// filling the list again leaves the box as it was, and then it can be ticked.
TEST_F(configuration_dialog_test, custom_music_is_ticked_only_with_a_list) {
  settings.cfg_music_count = 2;
  settings.cfg_music_files = {"/a.mid", "/b.mid"};
  settings.cfg_custom_music = 1;
  testing::write_file(folder.file("song.mid"), "MThd");
  const auto dialog = open();
  ASSERT_TRUE(dialog->Check2->isChecked());
  bool edited = false;
  testing::when_modal_opens([&edited](QDialog& opened) {
    auto& music = dynamic_cast<frm_custommusic&>(opened);
    music.List2->selectAll();
    QTest::mouseClick(music.Command5, Qt::LeftButton);
    QTest::mouseClick(music.Command3, Qt::LeftButton);
    edited = true;
  });
  QTest::mouseClick(dialog->Command2, Qt::LeftButton);
  EXPECT_TRUE(edited);
  EXPECT_EQ(music_state(*dialog), std::tuple(0, 0, false));
  QTest::mouseClick(dialog->Check2, Qt::LeftButton);
  EXPECT_EQ(music_state(*dialog), std::tuple(0, 0, false));

  testing::when_modal_opens([](QDialog& opened) {
    auto& music = dynamic_cast<frm_custommusic&>(opened);
    music.File1->selectAll();
    music.Command1_Click();
    music.Command3_Click();
  });
  dialog->Command2_Click();
  EXPECT_EQ(music_state(*dialog), std::tuple(1, 0, false));
  QTest::mouseClick(dialog->Check2, Qt::LeftButton);
  EXPECT_EQ(music_state(*dialog), std::tuple(1, 1, true));
  QTest::mouseClick(dialog->Check2, Qt::LeftButton);
  EXPECT_EQ(settings.cfg_custom_music, 0);
}

// About opens the About screen modally and saves nothing; Preview saves, then runs the show as a
// test, and the dialog stays; a termination signal during the show closes it after saving.
TEST_F(configuration_dialog_test, about_opens_modally_and_preview_saves_and_runs_the_show_as_a_test) {
  const auto dialog = open();
  QString caption;
  testing::when_modal_opens([&caption](QDialog& opened) {
    caption = opened.windowTitle();
    dynamic_cast<frm_about&>(opened).Command1_Click();
  });
  QTest::mouseClick(dialog->Command1[ABOUT_BUTTON], Qt::LeftButton);
  EXPECT_EQ(caption, "About... Brisenfall Screensaver");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(std::filesystem::exists(shell.settings_file_path));

  dialog->HScroll1->setValue(2500);
  QTest::mouseClick(dialog->Command1[PREVIEW_BUTTON], Qt::LeftButton);
  ASSERT_EQ(shows.size(), 1u);
  EXPECT_TRUE(shows[0].config_preview_active);
  EXPECT_EQ(shows[0].settings_file.substr(shows[0].settings_file.find("\r\n") + 2, 6), "2500\r\n");
  EXPECT_EQ(std::tuple(shell.config_preview_active, dialog->isVisible(), dialog->HScroll1->value()),
            std::tuple(false, true, 2500));

  during_show = [] {
    const varnel2d::termination_signal_catcher show_catches;
    std::raise(SIGTERM);
  };
  dialog->HScroll1->setValue(2600);
  QTest::mouseClick(dialog->Command1[PREVIEW_BUTTON], Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(saved_line(2), "2600");
  const varnel2d::termination_signal_catcher forget;  // a new catcher starts with no signal recorded
}

// The test show lets window events run every frame; meanwhile clicks, keys and access keys meant
// for the dialog's buttons do nothing: no second show, no modal box, no Exit.
TEST_F(configuration_dialog_test, while_the_test_show_runs_no_click_or_key_reaches_the_dialog) {
  std::unique_ptr<frmConfiguration> dialog;
  int boxes_opened = 0;
  QTimer box_closer;
  QObject::connect(&box_closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (box == nullptr || box == dialog.get()) return;
    ++boxes_opened;
    box->reject();
  });
  box_closer.start(5);
  testing::write_file(folder.file("readme.htm"), "<html></html>");
  during_show = [&] {
    if (shows.size() > 1) return;
    for (QPushButton* button : {dialog->Command2, dialog->Command1[ABOUT_BUTTON], dialog->Command1[README_BUTTON],
                                dialog->Command1[PREVIEW_BUTTON], dialog->Command1[EXIT_BUTTON]}) {
      QTest::mouseClick(button, Qt::LeftButton);
      for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) QTest::keyClick(button, key);
      let_pending_events_run();
    }
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_R, Qt::Key_P, Qt::Key_E})
      QTest::keyClick(dialog.get(), key, Qt::AltModifier);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    dialog->close();
    let_pending_events_run();
  };
  dialog = open();
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  dialog->Command1[PREVIEW_BUTTON]->setFocus();
  QTest::keyClick(dialog->Command1[PREVIEW_BUTTON], Qt::Key_Space);
  EXPECT_EQ(std::tuple(shows.size(), boxes_opened, system.documents.size(), system.messages.size(),
                       dialog->isVisible(), dialog->isEnabled()),
            std::tuple(1u, 0, 0u, 0u, true, true));
  EXPECT_EQ(QApplication::focusWidget(), dialog->Command1[PREVIEW_BUTTON]);
}

// Exit and Escape copy the controls, save and close; the close box closes with what the last
// button copied (Read Me copies too) and saves nothing.
TEST_F(configuration_dialog_test, exit_and_escape_copy_save_and_close_the_close_box_saves_nothing) {
  auto dialog = open();
  dialog->HScroll1->setValue(2900);
  QTest::mouseClick(dialog->Command1[README_BUTTON], Qt::LeftButton);
  EXPECT_EQ(settings.cfg_snow_amount, 2900);
  dialog->HScroll1->setValue(400);
  dialog->close();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(settings.cfg_snow_amount, 2900);
  EXPECT_FALSE(std::filesystem::exists(shell.settings_file_path));
  for (const bool escape : {false, true}) {
    dialog = open();
    dialog->HScroll2->setValue(escape ? 77 : 66);
    if (escape)
      QTest::keyClick(dialog.get(), Qt::Key_Escape);
    else
      QTest::mouseClick(dialog->Command1[EXIT_BUTTON], Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(saved_line(4), escape ? "77" : "66");
  }
}

// Return and Enter press the focused button, elsewhere nothing. A launcher that fails, and a page
// that is not there (which a launcher would start anyway), give the message each time.
TEST_F(configuration_dialog_test, read_me_opens_the_page_and_reports_a_failed_launch_or_a_missing_page) {
  testing::write_file(folder.file("readme.htm"), "<html></html>");
  const auto dialog = open();
  press_key(dialog->HScroll1, Qt::Key_Return);
  EXPECT_TRUE(system.documents.empty());
  press_key(dialog->Command1[README_BUTTON], Qt::Key_Return);
  EXPECT_EQ(system.documents, std::vector<std::string>{folder.data_path() + "readme.htm"});
  EXPECT_TRUE(system.messages.empty());
  system.open_document_result = 32;
  QTest::mouseClick(dialog->Command1[README_BUTTON], Qt::LeftButton);
  system.open_document_result = 42;
  std::filesystem::remove(folder.file("readme.htm"));
  QTest::mouseClick(dialog->Command1[README_BUTTON], Qt::LeftButton);
  EXPECT_EQ(system.documents.size(), 2u);
  ASSERT_EQ(system.messages.size(), 2u);
  for (const auto& message : system.messages)
    EXPECT_EQ(std::tie(message.title, message.text),
              std::tuple("Failed To Launch Default Web Browser!", "Error launching browser!"));
  EXPECT_TRUE(dialog->isVisible());
  press_key(dialog->Command1[EXIT_BUTTON], Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(std::filesystem::exists(shell.settings_file_path));
}

TEST_F(configuration_dialog_test, sliders_have_their_bounds_and_steps) {
  const auto dialog = open();
  const struct {
    QScrollBar* bar;
    int minimum, maximum, small_step, large_step;
  } sliders[] = {{dialog->HScroll1, 100, 3000, 10, 100}, {dialog->HScroll2, 5, 120, 1, 10},
                 {dialog->HScroll3, 0, 100, 1, 10}};
  for (const auto& [bar, minimum, maximum, small_step, large_step] : sliders) {
    EXPECT_EQ(std::pair(bar->minimum(), bar->maximum()), std::pair(minimum, maximum));
    const int start = minimum + 50;
    bar->setFocus();
    bar->setValue(start);
    std::vector<int> values;  // after each key
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Up, Qt::Key_End}) {
      QTest::keyClick(bar, key);
      values.push_back(bar->value());
    }
    EXPECT_EQ(values, (std::vector{start + small_step, start, start + large_step, start, start - small_step, maximum}));
  }
}

TEST_F(configuration_dialog_test, tab_order_and_access_keys) {
  const auto dialog = open();
  const std::vector<QWidget*> order = {dialog->Option1, dialog->Option2, dialog->HScroll1, dialog->HScroll2,
                                       dialog->HScroll3, dialog->Check1, dialog->Check2, dialog->Command2,
                                       dialog->Command1[ABOUT_BUTTON], dialog->Command1[README_BUTTON],
                                       dialog->Command1[PREVIEW_BUTTON], dialog->Command1[EXIT_BUTTON]};
  // The next control that Tab reaches: the focus chain holds labels and frames too.
  const auto next_tab_stop = [](QWidget* control) {
    do control = control->nextInFocusChain();
    while (!(control->focusPolicy() & Qt::TabFocus));
    return control;
  };
  for (size_t i = 1; i < order.size(); ++i) EXPECT_EQ(next_tab_stop(order[i - 1]), order[i]) << i;
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  // An access key presses its button after a short flash.
  QTest::keyClick(dialog.get(), Qt::Key_P, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return shows.size() == 1; }, 2000));
  QTest::keyClick(dialog.get(), Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog->isVisible(); }, 2000));
}

// The About screen's texts and picture, and an empty area without one.
TEST_F(configuration_dialog_test, about_screen_fills_the_caption_the_labels_and_the_picture) {
  testing::write_picture(folder.file("about.bmp"), 150, 112, 0x3366CC);
  frm_about about(nullptr, folder.data_path(), system);
  EXPECT_EQ(std::tuple(about.windowTitle(), about.Label3->text(), about.Label2[0]->text(), about.size()),
            std::tuple("About... Brisenfall Screensaver", "Version: 2.0.0", "Brisenfall Screensaver", QSize(319, 230)));
  EXPECT_EQ(about.Label1->text().count('\n'), 1);
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  EXPECT_EQ(std::tuple(about.Command2->text(), about.Command2->toolTip()),
            std::tuple("&Visit The Internet Home Page For This Program",
                       " Click here to visit the home page for this program! "));
  EXPECT_EQ(about.Command2->nextInFocusChain(), about.Command1);
  const QImage grab = about.grab().toImage();
  EXPECT_EQ(grab.pixelColor(9 + 75, 9 + 56).rgb() & 0xFFFFFF, 0x3366CCu);
  EXPECT_NE(grab.pixelColor(9 + 151, 9 + 56).rgb() & 0xFFFFFF, 0x3366CCu);
  frm_about without(nullptr, folder.data_path() + "missing/", system);
  EXPECT_TRUE(without.Picture1->pixmap().isNull());
}

// Visit (clicked or by Return) opens the home page and reports each failure once; Enter on Ok closes.
TEST_F(configuration_dialog_test, about_screen_visit_opens_the_home_page_and_reports_each_failure_once) {
  frm_about about(nullptr, folder.data_path(), system);
  about.show();
  press_key(about.Command2, Qt::Key_Return);
  EXPECT_EQ(system.documents, std::vector<std::string>{PRODUCT_HOME_PAGE});
  EXPECT_TRUE(system.messages.empty());

  system.open_document_result = 2;
  QTest::mouseClick(about.Command2, Qt::LeftButton);
  QTest::mouseClick(about.Command2, Qt::LeftButton);
  ASSERT_EQ(system.messages.size(), 2u);
  EXPECT_EQ(std::tie(system.messages[0].title, system.messages[0].text),
            std::tuple("Brisenfall Screensaver", "Shell Execute Error. (No default browser?)"));
  EXPECT_TRUE(about.isVisible());
  press_key(about.Command1, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace brisenfall
