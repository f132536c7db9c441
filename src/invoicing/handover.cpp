// The costing sheet's "  Faktura": a method of the sheet's class that belongs
// to the invoicing side, since it writes only into the invoice window.

#include "costing/costing_sheet.h"
#include "invoicing/invoice_window.h"

void TForm1::SpeedButton4Click(QObject*) {}
