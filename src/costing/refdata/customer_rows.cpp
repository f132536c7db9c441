#include "costing/refdata/customer_rows.h"

#include <QDate>

namespace costing {

QVector<tv::FieldDef> customerFieldDefs() {
    using tv::FieldType;
    auto alpha = [](const char* name, int size) {
        return tv::FieldDef{QString::fromLatin1(name), FieldType::Alpha, size};
    };
    return {alpha("Id", 10),
            {QStringLiteral("Nr"), FieldType::Long, 0},
            alpha("Nazwisko", 50),
            alpha("Firma", 100),
            alpha("Ulica", 40),
            alpha("Miejscowosc", 35),
            alpha("Kod", 10),
            alpha("Telefon", 15),
            alpha("Faks", 15),
            alpha("Email", 40),
            alpha("NIP", 13),
            alpha("REGON", 30),
            alpha("Bank", 50),
            alpha("Nr_rku", 60),
            {QStringLiteral("Rabat"), FieldType::Number, 0},
            alpha("Uwagi", 150),
            alpha("Kraj", 150)};
}

void setFieldValue(tv::Field to, const QVariant& value) {
    if (value.isNull()) {
        to.clear();
        return;
    }
    switch (to.def().type) {
    case tv::FieldType::Alpha:
        to.setAsString(value.toString());
        break;
    case tv::FieldType::Long:
    case tv::FieldType::AutoInc:
        to.setAsInteger(value.toInt());
        break;
    case tv::FieldType::Number:
    case tv::FieldType::Money:
        to.setAsFloat(value.toDouble());
        break;
    case tv::FieldType::Date:
        to.setAsDate(value.toDate());
        break;
    }
}

} // namespace costing
