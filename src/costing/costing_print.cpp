#include "costing/costing_sheet.h"

#include "costing/reports/blank_calculation_report.h"
#include "costing/reports/calculation_report.h"
#include "platform/ui/report_preview.h"

// The fill runs first so that the printout shows the sheet as it stands now;
// a fill that fails raises before anything is previewed or printed.

void TForm1::SpeedButton6Click(QObject*) {
    Form7->WypelnijKalkulacje();
    tv::ui::printReport(Form7->QuickRep1);
}

void TForm1::Drukujczystkalkulacj1Click(QObject*) {
    tv::ui::printReport(Form10->QuickRep1);
}

void TForm1::SpeedButton5Click(QObject*) {
    Form7->WypelnijKalkulacje();
    tv::ui::previewReport(Form7->QuickRep1, this);
}

void TForm1::Podgldczystejkalkulacji1Click(QObject*) {
    tv::ui::previewReport(Form10->QuickRep1, this);
}
