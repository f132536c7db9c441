#pragma once

#include <QObject>

#include "platform/report/report.h"

// Layouts of Polish bank and post payment forms, carried with their designs:
// no code fills, previews or prints them.
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
