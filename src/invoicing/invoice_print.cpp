#include "invoicing/invoice_window.h"

void TForm_fa1::SpeedButton3Click(QObject*) {}
void TForm_fa1::SpeedButton4Click(QObject*) {}
