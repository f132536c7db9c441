#include "app/about_box.h"

#include <QLabel>
#include <QVBoxLayout>

#include "platform/ui/controls.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("O programie.."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Wersja 2.1"), this));
    layout->addWidget(new QLabel(QStringLiteral("Arkusz kalkulacyjny dla wydawnictw"), this));
    layout->addWidget(new QLabel(QStringLiteral("e-mail: biuro@tarvelino.pl, www.tarvelino.pl"), this));
    SpeedButton1 = new tv::ui::SpeedButton(QStringLiteral("Zamknij"), this);
    layout->addWidget(SpeedButton1, 0, Qt::AlignRight);
    tv::ui::onClick(SpeedButton1, [this] { SpeedButton1Click(SpeedButton1); });
}

void TForm9::SpeedButton1Click(QObject*) {
    close();
}
