// TEMPORARY (review7): renders the printouts for a visual check; removed after review.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>
#include <QTest>
#include <QPainter>
#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "costing/reports/blank_calculation_report.h"
#include "costing/reports/calculation_report.h"
#include "platform/report/layout.h"
#include "platform/report/painter.h"
#include "platform/table.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/report_preview.h"
#include "support/app_fixture.h"
using namespace tv::report;
namespace {
void addRow(tv::Table& table, const QVector<QPair<QString, QString>>& fields) {
    table.append();
    for (const auto& [name, value] : fields) table.fieldByName(name).setAsString(value);
    table.post();
}
class Render : public tvtest::AppFixture {
protected:
    void prepareData() override {
        tv::Table customers(QStringLiteral("kontrahenci.db"));
        customers.open();
        addRow(customers, {{"Id", "AGA"}, {"Nr", "1"}, {"Nazwisko", "Kowalska"}, {"Firma", "Drukarnia Żak"}});
    }
    static void setField(const QString& name, const QString& text) {
        QWidget* w = Form1->control(name);
        const QSignalBlocker blocker(w);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(text);
        else if (auto* lookup = qobject_cast<tv::DBLookupComboBox*>(w)) lookup->setText(text);
        else if (auto* combo = qobject_cast<QComboBox*>(w)) combo->setEditText(text);
    }
    static void fill(int lines) {
        for (int n = 1; n <= 79; ++n) setField(QStringLiteral("Edit%1").arg(n), QStringLiteral("%1,25").arg(n * 37));
        setField("Edit1", "Katalog „Jesień” żółty");
        setField("Edit3", "Papier klienta");
        setField("Edit4", "Złocenie okładki");
        setField("Edit6", "Zdjęcia ślubne");
        setField("Edit8", "Logo");
        setField("Edit25", "Folia");
        setField("Edit27", "Koperty");
        setField("Edit29", "Tłoczenie");
        setField("Edit42", "1234-5678");
        setField("Edit69", QString("Odbiór osobisty, faktura z odroczonym terminem płatności. ").repeated(3));
        setField("ComboBox1", "22"); setField("ComboBox2", "15"); setField("ComboBox3", "5");
        setField("ComboBox4", "10"); setField("ComboBox5", "2 zszywki"); setField("ComboBox6", "do części I");
        setField("ComboBox7", "AGA"); setField("DBLookupComboBox1", "A4");
        Form1->DateTimePicker1->setDate(QDate(2024, 3, 5));
        for (int i = 0; i < lines; ++i)
            addRow(*Form4->papkol, {{"Format", "A4"}, {"Ilosc", QString::number(50 + i)}, {"Rodzpap", "Kreda"},
                                    {"Kolor", "pełny"}, {"Gramatura", "90"}, {"Koszt", "1234,5"}});
    }
};
}
TEST_F(Render, All) {
    printf("W=%f W10=%f\n", textWidth(tahoma(12, Bold), "Data wykonania:"), textWidth(tahoma(10), "od ceny brutto:"));
    printf("zysk=%f podatek=%f narzut=%f\n", textWidth(tahoma(10), "Zysk od robocizny bezp.:"), textWidth(tahoma(10), "Pozycje 1-4 razem netto:"), textWidth(tahoma(10), "Narzut do materiału:"));
    const QString dir = qEnvironmentVariable("TV_RENDER_DIR", "/tmp/r7render");
    for (int lines : {3, 7}) {
        Form4->papkol->emptyTable();
        fill(lines);
        Form7->WypelnijKalkulacje();
        writePdf(layoutReport(Form7->QuickRep1), dir + QString("/calc%1.pdf").arg(lines));
    }
    writePdf(layoutReport(Form10->QuickRep1), dir + "/blank.pdf");
    tv::ui::ReportPreview preview(Form7->QuickRep1);
    preview.resize(900, 1000);
    preview.show();
    (void)QTest::qWaitForWindowExposed(&preview);
    QTest::qWait(100);
    preview.grab().save(dir + "/preview.png");
    preview.nextPage();
    preview.setZoomMode(tv::ui::ReportPreview::ZoomMode::Percent100);
    QTest::qWait(100);
    preview.grab().save(dir + "/preview2.png");
    preview.setZoomMode(tv::ui::ReportPreview::ZoomMode::WholePage);
    QTest::qWait(100);
    preview.grab().save(dir + "/preview3.png");
}
