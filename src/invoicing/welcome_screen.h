#pragma once

#include <QDialog>

// The invoicing welcome screen with its "S T A R T" panel, which hands over
// to the invoice window.
class TForm_fa8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa8(QWidget* parent = nullptr);
    ~TForm_fa8() override;
};

extern TForm_fa8* Form_fa8;
