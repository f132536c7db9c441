#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/errors.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"

using namespace tv::ui;

// Readable failures: texts print as texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// A small form: two edits, a combo box, a check box and a speed button.
struct Form {
    QWidget window;
    QLineEdit* a = new QLineEdit(&window);
    QLineEdit* b = new QLineEdit(&window);
    QComboBox* combo = new QComboBox(&window);
    QCheckBox* check = new QCheckBox(&window);
    SpeedButton* button = new SpeedButton("Zamknij", &window);
    QStringList log;

    Form() {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(a), static_cast<QWidget*>(b), static_cast<QWidget*>(combo),
                           static_cast<QWidget*>(check), static_cast<QWidget*>(button)})
            layout->addWidget(w);
        combo->setEditable(true);
        combo->addItems({"0", "7", "22"});
        onEnter(a, [this] { log << "enter a"; });
        onExit(a, [this] { log << "exit a"; });
        onEnter(b, [this] { log << "enter b"; });
        onChange(a, [this] { log << "change a:" + a->text(); });
        onChange(combo, [this] { log << "change combo:" + combo->currentText(); });
        onClick(check, [this] { log << QString("click %1").arg(check->isChecked()); });
        onClick(button, [this] { log << "button"; });
        onKeyDown(a, [this](int& key, Qt::KeyboardModifiers) {
            if (key == VK_RETURN) log << "enter key";
        });
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // What ran after the form came up (the first control is entered on show).
    QStringList since() {
        QStringList l = log;
        l.removeAll("enter a");
        return l;
    }
};

} // namespace

TEST(FormLayer, EnterAndExitFollowTheFocusWithinTheForm) {
    Form f;
    f.a->setFocus();
    QTest::keyClick(f.a, Qt::Key_Tab);
    EXPECT_EQ(f.log, (QStringList{"enter a", "exit a", "enter b"}));
}

TEST(FormLayer, ReactivatingTheFormEntersNothingAgain) {
    Form f;
    QTest::keyClick(f.a, Qt::Key_Tab);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    EXPECT_TRUE(f.b->hasFocus());
    EXPECT_EQ(f.log, (QStringList{"enter a", "exit a", "enter b"}));
}

TEST(FormLayer, SpeedButtonTakesNoFocusSoExitDoesNotRun) {
    Form f;
    f.a->setFocus();
    f.log.clear();
    QTest::mouseClick(f.button, Qt::LeftButton);
    EXPECT_EQ(f.log, (QStringList{"button"}));
    EXPECT_TRUE(f.a->hasFocus());
}

TEST(FormLayer, EditChangeRunsOnEveryRealChangeByOperatorOrCode) {
    Form f;
    f.a->setText("12");
    f.a->setText("12"); // the same text: nothing
    f.a->setFocus();
    QTest::keyClick(f.a, Qt::Key_5);
    // The first control is entered when the form is shown.
    EXPECT_EQ(f.log, (QStringList{"enter a", "change a:12", "change a:125"}));
}

TEST(FormLayer, ComboChangeRunsOnlyForTheOperator) {
    Form f;
    f.combo->setEditText("7");
    f.combo->setCurrentIndex(2);
    EXPECT_TRUE(f.since().isEmpty());
    f.combo->setFocus();
    f.log.clear();
    f.combo->lineEdit()->selectAll();
    QTest::keyClicks(f.combo->lineEdit(), "1");
    EXPECT_EQ(f.log, (QStringList{"change combo:1"}));
}

TEST(FormLayer, LeavingOrEnterInAComboReportsNoSecondChange) {
    Form f;
    f.combo->setFocus();
    f.log.clear();
    f.combo->lineEdit()->selectAll();
    QTest::keyClicks(f.combo->lineEdit(), "22");
    QTest::keyClick(f.combo->lineEdit(), Qt::Key_Return);
    QTest::keyClick(f.combo->lineEdit(), Qt::Key_Tab);
    EXPECT_EQ(f.log, (QStringList{"change combo:2", "change combo:22"}));
    // Once the finish is over, a choice from the list counts again.
    QCoreApplication::processEvents();
    f.combo->setFocus();
    QTest::keyClick(f.combo->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(f.log.last(), QString("change combo:7"));
}

TEST(FormLayer, ChoosingFromTheListIsTheOperatorsChange) {
    Form f;
    f.combo->setFocus();
    f.log.clear();
    QTest::keyClick(f.combo->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(f.log, (QStringList{"change combo:7"}));
}

TEST(FormLayer, CheckBoxClickRunsOnRealStateChangesFromCodeEvenWhenDisabled) {
    Form f;
    f.check->setEnabled(false);
    f.check->setChecked(true);
    f.check->setChecked(true);
    f.check->setChecked(false);
    EXPECT_EQ(f.since(), (QStringList{"click 1", "click 0"}));
}

TEST(FormLayer, KeyDownGivesTheVirtualKeyCode) {
    Form f;
    f.a->setFocus();
    f.log.clear();
    QTest::keyClick(f.a, Qt::Key_Return);
    QTest::keyClick(f.a, Qt::Key_Enter);
    EXPECT_EQ(f.log, (QStringList{"enter key", "enter key"}));
    EXPECT_TRUE(f.a->hasFocus());
}

TEST(FormLayer, ExceptionInAHandlerIsShownAndTheRestIsSkipped) {
    clearShownMessages();
    setAnswerer([](const ShownMessage&) { return Answer::Ok; });
    QLineEdit edit;
    int after = 0;
    onChange(&edit, [&] {
        throw tv::EConvertError("'x' is not a valid floating point value");
        ++after;
    });
    edit.setText("x");
    setAnswerer({});
    ASSERT_EQ(shownMessages().size(), 1);
    EXPECT_EQ(shownMessages()[0].text, QString("'x' is not a valid floating point value"));
    EXPECT_EQ(shownMessages()[0].caption, QString("Tarvelino"));
    EXPECT_EQ(after, 0);
    clearShownMessages();
}

TEST(FormLayer, AbortIsSilent) {
    clearShownMessages();
    setAnswerer([](const ShownMessage&) { return Answer::Ok; });
    guard([] { throw tv::EAbort(); });
    setAnswerer({});
    EXPECT_TRUE(shownMessages().isEmpty());
}

TEST(FormLayer, PanelButtonShowsItsPressColourWhileDown) {
    QWidget w;
    auto* panel = new PanelButton("dodaj", &w);
    panel->resize(80, 24);
    panel->setColours(8257541, 12648458);
    int clicks = 0;
    onClick(panel, [&] { ++clicks; });
    w.show();
    EXPECT_EQ(panel->colour(), 8257541);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(5, 0, 126));
    QTest::mousePress(panel, Qt::LeftButton);
    EXPECT_EQ(panel->colour(), 12648458);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(10, 0, 193));
    QTest::mouseRelease(panel, Qt::LeftButton);
    EXPECT_EQ(panel->colour(), 8257541);
    EXPECT_EQ(clicks, 1);
}

TEST(MessageSeam, QueuedAnswersComeFirstAndEveryBoxIsRecorded) {
    clearShownMessages();
    pushTestAnswer(Answer::No);
    EXPECT_FALSE(askYesNo("Czy zapisać kalkulację?"));
    ASSERT_EQ(shownMessages().size(), 1);
    EXPECT_EQ(shownMessages()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(shownMessages()[0].caption, QString());
    clearShownMessages();
}

TEST(FileDialog, OpensInsideTheFormsFolderMakingItWhenMissing) {
    QTemporaryDir work;
    const QString folder = work.filePath("Kalkulacje");
    QString shownFolder;
    QString shownName = "?";
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                shownFolder = dialog->directory().absolutePath();
                if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) shownName = name->text();
                dialog->reject();
            }
    });
    const QString chosen = runFileDialog({"Zachowaj jako..", "Kalkulacje|*.clc", "clc", folder, true, true});
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(shownFolder, folder);
    // The folder's own name is not offered as the file name.
    EXPECT_EQ(shownName, QString());
}

// ---- the widgets' locale ---------------------------------------------------------

// Under a C or POSIX system locale the regional settings are Polish, and so
// are the calendars and date boxes; a real system locale is kept as it is.
TEST(ProgramLocale, WidgetsFollowTheRegionalSettingsInUse) {
    const QLocale before;
    struct Case {
        QLocale system;
        QLocale::Language language;
        const char* december;
        const char* monday;
    } cases[] = {{QLocale::c(), QLocale::Polish, "grudzień", "poniedziałek"},
                 {QLocale(QLocale::Polish, QLocale::Poland), QLocale::Polish, "grudzień", "poniedziałek"},
                 {QLocale(QLocale::German, QLocale::Germany), QLocale::German, "Dezember", "Montag"}};
    for (const Case& c : cases) {
        tv::ui::useProgramLocale(c.system);
        QDateEdit date;
        date.setCalendarPopup(true);
        const QLocale shown = date.calendarWidget()->locale();
        EXPECT_EQ(shown.language(), c.language) << c.system.name().toStdString();
        EXPECT_EQ(shown.standaloneMonthName(12), QString::fromUtf8(c.december));
        EXPECT_EQ(shown.dayName(1), QString::fromUtf8(c.monday));
        EXPECT_EQ(date.locale().language(), c.language);
    }
    QLocale::setDefault(before);
}

// The file dialog's sizes and dates follow the regional settings in use too,
// whatever the system locale: under a C or POSIX system they are Polish. The
// file is still chosen from its row.
TEST(ProgramLocale, FileDialogShowsSizesAndDatesInTheRegionalSettings) {
    const QLocale before;
    QTemporaryDir work;
    const QDateTime modified(QDate(2026, 12, 10), QTime(9, 5));
    QFile saved(work.filePath("oferta.clc"));
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    saved.write(QByteArray(1536, 'k'));
    saved.flush();
    ASSERT_TRUE(saved.setFileTime(modified, QFileDevice::FileModificationTime));
    saved.close();
    struct Case {
        QLocale system;
        QLocale shown;
    } cases[] = {{QLocale::c(), QLocale(QLocale::Polish, QLocale::Poland)},
                 {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::German, QLocale::Germany)}};
    for (const Case& c : cases) {
        tv::ui::useProgramLocale(c.system);
        QString size;
        QString date;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                    auto* view = dialog->findChild<QTreeView*>("treeView");
                    QModelIndex file;
                    EXPECT_TRUE(QTest::qWaitFor([&] {
                        const QAbstractItemModel* model = view->model();
                        for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
                            if (model->index(row, 0, view->rootIndex()).data().toString() == "oferta.clc")
                                file = model->index(row, 0, view->rootIndex());
                        return file.isValid();
                    }));
                    size = file.siblingAtColumn(1).data().toString();
                    date = file.siblingAtColumn(3).data().toString();
                    // The row shown is still the file chosen.
                    view->setFocus();
                    view->setCurrentIndex(file);
                    QTest::keyClick(view, Qt::Key_Return);
                    if (dialog->isVisible()) dialog->reject();
                }
        });
        EXPECT_EQ(runFileDialog({"Otwórz", "Kalkulacje|*.clc", "clc", work.path(), false, false}),
                  QFileInfo(saved).absoluteFilePath());
        EXPECT_EQ(size, c.shown.formattedDataSize(1536)) << c.system.name().toStdString();
        EXPECT_EQ(date, c.shown.toString(modified, QLocale::ShortFormat)) << c.system.name().toStdString();
    }
    QLocale::setDefault(before);
}
