#include "app/splash_screen.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ui/controls.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form8"));
    auto* layout = new QVBoxLayout(this);
    Image1 = new QLabel(QStringLiteral("Tarvelino 2.22"), this);
    Image1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Image1);
    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);
    // Disabled as designed: the splash is never shown.
    connect(Timer1, &QTimer::timeout, this, [this] { tv::ui::guard([this] { Timer1Timer(Timer1); }); });
}

void TForm8::Timer1Timer(QObject*) {
    close();
}
