// A program killed while it writes leaves sound files: every document with
// all its entries, or neither; working tables that one transaction rewrites
// together always agree.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "platform/table.h"
#include "platform/test_tables.h"

using tv::Database;
using tv::Query;
using tv::Table;

namespace {

constexpr int kLinesPerInvoice = 5;
const char* const kFolderVariable = "TV_CRASH_FOLDER";
const char* const kWorkingVariable = "TV_CRASH_WORKING";

int queryInt(const QString& sql) {
    Query query;
    query.setSql(sql);
    query.open();
    return query.fieldByName(query.field(0).name()).asInteger();
}

// The writer: this same executable started again with the folder in the
// environment. It runs before the tests are set up and never returns; the
// test kills it.
[[noreturn]] void runWriter(const QString& folder) {
    tvtest::registerTestTables();
    Database::open(folder);
    Table invoices("documents.DB");
    Table lines("entries.DB");
    invoices.open();
    lines.open();
    int number = queryInt("select coalesce(max(Kind), 0) from documents");
    std::printf("ready\n");
    std::fflush(stdout);
    QElapsedTimer running;
    running.start();
    while (running.elapsed() < 60000) {
        ++number;
        const QString nr = QString("FV/%1/2024").arg(number);
        Database::instance().transaction([&] {
            invoices.append();
            invoices.fieldByName("Nr").setAsString(nr);
            invoices.fieldByName("Kind").setAsInteger(number);
            invoices.fieldByName("Issued").setAsDate(QDate(2024, 1, 1).addDays(number % 300));
            invoices.fieldByName("Gross").setAsFloat(123.45 * number);
            invoices.post();
            for (int lp = 1; lp <= kLinesPerInvoice; ++lp) {
                lines.append();
                lines.fieldByName("Lp").setAsInteger(lp);
                lines.fieldByName("Name").setAsString(QString("Pozycja %1 faktury %2").arg(lp).arg(nr));
                lines.fieldByName("DocNr").setAsString(nr);
                lines.fieldByName("Net").setAsFloat(10.0 * lp);
                lines.post();
            }
        });
        if (number % 4 == 0) {
            // Deleting an invoice with its lines is one transaction too.
            Database::instance().transaction([&] {
                invoices.first();
                const QString oldest = invoices.fieldByName("Nr").asString();
                invoices.remove();
                lines.setFilter({{"DocNr", "=", oldest}});
                lines.setFiltered(true);
                while (!lines.eof())
                    lines.remove();
                lines.setFiltered(false);
            });
        }
    }
    std::_Exit(0);
}

// The working writer: as a sheet does on every keystroke, one transaction
// rewrites the two lines and the totals per rate computed from them.
[[noreturn]] void runWorkingWriter(const QString& folder) {
    tvtest::registerTestTables();
    Database::open(folder);
    Table lines("lines.db");
    Table totals("totals.db");
    lines.open();
    totals.open();
    std::printf("ready\n");
    std::fflush(stdout);
    QElapsedTimer running;
    running.start();
    for (int n = 1; running.elapsed() < 60000; ++n) {
        Database::instance().transaction([&] {
            lines.emptyTable();
            totals.emptyTable();
            for (const char* rate : {"7", "22"}) {
                const double net = n * (rate[0] == '7' ? 1.0 : 3.0);
                lines.append();
                lines.fieldByName("Name").setAsString(QString("Druk %1").arg(n));
                lines.fieldByName("Rate").setAsString(rate);
                lines.fieldByName("Net").setAsFloat(net);
                lines.post();
                totals.append();
                totals.fieldByName("Rate").setAsString(rate);
                totals.fieldByName("Net").setAsFloat(net);
                totals.post();
            }
        });
    }
    std::_Exit(0);
}

const bool writerStarted = [] {
    const QString folder = qEnvironmentVariable(kFolderVariable);
    if (folder.isEmpty()) return false;
    if (qEnvironmentVariableIsSet(kWorkingVariable)) runWorkingWriter(folder);
    runWriter(folder);
}();

// Starts this executable as a writer on the folder, lets it write for a
// while and kills it.
void killWriterAfter(const QString& folder, bool working, int milliseconds) {
    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kFolderVariable, folder);
    if (working) environment.insert(kWorkingVariable, "1");
    writer.setProcessEnvironment(environment);
    writer.setProcessChannelMode(QProcess::SeparateChannels);
    writer.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(writer.waitForStarted(10000));
    QByteArray output;
    while (!output.contains("ready\n")) {
        ASSERT_TRUE(writer.waitForReadyRead(20000)) << "the writer did not start";
        output += writer.readAllStandardOutput();
    }
    QThread::msleep(milliseconds);
    ::kill(pid_t(writer.processId()), SIGKILL);
    ASSERT_TRUE(writer.waitForFinished(10000));
    ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit);
}

} // namespace

TEST(TableCrash, KilledWriterLeavesWholeInvoicesAndSoundFiles) {
    QTemporaryDir dir;
    Database::open(dir.path());
    Database::close();
    std::mt19937 random(20240101);
    std::uniform_int_distribution<int> delay(20, 300);
    int invoicesSeen = 0;
    for (int round = 0; round < 8; ++round) {
        ASSERT_NO_FATAL_FAILURE(killWriterAfter(dir.path(), false, delay(random)));

        ASSERT_NO_THROW(Database::open(dir.path())) << "round " << round;
        {
            Table invoices("documents.db");
            Table lines("entries.db");
            invoices.open();
            lines.open();
            sqlite3_stmt* check = nullptr;
            ASSERT_EQ(sqlite3_prepare_v2(Database::instance().handle(), "PRAGMA integrity_check", -1, &check,
                                         nullptr),
                      SQLITE_OK);
            while (sqlite3_step(check) == SQLITE_ROW)
                EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok")
                    << "round " << round;
            sqlite3_finalize(check);

            EXPECT_EQ(queryInt("select count(*) from entries "
                               "where DocNr not in (select Nr from documents)"),
                      0)
                << "lines without their invoice, round " << round;
            EXPECT_EQ(queryInt(QString("select count(*) from documents f where "
                                       "(select count(*) from entries p where p.DocNr = f.Nr) <> %1")
                                   .arg(kLinesPerInvoice)),
                      0)
                << "invoices missing lines, round " << round;
            invoicesSeen = std::max(invoicesSeen, queryInt("select coalesce(max(Kind), 0) from documents"));
        }
        Database::close();
    }
    EXPECT_GT(invoicesSeen, 0) << "the writer never got to write";
}

TEST(TableCrash, KilledWriterLeavesWorkingTablesThatAgree) {
    QTemporaryDir dir;
    Database::open(dir.path());
    Database::close();
    std::mt19937 random(20240202);
    std::uniform_int_distribution<int> delay(2, 40);
    int mismatches = 0;
    int written = 0;
    const int kills = 200;
    for (int round = 0; round < kills; ++round) {
        ASSERT_NO_FATAL_FAILURE(killWriterAfter(dir.path(), true, delay(random)));
        ASSERT_NO_THROW(Database::open(dir.path())) << "round " << round;
        {
            const int lines = queryInt("select count(*) from lines");
            const int disagreeing = queryInt("select count(*) from totals t where t.Net is not "
                                             "(select sum(l.Net) from lines l where l.Rate = t.Rate)") +
                                    queryInt("select count(*) from lines l where not exists "
                                             "(select 1 from totals t where t.Rate = l.Rate)");
            if (disagreeing > 0) ++mismatches;
            written += lines > 0 ? 1 : 0;
        }
        Database::close();
    }
    EXPECT_EQ(mismatches, 0) << "of " << kills << " kills";
    EXPECT_GT(written, kills / 2) << "the writer hardly got to write";
}
