// Calculation files: saving the sheet with its paper lines, opening a saved
// calculation, starting a new one, and the four file commands.

#include <optional>

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include "costing/calculation_file_format.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/initial_settings.h"
#include "costing/refdata/paper_colour.h"
#include "platform/clock.h"
#include "platform/convert.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/messages.h"

namespace {

const QString kNewCaption = QStringLiteral("Arkusz kalkulacyjny Tarvelino 2000");
const QString kFolder = QStringLiteral("Kalkulacje");

const char* const kPaperFields[] = {"Format", "Ilosc", "Rodzpap", "Kolor", "Gramatura", "Koszt"};

enum class OpenResult { Loaded, Missing, Invalid };

QString calculationFolder(const TForm1& sheet) {
    return sheet.katalog + kFolder;
}

tv::ui::FileDialogRequest calculationDialog(const TForm1& sheet, bool save) {
    tv::ui::FileDialogRequest request;
    request.title = save ? QStringLiteral("Zachowaj jako..") : QStringLiteral("Otwórz kalkulację..");
    request.filter = QStringLiteral("Kalkulacje|*.clc");
    request.defaultExtension = QStringLiteral("clc");
    request.initialFolder = calculationFolder(sheet);
    request.save = save;
    // Saving over another calculation by a slip of the mouse loses it.
    request.confirmOverwrite = save;
    return request;
}

void setCaption(TForm1& sheet) {
    sheet.setWindowTitle(sheet.nazwaPliku.isEmpty() ? kNewCaption
                                                    : kNewCaption + QStringLiteral(" - ") + sheet.nazwaPliku);
}

// Option lists take a text set by code without running their change handlers.
void setOptionText(QComboBox* combo, const QString& text) {
    if (combo->isEditable()) {
        combo->setEditText(text);
        return;
    }
    combo->setCurrentIndex(combo->findText(text));
}

// A recomputation that fails (an empty format table divides by zero) is shown
// and the reset or load goes on: the figures it would have written are
// written from the file or the defaults anyway.
void recomputePaper() {
    tv::ui::guard([] { Form4->PrzeliczPapier(); });
}

costing::CalculationTexts sheetTexts(TForm1& sheet) {
    costing::CalculationTexts texts;
    tv::Table& papkol = *Form4->papkol;
    const int count = papkol.recordCount();
    papkol.first();
    for (int i = 0; i < count; ++i) {
        costing::PaperLineTexts line;
        QString* values[] = {&line.format, &line.ilosc,     &line.rodzpap,
                             &line.kolor,  &line.gramatura, &line.koszt};
        for (int f = 0; f < 6; ++f)
            *values[f] = papkol.fieldByName(QLatin1String(kPaperFields[f])).asString();
        texts.paper.append(line);
        papkol.next();
    }
    texts.customer = sheet.ComboBox7->currentText();
    // The format the calculation computes with: the one chosen in the format
    // box, or the one a loaded file named.
    texts.format = tv::IntToStr(Form4->numerFormatu);
    for (int slot = 0; slot < costing::CalculationTexts::kOptionCount; ++slot)
        texts.options[size_t(slot)] =
            sheet.opcje[size_t(slot)] ? sheet.opcje[size_t(slot)]->currentText() : QString();
    for (int slot = 0; slot < costing::CalculationTexts::kFieldCount; ++slot)
        texts.fields[size_t(slot)] = sheet.pola[size_t(slot)]->text();
    texts.date = tv::DateToStr(sheet.DateTimePicker1->date());
    return texts;
}

// Shows the loaded format in the format box and passes it on to the paper
// dialog as choosing it there would, so that the box, the dialog's format and
// the paper computation agree with the loaded figures. A format no longer in
// the table (or none) leaves them on the format chosen before, which they can
// go on computing with; the calculation keeps the number it was saved with.
void selectFormat(TForm1& sheet, const std::optional<int>& number) {
    tv::Table& formaty = *sheet.formaty;
    int found = 0;
    if (number && formaty.active()) {
        const int nr = formaty.layout().fieldIndex(QStringLiteral("Nr"));
        const int rows = formaty.recordCount();
        for (int row = 1; row <= rows && !found; ++row)
            if (formaty.valueAt(row, nr).toLongLong() == *number) found = row;
    }
    if (found) {
        formaty.moveTo(found);
        sheet.DBLookupComboBox1->setKeyValue(*number);
        Form4->Label9->setText(sheet.DBLookupComboBox1->text());
    }
    Form4->numerFormatu = number.value_or(0);
}

// Moves the sheet's customer table to the customer the file names; the box
// shows the name whether or not the customer still exists. The table is kept
// in Id order, so the rows before the customer are counted rather than walked;
// a view read before the register last changed the table is walked instead.
void selectCustomer(TForm1& sheet, const QString& id) {
    sheet.ComboBox7->setEditText(id);
    tv::Table& kontrahenci = *sheet.kontrahenci;
    if (!kontrahenci.active() || kontrahenci.isEmpty()) return;
    const int idField = kontrahenci.layout().fieldIndex(QStringLiteral("Id"));
    tv::Query before;
    before.setSql(QStringLiteral("select count(*) from kontrahenci where Id < ?"));
    before.bindValue(1, id);
    before.open();
    const int row = before.field(0).value().toInt() + 1;
    if (kontrahenci.valueAt(row, idField).toString() == id) {
        kontrahenci.moveTo(row);
        return;
    }
    const int rows = kontrahenci.recordCount();
    for (int r = 1; r <= rows; ++r) {
        if (kontrahenci.valueAt(r, idField).toString() == id) {
            kontrahenci.moveTo(r);
            return;
        }
    }
}

void applyCalculation(TForm1& sheet, const costing::CalculationReading& reading) {
    const costing::CalculationTexts& texts = reading.texts;
    sheet.NowaKalkulacja();

    tv::Table& papkol = *Form4->papkol;
    tv::Database::instance().transaction([&] {
        for (const costing::PaperLineTexts& line : texts.paper) {
            papkol.append();
            const QString* values[] = {&line.format, &line.ilosc,     &line.rodzpap,
                                       &line.kolor,  &line.gramatura, &line.koszt};
            for (int f = 0; f < 6; ++f)
                papkol.fieldByName(QLatin1String(kPaperFields[f])).setAsString(*values[f]);
            papkol.post();
        }
    });
    papkol.first();

    recomputePaper();
    selectCustomer(sheet, texts.customer);
    // After the recomputation, which the field lines below overwrite anyway:
    // the loaded format is shown without recomputing the loaded figures.
    selectFormat(sheet, reading.formatNumber);
    for (int slot = 0; slot < costing::CalculationTexts::kOptionCount; ++slot)
        if (QComboBox* list = sheet.opcje[size_t(slot)]) setOptionText(list, texts.options[size_t(slot)]);
    // Each text runs its field's change handler: validation, mirrors and the
    // section recomputations. Edit41 comes twice; the second value stays.
    for (int slot = 0; slot < costing::CalculationTexts::kFieldCount; ++slot)
        sheet.pola[size_t(slot)]->setText(texts.fields[size_t(slot)]);
    sheet.DateTimePicker1->setDate(reading.date);
}

OpenResult openCalculation(TForm1& sheet, const QString& fileName) {
    if (!sheet.Memo1.tryLoadFromFile(fileName)) {
        tv::ui::showMessage(QStringLiteral("Zadany plik nie istnieje!"));
        return OpenResult::Missing;
    }
    // The whole file is checked before the sheet is touched, so that a file
    // that is not a calculation leaves the open one as it was.
    const costing::CalculationReading reading = costing::readCalculation(sheet.Memo1.lines());
    if (!reading.ok) {
        tv::ui::showMessage(costing::badCalculationMessage(fileName, reading), QStringLiteral("Błąd"),
                            tv::ui::Icon::Error);
        return OpenResult::Invalid;
    }
    applyCalculation(sheet, reading);
    return OpenResult::Loaded;
}

} // namespace

void TForm1::ZapiszKalkulacje(const QString& fileName) {
    QDir(katalog).mkdir(kFolder); // one level; a folder that cannot be made shows up as the save's error
    const QStringList lines = costing::calculationLines(sheetTexts(*this));
    Memo1.clear();
    for (const QString& line : lines)
        Memo1.add(line);
    // Written to a temporary file and renamed over the old one: a failure
    // leaves the old file whole and raises the error, which is shown.
    Memo1.saveToFile(fileName);
}

void TForm1::OtworzKalkulacje(const QString& fileName) {
    openCalculation(*this, fileName);
}

void TForm1::NowaKalkulacja() {
    tv::Table& papkol = *Form4->papkol;
    // Every paper line of the calculation goes, all at once.
    papkol.emptyTable();
    recomputePaper();
    for (int slot = 0; slot < costing::CalculationTexts::kOptionCount; ++slot)
        if (QComboBox* list = opcje[size_t(slot)]) setOptionText(list, QStringLiteral("0"));
    for (int slot = 0; slot < costing::CalculationTexts::kFieldCount; ++slot)
        pola[size_t(slot)]->setText(domyslne[size_t(slot)]);
    if (Form6) Form6->WczytajUstawienia();
    nazwaPliku.clear();
    setCaption(*this);
    DateTimePicker1->setDate(tv::today());
}

void TForm1::Nowa1Click(QObject*) {
    if (tv::ui::askYesNo(QStringLiteral("Czy zapisać kalkulację?"), QString(), tv::ui::Icon::None) &&
        Edit64->text() != QLatin1String("0")) {
        const QString fileName = tv::ui::runFileDialog(calculationDialog(*this, true));
        // Cancelling the save keeps the calculation: the operator wanted it kept.
        if (fileName.isEmpty()) return;
        ZapiszKalkulacje(fileName);
    }
    NowaKalkulacja();
}

void TForm1::SpeedButton8Click(QObject*) {
    const QString fileName = tv::ui::runFileDialog(calculationDialog(*this, false));
    if (fileName.isEmpty()) return;
    // A file that is not a calculation keeps the open one's name, so that a
    // later save does not overwrite that file with the open calculation.
    if (openCalculation(*this, fileName) == OpenResult::Invalid) return;
    nazwaPliku = fileName;
    setCaption(*this);
}

void TForm1::Zapisz1Click(QObject*) {
    if (!nazwaPliku.isEmpty()) {
        ZapiszKalkulacje(nazwaPliku);
        return;
    }
    const QString fileName = tv::ui::runFileDialog(calculationDialog(*this, true));
    if (fileName.isEmpty()) return;
    // Named only once saved, so that a failed save does not leave the caption
    // claiming a file that holds nothing.
    ZapiszKalkulacje(fileName);
    nazwaPliku = fileName;
    setCaption(*this);
}

void TForm1::Zapiszjako1Click(QObject*) {
    const QString fileName = tv::ui::runFileDialog(calculationDialog(*this, true));
    if (fileName.isEmpty()) return;
    ZapiszKalkulacje(fileName);
    nazwaPliku = fileName;
    setCaption(*this);
}
