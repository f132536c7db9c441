#pragma once

#include <QDialog>

#include "platform/table.h"

// The register of sellers, the issuers of invoices: an instance of the
// register editor the customer register uses.
class TForm_fa3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa3(QWidget* parent = nullptr);
    ~TForm_fa3() override;

    tv::Table* sprzedawcy = nullptr;
};

extern TForm_fa3* Form_fa3;
