#pragma once

#include <initializer_list>
#include <utility>

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "platform/table.h"
#include "platform/ui/messages.h"
#include "support/app_fixture.h"

namespace tvtest {

// Appends formats (name, ratio St0) to the working folder's format table.
inline void addFormats(std::initializer_list<std::pair<const char*, double>> formats) {
    tv::Table table(QStringLiteral("formaty.db"));
    table.open();
    for (const auto& [name, ratio] : formats) {
        table.append();
        table.fieldByName("Nazwa").setAsString(QString::fromLatin1(name));
        table.fieldByName("St0").setAsFloat(ratio);
        table.post();
    }
}

// The costing sheet as the operator finds it after "Nowa": every field at its
// design text, the option lists at theirs, no paper lines, the job on A4 with
// A3 plates. The working folder also holds two formats made for the paper
// computation's edge cases.
class SheetFixture : public AppFixture {
protected:
    void prepareData() override { addFormats({{"X12", 12.0}, {"ZERO", 0.0}, {"X10", 10.0}}); }

    void SetUp() override {
        AppFixture::SetUp();
        Form4->Label9->setText("A4");
        Form4->formatMatrycy = "A3";
        Form4->papkol->open();
        Form4->papkol->emptyTable();
        resetSheet();
    }

    static void resetSheet() {
        for (int slot = 0; slot < 80; ++slot)
            Form1->pola[slot]->setText(Form1->domyslne[slot]);
        Form1->ComboBox1->setEditText("22");
        Form1->ComboBox2->setEditText("0");
        Form1->ComboBox3->setEditText("0");
        Form1->ComboBox4->setEditText("0");
        Form1->ComboBox5->setEditText("Bez szycia");
        Form1->ComboBox6->setEditText("do całości");
        Form1->PrzeliczPrzygotowanie();
        Form1->PrzeliczMaterial();
        Form1->PrzeliczRobocizne();
        Form1->PrzeliczRobocizneBezposrednia();
        Form1->PrzeliczPodsumowanie();
        tv::ui::clearShownMessages();
    }

    static QLineEdit* edit(int number) {
        return qobject_cast<QLineEdit*>(Form1->control(QStringLiteral("Edit%1").arg(number)));
    }
    static QString at(int number) { return edit(number)->text(); }
    static void set(int number, const QString& text) { edit(number)->setText(text); }

    // Operator's actions on the shown sheet.
    static void showSheet() {
        Form1->show();
        Form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    }
    static void turnTo(QWidget* control) {
        for (int i = 0; i < Form1->PageControl1->count(); ++i)
            if (Form1->PageControl1->widget(i)->isAncestorOf(control))
                Form1->PageControl1->setCurrentIndex(i);
    }
    static void focus(QWidget* control) {
        turnTo(control);
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
    }
    // Moves the focus to a control on the same tab that has no handlers.
    static void leave(QWidget* control) {
        QWidget* neutral = nullptr;
        for (QWidget* candidate :
             {static_cast<QWidget*>(Form1->Edit1), static_cast<QWidget*>(Form1->Edit25),
              static_cast<QWidget*>(Form1->ComboBox7), static_cast<QWidget*>(Form1->Edit69)}) {
            for (int i = 0; i < Form1->PageControl1->count(); ++i) {
                QWidget* page = Form1->PageControl1->widget(i);
                if (candidate != control && page->isAncestorOf(control) && page->isAncestorOf(candidate))
                    neutral = candidate;
            }
        }
        if (!neutral) // the labour tab: its stitching list takes the focus and runs nothing when focused
            neutral = Form1->ComboBox5;
        neutral->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(control->hasFocus());
    }
    // Replaces the whole text by typing, as after selecting it with the mouse.
    static void retype(QLineEdit* field, const QString& keys) {
        field->selectAll();
        QTest::keyClicks(field, keys);
    }
    static void typeAtEnd(QLineEdit* field, const QString& keys) {
        field->end(false);
        QTest::keyClicks(field, keys);
    }
    static void erase(QLineEdit* field) {
        field->end(false);
        while (!field->text().isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
    }
    static void pressEnter(QWidget* field) { QTest::keyClick(field, Qt::Key_Return); }
    // Opens the list and clicks the item, as the operator chooses with the mouse.
    static void choose(QComboBox* list, const QString& item) {
        turnTo(list);
        list->showPopup();
        QAbstractItemView* view = list->view();
        const QModelIndex index = view->model()->index(list->findText(item), 0);
        ASSERT_TRUE(index.isValid()) << item.toStdString();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        ASSERT_EQ(list->currentText(), item);
    }

    static void addPaperLine(double sheets, const QString& colours, double cost = 0,
                             const QString& format = "A4") {
        tv::Table& papkol = *Form4->papkol;
        papkol.append();
        papkol.fieldByName("Format").setAsString(format);
        papkol.fieldByName("Ilosc").setAsFloat(sheets);
        papkol.fieldByName("Rodzpap").setAsString("Kreda mat");
        papkol.fieldByName("Kolor").setAsString(colours);
        papkol.fieldByName("Gramatura").setAsFloat(135);
        papkol.fieldByName("Koszt").setAsFloat(cost);
        papkol.post();
    }

    static QStringList shownTexts() {
        QStringList texts;
        for (const tv::ui::ShownMessage& m : tv::ui::shownMessages())
            texts << m.text;
        return texts;
    }
};

} // namespace tvtest
