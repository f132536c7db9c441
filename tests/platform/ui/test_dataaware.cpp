#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/errors.h"
#include "platform/table.h"
#include "platform/ui/dataaware.h"
#include "platform/ui/messages.h"
#include "support/test_env.h"
#include "support/typing.h"

// Readable failures: texts print as texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

using tv::Table;
using tv::ui::Answer;
using tv::ui::DBGrid;
using tv::ui::DBNavigator;
using Button = tv::ui::DBNavigator::Button;

namespace {

// Sends each character to whatever has the focus, as typing does: the first
// key into a grid opens its cell editor, the next ones land in the editor.
void typeText(QWidget* start, const QString& text) {
    for (QChar ch : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : start;
        QTest::keyClick(target, ch.toLatin1());
    }
}

void pressKey(QWidget* start, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : start;
    QTest::keyClick(target, key, modifiers);
    // A cell editor hands its text over after Enter, from the event loop.
    QApplication::processEvents();
}

QString cell(const DBGrid& grid, int row, int column) {
    return grid.model()->index(row, column).data().toString();
}

void clickRow(DBGrid& grid, int row, int column = 0) {
    const QRect rect = grid.visualRect(grid.model()->index(row, column));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, rect.center());
}

QStringList messageTexts() {
    QStringList texts;
    for (const tv::ui::ShownMessage& message : tv::ui::shownMessages())
        texts << message.text;
    return texts;
}

// A working folder with three paper formats, and a window to put the
// controls in. Boxes answer No (or OK) unless a test queues answers.
class DataAware : public ::testing::Test {
protected:
    void SetUp() override {
        tv::ui::clearShownMessages();
        tv::ui::setAnswerer([](const tv::ui::ShownMessage& message) {
            return message.buttons == tv::ui::Buttons::YesNo ? Answer::No : Answer::Ok;
        });
        {
            Table seed("numbered.db");
            seed.open();
            addFormat(seed, "A3", 8);
            addFormat(seed, "A4", 16);
            addFormat(seed, "A5", 32);
        }
        formaty = std::make_unique<Table>("numbered.db");
        formaty->open();
        source = new tv::ui::DataSource(formaty.get(), &window);
        window.setLayout(new QVBoxLayout);
        window.resize(500, 400);
    }
    // The answerer stays: closing the window may still leave an edit.
    void TearDown() override { tv::ui::clearShownMessages(); }

    static void addFormat(Table& table, const QString& name, double ratio) {
        table.append();
        table.fieldByName("Name").setAsString(name);
        table.fieldByName("Ratio").setAsFloat(ratio);
        table.post();
    }

    // What another component reading the file sees: only posted rows.
    static QStringList storedFormats() {
        Table reader("numbered.db");
        reader.open();
        QStringList rows;
        for (reader.first(); !reader.eof(); reader.next())
            rows << reader.fieldByName("Name").asString() + "=" + reader.fieldByName("Ratio").asString();
        return rows;
    }

    template <class Widget> Widget* add(Widget* widget) {
        window.layout()->addWidget(widget);
        return widget;
    }

    void showWindow() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // An edit in the window showing one field of the formats (or of another source).
    tv::ui::DBEdit* boundEdit(const char* field, tv::ui::DataSource* over = nullptr) {
        auto* edit = add(new tv::ui::DBEdit);
        edit->setDataSource(over ? over : source);
        edit->setDataField(QString::fromLatin1(field));
        return edit;
    }

    DBGrid* formatGrid(bool readOnly = false) {
        auto* grid = add(new DBGrid);
        grid->setDataSource(source);
        grid->setColumns({{"Name", "Nazwa"}, {"Ratio", "Stosunek do A0"}});
        grid->setReadOnly(readOnly);
        return grid;
    }

    // The window and the data sources in it go before the tables they show.
    tvtest::WorkingFolder folder;
    std::unique_ptr<Table> formaty;
    QWidget window;
    tv::ui::DataSource* source = nullptr;
};

// ---------------------------------------------------------------------------
// Field texts

struct TextCase {
    tv::FieldType type;
    QVariant value;
    const char* shown;
};

class DisplayText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DisplayText, ShowsTheFieldInItsForm) {
    const TextCase& c = GetParam();
    tv::FieldDef def{"F", c.type, 20};
    EXPECT_EQ(tv::ui::displayText(def, c.value), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DisplayText,
    ::testing::Values(
        TextCase{tv::FieldType::Money, 150.0, "150,00"}, TextCase{tv::FieldType::Money, 0.3, "0,30"},
        TextCase{tv::FieldType::Money, 0.005, "0,01"}, TextCase{tv::FieldType::Money, -0.005, "-0,01"},
        TextCase{tv::FieldType::Money, 0.0049, "0,00"}, TextCase{tv::FieldType::Money, -0.0049, "0,00"},
        TextCase{tv::FieldType::Money, 1234567.891, "1234567,89"},
        TextCase{tv::FieldType::Number, 0.125, "0,125"}, TextCase{tv::FieldType::Number, 80.0, "80"},
        TextCase{tv::FieldType::Long, 42, "42"}, TextCase{tv::FieldType::AutoInc, 7, "7"},
        TextCase{tv::FieldType::Alpha, QString("Kreda"), "Kreda"},
        TextCase{tv::FieldType::Date, QDate(2024, 3, 5), "05.03.2024"},
        TextCase{tv::FieldType::Money, QVariant(), ""}, TextCase{tv::FieldType::Alpha, QVariant(), ""}));

// ---------------------------------------------------------------------------
// Grid: rows, titles, the cursor

TEST_F(DataAware, GridShowsTheRowsUnderTheGivenTitles) {
    DBGrid* grid = formatGrid();
    ASSERT_EQ(grid->model()->rowCount(), 3);
    ASSERT_EQ(grid->model()->columnCount(), 2);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Nazwa");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "Stosunek do A0");
    EXPECT_EQ(cell(*grid, 0, 0), "A3");
    EXPECT_EQ(cell(*grid, 1, 1), "16");
    EXPECT_EQ(cell(*grid, 2, 0), "A5");
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

TEST_F(DataAware, GridWithoutColumnsShowsEveryFieldByName) {
    auto* grid = add(new DBGrid);
    grid->setDataSource(source);
    ASSERT_EQ(grid->model()->columnCount(), 3);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Nr");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "Name");
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable); // autoincrement
    EXPECT_TRUE(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(DataAware, GridShowsMoneyWithTwoDecimals) {
    Table gramatury("prices.db");
    gramatury.open();
    gramatury.append();
    gramatury.fieldByName("Kind").setAsInteger(1);
    gramatury.fieldByName("Weight").setAsFloat(80);
    gramatury.fieldByName("Unit").setAsString("0,3");
    gramatury.fieldByName("Bulk").setAsString("150");
    gramatury.post();
    gramatury.append();
    gramatury.fieldByName("Kind").setAsInteger(1);
    gramatury.fieldByName("Weight").setAsFloat(90);
    gramatury.post();
    gramatury.first();

    tv::ui::DataSource prices(&gramatury);
    DBGrid grid;
    grid.setDataSource(&prices);
    grid.setColumns({{"Weight", "Gramatura"}, {"Unit", "Cena 1 arkusza"}, {"Bulk", "Cena 1 ryzy"}});
    // The current row is read from the cursor, the others from the rows.
    for (int row : {0, 1}) {
        SCOPED_TRACE(row);
        gramatury.moveTo(row + 1);
        EXPECT_EQ(cell(grid, 0, 0), "80");
        EXPECT_EQ(cell(grid, 0, 1), "0,30");
        EXPECT_EQ(cell(grid, 0, 2), "150,00");
        EXPECT_EQ(cell(grid, 1, 1), "");
    }
}

TEST_F(DataAware, ClickingARowMovesTheCursor) {
    DBGrid* grid = formatGrid();
    showWindow();
    clickRow(*grid, 2);
    EXPECT_EQ(formaty->recNo(), 3);
    EXPECT_EQ(formaty->fieldByName("Name").asString(), "A5");
    clickRow(*grid, 1, 1);
    EXPECT_EQ(formaty->recNo(), 2);
}

TEST_F(DataAware, MovingTheCursorSelectsItsRow) {
    DBGrid* grid = formatGrid();
    grid->setRowSelect(true);
    showWindow();
    formaty->last();
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(2, QModelIndex()));
    EXPECT_FALSE(grid->selectionModel()->isRowSelected(0, QModelIndex()));
    formaty->prior();
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

// A form's code walking its table with the grid shown (a recomputation over
// every paper line) must not make the grid lay out all its rows again per
// step: a header change of the model would, so the indicator moves without.
TEST_F(DataAware, CursorStepsMoveTheIndicatorWithoutRelayingTheRows) {
    DBGrid* grid = formatGrid();
    showWindow();
    QSignalSpy headerChanges(grid->model(), &QAbstractItemModel::headerDataChanged);
    QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
    const QString indicator(QChar(0x25B8));
    for (formaty->first(); !formaty->eof(); formaty->next()) {
        const int row = formaty->recNo() - 1;
        EXPECT_EQ(grid->currentIndex().row(), row);
        for (int other = 0; other < grid->model()->rowCount(); ++other)
            EXPECT_EQ(grid->model()->headerData(other, Qt::Vertical).toString(),
                      other == row ? indicator : QString())
                << "cursor on row " << row << ", header of row " << other;
    }
    EXPECT_EQ(headerChanges.count(), 0);
    EXPECT_EQ(resets.count(), 0);
    // The indicator column keeps its width whatever rows it shows.
    EXPECT_EQ(grid->verticalHeader()->sizeHint().width(), grid->verticalHeader()->width());
}

TEST_F(DataAware, GridFollowsRowsAddedAndDeletedByCode) {
    DBGrid* grid = formatGrid();
    addFormat(*formaty, "B1", 2);
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), formaty->recNo() - 1);
    EXPECT_EQ(cell(*grid, formaty->recNo() - 1, 0), "B1");
    formaty->first();
    formaty->remove();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(cell(*grid, 0, 0), "A4");
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

TEST_F(DataAware, GridShowsTheRowBeingInsertedAtItsPlace) {
    Table gramatury("prices.db");
    gramatury.open();
    for (int weight : {80, 90, 100}) {
        gramatury.append();
        gramatury.fieldByName("Weight").setAsInteger(weight);
        gramatury.post();
    }
    tv::ui::DataSource prices(&gramatury);
    DBGrid grid;
    grid.setDataSource(&prices);
    grid.setColumns({{"Weight", "Gramatura"}});
    auto column = [&] {
        QStringList texts;
        for (int row = 0; row < grid.model()->rowCount(); ++row)
            texts << cell(grid, row, 0);
        return texts;
    };
    gramatury.moveTo(2);
    gramatury.insert();
    EXPECT_EQ(column(), QStringList({"80", "", "90", "100"}));
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_EQ(grid.model()->headerData(1, Qt::Vertical).toString(), "*");
    gramatury.fieldByName("Weight").setAsInteger(85);
    EXPECT_EQ(cell(grid, 1, 0), "85");
    gramatury.cancel();
    EXPECT_EQ(column(), QStringList({"80", "90", "100"}));
    gramatury.append();
    EXPECT_EQ(column(), QStringList({"80", "90", "100", ""}));
    EXPECT_EQ(grid.currentIndex().row(), 3);
}

// ---------------------------------------------------------------------------
// Tables and data sources going in either order

// Forms may destroy a table before the data source and controls over it; the
// source lets go of it then, and the controls show nothing.
TEST_F(DataAware, TableDestroyedFirstLeavesItsSourceAndControlsEmpty) {
    auto table = std::make_unique<Table>("numbered.db");
    table->open();
    auto* kept = new tv::ui::DataSource(table.get(), &window);
    DBGrid* grid = add(new DBGrid);
    grid->setDataSource(kept);
    auto* edit = boundEdit("Name", kept);
    auto* navigator = add(new DBNavigator);
    navigator->setDataSource(kept);
    showWindow();
    ASSERT_EQ(grid->model()->rowCount(), 3);
    ASSERT_EQ(edit->text(), "A3");

    table.reset();
    EXPECT_EQ(kept->table(), nullptr);
    EXPECT_FALSE(kept->active());
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(edit->text(), "");
    EXPECT_FALSE(navigator->button(Button::Next)->isEnabled());
    navigator->click(Button::Next);
    QApplication::processEvents();
    delete kept; // after its table: it must not reach back into it
    EXPECT_TRUE(messageTexts().isEmpty());
}

// Closing is not going: the format dialog closes its table on leaving and
// opens it again when shown, under the same data source.
TEST_F(DataAware, TableClosedAndOpenedAgainStaysUnderItsSource) {
    DBGrid* grid = formatGrid();
    auto* edit = boundEdit("Name");
    formaty->close();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(source->table(), formaty.get());
    formaty->open();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(edit->text(), "A3");
}

// ---------------------------------------------------------------------------
// Grid: editing in place

TEST_F(DataAware, TypingIntoTheGridWithoutAutoEditChangesNothing) {
    source->setAutoEdit(false);
    DBGrid* grid = formatGrid();
    showWindow();
    grid->setFocus();
    clickRow(*grid, 1);
    typeText(grid, "B5");
    pressKey(grid, Qt::Key_Return);
    EXPECT_EQ(grid->cellEditor(), nullptr);
    EXPECT_EQ(formaty->state(), Table::State::Browse);
    EXPECT_EQ(cell(*grid, 1, 0), "A4");
    EXPECT_EQ(storedFormats(), QStringList({"A3=8", "A4=16", "A5=32"}));
}

TEST_F(DataAware, GridEditIsStoredByPostAndDroppedByCancel) {
    source->setAutoEdit(false);
    DBGrid* grid = formatGrid();
    showWindow();
    grid->setFocus();
    clickRow(*grid, 1);

    formaty->edit();
    typeText(grid, "B5");
    pressKey(grid, Qt::Key_Return);
    EXPECT_EQ(formaty->fieldByName("Name").asString(), "B5");
    formaty->cancel();
    EXPECT_EQ(cell(*grid, 1, 0), "A4");

    formaty->edit();
    grid->setFocus();
    typeText(grid, "B5");
    pressKey(grid, Qt::Key_Return);
    formaty->post();
    EXPECT_EQ(storedFormats(), QStringList({"A3=8", "B5=16", "A5=32"}));
}

TEST_F(DataAware, GridWithAutoEditStartsEditingOnTheFirstKey) {
    DBGrid* grid = formatGrid();
    showWindow();
    grid->setFocus();
    clickRow(*grid, 0, 1);
    typeText(grid, "4");
    EXPECT_EQ(formaty->state(), Table::State::Edit);
    ASSERT_NE(grid->cellEditor(), nullptr);
    pressKey(grid, Qt::Key_Return);
    formaty->post();
    EXPECT_EQ(storedFormats(), QStringList({"A3=4", "A4=16", "A5=32"}));
}

// Inserting from the grid is the form's choice: off, Insert and Down on the
// last row add nothing; on, they insert and append through the table, whose
// insert handlers run.
TEST_F(DataAware, GridInsertsAndAppendsOnlyWhenAllowed) {
    int inserts = 0;
    formaty->afterInsert = [&inserts](Table& t) {
        ++inserts;
        t.fieldByName("Ratio").setAsFloat(1);
    };
    DBGrid* grid = formatGrid();
    showWindow();
    grid->setFocus();
    clickRow(*grid, 2);
    pressKey(grid, Qt::Key_Down);
    pressKey(grid, Qt::Key_Insert);
    EXPECT_EQ(formaty->state(), Table::State::Browse);
    EXPECT_EQ(inserts, 0);

    grid->setAllowInsert(true);
    pressKey(grid, Qt::Key_Down);
    ASSERT_EQ(formaty->state(), Table::State::Insert);
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    pressKey(grid, Qt::Key_Down); // untouched: no second row
    EXPECT_EQ(grid->model()->rowCount(), 4);
    typeText(grid, "C4");
    pressKey(grid, Qt::Key_Return);
    pressKey(grid, Qt::Key_Down);
    EXPECT_EQ(storedFormats(), QStringList({"A3=8", "A4=16", "A5=32", "C4=1"}));
    pressKey(grid, Qt::Key_Up); // the untouched new row goes again
    EXPECT_EQ(grid->model()->rowCount(), 4);
    clickRow(*grid, 0);
    pressKey(grid, Qt::Key_Insert);
    ASSERT_EQ(formaty->state(), Table::State::Insert);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(inserts, 3);
    formaty->cancel();
    grid->setReadOnly(true);
    pressKey(grid, Qt::Key_Insert);
    EXPECT_EQ(formaty->state(), Table::State::Browse);
}

TEST_F(DataAware, AlphaCellTakesNoMoreThanItsFieldSize) {
    DBGrid* grid = formatGrid();
    showWindow();
    grid->setFocus();
    clickRow(*grid, 0);
    typeText(grid, "ABCDEFGHIJ");
    auto* editor = qobject_cast<QLineEdit*>(grid->cellEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "ABCDEF");
}

TEST_F(DataAware, ReadOnlyGridOpensNoEditor) {
    DBGrid* grid = formatGrid(true);
    showWindow();
    grid->setFocus();
    clickRow(*grid, 0);
    typeText(grid, "X");
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                       grid->visualRect(grid->model()->index(0, 0)).center());
    EXPECT_EQ(grid->cellEditor(), nullptr);
    EXPECT_EQ(formaty->state(), Table::State::Browse);
}

TEST_F(DataAware, BadNumberInACellIsShownAndNotWritten) {
    DBGrid* grid = formatGrid();
    showWindow();
    grid->setFocus();
    clickRow(*grid, 0, 1);
    typeText(grid, "x");
    pressKey(grid, Qt::Key_Return);
    EXPECT_EQ(messageTexts(), QStringList({"'x' is not a valid floating point value"}));
    EXPECT_EQ(formaty->fieldByName("Ratio").asString(), "8");
    EXPECT_EQ(cell(*grid, 0, 1), "8");
}

TEST_F(DataAware, BadNumberLeftInACellStopsTheMove) {
    DBGrid* grid = formatGrid();
    showWindow();
    grid->setFocus();
    clickRow(*grid, 0, 1);
    typeText(grid, "x");
    clickRow(*grid, 2, 1);
    EXPECT_EQ(messageTexts(), QStringList({"'x' is not a valid floating point value"}));
    EXPECT_EQ(formaty->recNo(), 1);
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

// ---------------------------------------------------------------------------
// Grid: keys and the delete confirmation

struct DeleteCase {
    const char* name;
    bool readOnly;
    bool confirm;
    Answer answer;
    int rowsLeft;
    int questions;
};

class GridDelete : public DataAware, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(GridDelete, CtrlDeleteAsksThenDeletesTheCurrentRow) {
    const DeleteCase& c = GetParam();
    DBGrid* grid = formatGrid(c.readOnly);
    grid->setConfirmDelete(c.confirm);
    showWindow();
    grid->setFocus();
    clickRow(*grid, 1);
    tv::ui::pushTestAnswer(c.answer);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(formaty->recordCount(), c.rowsLeft);
    ASSERT_EQ(tv::ui::shownMessages().size(), c.questions);
    if (c.questions) {
        const tv::ui::ShownMessage& question = tv::ui::shownMessages().first();
        EXPECT_EQ(question.text, QString::fromUtf8("Usunąć rekord?"));
        EXPECT_EQ(question.buttons, tv::ui::Buttons::YesNo);
    }
    if (c.rowsLeft == 2) {
        EXPECT_EQ(storedFormats(), QStringList({"A3=8", "A5=32"}));
        EXPECT_EQ(cell(*grid, 1, 0), "A5");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GridDelete,
                         ::testing::Values(DeleteCase{"Yes", false, true, Answer::Yes, 2, 1},
                                           DeleteCase{"No", false, true, Answer::No, 3, 1},
                                           DeleteCase{"NoConfirmation", false, false, Answer::No, 2, 0},
                                           DeleteCase{"ReadOnly", true, true, Answer::Yes, 3, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataAware, CtrlDeleteOnAnEmptyTableAsksNothing) {
    formaty->emptyTable();
    DBGrid* grid = formatGrid();
    showWindow();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(tv::ui::shownMessages().isEmpty());
}

// A form's key handler, installed as an event filter on the grid: Enter posts
// the row being edited, as the forms' "confirm" commands do.
class PostOnEnter : public QObject {
public:
    explicit PostOnEnter(Table* table) : m_table(table) {}
    QList<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        keys << key;
        if (key == Qt::Key_Return && m_table->state() != Table::State::Browse) m_table->post();
        return key == Qt::Key_F5; // a key the form consumes
    }

private:
    Table* m_table;
};

TEST_F(DataAware, KeysReachTheFormAlsoFromTheCellEditor) {
    DBGrid* grid = formatGrid();
    PostOnEnter handler(formaty.get());
    grid->installEventFilter(&handler);
    showWindow();
    grid->setFocus();
    clickRow(*grid, 2);
    pressKey(grid, Qt::Key_Down);
    typeText(grid, "C6");
    ASSERT_NE(grid->cellEditor(), nullptr);
    pressKey(grid, Qt::Key_F5);
    pressKey(grid, Qt::Key_Return);
    EXPECT_EQ(handler.keys, QList<int>({Qt::Key_Down, Qt::Key_C, Qt::Key_6, Qt::Key_F5, Qt::Key_Return}));
    // The post the form made on Enter stored what was in the editor.
    EXPECT_EQ(formaty->state(), Table::State::Browse);
    EXPECT_EQ(storedFormats(), QStringList({"A3=8", "A4=16", "C6=32"}));
    EXPECT_EQ(grid->cellEditor(), nullptr);
}

// ---------------------------------------------------------------------------
// Grid over many rows

TEST_F(DataAware, GridOverManyRowsReadsOnlyTheRowsItShows) {
    Table papkol("parts.db");
    papkol.open();
    tv::Database::instance().transaction([&] {
        for (int i = 1; i <= 20000; ++i) {
            papkol.append();
            papkol.fieldByName("Code").setAsString("A4");
            papkol.fieldByName("Qty").setAsInteger(i);
            papkol.fieldByName("Cost").setAsString("1,5");
            papkol.post();
        }
    });
    papkol.first();
    tv::ui::DataSource lines(&papkol);
    auto* grid = add(new DBGrid);
    grid->setDataSource(&lines);
    grid->setColumns({{"Code", "Format"}, {"Qty", "Ilość arkuszy"}, {"Cost", "Koszt"}});
    grid->setReadOnly(true);
    showWindow();
    EXPECT_EQ(grid->model()->rowCount(), 20000);
    papkol.last();
    QApplication::processEvents();
    EXPECT_EQ(grid->currentIndex().row(), 19999);
    EXPECT_EQ(cell(*grid, 19999, 1), "20000");
    EXPECT_EQ(cell(*grid, 19998, 2), "1,50");
    clickRow(*grid, 19995);
    EXPECT_EQ(papkol.recNo(), 19996);
    EXPECT_LT(grid->gridModel()->rowsRead(), 200);
}

// ---------------------------------------------------------------------------
// Navigator

TEST_F(DataAware, NavigatorShowsTheChosenButtonsWithTheirHints) {
    auto* navigator = add(new DBNavigator);
    navigator->setDataSource(source);
    navigator->setVisibleButtons({Button::First, Button::Prior, Button::Next, Button::Last, Button::Edit,
                                  Button::Post, Button::Cancel, Button::Refresh});
    const QStringList hints = {"Pierwsza pozycja", "Poprzednia pozycja", "Następna pozycja",
                               "Ostatnia pozycja", "Modyfikuj pozycję",  "Potwierdź zmianę",
                               "Anuluj zmianę",    "Odśwież dane"};
    navigator->setHints(hints);
    showWindow();
    const QVector<Button> shown = navigator->visibleButtons();
    ASSERT_EQ(shown.size(), 8);
    EXPECT_FALSE(navigator->button(Button::Insert)->isVisible());
    EXPECT_FALSE(navigator->button(Button::Delete)->isVisible());
    for (int i = 0; i < shown.size(); ++i) {
        QToolButton* button = navigator->button(shown[i]);
        EXPECT_EQ(button->toolTip(), hints[i]);
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(button->icon().isNull());
    }
    const int left = navigator->button(Button::Last)->geometry().left();
    EXPECT_GT(navigator->button(Button::Edit)->geometry().left(), left);
}

TEST_F(DataAware, NavigatorMovesTheCursorAndKeepsItsButtonsFitting) {
    auto* navigator = add(new DBNavigator);
    navigator->setDataSource(source);
    showWindow();
    auto enabled = [&](Button b) { return navigator->button(b)->isEnabled(); };
    EXPECT_FALSE(enabled(Button::First));
    EXPECT_FALSE(enabled(Button::Prior));
    EXPECT_TRUE(enabled(Button::Next));
    EXPECT_FALSE(enabled(Button::Post));
    EXPECT_FALSE(enabled(Button::Cancel));

    QTest::mouseClick(navigator->button(Button::Next), Qt::LeftButton);
    EXPECT_EQ(formaty->recNo(), 2);
    QTest::mouseClick(navigator->button(Button::Last), Qt::LeftButton);
    EXPECT_EQ(formaty->recNo(), 3);
    EXPECT_FALSE(enabled(Button::Next));
    EXPECT_FALSE(enabled(Button::Last));
    QTest::mouseClick(navigator->button(Button::Prior), Qt::LeftButton);
    EXPECT_EQ(formaty->recNo(), 2);
    QTest::mouseClick(navigator->button(Button::First), Qt::LeftButton);
    EXPECT_EQ(formaty->recNo(), 1);

    QTest::mouseClick(navigator->button(Button::Edit), Qt::LeftButton);
    EXPECT_EQ(formaty->state(), Table::State::Edit);
    EXPECT_TRUE(enabled(Button::Post));
    EXPECT_TRUE(enabled(Button::Cancel));
    EXPECT_FALSE(enabled(Button::Edit));
}

TEST_F(DataAware, NavigatorPostsAndCancelsWhatTheEditsHold) {
    source->setAutoEdit(false);
    auto* name = boundEdit("Name");
    auto* navigator = add(new DBNavigator);
    navigator->setDataSource(source);
    showWindow();
    name->setFocus();

    QTest::mouseClick(navigator->button(Button::Edit), Qt::LeftButton);
    name->selectAll();
    QTest::keyClicks(name, "B4");
    EXPECT_TRUE(name->hasFocus()); // the buttons never take the focus
    QTest::mouseClick(navigator->button(Button::Cancel), Qt::LeftButton);
    EXPECT_EQ(name->text(), "A3");

    QTest::mouseClick(navigator->button(Button::Edit), Qt::LeftButton);
    name->selectAll();
    QTest::keyClicks(name, "B4");
    QTest::mouseClick(navigator->button(Button::Post), Qt::LeftButton);
    EXPECT_EQ(formaty->state(), Table::State::Browse);
    EXPECT_EQ(storedFormats(), QStringList({"B4=8", "A4=16", "A5=32"}));
}

TEST_F(DataAware, NavigatorInsertsAndDeletesAfterTheQuestion) {
    auto* navigator = add(new DBNavigator);
    navigator->setDataSource(source);
    showWindow();
    formaty->last();
    tv::ui::pushTestAnswer(Answer::No);
    navigator->click(Button::Delete);
    EXPECT_EQ(formaty->recordCount(), 3);
    tv::ui::pushTestAnswer(Answer::Yes);
    navigator->click(Button::Delete);
    EXPECT_EQ(formaty->recordCount(), 2);
    EXPECT_EQ(messageTexts(), QStringList({"Usunąć rekord?", "Usunąć rekord?"}));

    navigator->click(Button::Insert);
    EXPECT_EQ(formaty->state(), Table::State::Insert);
    formaty->fieldByName("Name").setAsString("B2");
    formaty->fieldByName("Ratio").setAsFloat(4);
    navigator->click(Button::Post);
    EXPECT_EQ(formaty->recordCount(), 3);
    EXPECT_TRUE(storedFormats().contains("B2=4"));
}

TEST_F(DataAware, NavigatorShowsAFailedPostAndKeepsTheRow) {
    auto* price = boundEdit("Ratio");
    auto* navigator = add(new DBNavigator);
    navigator->setDataSource(source);
    showWindow();
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, "abc");
    QSignalSpy clicked(navigator, &DBNavigator::clicked);
    navigator->click(Button::Post);
    EXPECT_EQ(messageTexts(), QStringList({"'abc' is not a valid floating point value"}));
    EXPECT_EQ(formaty->state(), Table::State::Edit);
    EXPECT_EQ(price->text(), "abc");
    EXPECT_EQ(clicked.count(), 0);
}

// ---------------------------------------------------------------------------
// Data-aware edit and text

TEST_F(DataAware, EditShowsTheCurrentRowAndReportsEachChange) {
    tv::ui::DBEdit edit;
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    edit.setDataSource(source);
    edit.setDataField("Ratio");
    EXPECT_EQ(edit.text(), "8");
    formaty->next();
    EXPECT_EQ(edit.text(), "16");
    formaty->refresh();
    formaty->edit();
    formaty->cancel();
    EXPECT_EQ(changes.count(), 2); // "8", then "16"; the same text again is no change
    formaty->close();
    EXPECT_EQ(edit.text(), "");
}

TEST_F(DataAware, TextLabelFollowsTheRow) {
    tv::ui::DBText label;
    label.setDataSource(source);
    label.setDataField("Name");
    EXPECT_EQ(label.text(), "A3");
    formaty->last();
    EXPECT_EQ(label.text(), "A5");
    formaty->edit();
    formaty->fieldByName("Name").setAsString("A6");
    EXPECT_EQ(label.text(), "A6");
}

TEST_F(DataAware, TypingWithoutAutoEditChangesNothingUntilEdit) {
    source->setAutoEdit(false);
    auto* name = boundEdit("Name");
    showWindow();
    name->setFocus();
    QTest::keyClicks(name, "X");
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(name->text(), "A3");
    EXPECT_EQ(formaty->state(), Table::State::Browse);
    name->insert("Y"); // text put in another way than by keys
    EXPECT_EQ(name->text(), "A3");

    formaty->edit();
    QTest::keyClicks(name, "X");
    EXPECT_EQ(name->text(), "A3X");
    EXPECT_TRUE(name->isPending());
}

TEST_F(DataAware, TypingWithAutoEditStartsEditing) {
    auto* name = boundEdit("Name");
    showWindow();
    name->setFocus();
    name->end(false);
    QTest::keyClicks(name, "+");
    EXPECT_EQ(formaty->state(), Table::State::Edit);
    EXPECT_EQ(name->text(), "A3+");
}

TEST_F(DataAware, PostByTheFormsOwnCommandStoresThePendingText) {
    auto* name = boundEdit("Name");
    showWindow();
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "B0");
    EXPECT_EQ(formaty->fieldByName("Name").asString(), "A3"); // not written while typing
    formaty->post();
    EXPECT_EQ(storedFormats(), QStringList({"B0=8", "A4=16", "A5=32"}));
    EXPECT_FALSE(name->isPending());
}

TEST_F(DataAware, MovingTheCursorPostsThePendingText) {
    auto* name = boundEdit("Name");
    showWindow();
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "B0");
    formaty->next();
    EXPECT_EQ(name->text(), "A4");
    EXPECT_EQ(storedFormats(), QStringList({"B0=8", "A4=16", "A5=32"}));
}

TEST_F(DataAware, LeavingTheEditWritesTheField) {
    auto* price = boundEdit("Ratio");
    auto* other = add(new QLineEdit);
    showWindow();
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, "0,5");
    other->setFocus();
    EXPECT_EQ(formaty->fieldByName("Ratio").asFloat(), 0.5);
    EXPECT_EQ(formaty->state(), Table::State::Edit); // written, not posted
    EXPECT_EQ(storedFormats().first(), "A3=8");
}

TEST_F(DataAware, LeavingWithABadNumberKeepsTheFocusAndTheText) {
    auto* price = boundEdit("Ratio");
    auto* other = add(new QLineEdit);
    showWindow();
    price->setFocus();
    price->selectAll();
    QTest::keyClicks(price, "1,2,3");
    other->setFocus();
    EXPECT_EQ(messageTexts(), QStringList({"'1,2,3' is not a valid floating point value"}));
    for (int i = 0; i < 100 && !price->hasFocus(); ++i)
        QTest::qWait(10);
    EXPECT_TRUE(price->hasFocus());
    EXPECT_EQ(price->text(), "1,2,3");
    EXPECT_EQ(formaty->fieldByName("Ratio").asFloat(), 8);
    // The post cannot store it either; the row stays pending.
    EXPECT_THROW(formaty->post(), tv::EConvertError);
    EXPECT_EQ(formaty->state(), Table::State::Edit);
}

TEST_F(DataAware, EscapeGivesBackTheFieldText) {
    auto* name = boundEdit("Name");
    showWindow();
    name->setFocus();
    QTest::keyClicks(name, "Q");
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(name->text(), "A3");
    EXPECT_FALSE(name->isPending());
}

// An alpha field holds code page 1250 text: a character outside it never
// reaches the screen, typed or pasted, so what is stored is what was shown.
// The grid's cell editor keeps to the same characters.
TEST_F(DataAware, AlphaEditsAndCellsTakeOnlyWhatCodePage1250Holds) {
    auto* name = boundEdit("Name");
    DBGrid* grid = formatGrid();
    showWindow();
    name->setFocus();
    name->selectAll();
    tvtest::typeText(name, QString::fromUtf8("ΩŻ€"));
    EXPECT_EQ(name->text(), QString::fromUtf8("Ż€"));
    name->insert(QString::fromUtf8("a\u4E2Db")); // pasted
    EXPECT_EQ(name->text(), QString::fromUtf8("Ż€ab"));
    EXPECT_EQ(name->cursorPosition(), 4);
    formaty->post();
    EXPECT_EQ(storedFormats().first(), QString::fromUtf8("Ż€ab=8"));

    grid->setFocus();
    clickRow(*grid, 1);
    tvtest::typeText(grid->viewport(), QString::fromUtf8("łΩ"));
    auto* editor = qobject_cast<QLineEdit*>(grid->cellEditor());
    ASSERT_NE(editor, nullptr);
    tvtest::typeText(editor, QString::fromUtf8("Ωó"));
    EXPECT_EQ(editor->text(), QString::fromUtf8("łó"));
}

TEST_F(DataAware, EditLimitsAlphaFieldsToTheirSizeAndKeepsAutoIncrementsReadOnly) {
    auto* name = boundEdit("Name");
    auto* number = boundEdit("Nr");
    showWindow();
    EXPECT_EQ(name->maxLength(), 6);
    const QString nr = number->text();
    number->setFocus();
    QTest::keyClicks(number, "9");
    EXPECT_EQ(number->text(), nr);
    EXPECT_EQ(formaty->state(), Table::State::Browse);
}

TEST_F(DataAware, ReadOnlyEditNeverStartsEditing) {
    auto* name = boundEdit("Name");
    name->setReadOnly(true);
    showWindow();
    name->setFocus();
    QTest::keyClicks(name, "Z");
    EXPECT_EQ(name->text(), "A3");
    EXPECT_EQ(formaty->state(), Table::State::Browse);
}

// ---------------------------------------------------------------------------
// Lookup combo box

class Lookup : public DataAware {
protected:
    void SetUp() override {
        DataAware::SetUp();
        rodzpap = std::make_unique<Table>("picklist.db");
        rodzpap->open();
        for (const char* name : {"Kreda", "Offset", "Karton"}) {
            rodzpap->append();
            rodzpap->fieldByName("Name").setAsString(name);
            rodzpap->post();
        }
        rodzpap->first();
        kinds = std::make_unique<tv::ui::DataSource>(rodzpap.get());
        box = add(new tv::ui::DBLookupComboBox);
        box->setListSource(kinds.get());
        box->setListField("Name");
        box->setKeyField("Nr");
    }

    int currentNr() { return rodzpap->fieldByName("Nr").asInteger(); }

    std::unique_ptr<Table> rodzpap;
    std::unique_ptr<tv::ui::DataSource> kinds;
    tv::ui::DBLookupComboBox* box = nullptr;
};

TEST_F(Lookup, FillsFromTheListTableAndShowsNothingAtFirst) {
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(0), "Kreda");
    EXPECT_EQ(box->itemText(2), "Karton");
    EXPECT_EQ(box->text(), "");
    EXPECT_TRUE(box->keyValue().isNull());
}

TEST_F(Lookup, ChoosingMovesTheListTableAndClosesUpOnce) {
    QSignalSpy closeUps(box, &tv::ui::DBLookupComboBox::closeUp);
    box->setText("Kreda");
    showWindow();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->text(), "Offset");
    EXPECT_EQ(rodzpap->recNo(), 2);
    EXPECT_EQ(box->keyValue().toInt(), currentNr());
    EXPECT_EQ(closeUps.count(), 1);
}

TEST_F(Lookup, ChoosingFromTheOpenListMovesTheListTable) {
    QSignalSpy closeUps(box, &tv::ui::DBLookupComboBox::closeUp);
    showWindow();
    box->showPopup();
    QAbstractItemView* list = box->view();
    list->setCurrentIndex(list->model()->index(2, 0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(box->text(), "Karton");
    EXPECT_EQ(rodzpap->fieldByName("Name").asString(), "Karton");
    EXPECT_EQ(closeUps.count(), 1);
}

TEST_F(Lookup, CodeSettingTheTextEmitsNothingAndMovesNothing) {
    QSignalSpy closeUps(box, &tv::ui::DBLookupComboBox::closeUp);
    QSignalSpy activated(box, &QComboBox::activated);
    box->setText("Karton");
    EXPECT_EQ(box->text(), "Karton");
    EXPECT_EQ(rodzpap->recNo(), 1);
    box->setText("Brak");
    EXPECT_EQ(box->text(), "");
    box->setKeyValue(2);
    EXPECT_EQ(box->text(), "Offset");
    box->setText("");
    EXPECT_EQ(box->text(), "");
    EXPECT_EQ(closeUps.count(), 0);
    EXPECT_EQ(activated.count(), 0);
}

TEST_F(Lookup, RefillsWhenTheListTableChangesAndKeepsTheShownItem) {
    box->setText("Offset");
    QSignalSpy closeUps(box, &tv::ui::DBLookupComboBox::closeUp);
    rodzpap->append();
    rodzpap->fieldByName("Name").setAsString("Bibuła");
    rodzpap->post();
    EXPECT_EQ(box->count(), 4);
    EXPECT_EQ(box->itemText(3), QString::fromUtf8("Bibuła"));
    EXPECT_EQ(box->text(), "Offset");
    rodzpap->first();
    rodzpap->remove();
    EXPECT_EQ(box->count(), 3);
    EXPECT_EQ(box->text(), "Offset");
    EXPECT_EQ(closeUps.count(), 0);
}

} // namespace
