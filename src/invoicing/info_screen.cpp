#include "invoicing/info_screen.h"

#include <QLabel>
#include <QPainter>
#include <QShowEvent>

#include "invoicing/welcome_screen.h"
#include "platform/ui/controls.h"

TForm_fa9* Form_fa9 = nullptr;

TForm_fa9::TForm_fa9(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
    setObjectName(QStringLiteral("Form_fa9"));
    setFixedSize(392, 292);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(
        QPixmap::fromImage(invoicingScreenPicture(size(), QStringLiteral("moduł FAKTURY - informacje"))));
    Image1->adjustSize();
    Image1->setVisible(false);

    auto label = [this](const char* name, const QString& text, int y) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAttribute(Qt::WA_TranslucentBackground);
        l->setStyleSheet(QStringLiteral("color: white; background: transparent"));
        l->setAlignment(Qt::AlignRight);
        l->setGeometry(100, y, 280, 18);
        return l;
    };
    Label2 = label("Label2", QStringLiteral("Uaktualnienia, informacje na stronie"), 10);
    Label3 = label("Label3", QString::fromLatin1(kInvoicingWebAddress), 28);
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    Label1 = label("Label1", QString::fromUtf8(kInvoicingContact), 196);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(12, 196, 368, 18);

    Panel1 = new tv::ui::PanelButton(QStringLiteral("O K"), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setColours(kWhitePanelColour, kWhitePanelDownColour, Qt::black);
    QFont ok = Panel1->font();
    ok.setBold(true);
    ok.setPointSize(11);
    Panel1->setFont(ok);
    Panel1->setGeometry((width() - 100) / 2, height() - 56, 100, 30);
    Panel1->onMouseDown = [this] { Panel1MouseDown(Panel1); };
    Panel1->onMouseUp = [this] { Panel1MouseUp(Panel1); };
    tv::ui::onClick(Panel1, [this] { Panel1Click(Panel1); });
}

TForm_fa9::~TForm_fa9() = default;

void TForm_fa9::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) tv::ui::centreOnScreen(this);
}

void TForm_fa9::paintEvent(QPaintEvent*) {
    tv::ui::guard([this] { FormPaint(this); });
}

void TForm_fa9::FormPaint(QObject*) {
    QPainter painter(this);
    const QRect area(0, 0, width(), height());
    painter.drawPixmap(area, Image1->pixmap(), area);
}

void TForm_fa9::Panel1Click(QObject*) {
    hide();
}

void TForm_fa9::Panel1MouseDown(QObject*) {
    Panel1->setColour(kWhitePanelDownColour);
}

void TForm_fa9::Panel1MouseUp(QObject*) {
    Panel1->setColour(kWhitePanelUpColour);
}
