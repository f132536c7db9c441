#pragma once

#include <QObject>

#include "invoicing/reports/printout_parts.h"
#include "platform/report/report.h"

// The bill printout, the VAT invoice's near twin without VAT figures: one
// gross value per line and in total, the issuer's signature only, and no
// remarks. Filled by WypelnijRachunek before every preview or print.
class TForm_fa7 : public QObject {
    Q_OBJECT
public:
    explicit TForm_fa7(QObject* parent = nullptr);
    ~TForm_fa7() override;

    void WypelnijRachunek();

    tv::report::Report QuickRep1;

private:
    invoicing::printout::BelowBlocks m_belowBlocks;
    invoicing::printout::BelowBlocks m_belowWords;
};

extern TForm_fa7* Form_fa7;
