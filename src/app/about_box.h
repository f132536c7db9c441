#pragma once

#include <QDialog>

namespace tv::ui {
class SpeedButton;
}

// The about box: created at start, never shown.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    tv::ui::SpeedButton* SpeedButton1 = nullptr;
    void SpeedButton1Click(QObject* Sender = nullptr);
};

extern TForm9* Form9;
