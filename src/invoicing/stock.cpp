#include "invoicing/invoice_window.h"

void TForm_fa1::WypelnijListeTowarow() {}
void TForm_fa1::ComboBox5KeyPress(QObject*, int&) {}
void TForm_fa1::ComboBox5Change(QObject*) {}
void TForm_fa1::Button1Click(QObject*) {}
QStringList TForm_fa1::deductStock(const QString&) {
    return {};
}
bool TForm_fa1::askStockQuestion() {
    return true;
}
bool TForm_fa1::stockVersion() const {
    return false;
}
