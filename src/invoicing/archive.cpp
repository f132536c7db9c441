#include "invoicing/invoice_window.h"

void TForm_fa1::SpeedButton18Click(QObject*) {}
void TForm_fa1::SpeedButton22Click(QObject*) {}
