// The data archive of the invoice window: every table packed into
// "archiwum1.zip" in the working folder, and brought back from it.

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/rules/data_archive.h"
#include "platform/errors.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"

QString TForm_fa1::archivePath() const {
    return QDir(tv::Database::instance().workingFolder()).filePath(invoicing::archiveFileName());
}

void TForm_fa1::archiveData(bool report) {
    invoicing::archiveTables(archivePath());
    if (report)
        tv::ui::showMessage(
            QStringLiteral("Dane zostały zarchiwizowane w pliku „%1”.").arg(invoicing::archiveFileName()),
            QString(), tv::ui::Icon::Information);
}

void TForm_fa1::SpeedButton18Click(QObject*) {
    archiveData(true);
}

void TForm_fa1::SpeedButton22Click(QObject*) {
    const QString archive = archivePath();
    if (!QFileInfo::exists(archive)) {
        tv::ui::showMessage(QStringLiteral("Nie znaleziono archiwum „%1” w folderze z danymi.")
                                .arg(invoicing::archiveFileName()),
                            QStringLiteral("Błąd"), tv::ui::Icon::Error);
        return;
    }
    const QString question =
        QStringLiteral("Dane z archiwum „%1” zastąpią obecne dane programu. Obecne dane zostaną zachowane "
                       "w pliku „%2”.\nCzy rozpakować archiwum?")
            .arg(invoicing::archiveFileName(), invoicing::safetyCopyFileName());
    if (!tv::ui::askYesNo(question, QStringLiteral("Uwaga"))) return;
    const QString safety =
        QDir(tv::Database::instance().workingFolder()).filePath(invoicing::safetyCopyFileName());
    try {
        invoicing::restoreTables(archive, safety);
    } catch (const tv::Error& e) {
        tv::ui::showMessage(e.message(), QStringLiteral("Błąd"), tv::ui::Icon::Error);
        refreshAfterRestore();
        return;
    }
    refreshAfterRestore();
    tv::ui::guard([this] { renumberAfterRestore(); });
    tv::ui::showMessage(
        QStringLiteral("Dane zostały przywrócone z archiwum „%1”.").arg(invoicing::archiveFileName()),
        QString(), tv::ui::Icon::Information);
}

// Every table has been read anew; what the windows hold beside them (the
// pickers' lists, the totals) follows.
void TForm_fa1::refreshAfterRestore() {
    registerShown();
    const QString seller = m_sellerText, customer = m_customerText;
    const std::optional<int> sellerNr = m_sellerNr, customerNr = m_customerNr;
    tv::ui::guard([&] {
        WczytajSprzedawcow();
        restorePicker(ComboBox2, *sprzedawcy, seller, sellerNr, false);
    });
    tv::ui::guard([&] {
        WczytajKontrahentow();
        restorePicker(ComboBox3, *kontrahenci, customer, customerNr, true);
    });
    tv::ui::guard([this] { towary->refresh(); });
    tv::ui::guard([this] { WypelnijListeTowarow(); });
    tv::ui::guard([this] { Przelicz(); });
    tv::ui::guard([this] {
        if (afterRestore) afterRestore();
    });
}

// The invoice on screen, with the lines the archive brought back, is stored
// nowhere in the restored register, whatever it was stored under before:
// it becomes a new invoice, numbered after the register's highest number as
// the window's show numbers it.
void TForm_fa1::renumberAfterRestore() {
    storedNumber.clear();
    Zapisana = false;
    LicznikFaktur = NastepnyNumer() + 1;
    if (Form_fa10) {
        Form_fa10->Edit2->setText(QString::number(LicznikFaktur));
        Form_fa10->ZapiszUstawienia();
    }
    Edit5->setText(FormatujNumer(LicznikFaktur, DateTimePicker1->date()));
}
