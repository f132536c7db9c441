#include "invoicing/invoice_window.h"

void TForm_fa1::NowaFaktura() {}
void TForm_fa1::SpeedButton1Click(QObject*) {}
