// How the invoice window looks at its design size: every control in view,
// none clipped or overlapping, with the captions, hints and colours of the
// design.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

#include "invoice_fixture.h"
#include "invoicing/invoice_window.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"

using tvtest::InvoiceFixture;

namespace {

class WindowLayout : public InvoiceFixture {
protected:
    void SetUp() override {
        InvoiceFixture::SetUp();
        showWindow();
    }

    // The controls the operator sees: visible widgets of the window, the
    // insides of grids, combo boxes and date pickers apart.
    static QList<QWidget*> shownControls() {
        QList<QWidget*> out;
        const QList<QWidget*> all = Form_fa1->findChildren<QWidget*>();
        for (QWidget* w : all) {
            if (!w->isVisibleTo(Form_fa1) || w->isWindow()) continue;
            bool inner = false;
            for (QWidget* p = w->parentWidget(); p && p != Form_fa1; p = p->parentWidget())
                if (qobject_cast<QAbstractItemView*>(p) || qobject_cast<QComboBox*>(p) ||
                    qobject_cast<QAbstractSpinBox*>(p))
                    inner = true;
            if (!inner && w->objectName() != QLatin1String("qt_toolbar_ext_button")) out << w;
        }
        return out;
    }
};

} // namespace

TEST_F(WindowLayout, EveryControlFitsUnclippedAtTheDesignSize) {
    EXPECT_EQ(Form_fa1->size(), QSize(689, 577));
    const QSize needed = Form_fa1->minimumSizeHint();
    EXPECT_LE(needed.width(), 689);
    EXPECT_LE(needed.height(), 577);
    for (QWidget* w : shownControls()) {
        const QString name =
            w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        const QRect inParent = w->geometry();
        if (QWidget* parent = w->parentWidget()) {
            EXPECT_TRUE(parent->rect().contains(inParent)) << name.toStdString();
        }
        const QSize least = w->minimumSizeHint();
        if (least.isValid()) {
            EXPECT_GE(w->width(), least.width()) << name.toStdString();
            EXPECT_GE(w->height(), least.height()) << name.toStdString();
        }
        // Captions show whole.
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w)) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << name.toStdString();
        }
    }
}

TEST_F(WindowLayout, ControlsDoNotOverlap) {
    const QList<QWidget*> controls = shownControls();
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j) {
            QWidget* a = controls[i];
            QWidget* b = controls[j];
            if (a->parentWidget() != b->parentWidget()) continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << a->objectName().toStdString() << "/" << a->metaObject()->className() << " and "
                << b->objectName().toStdString() << "/" << b->metaObject()->className();
        }
}

TEST_F(WindowLayout, EveryColumnOfTheLinesIsInView) {
    tv::ui::DBGrid* grid = Form_fa1->DBGrid1;
    QStringList titles;
    int total = 0;
    const QFontMetrics metrics(grid->horizontalHeader()->font());
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
        titles << title;
        EXPECT_GE(grid->columnWidth(c), metrics.horizontalAdvance(title)) << title.toStdString();
        total += grid->columnWidth(c);
    }
    EXPECT_EQ(titles, QStringList({"Lp", "Nazwa", "PKWiU", "Ilosc", "Jm", "Netto_jedn", "Netto", "VAT",
                                   "KwotaVAT", "Brutto", "Klasa"}));
    EXPECT_LE(total, grid->viewport()->width());
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(grid->columnWidth(1), 120); // the name has room
    EXPECT_GE(grid->height(), 150);       // and so do the lines
}

TEST_F(WindowLayout, CaptionsHintsAndColoursOfTheDesign) {
    QSet<QString> labels;
    for (QLabel* l : Form_fa1->findChildren<QLabel*>())
        if (l->isVisibleTo(Form_fa1)) labels << l->text();
    for (const char* caption : {"Nr faktury",
                                "Miejsce wystawienia",
                                "Data wystawienia",
                                "Data sprzedaży",
                                "Forma płatności",
                                "Termin płatności",
                                "Sprzedawca",
                                "Kontrahent",
                                "Imię i nazwisko sprzedawcy:",
                                "Imię i nazwisko kontrahenta:",
                                "Zamówienie:",
                                "Dodatkowy tekst",
                                "Uwagi",
                                "Towary i usługi",
                                "Razem",
                                "Wartość netto",
                                "Kwota VAT",
                                "Wartość brutto",
                                "Słownie",
                                "%"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_EQ(Form_fa1->GroupBox2->title(), "rodzaj dokumentu");
    EXPECT_EQ(Form_fa1->GroupBox1->title(), "Forma wydruku");
    EXPECT_EQ(Form_fa1->CheckBox2->text(), "Rabat:");
    EXPECT_FALSE(Form_fa1->CheckBox2->isEnabled());
    EXPECT_FALSE(Form_fa1->ComboBox6->isEnabled());
    EXPECT_FALSE(Form_fa1->RadioButton3->isVisibleTo(Form_fa1));
    EXPECT_FALSE(Form_fa1->ComboBox7->isVisibleTo(Form_fa1));
    EXPECT_FALSE(Form_fa1->CheckBox1->isVisibleTo(Form_fa1));
    EXPECT_FALSE(Form_fa1->valuta->isVisibleTo(Form_fa1));

    const struct {
        QToolButton* button;
        const char* hint;
    } hints[] = {{Form_fa1->SpeedButton1, "Nowa faktura"},
                 {Form_fa1->SpeedButton2, "Zapisz fakturę"},
                 {Form_fa1->SpeedButton3, "Podgląd wydruku"},
                 {Form_fa1->SpeedButton4, "Drukuj fakturę"},
                 {Form_fa1->SpeedButton13, "Administracja"},
                 {Form_fa1->SpeedButton18, "Zarchiwizuj pliki"},
                 {Form_fa1->SpeedButton22, "Rozpakuj pliki archiwalne"},
                 {Form_fa1->SpeedButton5, "Pomoc"},
                 {Form_fa1->SpeedButton16, "O programie.."},
                 {Form_fa1->SpeedButton6, "Zamknij"},
                 {Form_fa1->SpeedButton20, "Dodaj pozycję"},
                 {Form_fa1->SpeedButton19, "Usuń pozycję"},
                 {Form_fa1->SpeedButton21, "Modyfikuj pozycję"},
                 {Form_fa1->SpeedButton14, "Potwierdź zmianę"},
                 {Form_fa1->SpeedButton15, "Anuluj zmianę"},
                 {Form_fa1->SpeedButton32, "Odśwież dane"}};
    for (const auto& h : hints) {
        EXPECT_EQ(h.button->toolTip(), QString::fromUtf8(h.hint));
        EXPECT_TRUE(h.button->isVisible()) << h.hint;
        EXPECT_EQ(h.button->focusPolicy(), Qt::NoFocus) << h.hint;
    }
    for (QToolButton* b : {Form_fa1->SpeedButton20, Form_fa1->SpeedButton19, Form_fa1->SpeedButton21,
                           Form_fa1->SpeedButton14, Form_fa1->SpeedButton15, Form_fa1->SpeedButton32})
        EXPECT_EQ(b->size(), QSize(30, 25));
    // The whole toolbar in view, the logo at its end.
    const QRect bar = Form_fa1->ToolBar1->rect();
    for (QToolButton* b : {Form_fa1->SpeedButton1, Form_fa1->SpeedButton6})
        EXPECT_TRUE(bar.contains(b->geometry())) << b->toolTip().toStdString();
    EXPECT_TRUE(Form_fa1->Image1->isVisible());

    const struct {
        tv::ui::PanelButton* panel;
        const char* caption;
    } panels[] = {{Form_fa1->Panel1, "towary i usługi"},      {Form_fa1->Panel2, "kontrahenci"},
                  {Form_fa1->Panel3, "sprzedawcy"},           {Form_fa1->Panel4, "faktury"},
                  {Form_fa1->Panel5, "dodaj towar do listy"}, {Form_fa1->Panel8, "NIP"}};
    for (const auto& p : panels) {
        EXPECT_EQ(p.panel->text(), QString::fromUtf8(p.caption));
        EXPECT_EQ(p.panel->colour(), 8257541) << p.caption;
        EXPECT_TRUE(p.panel->isVisible()) << p.caption;
    }
}
