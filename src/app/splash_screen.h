#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The splash screen: created at start, never shown.
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    void Timer1Timer(QObject* Sender = nullptr);
};

extern TForm8* Form8;
