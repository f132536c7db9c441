#include "app/forms.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/about_box.h"
#include "app/info_box.h"
#include "app/splash_screen.h"
#include "app/start_screen.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/customer_copy.h"
#include "costing/refdata/customers.h"
#include "costing/refdata/initial_settings.h"
#include "costing/refdata/paper_colour.h"
#include "costing/refdata/paper_formats.h"
#include "costing/refdata/paper_kinds.h"
#include "costing/reports/blank_calculation_report.h"
#include "costing/reports/calculation_report.h"
#include "costing/rules/costing_tables.h"
#include "invoicing/info_screen.h"
#include "invoicing/invoice_window.h"
#include "invoicing/payment_forms.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "invoicing/registers/invoice_register_report.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/registers/sellers.h"
#include "invoicing/reports/bill_report.h"
#include "invoicing/reports/vat_invoice_report.h"
#include "invoicing/rules/invoicing_tables.h"
#include "invoicing/welcome_screen.h"
#include "platform/table.h"

namespace {
QStringList g_order;

template <typename T> T* create(const char* name) {
    g_order << QString::fromLatin1(name);
    return new T;
}
} // namespace

void registerTables() {
    tv::registerLayouts(costing::costingTables());
    tv::registerLayouts(invoicing::invoicingTables());
}

const QStringList& formCreationOrder() {
    return g_order;
}

// The calls between the forms of the two areas, made here where both are
// known, so that neither area depends on the other's windows.
static void wireForms() {
    Form1->showInfoBox = [] { formatka_info->show(); };
    Form_fa4->resortCustomers = [] { Form_fa1->SortujKontrahentow(); };
    Form_fa4->customerPickers = {Form_fa1->ComboBox3, Form1->ComboBox7};
    Form_fa1->handOver = [] { Form1->SpeedButton4Click(Form1); };
    Form_fa1->customerRegister = Form_fa4;
    Form_fa1->afterRestore = [] {
        const QString customer = Form1->ComboBox7->currentText();
        Form1->WczytajKontrahentow();
        Form1->ComboBox7->setEditText(customer);
    };
}

void createForms() {
    g_order.clear();
    // Each constructor may rely only on the forms created before it.
    Form_start = create<TForm_start>("TForm_start");
    Form1 = create<TForm1>("TForm1");
    Form2 = create<TForm2>("TForm2");
    Form3 = create<TForm3>("TForm3");
    Form4 = create<TForm4>("TForm4");
    // The sheet shows its current format from the start; the paper dialog must
    // compute with that same format before the operator ever opens the list.
    Form1->DBLookupComboBox1CloseUp(Form1);
    Form5 = create<TForm5>("TForm5");
    Form6 = create<TForm6>("TForm6");
    Form8 = create<TForm8>("TForm8");
    Form9 = create<TForm9>("TForm9");
    Form7 = create<TForm7>("TForm7");
    Form10 = create<TForm10>("TForm10");
    Form_fa1 = create<TForm_fa1>("TForm_fa1");
    QuickReport6 = create<TQuickReport6>("TQuickReport6");
    // Its construction starts the first new invoice on the invoice window.
    Form_fa10 = create<TForm_fa10>("TForm_fa10");
    Form_fa2 = create<TForm_fa2>("TForm_fa2");
    Fa2_wy = create<TFa2_wy>("TFa2_wy");
    Form_fa3 = create<TForm_fa3>("TForm_fa3");
    Form_fa4 = create<TForm_fa4>("TForm_fa4");
    Form_fa5 = create<TForm_fa5>("TForm_fa5");
    Form_fa6 = create<TForm_fa6>("TForm_fa6");
    Form_fa7 = create<TForm_fa7>("TForm_fa7");
    Form_fa8 = create<TForm_fa8>("TForm_fa8");
    Form_fa9 = create<TForm_fa9>("TForm_fa9");
    QuickReport1 = create<TQuickReport1>("TQuickReport1");
    QuickReport2 = create<TQuickReport2>("TQuickReport2");
    QuickReport3 = create<TQuickReport3>("TQuickReport3");
    QuickReport4 = create<TQuickReport4>("TQuickReport4");
    QuickReport5 = create<TQuickReport5>("TQuickReport5");
    formatka_info = create<Tformatka_info>("Tformatka_info");
    wireForms();
}

template <typename T> static void destroy(T*& form) {
    delete form;
    form = nullptr;
}

void destroyForms() {
    // In reverse order of creation, so that no form outlives one it reads.
    destroy(formatka_info);
    destroy(QuickReport5);
    destroy(QuickReport4);
    destroy(QuickReport3);
    destroy(QuickReport2);
    destroy(QuickReport1);
    destroy(Form_fa9);
    destroy(Form_fa8);
    destroy(Form_fa7);
    destroy(Form_fa6);
    destroy(Form_fa5);
    destroy(Form_fa4);
    destroy(Form_fa3);
    destroy(Fa2_wy);
    destroy(Form_fa2);
    destroy(Form_fa10);
    destroy(QuickReport6);
    destroy(Form_fa1);
    destroy(Form10);
    destroy(Form7);
    destroy(Form9);
    destroy(Form8);
    destroy(Form6);
    destroy(Form5);
    destroy(Form4);
    destroy(Form3);
    destroy(Form2);
    destroy(Form1);
    destroy(Form_start);
}

QString findDataDir() {
    const QString fromEnv = qEnvironmentVariable("TARVELINO_DATA");
    if (!fromEnv.isEmpty() && QFileInfo(fromEnv).isDir()) return QFileInfo(fromEnv).absoluteFilePath();
    const QDir exeDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {exeDir.filePath(QStringLiteral("../../data")), exeDir.filePath(QStringLiteral("../data")),
          exeDir.filePath(QStringLiteral("../share/tarvelino"))}) {
        if (QFileInfo(candidate + QStringLiteral("/tables")).isDir())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return QString();
}
