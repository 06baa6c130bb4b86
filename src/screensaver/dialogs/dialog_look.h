// What the dialogs share in their look: fonts resolved to faces this system has, pictures from the
// data folder, the window icon.
#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <string>

class QGroupBox;
class QLabel;
class QWidget;

namespace brisenfall {

// The face that stands in for a classic face name with the same metrics ("MS Sans Serif", "Arial").
QString metric_compatible_face(const QString& face);

// A font of that face at a point size measured at 96 dots per inch.
QFont dialog_font(const QString& face, double points, bool bold = false);

// The face every control uses unless it says otherwise: 8.25-point "MS Sans Serif".
QFont default_dialog_font();

// A picture of the data folder; a null pixmap when the file is missing or unreadable.
QPixmap artwork_picture(const std::string& data_folder, const char* file);

// The window icon made of the icon pictures the data folder has.
QIcon artwork_icon(const std::string& data_folder);

// A label that shows a picture of the data folder at a fixed place, stretched when asked; empty
// when the picture is missing.
QLabel* picture_control(QWidget* parent, const std::string& data_folder, const char* file, bool stretched);

// A frame whose caption is bold while the controls inside keep the default font.
void make_caption_bold(QGroupBox* frame);

}  // namespace brisenfall
