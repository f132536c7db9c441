#pragma once

#include <QDialog>

#include "platform/table.h"

// The register of issued invoices: the list of a period, the lines of the
// selected invoice, delete, "wczytaj fakturę" and the register printout.
class TForm_fa2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa2(QWidget* parent = nullptr);
    ~TForm_fa2() override;

    tv::Table* wyst_faktury = nullptr;
    tv::Table* wyst_pozycje = nullptr;

    // Set by "wczytaj fakturę" while the invoice in the window was loaded from
    // the register; the invoice window clears it on a new invoice and skips
    // its stock checks while it is set.
    bool loadedInvoice = false;
};

extern TForm_fa2* Form_fa2;
