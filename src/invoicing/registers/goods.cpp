#include "invoicing/registers/goods.h"

#include "platform/ui/dataaware_grid.h"

TForm_fa5* Form_fa5 = nullptr;

TForm_fa5::TForm_fa5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa5"));
    setWindowTitle(QStringLiteral("Towary, usługi"));
    towary = new tv::Table(QStringLiteral("towary.DB"));
    towary->open();
    DBGrid1 = new tv::ui::DBGrid(this);
    DBGrid2 = new tv::ui::DBGrid(this);
}

TForm_fa5::~TForm_fa5() {
    delete DBGrid2;
    delete DBGrid1;
    delete towary;
}
