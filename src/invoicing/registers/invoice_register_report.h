#pragma once

#include <QObject>

#include "platform/report/report.h"

// The register printout "Zestawienie faktur": the invoices of a period with
// their customers and the period's totals.
class TFa2_wy : public QObject {
    Q_OBJECT
public:
    explicit TFa2_wy(QObject* parent = nullptr);
    ~TFa2_wy() override;

    tv::report::Report QuickRep1;
};

extern TFa2_wy* Fa2_wy;
