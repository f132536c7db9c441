#pragma once

#include <QWidget>

class QLabel;

namespace tv::ui {
class PanelButton;
}

// The start screen, the application's main window: START opens the costing sheet.
class TForm_start : public QWidget {
    Q_OBJECT
public:
    explicit TForm_start(QWidget* parent = nullptr);

    tv::ui::PanelButton* Panel1 = nullptr; // START
    QWidget* Panel2 = nullptr;             // navy band
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;

    void Panel1Click(QObject* Sender = nullptr);
    void FormKeyPress(QObject* Sender, QChar& Key);
    void Panel1MouseDown(QObject* Sender = nullptr);
    void Panel1MouseUp(QObject* Sender = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

extern TForm_start* Form_start;
