#include "costing/refdata/dialog_parts.h"

#include <QLabel>

#include "platform/ui/controls.h"

namespace refdata {

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

} // namespace refdata
