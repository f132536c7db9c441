#include "invoicing/welcome_screen.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "platform/ui/controls.h"

TForm_fa8* Form_fa8 = nullptr;

namespace {

// A sheet of an invoice: a white page with a folded corner, a heading bar and
// ruled lines, and a total framed at the foot.
void drawInvoiceSheet(QPainter& p, const QRectF& page) {
    const double fold = page.width() * 0.22;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 40, 90));
    p.drawPath(outline.translated(4, 4));
    p.setBrush(Qt::white);
    p.drawPath(outline);
    QPainterPath corner;
    corner.moveTo(page.right() - fold, page.top());
    corner.lineTo(page.right() - fold, page.top() + fold);
    corner.lineTo(page.right(), page.top() + fold);
    corner.closeSubpath();
    p.setBrush(QColor(200, 205, 230));
    p.drawPath(corner);

    const double margin = page.width() * 0.12;
    const double left = page.left() + margin;
    const double width = page.width() - 2 * margin;
    p.setBrush(QColor(5, 0, 126));
    p.drawRect(QRectF(left, page.top() + page.height() * 0.12, width * 0.55, page.height() * 0.06));
    p.setBrush(QColor(170, 175, 205));
    for (int row = 0; row < 6; ++row) {
        const double y = page.top() + page.height() * (0.3 + 0.08 * row);
        p.drawRect(QRectF(left, y, width * (row % 2 ? 0.8 : 1.0), page.height() * 0.025));
    }
    p.setPen(QPen(QColor(5, 0, 126), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(
        QRectF(left + width * 0.45, page.top() + page.height() * 0.83, width * 0.55, page.height() * 0.08));
}

} // namespace

QImage invoicingScreenPicture(const QSize& size, const QString& subtitle) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(10, 0, 193));
    sky.setColorAt(1, QColor(2, 0, 60));
    p.fillRect(image.rect(), sky);
    // A light band across the lower part, under the panel.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    QPainterPath band;
    band.moveTo(0, size.height() * 0.72);
    band.cubicTo(size.width() * 0.35, size.height() * 0.6, size.width() * 0.65, size.height() * 0.85,
                 size.width(), size.height() * 0.7);
    band.lineTo(size.width(), size.height());
    band.lineTo(0, size.height());
    band.closeSubpath();
    p.drawPath(band);

    drawInvoiceSheet(
        p, QRectF(size.width() * 0.07, size.height() * 0.2, size.width() * 0.22, size.height() * 0.42));

    QFont title = p.font();
    title.setPixelSize(qMax(12, size.height() / 9));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    const QRectF text(size.width() * 0.34, size.height() * 0.3, size.width() * 0.62, size.height() * 0.16);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tarvelino 2000"));
    QFont sub = title;
    sub.setPixelSize(qMax(10, size.height() / 16));
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(QColor(255, 255, 160));
    p.drawText(text.translated(0, text.height()), Qt::AlignLeft | Qt::AlignTop, subtitle);
    return image;
}

TForm_fa8::TForm_fa8(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog) {
    setObjectName(QStringLiteral("Form_fa8"));
    setWindowTitle(QStringLiteral("informacje o programie"));
    setFixedSize(398, 298);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(invoicingScreenPicture(size(), QStringLiteral("moduł FAKTURY"))));
    Image1->setGeometry(rect());
    Image1->setVisible(false);

    auto label = [this](const char* name, const QString& text, int y) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAttribute(Qt::WA_TranslucentBackground);
        l->setStyleSheet(QStringLiteral("color: white; background: transparent"));
        l->setAlignment(Qt::AlignRight);
        l->setGeometry(150, y, 236, 18);
        return l;
    };
    Label2 = label("Label2", QStringLiteral("Uaktualnienia, informacje na stronie"), 10);
    Label3 = label("Label3", QString::fromLatin1(kInvoicingWebAddress), 28);
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);

    Panel1 = new tv::ui::PanelButton(QStringLiteral("S T A R T"), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setColours(kWhitePanelColour, kWhitePanelDownColour, Qt::black);
    QFont start = Panel1->font();
    start.setBold(true);
    start.setPointSize(11);
    Panel1->setFont(start);
    Panel1->setGeometry((width() - 120) / 2, height() - 58, 120, 32);
    Panel1->onMouseDown = [this] { Panel1MouseDown(Panel1); };
    Panel1->onMouseUp = [this] { Panel1MouseUp(Panel1); };
    tv::ui::onClick(Panel1, [this] { Panel1Click(Panel1); });

    // The screen greets the operator the first time the invoice window comes
    // up in a run.
    if (Form_fa1) Form_fa1->installEventFilter(this);
}

TForm_fa8::~TForm_fa8() {
    if (Form_fa1) Form_fa1->removeEventFilter(this);
}

bool TForm_fa8::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Form_fa1 && event->type() == QEvent::Show && !m_welcomed) {
        m_welcomed = true;
        // After the window's own show sequence, so that what it reports is
        // not hidden under the screen.
        QMetaObject::invokeMethod(
            this, [this] { tv::ui::guard([this] { welcome(); }); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void TForm_fa8::welcome() {
    m_welcomed = true;
    if (Form_fa10 && Form_fa10->FirstScreen->isChecked()) {
        // Skipped before anything of it is painted.
        Panel1Click(this);
        return;
    }
    if (Form_fa1 && !Form_fa1->isVisible()) return;
    tv::ui::centreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void TForm_fa8::paintEvent(QPaintEvent*) {
    tv::ui::guard([this] { FormPaint(this); });
}

void TForm_fa8::FormPaint(QObject*) {
    if (Form_fa10 && Form_fa10->FirstScreen->isChecked()) {
        Panel1Click(this);
        return;
    }
    QPainter painter(this);
    const QRect area(0, 0, width(), height());
    painter.drawPixmap(area, Image1->pixmap(), area);
}

void TForm_fa8::Panel1Click(QObject*) {
    hide();
    if (!Form_fa1) return;
    Form_fa1->show();
    Form_fa1->raise();
    Form_fa1->activateWindow();
}

void TForm_fa8::FormKeyPress(QObject*, QChar& Key) {
    if (Key == QChar(13)) Panel1Click(this);
}

void TForm_fa8::keyPressEvent(QKeyEvent* event) {
    // Only Enter does anything here; Escape does not close the screen.
    QChar key = tv::ui::virtualKey(event->key()) == tv::ui::VK_RETURN ? QChar(13)
                : event->text().isEmpty()                             ? QChar()
                                                                      : event->text().at(0);
    tv::ui::guard([&] { FormKeyPress(this, key); });
    event->accept();
}

void TForm_fa8::Panel1MouseDown(QObject*) {
    Panel1->setColour(kWhitePanelDownColour);
}

void TForm_fa8::Panel1MouseUp(QObject*) {
    Panel1->setColour(kWhitePanelUpColour);
}
