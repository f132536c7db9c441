#pragma once

#include <QString>
#include <Qt>

class QLabel;
class QWidget;

namespace tv::ui {
class DBEdit;
class DataSource;
class SpeedButton;
} // namespace tv::ui

// Pieces the reference-data dialogs share, so that they look alike.
namespace tv::ui {

// The bold heading line at the top of a dialog.
QLabel* makeHeading(const QString& text, QWidget* parent);

// A flat text button of a dialog, named for the tests and the handlers.
tv::ui::SpeedButton* makeButton(const char* name, const QString& caption, QWidget* parent);

// An edit showing one field of the source's current row.
tv::ui::DBEdit* makeEdit(const char* name, tv::ui::DataSource* source, const QString& field,
                         Qt::Alignment alignment, QWidget* parent);

} // namespace tv::ui
