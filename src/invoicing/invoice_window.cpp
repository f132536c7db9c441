#include "invoicing/invoice_window.h"

#include <QComboBox>

#include "costing/rules/customer_rows.h"

TForm_fa1* Form_fa1 = nullptr;

TForm_fa1::TForm_fa1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Tarvelino 2000 - moduł FAKTURY"));
    ComboBox3 = new QComboBox(this);
    ComboBox3->setEditable(true);
    tabletemp1 = new tv::Table;
    tabletemp2 = new tv::Table;
    Query3 = new tv::Query;
}

TForm_fa1::~TForm_fa1() {
    delete Query3;
    delete tabletemp2;
    delete tabletemp1;
}

void TForm_fa1::SortujKontrahentow() {
    costing::resortCustomers(*tabletemp1, *tabletemp2, *Query3);
}
