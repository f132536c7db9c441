#include "invoicing/info_screen.h"

TForm_fa9* Form_fa9 = nullptr;

TForm_fa9::TForm_fa9(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa9"));
}

TForm_fa9::~TForm_fa9() = default;
