// The About screen: its texts, its picture and the home-page button.
#include "dialogs/about_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

#include "dialog_test_support.h"
#include "dialogs/product.h"
#include "testing/recording_system_services.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

class about_dialog_test : public ::testing::Test {
 protected:
  testing::temp_folder data;
  recording_system_services system{data.path().string()};
};

TEST_F(about_dialog_test, opening_fills_the_caption_and_the_labels) {
  frm_about about(nullptr, data.data_path(), system);
  EXPECT_EQ(about.windowTitle(), "About... Brisenfall Screensaver");
  EXPECT_EQ(about.Label3->text(), "Version: 2.0.0");
  EXPECT_EQ(about.Label2[0]->text(), "Brisenfall Screensaver");
  EXPECT_EQ(about.Label1->text().count('\n'), 1);
  EXPECT_EQ(about.size(), QSize(319, 230));
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  EXPECT_EQ(about.Command2->text(), "&Visit The Internet Home Page For This Program");
  EXPECT_EQ(about.Command2->toolTip(), " Click here to visit the home page for this program! ");
  EXPECT_EQ(about.Command2->nextInFocusChain(), about.Command1);
}

TEST_F(about_dialog_test, shows_the_product_picture_at_its_place_and_an_empty_area_without_one) {
  testing::write_picture(data.file("about.bmp"), 150, 112, 0x3366CC);
  frm_about about(nullptr, data.data_path(), system);
  const QImage grab = about.grab().toImage();
  EXPECT_EQ(grab.pixelColor(9 + 75, 9 + 56).rgb() & 0xFFFFFF, 0x3366CCu);
  EXPECT_NE(grab.pixelColor(9 + 151, 9 + 56).rgb() & 0xFFFFFF, 0x3366CCu);
  frm_about without(nullptr, data.data_path() + "missing/", system);
  EXPECT_TRUE(without.Picture1->pixmap().isNull());
}

TEST_F(about_dialog_test, visit_opens_the_home_page_and_reports_each_failure_once) {
  frm_about about(nullptr, data.data_path(), system);
  about.show();
  QTest::mouseClick(about.Command2, Qt::LeftButton);
  EXPECT_EQ(system.documents, std::vector<std::string>{PRODUCT_HOME_PAGE});
  EXPECT_TRUE(system.messages.empty());

  system.open_document_result = 2;
  QTest::mouseClick(about.Command2, Qt::LeftButton);
  QTest::mouseClick(about.Command2, Qt::LeftButton);
  ASSERT_EQ(system.messages.size(), 2u);
  EXPECT_EQ(system.messages[0].title, "Brisenfall Screensaver");
  EXPECT_EQ(system.messages[0].text, "Shell Execute Error. (No default browser?)");
  EXPECT_TRUE(about.isVisible());

  QTest::mouseClick(about.Command1, Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace brisenfall
