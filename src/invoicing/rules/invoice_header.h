#pragma once

#include <QDate>
#include <QString>

namespace tv {
class Table;
}

// The invoice's header: its parties, place of issue and payment term.
namespace invoicing {

// The place of issue taken from a seller's street: the text before its first
// digit (the blank before the house number stays), or the whole street when
// it has no digit.
QString placeFromStreet(const QString& street);

// The digits of a text joined into a whole number; 0 when there are none.
// A run of digits too long for the number gives the largest one.
int digitsOfText(const QString& text);

// A date as the payment term shows it: day without a leading zero, two-digit
// month, four-digit year, joined by "/" ("5/03/2009").
QString termDateText(const QDate& date);

// The row (1-based, in the table's order) whose field holds exactly the text,
// the first of several; 0 when none does or the text is empty. The cursor
// does not move.
int findRow(tv::Table& table, const QString& field, const QString& text);
// The same for a whole-number field.
int findRow(tv::Table& table, const QString& field, int value);
// Whether the table's file holds a row with exactly the text in the field,
// whether or not the cursor has read it yet.
bool fileHolds(tv::Table& table, const QString& field, const QString& text);

} // namespace invoicing
