#pragma once

#include <QObject>

#include "invoicing/reports/printout_parts.h"
#include "platform/report/report.h"

// The VAT invoice printout. The design is built once; WypelnijFakture copies
// the invoice window's header, totals and texts, the chosen seller and
// customer and the administration settings into its labels just before each
// preview or print; the item and per-rate bands read the window's working
// tables while laid out.
class TForm_fa6 : public QObject {
    Q_OBJECT
public:
    explicit TForm_fa6(QObject* parent = nullptr);
    ~TForm_fa6() override;

    void WypelnijFakture();

    tv::report::Report QuickRep1;

private:
    void fillRemarksAndReceiver();

    invoicing::printout::BelowBlocks m_belowBlocks;
    invoicing::printout::BelowBlocks m_belowWords;
};

extern TForm_fa6* Form_fa6;
