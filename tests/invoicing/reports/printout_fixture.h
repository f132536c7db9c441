#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSignalBlocker>

#include "costing/rules/vat_rates.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/reports/bill_report.h"
#include "invoicing/reports/vat_invoice_report.h"
#include "platform/convert.h"
#include "platform/report/layout.h"
#include "platform/report/painter.h"
#include "platform/table.h"
#include "support/app_fixture.h"

namespace tvtest {

inline void addRow(tv::Table& table, const QVector<QPair<QString, QString>>& fields) {
    table.append();
    for (const auto& [name, value] : fields)
        table.fieldByName(name).setAsString(value);
    table.post();
}

// Every text a page prints for one element, its lines joined.
inline QString textOf(const tv::report::LaidOutPage& page, const QString& name) {
    QStringList lines;
    for (const tv::report::LaidOutItem* item : page.itemsNamed(name))
        if (item->kind == tv::report::LaidOutItem::Kind::Text) lines << item->text;
    return lines.join(u'\n');
}

inline const tv::report::LaidOutItem* firstText(const tv::report::LaidOutPage& page, const QString& name) {
    for (const tv::report::LaidOutItem* item : page.itemsNamed(name))
        if (item->kind == tv::report::LaidOutItem::Kind::Text) return item;
    return nullptr;
}

// Texts whose boxes cross: two things printed over each other. Lines of
// neighbouring rows may touch, so a box is taken without the blank strip above
// and below its glyphs.
inline QStringList overlappingTexts(const tv::report::LaidOutPage& page) {
    QVector<const tv::report::LaidOutItem*> texts;
    for (const tv::report::LaidOutItem& item : page.items)
        if (item.kind == tv::report::LaidOutItem::Kind::Text) texts.append(&item);
    QStringList out;
    for (int i = 0; i < texts.size(); ++i)
        for (int j = i + 1; j < texts.size(); ++j) {
            const QRectF both =
                texts[i]->rect.adjusted(0, 2, 0, -2).intersected(texts[j]->rect.adjusted(0, 2, 0, -2));
            if (both.width() > 0.5 && both.height() > 0)
                out << QStringLiteral("\"%1\" ~ \"%2\"").arg(texts[i]->text, texts[j]->text);
        }
    return out;
}

inline QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Print jobs as the default printer would get them.
class RecordingPrinter : public tv::report::PrintSink {
public:
    QString name = QStringLiteral("HP LaserJet");
    QVector<QVector<tv::report::LaidOutPage>> jobs;
    QStringList jobNames;
    int failFromJob = -1; // the printer refuses this job and every later one
    QString defaultPrinterName() override { return name; }
    bool print(const QVector<tv::report::LaidOutPage>& pages, const QString& jobName) override {
        if (failFromJob >= 0 && jobs.size() >= failFromJob) return false;
        jobs.append(pages);
        jobNames.append(jobName);
        return true;
    }
};

// An invoice on the window as the operator left it: two sellers and two
// customers in their registers, three lines at three rates, the totals and
// words as the window shows them. The window's controls are set directly,
// without their handlers, so the printouts show exactly these texts.
class InvoiceFixture : public AppFixture {
protected:
    void prepareData() override {
        tv::Table sellers(QStringLiteral("sprzedawcy.db"));
        sellers.open();
        addRow(sellers, {{"Id", "DRUK"},
                         {"Nr", "1"},
                         {"Nazwisko", "Jan Kowalski"},
                         {"Firma", "Drukarnia Tarvelino Sp. z o.o."},
                         {"Ulica", "ul. Długa 5"},
                         {"Kod", "30-001"},
                         {"Miejscowosc", "Kraków"},
                         {"NIP", "676-10-20-300"},
                         {"REGON", "350123456"},
                         {"Telefon", "12 411 22 33"},
                         {"Faks", "12 411 22 34"},
                         {"Email", "biuro@tarvelino.pl"},
                         {"Bank", "PKO BP S.A."},
                         {"Nr_rku", "12 1020 2892 0000 5102 0123 4567"}});
        addRow(sellers,
               {{"Id", "INNY"}, {"Nr", "2"}, {"Nazwisko", "Adam Inny"}, {"Firma", "Inny Sprzedawca"}});
        tv::Table customers(QStringLiteral("kontrahenci.db"));
        customers.open();
        addRow(customers, {{"Id", "AGA"},
                           {"Nr", "1"},
                           {"Nazwisko", "Agata Nowak"},
                           {"Firma", "Agencja Reklamowa „Aga”"},
                           {"Ulica", "ul. Polna 12"},
                           {"Kod", "00-950"},
                           {"Miejscowosc", "Warszawa"},
                           {"NIP", "525-000-11-22"},
                           {"Telefon", "22 600 70 80"},
                           {"Bank", "mBank"},
                           {"Nr_rku", "34 1140 0000 1111 2222 3333 4444"}});
        addRow(customers, {{"Id", "BOR"},
                           {"Nr", "2"},
                           {"Nazwisko", "Borys Müller"},
                           {"Firma", "Borys GmbH"},
                           {"Ulica", "Hauptstraße 1"},
                           {"Kod", "10115"},
                           {"Miejscowosc", "Berlin"},
                           {"Kraj", "Niemcy"}});
    }

    void SetUp() override {
        AppFixture::SetUp();
        fillInvoice();
    }

    // The invoice's texts and lines, set on the window as it stands: a
    // window shown afterwards would renumber it and take its defaults again.
    static void fillInvoice() {
        setText(Form_fa1->Edit5, "7/03/2024");
        setDate(Form_fa1->DateTimePicker1, QDate(2024, 3, 5));
        setText(Form_fa1->Edit6, "Kraków");
        setText(Form_fa1->ComboBox1, "przelewem");
        setText(Form_fa1->ComboBox4, "14 dni");
        setDate(Form_fa1->DateTimePicker2, QDate(2024, 3, 19));
        setDate(Form_fa1->DateTimePicker3, QDate(2024, 3, 4));
        setChecked(Form_fa1->CheckBox1, false);
        setText(Form_fa1->Edit7, "Dziękujemy");
        setText(Form_fa1->Edit11, "");
        setText(Form_fa1->ComboBox7, "");
        setText(Form_fa1->Edit12, "");
        setChecked(Form_fa1->CheckBox2, false);
        setText(Form_fa1->ComboBox6, "5");
        setText(Form_fa1->ComboBox2, "DRUK");
        setText(Form_fa1->ComboBox3, "AGA");
        Form_fa1->chosenSeller = 1;
        Form_fa1->chosenCustomer = 1;
        setChecked(Form_fa10->logo, false);
        Form_fa10->RadioButton1->setChecked(true);
        clearLines();
        addLine("Ulotki A5 kolorowe", "58.19.1", "1000", "szt.", "0,35", "22");
        addLine("Katalog firmowy", "58.11.1", "200", "szt.", "12,5", "7");
        addLine("Projekt graficzny", "", "1", "usł.", "400", "zw.");
        recompute();
    }

    static void setText(QLineEdit* edit, const QString& text) {
        const QSignalBlocker blocker(edit);
        edit->setText(text);
    }
    static void setText(QComboBox* combo, const QString& text) {
        const QSignalBlocker blocker(combo);
        combo->setEditText(text);
    }
    static void setDate(QDateEdit* picker, const QDate& date) {
        const QSignalBlocker blocker(picker);
        picker->setDate(date);
    }
    static void setChecked(QCheckBox* box, bool on) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
    }
    // Radio buttons of one group, checked or all cleared.
    static void checkOnly(QRadioButton* chosen, std::initializer_list<QRadioButton*> group) {
        for (QRadioButton* b : group) {
            const QSignalBlocker blocker(b);
            b->setAutoExclusive(false);
            b->setChecked(b == chosen);
            b->setAutoExclusive(true);
        }
    }
    static void chooseKind(QRadioButton* kind) {
        checkOnly(kind, {Form_fa1->RadioButton1, Form_fa1->RadioButton3, Form_fa1->RadioButton4});
    }
    static void choosePrintForm(QRadioButton* form) {
        checkOnly(form, {Form_fa1->RadioButton6, Form_fa1->RadioButton5, Form_fa1->RadioButton2,
                         Form_fa1->RadioButton7});
    }

    // The lines go in through a table of their own, beside the window, which
    // then re-reads them as after any other window's write.
    static void clearLines() {
        tv::Table lines(QStringLiteral("pozycje.db"));
        lines.open();
        lines.emptyTable();
        Form_fa1->pozycje->refresh();
    }
    static void addLine(const QString& name, const QString& pkwiu, const QString& quantity,
                        const QString& unit, const QString& unitNet, const QString& rate) {
        const double net = tv::StrToFloat(quantity) * tv::StrToFloat(unitNet);
        const double vat = rate == "zw." ? 0 : qRound64(net * tv::StrToFloat(rate)) / 100.0;
        tv::Table lines(QStringLiteral("pozycje.db"));
        lines.open();
        addRow(lines, {{"Lp", QString::number(lines.recordCount() + 1)},
                       {"Nazwa", name},
                       {"PKWiU", pkwiu},
                       {"Ilosc", quantity},
                       {"Jm", unit},
                       {"Netto_jedn", unitNet},
                       {"Netto", tv::FloatToStr(net)},
                       {"VAT", rate},
                       {"KwotaVAT", tv::FloatToStr(vat)},
                       {"Brutto", tv::FloatToStr(net + vat)}});
        Form_fa1->pozycje->refresh();
    }
    // The per-rate table and the totals as the window's recompute leaves them.
    static void recompute() {
        costing::RateTotals totals;
        tv::Database::instance().transaction([&] {
            totals =
                costing::rebuildRateTable(*Form_fa1->pozycje, *Form_fa1->stawkiVAT, costing::lineVatRate);
        });
        setText(Form_fa1->Edit3, tv::FormatCurrency(totals.net));
        setText(Form_fa1->Edit2, tv::FormatCurrency(totals.vat));
        setText(Form_fa1->Edit1, tv::FormatCurrency(totals.gross));
        setText(Form_fa1->Edit4, QStringLiteral("trzy tysiące pięćset dwa zł 00\\100"));
    }

    // A money amount in the regional display form ("3 502,00 zł").
    static QString money(const char* amount) {
        return tv::FormatCurrency(tv::StrToCurr(QString::fromLatin1(amount)));
    }

    static QVector<tv::report::LaidOutPage> invoicePages() {
        Form_fa6->WypelnijFakture();
        return tv::report::layoutReport(Form_fa6->QuickRep1);
    }
    static QVector<tv::report::LaidOutPage> billPages() {
        Form_fa7->WypelnijRachunek();
        return tv::report::layoutReport(Form_fa7->QuickRep1);
    }
};

} // namespace tvtest
