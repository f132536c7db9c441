#include "platform/ui/dialog_parts.h"

#include <QLabel>

#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"

namespace tv::ui {

QLabel* makeHeading(const QString& text, QWidget* parent) {
    auto* heading = new QLabel(text, parent);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    return heading;
}

tv::ui::SpeedButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new tv::ui::SpeedButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(false);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

tv::ui::DBEdit* makeEdit(const char* name, tv::ui::DataSource* source, const QString& field,
                         Qt::Alignment alignment, QWidget* parent) {
    auto* edit = new tv::ui::DBEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDataSource(source);
    edit->setDataField(field);
    edit->setAlignment(alignment);
    return edit;
}

} // namespace tv::ui
