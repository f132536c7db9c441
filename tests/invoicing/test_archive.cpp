// Archiving the data from the invoice window and bringing it back, with the
// windows showing the restored tables.

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "costing/costing_sheet.h"
#include "invoice_fixture.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/registers/sellers.h"
#include "invoicing/rules/invoice_store.h"
#include "platform/ui/controls.h"

using tvtest::InvoiceFixture;

namespace {

class Archive : public InvoiceFixture {
protected:
    QString archive() const { return QDir(workingFolder()).filePath("archiwum1.zip"); }
    QString safety() const { return QDir(workingFolder()).filePath("kopia_przed_rozpakowaniem.zip"); }

    static QStringList items(QComboBox* picker) {
        QStringList out;
        for (int i = 0; i < picker->count(); ++i)
            out << picker->itemText(i);
        return out;
    }
};

} // namespace

TEST_F(Archive, ArchivingPacksTheTablesAndSaysSo) {
    showWindow();
    Form_fa1->SpeedButton18->click();
    EXPECT_TRUE(QFileInfo(archive()).size() > 0);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages().first().text,
              QString::fromUtf8("Dane zostały zarchiwizowane w pliku „archiwum1.zip”."));
}

TEST_F(Archive, RestoringBringsTheDataBackIntoEveryWindow) {
    showWindow();
    choose(Form_fa1->ComboBox3, "Nowak");
    addLine("Ulotki", 1, 100, "22");
    Form_fa1->Przelicz();
    Form_fa1->SpeedButton18->click();

    // Later work the operator wants to throw away.
    tvtest::addCustomers({{"Adam", 10, "Adam Adamski", ""}});
    tvtest::addSellers({{"Biuro", 3, "Beata Biuro", "Bochnia", "Rynek 1"}});
    Form_fa1->WczytajKontrahentow();
    Form_fa1->WczytajSprzedawcow();
    Form_fa1->ComboBox3->setEditText("Nowak");
    Form_fa1->ComboBox2->setEditText("Druk");
    addLine("Plakaty", 2, 50, "7");
    Form_fa1->Przelicz();
    ASSERT_EQ(Form_fa1->Edit1->text(), QString::fromUtf8("229,00 zł"));
    Form_fa3->sprzedawcy->refresh();
    ASSERT_EQ(Form_fa3->sprzedawcy->recordCount(), 3);
    tv::ui::clearShownMessages();

    tv::ui::pushTestAnswer(tv::ui::Answer::Yes);
    Form_fa1->SpeedButton22->click();
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[0].buttons, tv::ui::Buttons::YesNo);
    EXPECT_EQ(messages()[1].text, QString::fromUtf8("Dane zostały przywrócone z archiwum „archiwum1.zip”."));
    EXPECT_TRUE(QFileInfo::exists(safety()));

    EXPECT_EQ(items(Form_fa1->ComboBox3), QStringList({"Kowalski", "Nowak", "Zero"}));
    EXPECT_EQ(items(Form_fa1->ComboBox2), QStringList({"Agencja", "Druk"}));
    EXPECT_EQ(Form_fa1->ComboBox3->currentText(), "Nowak");
    EXPECT_EQ(Form_fa1->chosenCustomer, 8);
    EXPECT_EQ(Form_fa1->pozycje->recordCount(), 1);
    EXPECT_EQ(Form_fa1->Edit1->text(), QString::fromUtf8("122,00 zł"));
    // Other windows' cursors read the restored rows too.
    EXPECT_EQ(Form_fa3->sprzedawcy->recordCount(), 2);
    EXPECT_EQ(items(Form1->ComboBox7), QStringList({"Kowalski", "Nowak", "Zero"}));
}

TEST_F(Archive, AnsweringNoRestoresNothing) {
    showWindow();
    Form_fa1->SpeedButton18->click();
    addLine("Plakaty", 2, 50, "7");
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    Form_fa1->SpeedButton22->click();
    EXPECT_EQ(Form_fa1->pozycje->recordCount(), 1);
    EXPECT_FALSE(QFileInfo::exists(safety()));
}

TEST_F(Archive, AMissingOrDamagedArchiveChangesNothing) {
    showWindow();
    Form_fa1->SpeedButton22->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages().first().text,
              QString::fromUtf8("Nie znaleziono archiwum „archiwum1.zip” w folderze z danymi."));
    EXPECT_EQ(messages().first().caption, QString::fromUtf8("Błąd"));

    QFile damaged(archive());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("PK\x03\x04 to nie jest archiwum");
    damaged.close();
    addLine("Plakaty", 2, 50, "7");
    tv::ui::clearShownMessages();
    Form_fa1->SpeedButton22->click(); // answered Yes
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(
        messages()[1].text.startsWith(QString::fromUtf8("Nie można odczytać archiwum „archiwum1.zip”")))
        << messages()[1].text.toStdString();
    EXPECT_EQ(messages()[1].caption, QString::fromUtf8("Błąd"));
    EXPECT_EQ(Form_fa1->pozycje->recordCount(), 1);
    EXPECT_FALSE(QFileInfo::exists(safety()));
}

TEST_F(Archive, TheInvoiceOnScreenAfterARestoreIsANewOne) {
    showWindow();
    TForm_fa1& w = *Form_fa1;
    const auto number = [&](int n) { return w.FormatujNumer(n, w.DateTimePicker1->date()); };
    ASSERT_EQ(w.Edit5->text(), number(1));
    addLine("Ulotki", 1, 100, "22");
    w.SpeedButton2Click(w.SpeedButton2);
    w.SpeedButton1Click(w.SpeedButton1);
    addLine("Plakaty", 2, 50, "22");
    w.SpeedButton2Click(w.SpeedButton2);
    w.SpeedButton1Click(w.SpeedButton1);
    addLine("Teczki", 3, 10, "22"); // typed, not saved, when the data is archived
    w.SpeedButton18->click();

    // Later the operator opens invoice 1 again.
    Form_fa2->loadedInvoice = true;
    w.WczytajFakture(number(1));
    ASSERT_EQ(w.storedNumber, number(1));
    w.LicznikFaktur = 7;
    tv::ui::clearShownMessages();

    tv::ui::pushTestAnswer(tv::ui::Answer::Yes);
    w.SpeedButton22->click();
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[1].text, QString::fromUtf8("Dane zostały przywrócone z archiwum „archiwum1.zip”."));
    // The restored lines, under the number after the restored register's last.
    EXPECT_EQ(lineFigures(), QStringList({"10 30 6,6 36,6"}));
    EXPECT_EQ(w.storedNumber, QString());
    EXPECT_FALSE(w.Zapisana);
    EXPECT_EQ(w.LicznikFaktur, 3);
    EXPECT_EQ(w.Edit5->text(), number(3));
    EXPECT_EQ(Form_fa10->Edit2->text(), QStringLiteral("3"));

    // Saving it stores a third invoice and leaves the first as it was.
    tv::ui::clearShownMessages();
    w.SpeedButton2Click(w.SpeedButton2);
    EXPECT_TRUE(messages().isEmpty()) << messages().value(0).text.toStdString();
    EXPECT_EQ(w.storedNumber, number(3));
    const QVector<invoicing::InvoiceLine> first = invoicing::loadLines(number(1));
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0].name, QStringLiteral("Ulotki"));
    EXPECT_EQ(invoicing::loadLines(number(2)).size(), 1);
}
