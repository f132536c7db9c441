#include "invoicing/payment_forms.h"

TQuickReport1* QuickReport1 = nullptr;
TQuickReport2* QuickReport2 = nullptr;
TQuickReport3* QuickReport3 = nullptr;
TQuickReport4* QuickReport4 = nullptr;
TQuickReport5* QuickReport5 = nullptr;
TQuickReport6* QuickReport6 = nullptr;

TQuickReport1::TQuickReport1(QObject* parent) : QObject(parent) {}
TQuickReport2::TQuickReport2(QObject* parent) : QObject(parent) {}
TQuickReport3::TQuickReport3(QObject* parent) : QObject(parent) {}
TQuickReport4::TQuickReport4(QObject* parent) : QObject(parent) {}
TQuickReport5::TQuickReport5(QObject* parent) : QObject(parent) {}
TQuickReport6::TQuickReport6(QObject* parent) : QObject(parent) {}
