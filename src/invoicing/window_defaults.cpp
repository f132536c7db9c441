// The window's remembered choices, "ustmain.txt": payment form, payment term,
// shipping, the sale-month flag, the document kind and the print form. They
// pass through the administration form's memo, as "ustaw.txt" does.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QRadioButton>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/rules/settings_files.h"
#include "platform/errors.h"
#include "platform/ui/messages.h"

namespace {

QString defaultsPath() {
    return invoicing::sideFilePath(invoicing::kWindowDefaultsFileName);
}

void showMissing() {
    tv::ui::showMessage(QStringLiteral("Nie znaleziono pliku 'ustmain.txt'"));
}

} // namespace

void TForm_fa1::WczytajUstawienia() {
    const QString path = defaultsPath();
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) ZapiszUstawienia();
    probe.close();
    tv::LineBuffer& memo = Form_fa10->Memo1;
    if (!memo.tryLoadFromFile(path)) {
        showMissing();
        return;
    }
    const invoicing::WindowDefaults d = invoicing::readWindowDefaultsLines(memo.lines());
    ComboBox1->setEditText(d.paymentForm);
    ComboBox4->setEditText(d.paymentTerm);
    ComboBox7->setEditText(d.shipping);
    CheckBox1->setChecked(d.saleMonth);
    // The buttons share their group, so checking one unchecks the others.
    switch (d.documentKind) {
    case invoicing::DocumentKind::Vat:
        RadioButton1->setChecked(true);
        break;
    case invoicing::DocumentKind::VatRR:
        RadioButton3->setChecked(true);
        break;
    case invoicing::DocumentKind::Bill:
        RadioButton4->setChecked(true);
        break;
    }
    switch (d.printForm) {
    case invoicing::PrintForm::OriginalAndCopy:
        RadioButton6->setChecked(true);
        break;
    case invoicing::PrintForm::NoCaption:
        RadioButton5->setChecked(true);
        break;
    case invoicing::PrintForm::OriginalSlashCopy:
        RadioButton2->setChecked(true);
        break;
    case invoicing::PrintForm::OriginalAndTwoCopies:
        RadioButton7->setChecked(true);
        break;
    }
}

void TForm_fa1::ZapiszUstawienia() {
    invoicing::WindowDefaults d;
    d.paymentForm = ComboBox1->currentText();
    d.paymentTerm = ComboBox4->currentText();
    d.shipping = ComboBox7->currentText();
    d.saleMonth = CheckBox1->isChecked();
    d.documentKind = RadioButton1->isChecked()   ? invoicing::DocumentKind::Vat
                     : RadioButton3->isChecked() ? invoicing::DocumentKind::VatRR
                                                 : invoicing::DocumentKind::Bill;
    d.printForm = RadioButton6->isChecked()   ? invoicing::PrintForm::OriginalAndCopy
                  : RadioButton5->isChecked() ? invoicing::PrintForm::NoCaption
                  : RadioButton2->isChecked() ? invoicing::PrintForm::OriginalSlashCopy
                                              : invoicing::PrintForm::OriginalAndTwoCopies;
    tv::LineBuffer& memo = Form_fa10->Memo1;
    memo.clear();
    for (const QString& line : invoicing::windowDefaultsLines(d))
        memo.add(line);
    try {
        memo.saveToFile(defaultsPath());
    } catch (const tv::EFileError&) {
        tv::ui::showMessage(QStringLiteral("Nie można zaktualizowac pliku 'ustmain.txt'"));
    }
}
