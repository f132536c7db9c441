#include "invoicing/registers/issued_invoices.h"

TForm_fa2* Form_fa2 = nullptr;

TForm_fa2::TForm_fa2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa2"));
    setWindowTitle(QStringLiteral("Zbiór wystawionych faktur"));
    wyst_faktury = new tv::Table(QStringLiteral("wyst_faktury.db"));
    wyst_pozycje = new tv::Table(QStringLiteral("wyst_pozycje.db"));
    wyst_faktury->open();
    wyst_pozycje->open();
}

TForm_fa2::~TForm_fa2() {
    delete wyst_pozycje;
    delete wyst_faktury;
}
