#include "invoicing/registers/sellers.h"

TForm_fa3* Form_fa3 = nullptr;

TForm_fa3::TForm_fa3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa3"));
    setWindowTitle(QStringLiteral("Zbiór sprzedawców"));
    sprzedawcy = new tv::Table(QStringLiteral("sprzedawcy.db"));
    sprzedawcy->open();
}

TForm_fa3::~TForm_fa3() {
    delete sprzedawcy;
}
