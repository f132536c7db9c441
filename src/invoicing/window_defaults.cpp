#include "invoicing/invoice_window.h"

void TForm_fa1::WczytajUstawienia() {}
void TForm_fa1::ZapiszUstawienia() {}
