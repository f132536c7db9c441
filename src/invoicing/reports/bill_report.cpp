#include "invoicing/reports/bill_report.h"

TForm_fa7* Form_fa7 = nullptr;

TForm_fa7::TForm_fa7(QObject* parent) : QObject(parent) {}

TForm_fa7::~TForm_fa7() = default;

void TForm_fa7::WypelnijRachunek() {}
