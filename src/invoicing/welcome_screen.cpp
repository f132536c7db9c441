#include "invoicing/welcome_screen.h"

TForm_fa8* Form_fa8 = nullptr;

TForm_fa8::TForm_fa8(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa8"));
}

TForm_fa8::~TForm_fa8() = default;
