#include "invoicing/invoice_window.h"

#include <QComboBox>

#include "costing/refdata/customer_rows.h"

TForm_fa1* Form_fa1 = nullptr;

TForm_fa1::TForm_fa1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Tarvelino 2000 - moduł FAKTURY"));
    ComboBox3 = new QComboBox(this);
    ComboBox3->setEditable(true);
    tabletemp1 = new tv::Table;
    tabletemp2 = new tv::Table;
    Query3 = new tv::Query;
}

TForm_fa1::~TForm_fa1() {
    delete Query3;
    delete tabletemp2;
    delete tabletemp1;
}

namespace {

// Appends one row to the destination for each row of the source, every field
// copied by name; the fields are looked up once, not once per row.
template <typename Source>
void copyCustomers(Source& from, tv::Table& to, const QVector<tv::FieldDef>& defs) {
    QVector<tv::Field> source;
    QVector<tv::Field> target;
    for (const tv::FieldDef& def : defs) {
        source.append(from.fieldByName(def.name));
        target.append(to.fieldByName(def.name));
    }
    while (!from.eof()) {
        to.append();
        for (int f = 0; f < defs.size(); ++f)
            costing::copyField(source[f], target[f]);
        to.post();
        from.next();
    }
}

} // namespace

void TForm_fa1::SortujKontrahentow() {
    // The cursors are closed on every way out, an error included.
    struct CloseOnExit {
        TForm_fa1* form;
        ~CloseOnExit() {
            form->Query3->close();
            if (form->tabletemp1->active()) form->tabletemp1->close();
            if (form->tabletemp2->active()) form->tabletemp2->close();
        }
    } closeOnExit{this};

    if (tabletemp2->active()) tabletemp2->close();
    tabletemp2->setTableName(QStringLiteral("kontrahenci.DB"));
    tabletemp2->open();

    if (tabletemp1->active()) tabletemp1->close();
    tabletemp1->setTableName(QStringLiteral("tabletemp.DB"));
    const QVector<tv::FieldDef> defs = costing::customerFieldDefs();
    tabletemp1->createTable(defs);
    tabletemp1->open();

    Query3->close();
    Query3->setSql(QStringLiteral("select * from kontrahenci order by Id"));
    Query3->open();
    Query3->first();
    tv::Database& database = tv::Database::instance();
    // The scratch copy lands whole; it stays in the working folder afterwards.
    database.transaction([&] { copyCustomers(*Query3, *tabletemp1, defs); });
    Query3->close();

    // Emptying and refilling the customer table is one transaction: should
    // any row fail, the table keeps every customer it had and the error is
    // shown by the command that asked for the re-sort.
    database.transaction([&] {
        tabletemp2->emptyTable();
        tabletemp1->first();
        copyCustomers(*tabletemp1, *tabletemp2, defs);
    });
}
