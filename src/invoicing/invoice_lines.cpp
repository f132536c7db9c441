#include "invoicing/invoice_window.h"

void TForm_fa1::pozycjeCalcFields(tv::Table&) {}
void TForm_fa1::SpeedButton20Click(QObject*) {}
void TForm_fa1::SpeedButton19Click(QObject*) {}
void TForm_fa1::SpeedButton21Click(QObject*) {}
void TForm_fa1::SpeedButton14Click(QObject*) {}
void TForm_fa1::SpeedButton15Click(QObject*) {}
void TForm_fa1::SpeedButton32Click(QObject*) {}
void TForm_fa1::DBGrid1KeyDown(QObject*, int&, Qt::KeyboardModifiers) {}
void TForm_fa1::SpeedButton11Click(QObject*) {}
void TForm_fa1::CheckBox2Click(QObject*) {}
void TForm_fa1::UdzielRabatu() {}
void TForm_fa1::ComboBox6Change(QObject*) {}
void TForm_fa1::setDiscountFromCode(bool, const QString&) {}
