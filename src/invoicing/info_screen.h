#pragma once

#include <QDialog>

class QLabel;

namespace tv::ui {
class PanelButton;
}

// The invoicing info box, shown by the invoice window's "O programie..":
// the module's picture, the maker's web address and contact line, "O K".
class TForm_fa9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa9(QWidget* parent = nullptr);
    ~TForm_fa9() override;

    QLabel* Image1 = nullptr;              // hidden: the info picture, the source of the painting
    QLabel* Label2 = nullptr;              // "Uaktualnienia, informacje na stronie"
    QLabel* Label3 = nullptr;              // the maker's web address
    QLabel* Label1 = nullptr;              // the maker's contact line
    tv::ui::PanelButton* Panel1 = nullptr; // "O K"

    void FormPaint(QObject* Sender = nullptr);
    void Panel1Click(QObject* Sender = nullptr);
    void Panel1MouseDown(QObject* Sender = nullptr);
    void Panel1MouseUp(QObject* Sender = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

extern TForm_fa9* Form_fa9;
