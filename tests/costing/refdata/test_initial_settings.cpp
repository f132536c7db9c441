#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "costing/costing_sheet.h"
#include "costing/refdata/initial_settings.h"
#include "costing/refdata/paper_colour.h"
#include "platform/ui/controls.h"
#include "refdata_support.h"

using namespace refdatatest;

namespace {

QString textOf(QWidget* control) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
    ADD_FAILURE() << "no text control";
    return QString();
}

QString sheetText(const char* name) {
    return textOf(Form1->control(QString::fromLatin1(name)));
}
QString boxText(const char* name) {
    return textOf(Form6->control(QString::fromLatin1(name)));
}

void typeIntoBox(const char* name, const QString& text) {
    QWidget* box = Form6->control(QString::fromLatin1(name));
    if (auto* combo = qobject_cast<QComboBox*>(box)) {
        ASSERT_TRUE(combo->isEditable()) << name;
        typeInto(combo->lineEdit(), text);
    } else {
        typeInto(qobject_cast<QLineEdit*>(box), text);
    }
}

// The one settings record, field by field, as text.
QString stored(const char* field) {
    const QStringList values = column(QStringLiteral("ustawienia.db"), QString::fromLatin1(field));
    EXPECT_EQ(values.size(), 1) << field;
    return values.value(0);
}

class InitialSettingsTest : public RefdataFixture {
protected:
    void SetUp() override {
        RefdataFixture::SetUp();
        showActive(Form6);
    }
    void press(tv::ui::SpeedButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

// Where each stored value reaches the sheet. The box labelled "(1 strona
// kolorowa)" is stored in Sklad_czb and prices the colour pages (Edit13); the
// box labelled "(1 strona czarno-biała)" is stored in Sklad_kolor and prices
// the black pages (Edit11).
struct CopyCase {
    const char* sheetField;
    const char* box;
    const char* text;
};

const CopyCase kCopies[] = {
    {"Edit11", "Edit9", "4"},         {"Edit13", "Edit8", "8"},     {"Edit16", "Edit6", "5"},
    {"Edit19", "Edit7", "15"},        {"Edit32", "Edit4", "12"},    {"Edit35", "Edit5", "20"},
    {"ComboBox4", "ComboBox2", "15"}, {"Edit78", "Edit13", "0,02"}, {"Edit73", "Edit11", "1,5"},
    {"Edit47", "Edit1", "0,05"},      {"Edit51", "Edit2", "0,06"},  {"Edit77", "Edit10", "0,05"},
    {"Edit54", "Edit12", "40"},       {"Edit57", "Edit3", "30"},    {"ComboBox2", "ComboBox1", "10"},
    {"ComboBox1", "ComboBox3", "7"},
};

TEST_F(InitialSettingsTest, StartUpPutsTheStoredRatesIntoTheDialogAndTheSheet) {
    for (const CopyCase& c : kCopies) {
        EXPECT_EQ(boxText(c.box), QString::fromUtf8(c.text)) << c.box;
        EXPECT_EQ(sheetText(c.sheetField), QString::fromUtf8(c.text)) << c.sheetField;
    }
    EXPECT_EQ(boxText("ComboBox4"), QStringLiteral("4-kolorowa"));
    EXPECT_EQ(boxText("ComboBox5"), QStringLiteral("A3"));
    EXPECT_EQ(Form4->formatMatrycy, QStringLiteral("A3"));
    QStringList plates;
    for (int i = 0; i < Form6->ComboBox5->count(); ++i)
        plates << Form6->ComboBox5->itemText(i);
    EXPECT_EQ(plates, QStringList({"A4", "A3", "A5", "A1"}));
}

TEST_F(InitialSettingsTest, ZachowajStoresTheBoxesCopiesThemAndCloses) {
    const std::pair<const char*, const char*> typed[] = {
        {"Edit1", "0,15"},   {"Edit2", "0,25"},   {"Edit3", "35"},     {"Edit4", "13"},    {"Edit5", "21"},
        {"ComboBox5", "A5"}, {"Edit6", "6"},      {"Edit7", "16"},     {"Edit8", "9"},     {"Edit9", "3"},
        {"ComboBox1", "12"}, {"ComboBox2", "18"}, {"ComboBox3", "22"}, {"Edit10", "0,07"}, {"Edit12", "45"},
        {"Edit13", "0,03"},  {"Edit11", "2"}};
    for (const auto& [box, text] : typed)
        typeIntoBox(box, QString::fromUtf8(text));
    press(Form6->SpeedButton2);

    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    EXPECT_FALSE(Form6->isVisible());
    const std::pair<const char*, const char*> expected[] = {{"Przelot_bialy4", "0,15"},
                                                            {"Przelot_kolor4", "0,25"},
                                                            {"Maszyna", "4"},
                                                            {"Stawka_godz", "35"},
                                                            {"Pl_czb", "13"},
                                                            {"Pl_kolor", "21"},
                                                            {"Matryca", "A5"},
                                                            {"Skanowanie", "6"},
                                                            {"Fotonasw", "16"},
                                                            {"Sklad_czb", "9"},
                                                            {"Sklad_kolor", "3"},
                                                            {"Zysk_od_rob", "12"},
                                                            {"Narzut_mat", "18"},
                                                            {"Podatek", "22"},
                                                            {"Szycie", "0,07"},
                                                            {"Ciecie", "45"},
                                                            {"Falsowanie", "0,03"},
                                                            {"Transport", "2"},
                                                            // The other press types keep their pass prices.
                                                            {"Przelot_bialy1", "0,01"},
                                                            {"Przelot_kolor1", "0,02"},
                                                            {"Przelot_bialy2", "0,03"},
                                                            {"Przelot_kolor2", "0,04"}};
    for (const auto& [field, text] : expected)
        EXPECT_EQ(stored(field), QString::fromUtf8(text)) << field;
    // The swapped pair stays paired: the colour page price prices colour pages.
    EXPECT_EQ(sheetText("Edit13"), QStringLiteral("9"));
    EXPECT_EQ(sheetText("Edit11"), QStringLiteral("3"));
    EXPECT_EQ(sheetText("Edit47"), QStringLiteral("0,15"));
    EXPECT_EQ(sheetText("ComboBox1"), QStringLiteral("22"));
    EXPECT_EQ(sheetText("ComboBox4"), QStringLiteral("18"));
    EXPECT_EQ(Form4->formatMatrycy, QStringLiteral("A5"));
}

TEST_F(InitialSettingsTest, WczytajRestoresTheStoredValuesOverTypedOnes) {
    typeIntoBox("Edit4", "99");
    typeIntoBox("ComboBox5", "A1");
    typeIntoBox("ComboBox3", "0");
    typeIntoBox("ComboBox1", "50");
    typeIntoBox("ComboBox2", "60");
    Form1->Edit32->setText(QStringLiteral("77"));
    Form1->ComboBox2->setEditText(QStringLiteral("50"));
    Form1->ComboBox4->setEditText(QStringLiteral("60"));
    Form4->formatMatrycy = QStringLiteral("A1");
    press(Form6->SpeedButton3);
    EXPECT_EQ(boxText("Edit4"), QStringLiteral("12"));
    EXPECT_EQ(boxText("ComboBox5"), QStringLiteral("A3"));
    EXPECT_EQ(boxText("ComboBox3"), QStringLiteral("7"));
    EXPECT_EQ(boxText("ComboBox1"), QStringLiteral("10"));
    EXPECT_EQ(boxText("ComboBox2"), QStringLiteral("15"));
    EXPECT_EQ(sheetText("Edit32"), QStringLiteral("12"));
    EXPECT_EQ(sheetText("ComboBox1"), QStringLiteral("7"));
    EXPECT_EQ(sheetText("ComboBox2"), QStringLiteral("10"));
    EXPECT_EQ(sheetText("ComboBox4"), QStringLiteral("15"));
    EXPECT_EQ(Form4->formatMatrycy, QStringLiteral("A3"));
    EXPECT_TRUE(Form6->isVisible());
}

// Each copy fires the sheet field's own handler, which recomputes with what
// the fields before it already hold: the copies go in their fixed order.
TEST_F(InitialSettingsTest, TheCopiesReachTheSheetInTheirOrder) {
    writeSettings({{"Przelot_bialy4", "0,07"},
                   {"Przelot_kolor4", "0,08"},
                   {"Maszyna", "4"},
                   {"Stawka_godz", "31"},
                   {"Pl_czb", "13"},
                   {"Pl_kolor", "21"},
                   {"Matryca", "A5"},
                   {"Skanowanie", "6"},
                   {"Fotonasw", "16"},
                   {"Sklad_czb", "9"},
                   {"Sklad_kolor", "3"},
                   {"Zysk_od_rob", "11"},
                   {"Narzut_mat", "16"},
                   {"Podatek", "22"},
                   {"Falsowanie", "0,03"},
                   {"Szycie", "0,06"},
                   {"Ciecie", "41"},
                   {"Transport", "1,6"}});
    Form6->ustawienia->refresh();
    QStringList changed;
    for (const CopyCase& c : kCopies) {
        QWidget* field = Form1->control(QString::fromLatin1(c.sheetField));
        const QString name = field->objectName();
        auto note = [&changed, name] {
            if (!changed.contains(name)) changed << name;
        };
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            QObject::connect(edit, &QLineEdit::textChanged, Form6, note);
        else
            QObject::connect(qobject_cast<QComboBox*>(field), &QComboBox::editTextChanged, Form6, note);
    }
    press(Form6->SpeedButton3);
    EXPECT_EQ(changed, QStringList({"Edit11", "Edit13", "Edit16", "Edit19", "Edit32", "Edit35", "ComboBox4",
                                    "Edit78", "Edit73", "Edit47", "Edit51", "Edit77", "Edit54", "Edit57",
                                    "ComboBox2", "ComboBox1"}));
    // The option lists of the sheet follow too: profit, mark-up and VAT.
    EXPECT_EQ(sheetText("ComboBox2"), QStringLiteral("11"));
    EXPECT_EQ(sheetText("ComboBox4"), QStringLiteral("16"));
    EXPECT_EQ(sheetText("ComboBox1"), QStringLiteral("22"));
    EXPECT_EQ(Form4->formatMatrycy, QStringLiteral("A5"));
}

TEST_F(InitialSettingsTest, ZamknijNeitherStoresNorCopies) {
    typeIntoBox("Edit4", "99");
    press(Form6->SpeedButton1);
    EXPECT_FALSE(Form6->isVisible());
    EXPECT_EQ(stored("Pl_czb"), QStringLiteral("12"));
    EXPECT_EQ(sheetText("Edit32"), QStringLiteral("12"));
    EXPECT_EQ(boxText("Edit4"), QStringLiteral("99"));
}

// ---------------------------------------------------------------------------
// Press types

struct PressCase {
    const char* type;
    const char* code;
    const char* blackField;
    const char* colourField;
    const char* black;
    const char* colour;
};

const PressCase kPresses[] = {
    {"1-kolorowa", "1", "Przelot_bialy1", "Przelot_kolor1", "0,01", "0,02"},
    {"2-kolorowa", "2", "Przelot_bialy2", "Przelot_kolor2", "0,03", "0,04"},
    {"4-kolorowa", "4", "Przelot_bialy4", "Przelot_kolor4", "0,05", "0,06"},
};

class PressType : public InitialSettingsTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PressType, ShowsAndStoresOnlyItsOwnPassPrices) {
    const PressCase& c = GetParam();
    if (QString::fromUtf8(c.type) != QLatin1String("4-kolorowa")) {
        chooseWithKeys(Form6->ComboBox4, QString::fromUtf8(c.type));
    }
    EXPECT_EQ(boxText("Edit1"), QString::fromUtf8(c.black));
    EXPECT_EQ(boxText("Edit2"), QString::fromUtf8(c.colour));
    // Choosing shows; it stores and copies nothing.
    EXPECT_EQ(sheetText("Edit47"), QStringLiteral("0,05"));
    EXPECT_EQ(stored("Maszyna"), QStringLiteral("4"));

    typeIntoBox("Edit1", "1,1");
    typeIntoBox("Edit2", "2,2");
    press(Form6->SpeedButton2);
    EXPECT_EQ(stored("Maszyna"), QString::fromUtf8(c.code));
    for (const PressCase& other : kPresses) {
        const bool mine = QString::fromUtf8(other.code) == QString::fromUtf8(c.code);
        EXPECT_EQ(stored(other.blackField), mine ? QStringLiteral("1,1") : QString::fromUtf8(other.black));
        EXPECT_EQ(stored(other.colourField), mine ? QStringLiteral("2,2") : QString::fromUtf8(other.colour));
    }
    EXPECT_EQ(sheetText("Edit47"), QStringLiteral("1,1"));
    EXPECT_EQ(sheetText("Edit51"), QStringLiteral("2,2"));

    // Loaded again, the dialog shows that press type.
    Form6->show();
    chooseWithKeys(Form6->ComboBox4, QStringLiteral("1-kolorowa") == QString::fromUtf8(c.type)
                                         ? QStringLiteral("2-kolorowa")
                                         : QStringLiteral("1-kolorowa"));
    press(Form6->SpeedButton3);
    EXPECT_EQ(boxText("ComboBox4"), QString::fromUtf8(c.type));
    EXPECT_EQ(boxText("Edit1"), QStringLiteral("1,1"));
}

INSTANTIATE_TEST_SUITE_P(Cases, PressType, ::testing::ValuesIn(kPresses),
                         [](const auto& info) { return "Press" + std::string(info.param.code); });

// ---------------------------------------------------------------------------
// A box that does not convert stores and copies nothing

struct BadBoxCase {
    const char* name;
    const char* box;
    const char* text;
    const char* message;
};

const BadBoxCase kBadBoxes[] = {
    {"LetterInAPrice", "Edit4", "abc", "'abc' is not a valid floating point value"},
    {"TwoSeparatorsInAPassPrice", "Edit1", "1,2,3", "'1,2,3' is not a valid floating point value"},
    {"FractionInAPercentage", "ComboBox1", "2,5", "'2,5' is not a valid integer value"},
    {"LetterInTheMarkUp", "ComboBox2", "x", "'x' is not a valid integer value"},
    {"TheLastBoxStored", "Edit11", "zz", "'zz' is not a valid floating point value"},
};

class BadBox : public InitialSettingsTest, public ::testing::WithParamInterface<BadBoxCase> {};

TEST_P(BadBox, ShowsTheConversionErrorAndChangesNothing) {
    const BadBoxCase& c = GetParam();
    // Good changes in other boxes must not land either.
    typeIntoBox("Edit3", "99");
    typeIntoBox("Edit9", "77");
    typeIntoBox(c.box, QString::fromUtf8(c.text));
    press(Form6->SpeedButton2);

    EXPECT_EQ(shownTexts(), QStringList({QString::fromUtf8(c.message)}));
    EXPECT_TRUE(Form6->isVisible());
    EXPECT_EQ(Form6->ustawienia->state(), tv::Table::State::Browse);
    for (const auto& [field, text] : standardSettings())
        EXPECT_EQ(stored(field.toLatin1().constData()), text) << field.toStdString();
    for (const CopyCase& copy : kCopies)
        EXPECT_EQ(sheetText(copy.sheetField), QString::fromUtf8(copy.text)) << copy.sheetField;
    EXPECT_EQ(Form4->formatMatrycy, QStringLiteral("A3"));
}

INSTANTIATE_TEST_SUITE_P(Cases, BadBox, ::testing::ValuesIn(kBadBoxes),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The sheet after the copies

TEST_F(InitialSettingsTest, TheSheetIsRecomputedWithTheNewRates) {
    // Operands set by the program recompute nothing by themselves.
    Form1->Edit56->setText(QStringLiteral("3"));
    Form1->Edit26->setText(QStringLiteral("100"));
    writeSettings([] {
        auto s = standardSettings();
        for (auto& [field, text] : s)
            if (field == QLatin1String("Stawka_godz")) text = QStringLiteral("40");
        return s;
    }());
    Form6->ustawienia->refresh();
    press(Form6->SpeedButton3);
    EXPECT_EQ(sheetText("Edit57"), QStringLiteral("40"));
    EXPECT_EQ(sheetText("Edit58"), QStringLiteral("120"));
    // The material mark-up list is set without its handler; 15 % of 100 zł.
    EXPECT_EQ(sheetText("Edit38"), QStringLiteral("15"));
    EXPECT_EQ(sheetText("Edit39"), QStringLiteral("115"));
}

TEST_F(InitialSettingsTest, TheDiscountStitchingAndVatScopeAreNeverChanged) {
    Form1->ComboBox3->setCurrentText(QStringLiteral("5"));
    Form1->ComboBox5->setCurrentText(QStringLiteral("1 zszywka"));
    Form1->ComboBox6->setCurrentText(QStringLiteral("do części I"));
    press(Form6->SpeedButton3);
    press(Form6->SpeedButton2);
    EXPECT_EQ(Form1->ComboBox3->currentText(), QStringLiteral("5"));
    EXPECT_EQ(Form1->ComboBox5->currentText(), QStringLiteral("1 zszywka"));
    EXPECT_EQ(Form1->ComboBox6->currentText(), QStringLiteral("do części I"));
}

TEST_F(InitialSettingsTest, ShownAgainThePlateListHoldsTheFormatsAsTheyNowStand) {
    addFormat(QStringLiteral("B2"), 4);
    typeIntoBox("ComboBox5", "A5");
    Form6->hide();
    Form6->show();
    EXPECT_GE(Form6->ComboBox5->findText("B2"), 0);
    EXPECT_EQ(Form6->ComboBox5->count(), 5);
    EXPECT_EQ(boxText("ComboBox5"), QStringLiteral("A5"));
}

// ---------------------------------------------------------------------------
// Records with empty values

class SettingsWithEmptyValuesTest : public InitialSettingsTest {
protected:
    void addData() override {
        addFormat(QStringLiteral("A4"), 16);
        addFormat(QStringLiteral("A3"), 8);
        // No press type, no plate prices, no colour page price.
        writeSettings({{"Przelot_bialy4", "0,05"},
                       {"Przelot_kolor4", "0,06"},
                       {"Stawka_godz", "30"},
                       {"Matryca", "A3"},
                       {"Sklad_kolor", "4"},
                       {"Podatek", "22"}});
    }
};

TEST_F(SettingsWithEmptyValuesTest, AnEmptyPressTypeKeepsThePressAndPassPricesShown) {
    EXPECT_EQ(boxText("ComboBox4"), QStringLiteral("4-kolorowa"));
    EXPECT_EQ(boxText("Edit1"), QStringLiteral("0"));
    EXPECT_EQ(boxText("Edit2"), QStringLiteral("0"));
    EXPECT_EQ(boxText("Edit3"), QStringLiteral("30"));
    typeIntoBox("Edit1", "7");
    press(Form6->SpeedButton3);
    EXPECT_EQ(boxText("Edit1"), QStringLiteral("7"));
    EXPECT_EQ(sheetText("Edit47"), QStringLiteral("7"));
}

TEST_F(SettingsWithEmptyValuesTest, AnEmptyValueReachesTheSheetAsZero) {
    EXPECT_EQ(boxText("Edit4"), QString());
    EXPECT_EQ(boxText("Edit8"), QString());
    EXPECT_EQ(boxText("ComboBox1"), QString());
    Form1->Edit32->setText(QStringLiteral("5"));
    press(Form6->SpeedButton3);
    EXPECT_EQ(sheetText("Edit32"), QStringLiteral("0"));
    EXPECT_EQ(sheetText("Edit13"), QStringLiteral("0"));
    EXPECT_EQ(sheetText("Edit11"), QStringLiteral("4"));
    EXPECT_EQ(sheetText("ComboBox2"), QStringLiteral("0"));
    EXPECT_EQ(sheetText("ComboBox1"), QStringLiteral("22"));
    // Stored again, an empty box stays an empty field.
    press(Form6->SpeedButton2);
    EXPECT_EQ(stored("Pl_czb"), QString());
    EXPECT_EQ(stored("Maszyna"), QStringLiteral("4"));
}

class NoSettingsRecordTest : public InitialSettingsTest {
protected:
    void addData() override {
        addFormat(QStringLiteral("A4"), 16);
        addFormat(QStringLiteral("A3"), 8);
    }
};

TEST_F(NoSettingsRecordTest, TheDesignTextsReachTheSheetAndZachowajCreatesTheRecord) {
    EXPECT_EQ(boxText("Edit4"), QStringLiteral("0"));
    EXPECT_EQ(boxText("ComboBox5"), QStringLiteral("A3"));
    EXPECT_EQ(sheetText("Edit32"), QStringLiteral("0"));
    EXPECT_EQ(Form4->formatMatrycy, QStringLiteral("A3"));
    typeIntoBox("Edit4", "11");
    press(Form6->SpeedButton2);
    EXPECT_EQ(rowCount(QStringLiteral("ustawienia.db")), 1);
    EXPECT_EQ(stored("Pl_czb"), QStringLiteral("11"));
    EXPECT_EQ(stored("Matryca"), QStringLiteral("A3"));
    EXPECT_EQ(stored("Maszyna"), QStringLiteral("4"));
}

} // namespace
