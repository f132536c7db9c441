// The data-aware drop-down list: what it shows, when the operator's choice
// and typing reach the field, and what code setting it does not do.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "platform/table.h"
#include "platform/ui/dataaware_combo.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/messages.h"
#include "support/test_env.h"
#include "support/typing.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

class DataAwareCombo : public ::testing::Test {
protected:
    void SetUp() override {
        tv::ui::clearShownMessages();
        tv::ui::setAnswerer([](const tv::ui::ShownMessage&) { return tv::ui::Answer::Ok; });
        {
            tv::Table seed("numbered.db");
            seed.open();
            for (const char* name : {"A3", "A4", "A5"}) {
                seed.append();
                seed.fieldByName("Name").setAsString(name);
                seed.post();
            }
        }
        numbered = std::make_unique<tv::Table>("numbered.db");
        numbered->open();
        source = new tv::ui::DataSource(numbered.get(), &window);
        combo = new tv::ui::DBComboBox;
        combo->addItems({"A3", "A4", "B1"});
        combo->setDataSource(source);
        combo->setDataField("Name");
        other = new tv::ui::DBEdit;
        other->setDataSource(source);
        other->setDataField("Ratio");
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(combo);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        combo->setFocus();
    }
    void TearDown() override { tv::ui::setAnswerer({}); }

    static QStringList stored() {
        tv::Table reader("numbered.db");
        reader.open();
        QStringList names;
        for (reader.first(); !reader.eof(); reader.next())
            names << reader.fieldByName("Name").asString();
        return names;
    }

    QString field() const { return numbered->fieldByName("Name").asString(); }

    tvtest::WorkingFolder folder;
    std::unique_ptr<tv::Table> numbered;
    QWidget window;
    tv::ui::DataSource* source = nullptr;
    tv::ui::DBComboBox* combo = nullptr;
    tv::ui::DBEdit* other = nullptr;
};

TEST_F(DataAwareCombo, ShowsTheCurrentRowAndCodeEmitsNothing) {
    QSignalSpy edited(combo, &tv::ui::DBComboBox::edited);
    QSignalSpy chosen(combo, &tv::ui::DBComboBox::chosen);
    EXPECT_EQ(combo->text(), "A3");
    numbered->last();
    EXPECT_EQ(combo->text(), "A5"); // not among the items
    combo->setText("B1");
    EXPECT_EQ(combo->text(), "B1");
    EXPECT_EQ(field(), "A5");
    EXPECT_EQ(edited.count(), 0);
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(numbered->state(), tv::Table::State::Browse);
}

TEST_F(DataAwareCombo, ChoiceWritesTheFieldAtOnce) {
    QSignalSpy chosen(combo, &tv::ui::DBComboBox::chosen);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->text(), "A4");
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(numbered->state(), tv::Table::State::Edit);
    EXPECT_EQ(field(), "A4");
    EXPECT_FALSE(combo->isPending());
    numbered->post();
    EXPECT_EQ(stored(), QStringList({"A4", "A4", "A5"}));
}

TEST_F(DataAwareCombo, TypedTextWaitsForLeavingOrPosting) {
    QSignalSpy edited(combo, &tv::ui::DBComboBox::edited);
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(combo, "C7");
    EXPECT_EQ(edited.count(), 2);
    EXPECT_TRUE(combo->isPending());
    EXPECT_EQ(field(), "A3");
    other->setFocus();
    EXPECT_EQ(field(), "C7");
    EXPECT_FALSE(combo->isPending());

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(combo, "D9");
    numbered->post(); // the post takes what is typed
    EXPECT_EQ(stored(), QStringList({"D9", "A4", "A5"}));
}

TEST_F(DataAwareCombo, EscapeGivesTheFieldBackAndAlphaSizeLimitsTyping) {
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(combo, "ABCDEFGH");
    EXPECT_EQ(combo->text(), "ABCDEF"); // Name holds six characters
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_EQ(combo->text(), "A3");
    EXPECT_FALSE(combo->isPending());
    numbered->cancel();
    EXPECT_EQ(stored(), QStringList({"A3", "A4", "A5"}));
}

// An alpha field holds code page 1250 text: a character outside it never
// reaches the box, typed or pasted, so the field stores what was shown.
TEST_F(DataAwareCombo, AlphaFieldTakesOnlyWhatCodePage1250Holds) {
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    tvtest::typeText(combo, QString::fromUtf8("ΩŻ€"));
    EXPECT_EQ(combo->text(), QString::fromUtf8("Ż€"));
    combo->lineEdit()->insert(QString::fromUtf8("a\u4E2Db")); // pasted
    EXPECT_EQ(combo->text(), QString::fromUtf8("Ż€ab"));
    other->setFocus();
    numbered->post();
    EXPECT_EQ(stored(), QStringList({QString::fromUtf8("Ż€ab"), "A4", "A5"}));
}

TEST_F(DataAwareCombo, WithoutAutomaticEditingNothingChanges) {
    source->setAutoEdit(false);
    QSignalSpy edited(combo, &tv::ui::DBComboBox::edited);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClicks(combo, "X");
    EXPECT_EQ(combo->text(), "A3");
    EXPECT_EQ(edited.count(), 0);
    EXPECT_EQ(numbered->state(), tv::Table::State::Browse);

    numbered->edit();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(field(), "A4");
}

} // namespace
