// Fonts, pictures and icons of the dialogs.
#include "dialogs/dialog_look.h"

#include <QGroupBox>
#include <QLabel>
#include <cmath>

#include <varnel2d/font_faces.h>
#include "shell/artwork_files.h"

namespace brisenfall {

QString metric_compatible_face(const QString& face) {
  const std::string name = face.toStdString();
  return QString::fromStdString(std::string(varnel2d::stand_in_face(name)));
}

QFont dialog_font(const QString& face, double points, bool bold) {
  QFont font(metric_compatible_face(face));
  // Pixels, not points: the layout is in pixels at 96 dots per inch, and Qt scales both alike.
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  font.setBold(bold);
  return font;
}

QFont default_dialog_font() { return dialog_font("MS Sans Serif", 8.25); }

QPixmap artwork_picture(const std::string& data_folder, const char* file) {
  return QPixmap(QString::fromStdString(data_folder + file));
}

QIcon artwork_icon(const std::string& data_folder) {
  QIcon icon;
  for (const char* file : ICON_PICTURE_FILES) {
    const QPixmap picture = artwork_picture(data_folder, file);
    if (!picture.isNull()) icon.addPixmap(picture);
  }
  return icon;
}

QLabel* picture_control(QWidget* parent, const std::string& data_folder, const char* file, bool stretched) {
  auto* label = new QLabel(parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setScaledContents(stretched);
  const QPixmap picture = artwork_picture(data_folder, file);
  if (!picture.isNull()) label->setPixmap(picture);
  return label;
}

void make_caption_bold(QGroupBox* frame) {
  QFont caption = frame->font();
  caption.setBold(true);
  for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!child->testAttribute(Qt::WA_SetFont)) child->setFont(frame->font());
  frame->setFont(caption);
}

}  // namespace brisenfall
