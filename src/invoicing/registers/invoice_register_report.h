#pragma once

#include <QObject>

#include "platform/report/report.h"

// The register printout "Zestawienie faktur": the invoices of a period with
// their customers and the period's totals. The design is built once; the
// register sets the period and the totals before each preview, and the rows
// come from the register's listing query while the report is laid out.
class TFa2_wy : public QObject {
    Q_OBJECT
public:
    explicit TFa2_wy(QObject* parent = nullptr);
    ~TFa2_wy() override;

    tv::report::Report QuickRep1;
};

extern TFa2_wy* Fa2_wy;
