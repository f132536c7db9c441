#include "platform/ui/pick_lists.h"

#include <QComboBox>

#include "platform/table.h"

namespace tv::ui {

QStringList queryTexts(tv::Query& query, const QString& sql) {
    query.close();
    query.setSql(sql);
    query.open();
    QStringList texts;
    texts.reserve(query.recordCount());
    tv::Field field = query.field(0);
    for (query.first(); !query.eof(); query.next())
        texts.append(field.asString());
    query.close();
    return texts;
}

void refillPicker(QComboBox* picker, const QStringList& items) {
    if (!picker) return;
    const QString text = picker->currentText();
    picker->clear();
    picker->addItems(items);
    if (picker->isEditable())
        picker->setEditText(text);
    else
        picker->setCurrentIndex(picker->findText(text));
}

} // namespace tv::ui
