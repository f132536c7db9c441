#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include "invoicing/admin_support.h"
#include "invoicing/info_screen.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/welcome_screen.h"
#include "platform/ui/controls.h"

namespace {

class WelcomeScreen : public admintest::InvoicingFixture {
protected:
    void setSkip(bool skip) { Form_fa10->FirstScreen->setChecked(skip); }

    // The invoice window comes up; the welcome screen follows once the
    // window's own show has run.
    void showInvoiceWindow() {
        Form_fa1->show();
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(WelcomeScreen, ComesUpOverTheInvoiceWindowOnceARunAndEnterHandsOver) {
    setSkip(false);
    EXPECT_FALSE(Form_fa8->isVisible());
    showInvoiceWindow();
    ASSERT_TRUE(Form_fa8->isVisible());
    EXPECT_TRUE(Form_fa8->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(Form_fa8->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Form_fa8->size(), QSize(398, 298));
    EXPECT_EQ(Form_fa8->windowTitle(), QString("informacje o programie"));

    // Only Enter does anything.
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Escape})
        QTest::keyClick(Form_fa8, key);
    EXPECT_TRUE(Form_fa8->isVisible());
    QTest::keyClick(Form_fa8, Qt::Key_Return);
    EXPECT_FALSE(Form_fa8->isVisible());
    EXPECT_TRUE(Form_fa1->isVisible());

    // Closed and opened again, the window comes up without it.
    Form_fa1->hide();
    showInvoiceWindow();
    EXPECT_FALSE(Form_fa8->isVisible());
}

TEST_F(WelcomeScreen, TheStartPanelTurnsYellowAndHandsOverToTheInvoiceWindow) {
    setSkip(false);
    showInvoiceWindow();
    ASSERT_TRUE(Form_fa8->isVisible());
    tv::ui::PanelButton* start = Form_fa8->Panel1;
    EXPECT_EQ(start->text(), QString("S T A R T"));
    EXPECT_EQ(start->colour(), kWhitePanelColour);
    QTest::mousePress(start, Qt::LeftButton);
    EXPECT_EQ(start->colour(), 8454143);
    QTest::mouseRelease(start, Qt::LeftButton);
    EXPECT_EQ(start->colour(), 4259839);
    EXPECT_FALSE(Form_fa8->isVisible());
    EXPECT_TRUE(Form_fa1->isVisible());
}

TEST_F(WelcomeScreen, WithTheSkipOptionItNeverShows) {
    setSkip(true);
    showInvoiceWindow();
    EXPECT_FALSE(Form_fa8->isVisible());
    EXPECT_TRUE(Form_fa1->isVisible());
}

TEST_F(WelcomeScreen, PaintedWithTheSkipOptionItHidesAtOnceAndTheInvoiceWindowComesUp) {
    setSkip(true);
    Form_fa8->show();
    Form_fa8->repaint();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Form_fa8->isVisible());
    EXPECT_TRUE(Form_fa1->isVisible());
}

TEST_F(WelcomeScreen, ItPaintsItsPictureUnderTheLabelsAndThePanel) {
    setSkip(false);
    const QImage painted = Form_fa8->grab().toImage();
    const QImage source = Form_fa8->Image1->pixmap().toImage();
    ASSERT_EQ(source.size(), QSize(398, 298));
    // A spot no label or panel covers shows the picture itself.
    EXPECT_EQ(painted.pixelColor(5, 150), source.pixelColor(5, 150));
    EXPECT_NE(source.pixelColor(5, 5), source.pixelColor(5, 290)); // not a flat colour
    EXPECT_TRUE(Form_fa8->Image1->isHidden());
    EXPECT_EQ(Form_fa8->Label2->text(), QString("Uaktualnienia, informacje na stronie"));
    EXPECT_FALSE(Form_fa8->Label3->text().isEmpty());
}

TEST_F(WelcomeScreen, TheInfoBoxShowsItsPictureAndOkHidesIt) {
    Form_fa9->show();
    EXPECT_TRUE(Form_fa9->isVisible());
    EXPECT_TRUE(Form_fa9->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(Form_fa9->size(), QSize(392, 292));
    EXPECT_EQ(Form_fa9->Label2->text(), QString("Uaktualnienia, informacje na stronie"));
    EXPECT_FALSE(Form_fa9->Label1->text().isEmpty());
    EXPECT_FALSE(Form_fa9->Label3->text().isEmpty());
    const QImage painted = Form_fa9->grab().toImage();
    EXPECT_EQ(painted.pixelColor(5, 150), Form_fa9->Image1->pixmap().toImage().pixelColor(5, 150));

    tv::ui::PanelButton* ok = Form_fa9->Panel1;
    EXPECT_EQ(ok->text(), QString("O K"));
    QTest::mousePress(ok, Qt::LeftButton);
    EXPECT_EQ(ok->colour(), 8454143);
    QTest::mouseRelease(ok, Qt::LeftButton);
    EXPECT_EQ(ok->colour(), 4259839);
    EXPECT_FALSE(Form_fa9->isVisible());
    // Shown again, it keeps the yellow of the last press.
    Form_fa9->show();
    EXPECT_EQ(ok->colour(), 4259839);
}
