#include "invoicing/invoice_window.h"

QString TForm_fa1::FormatujNumer(int, const QDate&) {
    return QString();
}
int TForm_fa1::NastepnyNumer() {
    return 0;
}
void TForm_fa1::ZapiszFakture(const QString&) {}
void TForm_fa1::WczytajFakture(const QString&) {}
void TForm_fa1::SpeedButton2Click(QObject*) {}
