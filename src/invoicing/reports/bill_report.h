#pragma once

#include <QObject>

#include "platform/report/report.h"

// The bill printout, the VAT invoice's near twin without VAT figures.
class TForm_fa7 : public QObject {
    Q_OBJECT
public:
    explicit TForm_fa7(QObject* parent = nullptr);
    ~TForm_fa7() override;

    void WypelnijRachunek();

    tv::report::Report QuickRep1;
};

extern TForm_fa7* Form_fa7;
