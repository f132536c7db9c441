#pragma once

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QString>

#include "platform/clock.h"
#include "platform/table.h"
#include "platform/textfile.h"
#include "support/app_fixture.h"

// Side files and the few rows the administration and new-invoice tests need,
// written straight into the working folder.
namespace admintest {

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

// The lines in code page 1250, each ended by CR LF.
inline QByteArray cp1250Lines(const QStringList& lines) {
    tv::LineBuffer buffer;
    for (const QString& line : lines)
        buffer.add(line);
    return buffer.toBytes();
}

inline void addSeller(const QString& id, int nr, const QString& name, const QString& town = QString(),
                      const QString& street = QString()) {
    tv::Table table(QStringLiteral("sprzedawcy.db"));
    table.open();
    table.append();
    table.fieldByName(QStringLiteral("Id")).setAsString(id);
    table.fieldByName(QStringLiteral("Nr")).setAsInteger(nr);
    table.fieldByName(QStringLiteral("Nazwisko")).setAsString(name);
    table.fieldByName(QStringLiteral("Miejscowosc")).setAsString(town);
    table.fieldByName(QStringLiteral("Ulica")).setAsString(street);
    table.post();
}

inline void addLine(tv::Table& pozycje, const QString& name, double quantity, const QString& netPrice) {
    pozycje.append();
    pozycje.fieldByName(QStringLiteral("Lp")).setAsInteger(pozycje.recordCount() + 1);
    pozycje.fieldByName(QStringLiteral("Nazwa")).setAsString(name);
    pozycje.fieldByName(QStringLiteral("Ilosc")).setAsFloat(quantity);
    pozycje.fieldByName(QStringLiteral("VAT")).setAsString(QStringLiteral("22"));
    pozycje.fieldByName(QStringLiteral("Netto_jedn")).setAsString(netPrice);
    pozycje.post();
}

// Every form created in a fresh working folder on a fixed day; files the
// test writes in prepareSideFiles() are there before the forms are created.
class InvoicingFixture : public tvtest::AppFixture {
protected:
    static QDate fixedToday() { return QDate(2024, 5, 9); }

    void SetUp() override {
        tv::setToday(fixedToday());
        tvtest::AppFixture::SetUp();
    }
    void TearDown() override {
        tvtest::AppFixture::TearDown();
        tv::setToday(QDate());
    }
    void prepareData() override { prepareSideFiles(); }
    virtual void prepareSideFiles() {}

    QString file(const QString& name) const { return QDir(workingFolder()).filePath(name); }

    // Restarts the program in the same working folder.
    void restart() {
        destroyForms();
        tv::ui::clearShownMessages();
        createForms();
    }

    int messageCount(const QString& text) const {
        int n = 0;
        for (const tv::ui::ShownMessage& m : messages())
            if (m.text == text) ++n;
        return n;
    }
};

} // namespace admintest
