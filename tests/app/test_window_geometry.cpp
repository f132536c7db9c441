// Where the windows open and whether what they hold fits them.

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/forms.h"
#include "app/start_screen.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/customers.h"
#include "platform/ui/controls.h"
#include "platform/ui/register_editor.h"
#include "support/app_fixture.h"

namespace {

// The windows are tried on the screen they are designed for: offscreen, a
// 1024 × 768 screen in place of the platform's default one. Set before the
// application object is made.
QTemporaryDir g_screenConfig;
const bool g_onA1024By768Screen = [] {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen") return false;
    QFile config(g_screenConfig.filePath("screen.json"));
    if (!config.open(QIODevice::WriteOnly)) return false;
    config.write(R"({"screens": [{"name": "Ekran", "x": 0, "y": 0, "width": 1024, "height": 768,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    return true;
}();

void showExposed(QWidget* window) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QApplication::processEvents();
}

void expectCentred(QWidget* window) {
    const QPointF centre = QRectF(window->frameGeometry()).center();
    const QPointF screen = QRectF(window->screen()->availableGeometry()).center();
    EXPECT_LE(qAbs(centre.x() - screen.x()), 1.0) << window->objectName().toStdString();
    EXPECT_LE(qAbs(centre.y() - screen.y()), 1.0)
        << window->objectName().toStdString() << " at " << window->x() << "," << window->y() << " on "
        << window->screen()->availableGeometry().width() << "x"
        << window->screen()->availableGeometry().height();
}

// Whether a widget shows whole: inside the visible part of every parent up
// to the window, and at least as large as it needs to be.
void expectUnclipped(QWidget* widget, QWidget* window) {
    const std::string name =
        (widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName())
            .toStdString();
    QRect visible(widget->mapTo(window, QPoint(0, 0)), widget->size());
    for (QWidget* parent = widget->parentWidget(); parent && parent != window->parentWidget();
         parent = parent->parentWidget()) {
        const QRect area(parent->mapTo(window, QPoint(0, 0)), parent->size());
        EXPECT_TRUE(area.contains(visible)) << name << " falls outside " << parent->metaObject()->className();
    }
    const QSize needed = widget->minimumSizeHint();
    EXPECT_GE(widget->width(), needed.width()) << name;
    EXPECT_GE(widget->height(), needed.height()) << name;
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
        EXPECT_GE(label->width(), label->sizeHint().width())
            << name << " „" << label->text().toStdString() << "”";
    }
}

} // namespace

class WindowGeometry : public tvtest::AppFixture {};

TEST_F(WindowGeometry, TheStartScreenOpensCentred) {
    if (g_onA1024By768Screen) {
        EXPECT_EQ(Form_start->screen()->geometry(), QRect(0, 0, 1024, 768));
    }
    showExposed(Form_start);
    expectCentred(Form_start);
}

// The sheet's designed client area below its menu is 644 × 477, fixed (a
// single border), centred, and each of its tabs holds every control whole
// without scrolling.
TEST_F(WindowGeometry, TheSheetHasItsDesignedSizeAndEveryControlFits) {
    showExposed(Form1);
    EXPECT_EQ(Form1->width(), 644);
    EXPECT_EQ(Form1->height() - Form1->menuBar()->height(), 477);
    EXPECT_EQ(Form1->minimumSize(), Form1->maximumSize()) << "the sheet must not be resizable";
    expectCentred(Form1);
    for (QWidget* button : Form1->ToolBar1->findChildren<QToolButton*>())
        if (button->isVisible() && !button->objectName().isEmpty()) expectUnclipped(button, Form1);
    for (int tab = 0; tab < Form1->PageControl1->count(); ++tab) {
        SCOPED_TRACE(Form1->PageControl1->tabText(tab).toStdString());
        Form1->PageControl1->setCurrentIndex(tab);
        QApplication::processEvents();
        auto* scroll = qobject_cast<QScrollArea*>(Form1->PageControl1->widget(tab));
        ASSERT_NE(scroll, nullptr);
        QWidget* page = scroll->widget();
        EXPECT_LE(page->minimumSizeHint().height(), scroll->viewport()->height()) << "the tab would scroll";
        EXPECT_LE(page->minimumSizeHint().width(), scroll->viewport()->width()) << "the tab would scroll";
        int controls = 0;
        for (QWidget* child : page->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(page) || child->parentWidget() == nullptr) continue;
            if (!qobject_cast<QLineEdit*>(child) && !qobject_cast<QComboBox*>(child) &&
                !qobject_cast<QLabel*>(child) && !qobject_cast<QToolButton*>(child) &&
                !qobject_cast<QGroupBox*>(child))
                continue;
            if (qobject_cast<QLineEdit*>(child) && qobject_cast<QComboBox*>(child->parentWidget())) continue;
            expectUnclipped(child, Form1);
            ++controls;
        }
        EXPECT_GT(controls, 10);
    }
}

// The customer register opens centred and fits a 1024 × 768 screen with its
// title bar, commands and search boxes in view.
TEST_F(WindowGeometry, TheCustomerRegisterIsCentredAndFitsA1024By768Screen) {
    showExposed(Form_fa4);
    expectCentred(Form_fa4);
    EXPECT_LE(Form_fa4->frameGeometry().width(), 1024);
    EXPECT_LE(Form_fa4->frameGeometry().height() + 30, 768) << "room for a title bar";
    EXPECT_LE(Form_fa4->layout()->minimumSize().width(), Form_fa4->width());
    EXPECT_LE(Form_fa4->layout()->minimumSize().height(), Form_fa4->height());
    using Command = tv::ui::RegisterEditor::Command;
    for (Command c : {Command::Add, Command::Delete, Command::Confirm, Command::Cancel, Command::Close})
        expectUnclipped(Form_fa4->Editor->panel(c), Form_fa4);
    for (QLineEdit* box : Form_fa4->Editor->searchBoxes())
        expectUnclipped(box, Form_fa4);
    for (int c = 0; c < Form_fa4->DBGrid1->model()->columnCount(); ++c)
        EXPECT_LE(Form_fa4->DBGrid1->columnViewportPosition(c) + Form_fa4->DBGrid1->columnWidth(c),
                  Form_fa4->DBGrid1->viewport()->width())
            << "column " << c << " falls off the grid";
}
