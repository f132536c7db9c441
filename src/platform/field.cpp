// Reading and writing one field of the current row, with the conversions of
// the regional settings.

#include <cmath>
#include <limits>

#include "platform/convert.h"
#include "platform/table.h"
#include "platform/table_internal.h"

namespace tv {

using detail::CellKind;
using detail::CellRef;
using detail::Value;

namespace {

// Dates count days from 30 December 1899 when read as a number, as the
// original platform's date values do.
const QDate kDateBase(1899, 12, 30);

QDate storedDate(const CellRef& cell) {
    if (cell.kind != CellKind::Text) return {};
    return QDate::fromString(cell.toText(), Qt::ISODate);
}

int toInt(double value, const FieldDef& def) {
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < double(std::numeric_limits<int>::min()) ||
        rounded > double(std::numeric_limits<int>::max()))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(FloatToStr(value)));
    Q_UNUSED(def);
    return int(rounded);
}

Value cutAlpha(const QString& text, const FieldDef& def) {
    if (def.size <= 0 || text.size() <= def.size) return Value::ofText(text);
    QString cut = text.left(def.size);
    if (!cut.isEmpty() && cut.back().isHighSurrogate()) cut.chop(1);
    return Value::ofText(cut);
}

[[noreturn]] void notApplicable(const FieldDef& def, const char* what) {
    throw EDatabaseError(
        QStringLiteral("Pole „%1” nie przyjmuje wartości typu %2").arg(def.name, QLatin1String(what)));
}

} // namespace

const FieldDef& Field::def() const {
    return m_source->sourceField(m_index);
}

bool Field::isNull() const {
    return m_source->sourceCell(m_index).kind == CellKind::Null;
}

QString Field::asString() const {
    const CellRef cell = m_source->sourceCell(m_index);
    if (cell.kind == CellKind::Null) return {};
    const FieldDef& d = def();
    switch (d.type) {
    case FieldType::Alpha:
        if (cell.kind == CellKind::Int) return IntToStr(cell.i);
        if (cell.kind == CellKind::Real) return FloatToStr(cell.d);
        return cell.toText();
    case FieldType::Long:
    case FieldType::AutoInc:
        if (cell.kind == CellKind::Real) return IntToStr(std::llround(cell.d));
        if (cell.kind == CellKind::Text) return cell.toText();
        return IntToStr(cell.i);
    case FieldType::Number:
    case FieldType::Money:
        if (cell.kind == CellKind::Int) return FloatToStr(double(cell.i));
        if (cell.kind == CellKind::Text) return cell.toText();
        return FloatToStr(cell.d);
    case FieldType::Date: {
        const QDate date = storedDate(cell);
        return date.isValid() ? DateToStr(date) : cell.toText();
    }
    }
    return {};
}

double Field::asFloat() const {
    const CellRef cell = m_source->sourceCell(m_index);
    switch (cell.kind) {
    case CellKind::Null:
        return 0;
    case CellKind::Int:
        return double(cell.i);
    case CellKind::Real:
        return cell.d;
    case CellKind::Text:
        if (def().type == FieldType::Date) {
            const QDate date = storedDate(cell);
            return date.isValid() ? double(kDateBase.daysTo(date)) : 0;
        }
        return StrToFloat(cell.toText());
    }
    return 0;
}

Currency Field::asCurrency() const {
    const CellRef cell = m_source->sourceCell(m_index);
    switch (cell.kind) {
    case CellKind::Null:
        return {};
    case CellKind::Int:
        return Currency::fromInt(cell.i);
    case CellKind::Real:
        return Currency::fromDouble(cell.d);
    case CellKind::Text:
        if (def().type == FieldType::Date) return Currency::fromDouble(asFloat());
        return StrToCurr(cell.toText());
    }
    return {};
}

int Field::asInteger() const {
    const CellRef cell = m_source->sourceCell(m_index);
    switch (cell.kind) {
    case CellKind::Null:
        return 0;
    case CellKind::Int:
        if (cell.i < std::numeric_limits<int>::min() || cell.i > std::numeric_limits<int>::max())
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(IntToStr(cell.i)));
        return int(cell.i);
    case CellKind::Real:
        return toInt(cell.d, def());
    case CellKind::Text:
        if (def().type == FieldType::Date) return int(asFloat());
        return StrToInt(cell.toText());
    }
    return 0;
}

QDate Field::asDate() const {
    const CellRef cell = m_source->sourceCell(m_index);
    if (cell.kind == CellKind::Null) return {};
    const FieldDef& d = def();
    if (d.type == FieldType::Date) return storedDate(cell);
    if (d.type == FieldType::Alpha && cell.kind == CellKind::Text) return StrToDate(cell.toText());
    return kDateBase.addDays(std::llround(std::floor(asFloat())));
}

QVariant Field::value() const {
    const CellRef cell = m_source->sourceCell(m_index);
    if (cell.kind == CellKind::Null) return {};
    switch (def().type) {
    case FieldType::Alpha:
        return asString();
    case FieldType::Long:
    case FieldType::AutoInc:
        return cell.kind == CellKind::Int ? QVariant(qlonglong(cell.i)) : QVariant(asInteger());
    case FieldType::Number:
    case FieldType::Money:
        return asFloat();
    case FieldType::Date:
        return asDate();
    }
    return {};
}

void Field::setAsString(const QString& text) {
    const FieldDef& d = def();
    if (text.isEmpty()) {
        m_source->sourceWrite(m_index, Value());
        return;
    }
    switch (d.type) {
    case FieldType::Alpha:
        m_source->sourceWrite(m_index, cutAlpha(text, d));
        return;
    case FieldType::Long:
    case FieldType::AutoInc:
        m_source->sourceWrite(m_index, Value::ofInt(StrToInt(text)));
        return;
    case FieldType::Number:
    case FieldType::Money:
        m_source->sourceWrite(m_index, Value::ofReal(StrToFloat(text)));
        return;
    case FieldType::Date:
        m_source->sourceWrite(m_index, Value::ofText(StrToDate(text).toString(Qt::ISODate)));
        return;
    }
}

void Field::setAsFloat(double value) {
    const FieldDef& d = def();
    if (!std::isfinite(value))
        throw EOverflow(QStringLiteral("Wartość pola „%1” nie jest skończoną liczbą").arg(d.name));
    switch (d.type) {
    case FieldType::Alpha:
        m_source->sourceWrite(m_index, cutAlpha(FloatToStr(value), d));
        return;
    case FieldType::Long:
    case FieldType::AutoInc:
        m_source->sourceWrite(m_index, Value::ofInt(toInt(value, d)));
        return;
    case FieldType::Number:
    case FieldType::Money:
        m_source->sourceWrite(m_index, Value::ofReal(value));
        return;
    case FieldType::Date:
        m_source->sourceWrite(
            m_index, Value::ofText(kDateBase.addDays(std::llround(std::floor(value))).toString(Qt::ISODate)));
        return;
    }
}

void Field::setAsCurrency(Currency value) {
    const FieldDef& d = def();
    if (d.type == FieldType::Alpha) {
        m_source->sourceWrite(m_index, cutAlpha(CurrToStr(value), d));
        return;
    }
    setAsFloat(value.toDouble());
}

void Field::setAsInteger(int value) {
    const FieldDef& d = def();
    switch (d.type) {
    case FieldType::Alpha:
        m_source->sourceWrite(m_index, cutAlpha(IntToStr(value), d));
        return;
    case FieldType::Long:
    case FieldType::AutoInc:
        m_source->sourceWrite(m_index, Value::ofInt(value));
        return;
    case FieldType::Number:
    case FieldType::Money:
        m_source->sourceWrite(m_index, Value::ofReal(double(value)));
        return;
    case FieldType::Date:
        notApplicable(d, "liczba całkowita");
    }
}

void Field::setAsDate(const QDate& date) {
    const FieldDef& d = def();
    if (!date.isValid()) {
        m_source->sourceWrite(m_index, Value());
        return;
    }
    switch (d.type) {
    case FieldType::Date:
        m_source->sourceWrite(m_index, Value::ofText(date.toString(Qt::ISODate)));
        return;
    case FieldType::Alpha:
        m_source->sourceWrite(m_index, cutAlpha(DateToStr(date), d));
        return;
    case FieldType::Number:
    case FieldType::Money:
        m_source->sourceWrite(m_index, Value::ofReal(double(kDateBase.daysTo(date))));
        return;
    case FieldType::Long:
    case FieldType::AutoInc:
        notApplicable(d, "data");
    }
}

void Field::clear() {
    m_source->sourceWrite(m_index, Value());
}

} // namespace tv
