#include "invoicing/invoice_window.h"

void TForm_fa1::Przelicz() {}
QString TForm_fa1::Slownie(tv::Currency) {
    return QString();
}
QString TForm_fa1::SlownieTrzyCyfry(const QString&) {
    return QString();
}
