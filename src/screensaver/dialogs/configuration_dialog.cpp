// The configuration dialog.
#include "dialogs/configuration_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <iostream>

#include "dialogs/about_dialog.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/dialog_look.h"
#include "dialogs/music_selection_dialog.h"
#include "dialogs/product.h"
#include "desktop/event_pump.h"
#include "desktop/qt_application.h"
#include <varnel2d/termination_signals.h>
#include "shell/artwork_files.h"
#include "shell/settings_file.h"
#include "shell/shell_utilities.h"

namespace brisenfall {
namespace {

QLabel* text_label(const char* text, QWidget* parent, int left, int top, int width, int height,
                   Qt::Alignment horizontal = Qt::AlignLeft) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(left, top, width, height);
  label->setAlignment(horizontal | Qt::AlignTop);
  return label;
}

// A horizontal scroll bar with the classic keys: Left and Up one small step down, Right and Down one
// up, Page Up and Page Down a large step, Home and End to the ends. It takes the focus by Tab.
class classic_scroll_bar final : public QScrollBar {
 public:
  explicit classic_scroll_bar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) { setFocusPolicy(Qt::StrongFocus); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Left:
      case Qt::Key_Up: triggerAction(SliderSingleStepSub); break;
      case Qt::Key_Right:
      case Qt::Key_Down: triggerAction(SliderSingleStepAdd); break;
      case Qt::Key_PageUp: triggerAction(SliderPageStepSub); break;
      case Qt::Key_PageDown: triggerAction(SliderPageStepAdd); break;
      case Qt::Key_Home: triggerAction(SliderToMinimum); break;
      case Qt::Key_End: triggerAction(SliderToMaximum); break;
      default: QScrollBar::keyPressEvent(event); return;
    }
    event->accept();
  }
};

QScrollBar* slider(QWidget* parent, int left, int top, int width, int minimum, int maximum, int small_step,
                   int large_step) {
  auto* bar = new classic_scroll_bar(parent);
  bar->setGeometry(left, top, width, 17);
  bar->setRange(minimum, maximum);
  bar->setSingleStep(small_step);
  bar->setPageStep(large_step);
  return bar;
}

}  // namespace

frmConfiguration::frmConfiguration(shell_state& shell, system_services& system, music_preview_player& player,
                                   show_runner run_show_modally)
    : shell_(shell), system_(system), player_(player), run_show_modally_(std::move(run_show_modally)) {
  const std::string& data_folder = shell.settings.cfg_install_path;
  setFont(default_dialog_font());
  setFixedSize(500, 367);
  setWindowIcon(artwork_icon(data_folder));

  Image1 = picture_control(this, data_folder, BANNER_PICTURE_FILE, false);
  Image1->setGeometry(0, 0, 500, 43);

  Frame4 = new QGroupBox("Video Mode", this);
  Frame4->setGeometry(8, 52, 167, 83);
  Option1 = new QRadioButton("Low (16-bit)", Frame4);
  Option1->setGeometry(24, 24, 97, 19);
  Option2 = new QRadioButton("High (32-bit)", Frame4);
  Option2->setGeometry(24, 48, 97, 19);

  Frame1 = new QGroupBox("How Much Snow", this);
  Frame1->setGeometry(184, 52, 167, 83);
  Label1 = text_label("Light", Frame1, 10, 28, 33, 17);
  Label2 = text_label("Heavy", Frame1, 120, 28, 37, 17, Qt::AlignRight);
  HScroll1 = slider(Frame1, 8, 44, 149, 100, 3000, 10, 100);

  Frame2 = new QGroupBox("How Often To Change Scenes", this);
  Frame2->setGeometry(8, 152, 167, 83);
  Label4 = text_label("Shorter", Frame2, 10, 24, 41, 17);
  Label3 = text_label("Longer", Frame2, 114, 24, 41, 17, Qt::AlignRight);
  HScroll2 = slider(Frame2, 8, 40, 147, 5, 120, 1, 10);

  Frame3 = new QGroupBox("Music Volume", this);
  Frame3->setGeometry(184, 152, 167, 83);
  Label5 = text_label("Softer", Frame3, 8, 18, 33, 17);
  Label6 = text_label("Louder", Frame3, 116, 18, 41, 17, Qt::AlignRight);
  HScroll3 = slider(Frame3, 8, 34, 149, 0, 100, 1, 10);
  Check1 = new QCheckBox("Mute", Frame3);
  Check1->setGeometry(8, 60, 57, 13);
  Check2 = new QCheckBox("Custom ", Frame3);
  Check2->setGeometry(62, 58, 57, 17);
  Command2 = new QPushButton("Edit", Frame3);
  Command2->setGeometry(120, 56, 37, 21);

  const struct {
    int16_t index;
    const char* caption;
    int top, height;
  } buttons[] = {{ABOUT_BUTTON, "&About", 58, 54},
                 {README_BUTTON, "&Read Me", 152, 52},
                 {PREVIEW_BUTTON, "&Preview", 240, 52},
                 {EXIT_BUTTON, "&Exit", 332, 26}};
  for (const auto& button : buttons) {
    QPushButton* command = new QPushButton(button.caption, this);
    command->setGeometry(378, button.top, 94, button.height);
    connect(command, &QPushButton::clicked, this, [this, index = button.index] { Command1_Click(index); });
    Command1[static_cast<size_t>(button.index)] = command;
  }

  Label8 = text_label("You can exit the screensaver by hitting ESC or SPACE or by moving the mouse.", this, 6, 302,
                      487, 15, Qt::AlignHCenter);
  Label8->setFont(dialog_font("MS Sans Serif", 8.25, true));
  Image3 = picture_control(this, data_folder, SEPARATOR_PICTURE_FILE, true);
  Image3->setGeometry(6, 320, 487, 3);

  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  QWidget* order[] = {Option1,  Option2, HScroll1,         HScroll2,          HScroll3,          Check1,
                      Check2,   Command2, Command1[ABOUT_BUTTON], Command1[README_BUTTON], Command1[PREVIEW_BUTTON],
                      Command1[EXIT_BUTTON]};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(Check2, &QCheckBox::clicked, this, [this] { Check2_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  Form_Load();
}

void frmConfiguration::Form_Load() {
  settings_values& settings = shell_.settings;
  setWindowTitle(QString(PRODUCT_TITLE) + " - Configuration");
  // The settings file is not range-checked: a stored value outside a slider's range shows clamped.
  HScroll1->setValue(settings.cfg_snow_amount);
  HScroll2->setValue(settings.cfg_scene_time);
  HScroll3->setValue(settings.cfg_music_volume);
  Check1->setChecked(settings.cfg_music_mute != 0);
  if (settings.cfg_music_count == 0) settings.cfg_custom_music = 0;
  // Ticking the box from here runs no click handler; the handler would keep this value anyway.
  Check2->setChecked(settings.cfg_custom_music != 0);
  Option1->setChecked(settings.cfg_video_depth == 16);
  Option2->setChecked(settings.cfg_video_depth == 32);
}

void frmConfiguration::update_vars() {
  settings_values& settings = shell_.settings;
  settings.cfg_snow_amount = static_cast<int16_t>(HScroll1->value());
  settings.cfg_scene_time = static_cast<int16_t>(HScroll2->value());
  settings.cfg_music_volume = static_cast<int16_t>(HScroll3->value());
  settings.cfg_music_mute = Check1->isChecked() ? 1 : 0;
  if (Option1->isChecked()) settings.cfg_video_depth = 16;
  if (Option2->isChecked()) settings.cfg_video_depth = 32;
}

void frmConfiguration::Command1_Click(int16_t index) {
  update_vars();
  switch (index) {
    case ABOUT_BUTTON: {
      frm_about about(this, shell_.settings.cfg_install_path, system_);
      about.exec();
      break;
    }
    case PREVIEW_BUTTON:
      settings_save(shell_);
      shell_.config_preview_active = true;
      run_test_show();
      shell_.config_preview_active = false;
      let_pending_events_run();
      // A signal that ended the preview was meant for the whole program: the settings are saved.
      if (varnel2d::termination_requested()) reject();
      break;
    case EXIT_BUTTON:
      settings_save(shell_);
      accept();
      break;
    case README_BUTTON:
      readme();
      break;
    default:
      break;
  }
}

void frmConfiguration::run_test_show() {
  // A disabled window takes no clicks, keys or access keys; the focus comes back where it was.
  const QPointer<QWidget> focused = focusWidget();
  test_show_running_ = true;
  setEnabled(false);
  run_show_modally_(shell_);
  setEnabled(true);
  test_show_running_ = false;
  if (focused) focused->setFocus();
}

void frmConfiguration::readme() {
  // The launcher counts as started even for a page that is not there: the page is looked for first.
  const std::string page = with_trailing_separator(shell_.settings.cfg_install_path) + README_FILE;
  const int32_t result = system_.file_length(page).has_value() ? system_.open_document(page) : 0;
  let_pending_events_run();
  if (result <= 32) system_.message_box(README_FAILED_TITLE, README_FAILED_TEXT);
}

void frmConfiguration::Check2_Click() {
  let_pending_events_run();
  shell_.settings.cfg_custom_music = Check2->isChecked() ? 1 : 0;
  let_pending_events_run();
  if (shell_.settings.cfg_music_count == 0) {
    shell_.settings.cfg_custom_music = 0;
    Check2->setChecked(false);
  }
}

void frmConfiguration::Command2_Click() {
  frm_custommusic music(this, shell_, system_, player_);
  music.exec();
  if (shell_.settings.cfg_music_count == 0) {
    shell_.settings.cfg_custom_music = 0;
    Check2->setChecked(false);
  }
}

void frmConfiguration::keyPressEvent(QKeyEvent* event) {
  if (press_focused_button(*this, *event)) return;
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    Command1_Click(EXIT_BUTTON);
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmConfiguration::closeEvent(QCloseEvent* event) {
  if (test_show_running_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

int run_configuration_dialog(shell_state& shell, system_services& system, music_preview_player& player,
                             show_runner run_show_modally) {
  if (!ensure_qt_application()) {
    std::cerr << "brisenfall: no display to open the configuration dialog on\n";
    return 1;
  }
  frmConfiguration dialog(shell, system, player, std::move(run_show_modally));
  dialog.exec();
  return 0;
}

}  // namespace brisenfall
