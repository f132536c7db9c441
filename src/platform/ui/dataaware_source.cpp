#include "platform/ui/dataaware_source.h"

#include <QDate>

#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/regional.h"
#include "platform/ui/messages.h"

namespace tv::ui {

DataSource::DataSource(QObject* parent) : QObject(parent) {}

DataSource::DataSource(Table* table, QObject* parent) : QObject(parent) {
    setTable(table);
}

DataSource::~DataSource() {
    if (m_table) m_table->removeListener(m_listener);
}

void DataSource::setTable(Table* table) {
    if (table == m_table) return;
    if (m_table) m_table->removeListener(m_listener);
    m_table = table;
    m_listener = -1;
    if (m_table) m_listener = m_table->addListener([this](Table::Event event) { onTableEvent(event); });
    emit tableChanged();
}

bool DataSource::editing() const {
    if (!m_table) return false;
    const Table::State state = m_table->state();
    return state == Table::State::Edit || state == Table::State::Insert;
}

bool DataSource::tryEdit() {
    if (!active()) return false;
    if (editing()) return true;
    if (!m_autoEdit || m_table->isEmpty()) return false;
    m_table->edit();
    return editing();
}

void DataSource::updateRecord() {
    // A writer may unregister itself or others while it runs (a control that
    // reacts to the write), so walk a copy.
    const QVector<Writer> writers = m_writers;
    for (const Writer& writer : writers)
        writer.write();
}

int DataSource::addPendingWriter(std::function<void()> writer) {
    const int handle = m_nextWriter++;
    m_writers.append({handle, std::move(writer)});
    return handle;
}

void DataSource::removePendingWriter(int handle) {
    m_writers.removeIf([handle](const Writer& writer) { return writer.handle == handle; });
}

void DataSource::onTableEvent(Table::Event event) {
    switch (event) {
    case Table::Event::Scrolled:
        emit scrolled();
        break;
    case Table::Event::DataChanged:
        emit dataChanged();
        break;
    case Table::Event::StateChanged:
        emit stateChanged();
        break;
    case Table::Event::FieldChanged:
        emit fieldChanged();
        break;
    case Table::Event::Closed:
        // A table sends its last Closed with no file name left, as it goes:
        // the controls let go of it before they would read it once more. A
        // closed table keeps its name and may open again under this source.
        if (m_table && m_table->tableName().isEmpty()) setTable(nullptr);
        emit closed();
        break;
    case Table::Event::UpdateRecord:
        updateRecord();
        break;
    }
}

QString moneyText(Currency value) {
    const std::int64_t units = value.units();
    const bool negative = units < 0;
    const std::uint64_t magnitude = negative ? std::uint64_t(0) - std::uint64_t(units) : std::uint64_t(units);
    const std::uint64_t cents = (magnitude + 50) / 100;
    QString text = QString::number(cents / 100) + regional().decimalSeparator +
                   QString::number(cents % 100).rightJustified(2, u'0');
    if (negative && cents != 0) text.prepend(u'-');
    return text;
}

QString displayText(const FieldDef& def, const QVariant& value) {
    if (value.isNull() || !value.isValid()) return QString();
    switch (def.type) {
    case FieldType::Alpha:
        return value.toString();
    case FieldType::Long:
    case FieldType::AutoInc:
        return IntToStr(value.toLongLong());
    case FieldType::Number:
        return FloatToStr(value.toDouble());
    case FieldType::Money:
        return moneyText(Currency::fromDouble(value.toDouble()));
    case FieldType::Date:
        return DateToStr(value.toDate());
    }
    return value.toString();
}

QString displayText(const Field& field) {
    if (field.isNull()) return QString();
    switch (field.def().type) {
    case FieldType::Money:
        return moneyText(field.asCurrency());
    case FieldType::Number:
        return FloatToStr(field.asFloat());
    case FieldType::Long:
    case FieldType::AutoInc:
        return IntToStr(field.asInteger());
    case FieldType::Date:
        return DateToStr(field.asDate());
    case FieldType::Alpha:
        break;
    }
    return field.asString();
}

bool runShowingErrors(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const EAbort&) {
        return false;
    } catch (const Error& error) {
        ui::showErrorBox(error.message());
        return false;
    }
}

} // namespace tv::ui
