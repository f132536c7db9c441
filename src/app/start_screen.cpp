#include "app/start_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "costing/costing_sheet.h"
#include "platform/ui/controls.h"

TForm_start* Form_start = nullptr;

TForm_start::TForm_start(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("Form_start"));
    setWindowTitle(QStringLiteral("Tarvelino 2.22"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setFixedSize(460, 300);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 24, 0, 24);

    Panel2 = new QWidget(this);
    Panel2->setAutoFillBackground(true);
    QPalette navy = Panel2->palette();
    navy.setColor(QPalette::Window, QColor(0, 0, 128));
    Panel2->setPalette(navy);
    auto* band = new QVBoxLayout(Panel2);
    Label4 = new QLabel(QStringLiteral("Tarvelino 2.22"), Panel2);
    Label4->setAlignment(Qt::AlignCenter);
    QFont title = Label4->font();
    title.setPointSize(22);
    title.setBold(true);
    Label4->setFont(title);
    Label4->setStyleSheet(QStringLiteral("color: white"));
    band->addWidget(Label4);
    layout->addWidget(Panel2);

    Label5 = new QLabel(
        QStringLiteral("Ekspresowe kalkulacje dla drukarni, agencji reklamowych i wydawnictw"), this);
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setWordWrap(true);
    layout->addSpacing(12);
    layout->addWidget(Label5);
    layout->addStretch();

    Panel1 = new tv::ui::PanelButton(QStringLiteral("START"), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedSize(140, 44);
    QFont start = Panel1->font();
    start.setPointSize(14);
    start.setBold(true);
    Panel1->setFont(start);
    Panel1->onMouseDown = [this] { Panel1MouseDown(Panel1); };
    Panel1->onMouseUp = [this] { Panel1MouseUp(Panel1); };
    tv::ui::onClick(Panel1, [this] { Panel1Click(Panel1); });
    layout->addWidget(Panel1, 0, Qt::AlignHCenter);
    tv::ui::centreOnScreen(this);
}

void TForm_start::Panel1Click(QObject*) {
    Form1->show();
    hide();
}

void TForm_start::FormKeyPress(QObject*, QChar& Key) {
    if (Key == QChar(13)) Panel1Click(this);
}

void TForm_start::Panel1MouseDown(QObject*) {
    Panel1->setLowered(true);
}
void TForm_start::Panel1MouseUp(QObject*) {
    Panel1->setLowered(false);
}

void TForm_start::keyPressEvent(QKeyEvent* event) {
    QChar key = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ? QChar(13)
                : event->text().isEmpty()                                       ? QChar()
                                                                                : event->text().at(0);
    tv::ui::guard([&] { FormKeyPress(this, key); });
}
