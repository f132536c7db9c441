#pragma once

#include <QObject>

#include "platform/report/report.h"

// Layouts of Polish bank and post payment forms, carried with their designs:
// no code fills, previews or prints them. Each lays its form out once, when
// it is created, with the static captions and an empty, named label for each
// piece of data a filling would put in.
//
//   TQuickReport1  transfer order "POLECENIE PRZELEWU", four parts, A4 landscape
//   TQuickReport2  bank pay-in form "BANKOWY DOWÓD WPŁATY", four parts, A4 landscape
//   TQuickReport3  pay-in form, four parts, A4 landscape
//   TQuickReport4  combined transfer and pay-in form, two copies, A4 portrait
//   TQuickReport5  the same with the markers "W" and "P" and a date
//   TQuickReport6  as TQuickReport5
#define TV_PAYMENT_FORM(Name)                                                                                \
    class Name : public QObject {                                                                            \
    public:                                                                                                  \
        explicit Name(QObject* parent = nullptr);                                                            \
        tv::report::Report QuickRep1;                                                                        \
    };
TV_PAYMENT_FORM(TQuickReport1)
TV_PAYMENT_FORM(TQuickReport2)
TV_PAYMENT_FORM(TQuickReport3)
TV_PAYMENT_FORM(TQuickReport4)
TV_PAYMENT_FORM(TQuickReport5)
TV_PAYMENT_FORM(TQuickReport6)
#undef TV_PAYMENT_FORM

extern TQuickReport1* QuickReport1;
extern TQuickReport2* QuickReport2;
extern TQuickReport3* QuickReport3;
extern TQuickReport4* QuickReport4;
extern TQuickReport5* QuickReport5;
extern TQuickReport6* QuickReport6;
