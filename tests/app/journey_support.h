#pragma once

// What an operator does with the program's windows, as small steps a journey
// test reads like a description of the work: focus a field and type into it,
// leave it, choose a list item, click a button or a panel, type into a grid
// cell, answer the next message box or file dialog.

#include <deque>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

#include "platform/ui/controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/messages.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace journey {

// ---- windows -----------------------------------------------------------------

inline void activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << window->windowTitle().toStdString();
}

// The visible top-level window with that title, or nullptr.
inline QWidget* windowTitled(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title) return w;
    return nullptr;
}

// A window the program has just opened comes to the front, as the desktop
// brings it there.
inline void opened(QWidget* window) {
    ASSERT_TRUE(window->isVisible()) << window->objectName().toStdString() << " did not open";
    ASSERT_NO_FATAL_FAILURE(activate(window));
}

// ---- fields --------------------------------------------------------------------

// Keystrokes of a text, Polish letters included (QTest::keyClicks takes ASCII only).
inline void keys(QWidget* target, const QString& text) {
    for (QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(target, ch.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

// Brings the tab that holds the control to the front, as the operator clicks
// the tab before reaching for the field.
inline void revealTab(QWidget* control) {
    for (QWidget* w = control; w; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (!stack) continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) tabs->setCurrentWidget(w);
    }
}

// The operator moves into the field (with the Tab key or the mouse).
inline void focus(QWidget* control) {
    revealTab(control);
    activate(control->window());
    control->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
}

// Replaces the field's text by typing it, as after selecting the old text.
inline void type(QLineEdit* field, const QString& text) {
    ASSERT_NO_FATAL_FAILURE(focus(field));
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        keys(field, text);
}
inline void type(QComboBox* box, const QString& text) {
    ASSERT_TRUE(box->isEditable()) << box->objectName().toStdString();
    ASSERT_NO_FATAL_FAILURE(type(box->lineEdit(), text));
}

// The operator leaves the field with the Tab key.
inline void leave(QWidget* field) {
    ASSERT_TRUE(field->hasFocus()) << field->objectName().toStdString();
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_FALSE(field->hasFocus()) << field->objectName().toStdString();
}

// Types the text into the field and leaves it.
inline void fill(QLineEdit* field, const QString& text) {
    ASSERT_NO_FATAL_FAILURE(type(field, text));
    ASSERT_NO_FATAL_FAILURE(leave(field));
}

inline void pressEnter(QWidget* field) {
    QTest::keyClick(field, Qt::Key_Return);
}

// Opens the list, walks to the item with the arrow keys and takes it with Enter.
inline void choose(QComboBox* list, const QString& item) {
    revealTab(list);
    ASSERT_NO_FATAL_FAILURE(activate(list->window()));
    const int row = list->findText(item);
    ASSERT_GE(row, 0) << "no item " << item.toStdString() << " in " << list->objectName().toStdString();
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(view->isVisible());
    QTest::keyClick(view, Qt::Key_Home);
    for (int i = 0; i < row; ++i)
        QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_FALSE(view->isVisible());
    ASSERT_EQ(list->currentText(), item) << list->objectName().toStdString();
}

// ---- buttons and panels -----------------------------------------------------------

// A click with the mouse: speed buttons, panels, check and radio buttons alike.
inline void click(QWidget* control) {
    ASSERT_TRUE(control->isVisible()) << control->objectName().toStdString() << " is not shown";
    ASSERT_TRUE(control->isEnabled()) << control->objectName().toStdString() << " is disabled";
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

// ---- grids ---------------------------------------------------------------------

inline int column(const tv::ui::DBGrid* grid, const QString& title) {
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == title) return c;
    ADD_FAILURE() << "no column " << title.toStdString() << " in " << grid->objectName().toStdString();
    return 0;
}

inline QString cell(const tv::ui::DBGrid* grid, int row, const QString& title) {
    return grid->model()->index(row, column(grid, title)).data().toString();
}

// The texts the grid shows in one column, row by row.
inline QStringList columnTexts(const tv::ui::DBGrid* grid, const QString& title) {
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts << cell(grid, row, title);
    return texts;
}

inline void clickCell(tv::ui::DBGrid* grid, int row, const QString& title) {
    const QModelIndex index = grid->model()->index(row, column(grid, title));
    ASSERT_TRUE(index.isValid());
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

// Clicks the cell, types the text (the first key opens the cell's editor)
// and confirms it with Enter.
inline void typeInCell(tv::ui::DBGrid* grid, int row, const QString& title, const QString& text) {
    ASSERT_NO_FATAL_FAILURE(activate(grid->window()));
    ASSERT_NO_FATAL_FAILURE(clickCell(grid, row, title));
    // The first key opens the editor; the whole text then replaces what it holds.
    keys(QApplication::focusWidget(), text.left(1));
    auto* editor = qobject_cast<QLineEdit*>(grid->cellEditor());
    ASSERT_NE(editor, nullptr) << "no editor opened in " << title.toStdString();
    editor->selectAll();
    keys(editor, text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The editor hands its text over from the event loop.
    QApplication::processEvents();
}

// ---- message boxes and file dialogs ---------------------------------------------

// The boxes and file dialogs the operator expects, in order, with the answer
// to give each. A box or dialog nobody expected fails the test (and gets
// "Nie" or a cancel), so that the journey sees every message the program shows.
class Operator {
public:
    Operator() {
        tv::ui::clearShownMessages();
        tv::ui::setAnswerer([this](const tv::ui::ShownMessage& m) { return answerBox(m); });
        tv::ui::setFileAnswerer([this](const tv::ui::FileDialogRequest& r) { return answerFile(r); });
    }
    ~Operator() {
        tv::ui::setAnswerer({});
        tv::ui::setFileAnswerer({});
    }

    void expectBox(const QString& text, tv::ui::Answer answer = tv::ui::Answer::Ok) {
        m_boxes.push_back({text, answer});
    }
    void expectFileDialog(const QString& title, const QString& path) { m_files.push_back({title, path}); }

    // Every expected box and dialog came.
    void checkAllAnswered() {
        for (const auto& box : m_boxes)
            ADD_FAILURE() << "the box " << box.text.toStdString() << " did not come";
        for (const auto& file : m_files)
            ADD_FAILURE() << "the file dialog " << file.title.toStdString() << " did not come";
        m_boxes.clear();
        m_files.clear();
    }

private:
    struct Box {
        QString text;
        tv::ui::Answer answer;
    };
    struct File {
        QString title;
        QString path;
    };

    tv::ui::Answer answerBox(const tv::ui::ShownMessage& m) {
        if (m_boxes.empty()) {
            ADD_FAILURE() << "unexpected box: " << m.text.toStdString() << " (" << m.caption.toStdString()
                          << ")";
            return m.buttons == tv::ui::Buttons::YesNo ? tv::ui::Answer::No : tv::ui::Answer::Ok;
        }
        const Box box = m_boxes.front();
        m_boxes.pop_front();
        EXPECT_EQ(m.text, box.text);
        return box.answer;
    }
    QString answerFile(const tv::ui::FileDialogRequest& r) {
        if (m_files.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << r.title.toStdString();
            return QString();
        }
        const File file = m_files.front();
        m_files.pop_front();
        EXPECT_EQ(r.title, file.title);
        return file.path;
    }

    std::deque<Box> m_boxes;
    std::deque<File> m_files;
};

// ---- files ----------------------------------------------------------------------

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<brak pliku>");
    return file.readAll();
}

// The text of each page of a PDF file, as pdftotext reads it.
inline QStringList pdfPages(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << path.toStdString();
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

} // namespace journey
