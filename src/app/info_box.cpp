#include "app/info_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/application.h"
#include "platform/ui/controls.h"

Tformatka_info* formatka_info = nullptr;

Tformatka_info::Tformatka_info(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("formatka_info"));
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    logo = new QLabel(this);
    logo->setText(QStringLiteral("<span style='font-size:28pt; font-weight:bold; color:#000080'>T</span>"));
    logo->setFixedSize(64, 64);
    logo->setAlignment(Qt::AlignCenter);
    logo->setStyleSheet(QStringLiteral("border: 2px solid #000080; background: white"));
    top->addWidget(logo, 0, Qt::AlignTop);

    auto* text = new QVBoxLayout;
    Label2 = new QLabel(QStringLiteral("Uaktualnienia i informacje:"), this);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    text->addWidget(Label2);
    auto* contact = new QLabel(QStringLiteral("Tarvelino — oprogramowanie dla drukarni\n"
                                              "e-mail: biuro@tarvelino.pl\n"
                                              "www.tarvelino.pl"),
                               this);
    text->addWidget(contact);
    top->addLayout(text);
    layout->addLayout(top);

    auto* buttons = new QHBoxLayout;
    Button2 = new QPushButton(QStringLiteral("Instrukcja"), this);
    Button2->setVisible(false);
    Button3 = new QPushButton(QStringLiteral("Strona WWW"), this);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addWidget(Button1);
    layout->addLayout(buttons);

    tv::ui::onClick(Button1, [this] { Button1Click(Button1); });
    tv::ui::onClick(Button2, [this] { Button2Click(Button2); });
    tv::ui::onClick(Button3, [this] { Button3Click(Button3); });
}

void Tformatka_info::Button1Click(QObject*) {
    close();
}

// A shell "open" that fails (no browser, no manual) shows nothing.
void Tformatka_info::Button2Click(QObject*) {
    tv::ui::shellOpen(QStringLiteral("instrukcja.htm"));
}
void Tformatka_info::Button3Click(QObject*) {
    tv::ui::shellOpen(QString::fromLatin1(kMakerWebPage));
}
