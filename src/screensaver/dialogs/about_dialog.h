// The About screen frm_about: product picture, title, version, the maker's notice and a button
// that opens the home page.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "desktop/system_services.h"

class QLabel;
class QPushButton;

namespace brisenfall {

inline constexpr const char* HOME_PAGE_FAILED_TEXT = "Shell Execute Error. (No default browser?)";

class frm_about final : public QDialog {
 public:
  // The picture comes from the data folder; the window is modal and centred on its owner.
  frm_about(QWidget* owner, const std::string& data_folder, system_services& system);

  void Form_Load();
  // Opens the home page; a failed launch gives a message and the window stays.
  void Command2_Click();
  // Closes the window.
  void Command1_Click();

  QLabel* Picture1;
  QLabel* Label3;
  QLabel* Label1;
  std::array<QLabel*, 1> Label2{};
  QPushButton* Command2;
  QPushButton* Command1;

 protected:
  // Return and Enter press the focused button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  system_services& system_;
};

}  // namespace brisenfall
