#pragma once

#include <QDialog>

#include "platform/table.h"

namespace tv::ui {
class DBGrid;
}

// The register of goods and services, with the stock of the stock version.
// Its table is the one the invoice window's goods picker, stock check and
// stock deduction work on.
class TForm_fa5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa5(QWidget* parent = nullptr);
    ~TForm_fa5() override;

    tv::Table* towary = nullptr;
    tv::ui::DBGrid* DBGrid1 = nullptr; // with the stock columns
    tv::ui::DBGrid* DBGrid2 = nullptr; // without them, over DBGrid1
};

extern TForm_fa5* Form_fa5;
