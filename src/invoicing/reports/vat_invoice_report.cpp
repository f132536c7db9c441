#include "invoicing/reports/vat_invoice_report.h"

TForm_fa6* Form_fa6 = nullptr;

TForm_fa6::TForm_fa6(QObject* parent) : QObject(parent) {}

TForm_fa6::~TForm_fa6() = default;

void TForm_fa6::WypelnijFakture() {}
