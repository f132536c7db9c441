// The program killed while the operator types into a sheet with a discount:
// the job's two lines and the totals per rate always agree afterwards.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "app/forms.h"
#include "costing/costing_sheet.h"
#include "costing/rules/rounding.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/messages.h"
#include "support/test_env.h"

namespace {

const char* const kFolderVariable = "TV_TYPING_FOLDER";

// The typist: this same executable started again with the folder in the
// environment. Once the application exists it opens the folder, shows the
// sheet with a discount and types into the print run until it is killed.
class Typist : public ::testing::Environment {
public:
    void SetUp() override {
        const QString folder = qEnvironmentVariable(kFolderVariable);
        if (folder.isEmpty()) return;
        tv::ui::setAnswerer([](const tv::ui::ShownMessage&) { return tv::ui::Answer::Ok; });
        QDir::setCurrent(folder);
        tv::Database::open(folder, tvtest::sourceDataDir());
        tv::ui::setDataDir(tvtest::sourceDataDir());
        createForms();
        Form1->show();
        // Figures in every section, so that each keystroke changes the totals.
        const std::pair<QLineEdit*, const char*> figures[] = {
            {Form1->Edit7, "120"},   {Form1->Edit11, "15"},   {Form1->Edit13, "25"},
            {Form1->Edit22, "0,35"}, {Form1->Edit32, "25"},   {Form1->Edit35, "40"},
            {Form1->Edit78, "0,02"}, {Form1->Edit47, "0,04"}, {Form1->Edit51, "0,06"},
            {Form1->Edit77, "0,05"}, {Form1->Edit53, "1,5"},  {Form1->Edit54, "40"}};
        for (const auto& [field, text] : figures)
            field->setText(QString::fromUtf8(text));
        Form1->ComboBox3->setEditText("10");
        QLineEdit* run = Form1->Edit2;
        run->setText("1000");
        run->setFocus();
        run->end(false);
        std::printf("ready\n");
        std::fflush(stdout);
        for (bool digit = true;; digit = !digit)
            QTest::keyClick(run, digit ? Qt::Key_5 : Qt::Key_Backspace);
    }
};

const auto* const typist = ::testing::AddGlobalTestEnvironment(new Typist);

double sumOfLines(tv::Table& lines, const QString& rate) {
    double sum = 0;
    for (lines.first(); !lines.eof(); lines.next())
        if (lines.fieldByName("VAT").asString() == rate)
            sum += Zaokraglij(lines.fieldByName("Netto").asFloat());
    return sum;
}

} // namespace

TEST(SummaryCrash, KilledWhileTypingLeavesLinesAndRatesThatAgree) {
    QTemporaryDir dir;
    std::mt19937 random(20240303);
    std::uniform_int_distribution<int> delay(5, 60);
    const int kills = 200;
    int mismatches = 0;
    int written = 0;
    for (int round = 0; round < kills; ++round) {
        QProcess writer;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kFolderVariable, dir.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        writer.setProcessEnvironment(environment);
        writer.start(QCoreApplication::applicationFilePath(), {});
        ASSERT_TRUE(writer.waitForStarted(10000));
        QByteArray output;
        while (!output.contains("ready\n")) {
            ASSERT_TRUE(writer.waitForReadyRead(30000)) << "the typist did not start";
            output += writer.readAllStandardOutput();
        }
        QThread::msleep(delay(random));
        ::kill(pid_t(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(10000));

        ASSERT_NO_THROW(tv::Database::open(dir.path())) << "round " << round;
        {
            tv::Table lines("pozycje.db");
            tv::Table rates("stawkiVAT.db");
            lines.open();
            rates.open();
            bool agree = lines.recordCount() == 2;
            for (rates.first(); !rates.eof(); rates.next()) {
                const QString rate = rates.fieldByName("VAT").asString();
                agree = agree && qAbs(rates.fieldByName("Netto").asFloat() - sumOfLines(lines, rate)) < 0.001;
            }
            for (lines.first(); !lines.eof(); lines.next()) {
                bool found = false;
                for (rates.first(); !rates.eof(); rates.next())
                    found =
                        found || rates.fieldByName("VAT").asString() == lines.fieldByName("VAT").asString();
                agree = agree && found;
            }
            mismatches += agree ? 0 : 1;
            written += lines.isEmpty() ? 0 : 1;
        }
        tv::Database::close();
    }
    EXPECT_EQ(mismatches, 0) << "of " << kills << " kills";
    EXPECT_EQ(written, kills) << "the sheet writes its lines before the first keystroke";
}
