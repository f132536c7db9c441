#include <gtest/gtest.h>

#include <cstdlib>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/table.h"
#include "platform/test_tables.h"
#include "support/test_env.h"

using tv::Table;

namespace {

int customerCount() {
    Table t("keyed.db");
    t.open();
    return t.recordCount();
}

// Begins a customer row and leaves it pending.
void beginCustomer(Table& t, const QString& id, int nr) {
    t.open();
    t.append();
    t.fieldByName("Code").setAsString(id);
    t.fieldByName("Nr").setAsInteger(nr);
}

const char* const kExitFolderVariable = "TV_EXIT_FOLDER";

// A program that ends without closing its tables: this same executable,
// started again with the folder in the environment. A static table, a table
// never deleted with a row pending, and a transaction under way when exit()
// is called from inside it.
Table g_staticTable;

const bool exitsWithTablesOpen = [] {
    const QString folder = qEnvironmentVariable(kExitFolderVariable);
    if (folder.isEmpty()) return false;
    tvtest::registerTestTables();
    tv::Database::open(folder);
    g_staticTable.setTableName("lines.db");
    g_staticTable.open();
    g_staticTable.append();
    g_staticTable.fieldByName("Name").setAsString("pending");
    auto* leaked = new Table("keyed.db");
    beginCustomer(*leaked, "Pending", 9);
    Table documents("documents.db");
    documents.open();
    tv::Database::instance().transaction([&] {
        documents.append();
        documents.fieldByName("Nr").setAsString("FV/1");
        documents.post();
        std::exit(0);
    });
    return true;
}();

} // namespace

TEST(ProgramEnd, ChangedPendingRowsArePostedUntouchedOnesDropped) {
    tvtest::WorkingFolder folder;
    Table changed("keyed.db");
    beginCustomer(changed, "Nowak", 1);

    Table untouched("numbered.db");
    untouched.open();
    untouched.append();

    int errors = 0;
    tv::Database::instance().postPendingRows([&](const tv::Error&) { ++errors; });
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(changed.state(), Table::State::Browse);
    EXPECT_EQ(untouched.state(), Table::State::Browse);
    EXPECT_EQ(customerCount(), 1);
    untouched.refresh();
    EXPECT_EQ(untouched.recordCount(), 0);
}

TEST(ProgramEnd, AFailedPostIsReportedAndTheOtherTablesStillFinish) {
    tvtest::WorkingFolder folder;
    Table first("keyed.db");
    beginCustomer(first, "Kowal", 7);
    first.post();

    Table duplicate("keyed.db");
    beginCustomer(duplicate, "Kowal", 7);

    Table other("lines.db");
    other.open();
    other.append();
    other.fieldByName("Name").setAsString("Druk ulotek");

    QStringList errors;
    tv::Database::instance().postPendingRows([&](const tv::Error& e) { errors << e.message(); });
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(customerCount(), 1);
    Table check("lines.db");
    check.open();
    EXPECT_EQ(check.recordCount(), 1);
}

// Whatever order the statics go in, a program that returns with its tables
// open ends normally: the connection closes before what it needs is gone, the
// unfinished transaction is rolled back and no journal stays behind.
TEST(ProgramEnd, ExitingWithTablesOpenClosesThemCleanly) {
    QTemporaryDir dir;
    tv::Database::open(dir.path());
    tv::Database::close();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kExitFolderVariable, dir.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << child.readAllStandardError().toStdString();
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    const QStringList journals =
        QDir(dir.path()).entryList({"*-journal", "*-mj*"}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& journal : journals)
        EXPECT_EQ(QFileInfo(dir.filePath(journal)).size(), 0) << journal.toStdString();
    tv::Database::open(dir.path());
    Table documents("documents.db");
    documents.open();
    EXPECT_EQ(documents.recordCount(), 0);
    EXPECT_EQ(customerCount(), 0);
    documents.close();
    tv::Database::close();
}
