#pragma once

#include <QDialog>

// The invoicing info box, shown by the invoice window's "O programie..".
class TForm_fa9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa9(QWidget* parent = nullptr);
    ~TForm_fa9() override;
};

extern TForm_fa9* Form_fa9;
