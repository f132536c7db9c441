#pragma once

#include <optional>
#include <utility>

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QVector>
#include <QWidget>

#include "platform/table.h"
#include "platform/ui/messages.h"
#include "support/app_fixture.h"

// Reference data built in the test, so that every case knows exactly which
// formats, kinds, grammages and settings it works with.
namespace refdatatest {

inline void emptyTable(const QString& file) {
    tv::Table table(file);
    table.open();
    table.emptyTable();
}

inline int addFormat(const QString& name, double st0) {
    tv::Table table(QStringLiteral("formaty.db"));
    table.open();
    table.append();
    table.fieldByName(QStringLiteral("Nazwa")).setAsString(name);
    table.fieldByName(QStringLiteral("St0")).setAsFloat(st0);
    table.post();
    return table.fieldByName(QStringLiteral("Nr")).asInteger();
}

inline int addKind(const QString& name) {
    tv::Table table(QStringLiteral("rodzpap.db"));
    table.open();
    table.append();
    table.fieldByName(QStringLiteral("Nazwa")).setAsString(name);
    table.post();
    return table.fieldByName(QStringLiteral("Nr")).asInteger();
}

inline void addGrammage(int kind, int grammage, std::optional<double> sheet, std::optional<double> ream) {
    tv::Table table(QStringLiteral("gramatury.db"));
    table.open();
    table.append();
    table.fieldByName(QStringLiteral("Rodzpap")).setAsInteger(kind);
    table.fieldByName(QStringLiteral("Gramatura")).setAsInteger(grammage);
    if (sheet) table.fieldByName(QStringLiteral("Cena_ark")).setAsFloat(*sheet);
    if (ream) table.fieldByName(QStringLiteral("Cena_ryzy")).setAsFloat(*ream);
    table.post();
}

// Replaces the settings record by one holding these texts (other fields empty).
inline void writeSettings(const QVector<std::pair<QString, QString>>& fields) {
    tv::Table table(QStringLiteral("ustawienia.db"));
    table.open();
    table.emptyTable();
    table.append();
    for (const auto& [field, text] : fields)
        table.fieldByName(field).setAsString(text);
    table.post();
}

// One field of every row, as text, in table order (read afresh from the file).
inline QStringList column(const QString& file, const QString& field,
                          const QVector<tv::Table::FilterTerm>& filter = {}) {
    tv::Table table(file);
    if (!filter.isEmpty()) {
        table.setFilter(filter);
        table.setFiltered(true);
    }
    table.open();
    QStringList values;
    for (table.first(); !table.eof(); table.next())
        values << table.fieldByName(field).asString();
    return values;
}

inline int rowCount(const QString& file) {
    tv::Table table(file);
    table.open();
    return table.recordCount();
}

// The texts of the message boxes shown so far.
inline QStringList shownTexts() {
    QStringList texts;
    for (const tv::ui::ShownMessage& m : tv::ui::shownMessages())
        texts << m.text;
    return texts;
}

inline void showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Chooses an item of a list box with the keyboard, as the operator would:
// every step is an operator's choice and runs the box's handlers.
inline void chooseWithKeys(QComboBox* combo, const QString& text) {
    const int target = combo->findText(text);
    ASSERT_GE(target, 0) << "no item " << text.toStdString();
    combo->setFocus();
    if (combo->currentIndex() < 0 || combo->currentIndex() > target) QTest::keyClick(combo, Qt::Key_Home);
    while (combo->currentIndex() < target)
        QTest::keyClick(combo, Qt::Key_Down);
}

// Replaces an edit's text by typing: select all, then the keys.
inline void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

// The reference data most cases work with: A formats, two kinds with a few
// grammages, and a settings record with the plate format A3.
class RefdataFixture : public tvtest::AppFixture {
protected:
    void prepareData() override {
        for (const char* file : {"formaty.db", "rodzpap.db", "gramatury.db", "ustawienia.db", "papkol.db"})
            emptyTable(QString::fromLatin1(file));
        addData();
    }

    virtual void addData() {
        addFormat(QStringLiteral("A4"), 16);
        addFormat(QStringLiteral("A3"), 8);
        addFormat(QStringLiteral("A5"), 32);
        addFormat(QStringLiteral("A1"), 2);
        m_kreda = addKind(QStringLiteral("Kreda"));
        m_offset = addKind(QStringLiteral("Offset"));
        addGrammage(m_kreda, 80, 0.20, 100.0);
        addGrammage(m_kreda, 90, 0.25, std::nullopt);
        addGrammage(m_kreda, 100, std::nullopt, 120.0);
        addGrammage(m_offset, 70, 0.10, 50.0);
        writeSettings(standardSettings());
    }

    static QVector<std::pair<QString, QString>> standardSettings() {
        return {{"Przelot_bialy1", "0,01"}, {"Przelot_kolor1", "0,02"}, {"Przelot_bialy2", "0,03"},
                {"Przelot_kolor2", "0,04"}, {"Przelot_bialy4", "0,05"}, {"Przelot_kolor4", "0,06"},
                {"Maszyna", "4"},           {"Stawka_godz", "30"},      {"Pl_czb", "12"},
                {"Pl_kolor", "20"},         {"Matryca", "A3"},          {"Skanowanie", "5"},
                {"Fotonasw", "15"},         {"Sklad_czb", "8"},         {"Sklad_kolor", "4"},
                {"Zysk_od_rob", "10"},      {"Narzut_mat", "15"},       {"Podatek", "7"},
                {"Falsowanie", "0,02"},     {"Szycie", "0,05"},         {"Ciecie", "40"},
                {"Transport", "1,5"}};
    }

    int m_kreda = 0;
    int m_offset = 0;
};

} // namespace refdatatest
