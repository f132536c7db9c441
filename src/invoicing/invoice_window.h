#pragma once

#include <QMainWindow>

#include "platform/table.h"

class QComboBox;

// The invoice window. For now it holds what the customer register needs of it:
// the customer picker and the components of the customer re-sort.
class TForm_fa1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_fa1(QWidget* parent = nullptr);
    ~TForm_fa1() override;

    QComboBox* ComboBox3 = nullptr; // customer picker
    tv::Table* tabletemp1 = nullptr;
    tv::Table* tabletemp2 = nullptr;
    tv::Query* Query3 = nullptr;

    // Rewrites the customer table in Id order through the scratch table.
    void SortujKontrahentow();
};

extern TForm_fa1* Form_fa1;
