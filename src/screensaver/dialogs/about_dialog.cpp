// The About screen.
#include "dialogs/about_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "dialogs/dialog_keys.h"
#include "dialogs/dialog_look.h"
#include "dialogs/product.h"
#include "desktop/event_pump.h"
#include "shell/artwork_files.h"

namespace brisenfall {

std::string version_text(int major, int minor, int revision) {
  return "Version: " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

frm_about::frm_about(QWidget* owner, const std::string& data_folder, system_services& system)
    : QDialog(owner), system_(system) {
  setFont(default_dialog_font());
  setFixedSize(319, 230);
  setModal(true);
  setWindowIcon(artwork_icon(data_folder));

  Picture1 = picture_control(this, data_folder, ABOUT_PICTURE_FILE, false);
  Picture1->setGeometry(9, 9, 150, 112);
  Label3 = new QLabel(this);
  Label3->setGeometry(168, 9, 130, 16);
  Label3->setFont(dialog_font("MS Sans Serif", 9.75, true));
  Label1 = new QLabel(this);
  Label1->setGeometry(168, 30, 160, 28);
  Label2[0] = new QLabel(this);
  Label2[0]->setGeometry(9, 132, 253, 16);
  Label2[0]->setFont(dialog_font("MS Sans Serif", 8.25, true));
  for (QLabel* label : {Label3, Label1, Label2[0]}) label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Command2 = new QPushButton("&Visit The Internet Home Page For This Program", this);
  Command2->setGeometry(9, 192, 240, 25);
  Command2->setToolTip(" Click here to visit the home page for this program! ");
  Command1 = new QPushButton("&Ok", this);
  Command1->setGeometry(258, 192, 53, 25);
  for (QPushButton* button : {Command2, Command1}) button->setAutoDefault(false);
  setTabOrder(Command2, Command1);

  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  Form_Load();
}

void frm_about::Form_Load() {
  setWindowTitle(QString("About... ") + PRODUCT_TITLE);
  Label1->setText(MAKER_NOTICE);
  Label3->setText(QString::fromStdString(
      version_text(PRODUCT_VERSION_MAJOR, PRODUCT_VERSION_MINOR, PRODUCT_VERSION_REVISION)));
  Label2[0]->setText(PRODUCT_TITLE);
}

void frm_about::Command2_Click() {
  const int32_t result = system_.open_document(PRODUCT_HOME_PAGE);
  let_pending_events_run();
  if (result <= 32) system_.message_box(PRODUCT_TITLE, HOME_PAGE_FAILED_TEXT);
}

void frm_about::Command1_Click() { accept(); }

void frm_about::keyPressEvent(QKeyEvent* event) {
  if (!press_focused_button(*this, *event)) QDialog::keyPressEvent(event);
}

}  // namespace brisenfall
