#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace tv {
class Query;
}

namespace tv::ui {

// The texts of the first field of every row the statement gives, in order:
// the items of a pick list. The query is left closed.
QStringList queryTexts(tv::Query& query, const QString& sql);

// Gives a pick list new items and puts back the text it showed, so that the
// choice of the document on screen is not lost while a register rewrites
// the list.
void refillPicker(QComboBox* picker, const QStringList& items);

} // namespace tv::ui
