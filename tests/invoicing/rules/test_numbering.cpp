// Invoice numbers: expanding the pattern, reading running numbers back, and
// the highest number of the year over the stored invoices.

#include <gtest/gtest.h>

#include <optional>

#include <QCoreApplication>

#include "invoicing/rules/numbering.h"
#include "platform/clock.h"
#include "platform/table.h"
#include "support/test_env.h"

using invoicing::formatNumber;
using invoicing::highestNumberOfYear;
using invoicing::NumberReader;

namespace {

const QString kDefaultPattern = QStringLiteral("#N/#MM/#YYYY");

struct FormatCase {
    const char* pattern;
    int number;
    QDate date;
    const char* expected;
};

} // namespace

TEST(Numbering, RunsWithoutAnApplicationObject) {
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(Numbering, ExpandsEveryTokenOfThePattern) {
    const QDate march5(2009, 3, 5); // a Thursday
    const FormatCase cases[] = {
        {"#N/#MM/#YYYY", 12, QDate(2009, 12, 9), "12/12/2009"},
        {"#N/#MM/#YYYY", 7, march5, "7/03/2009"},
        {"FV #N/#YY", 12, QDate(2009, 6, 1), "FV 12/09"},
        {"Faktura", 3, march5, "Faktura"},
        // Runs: the number is never padded; a run is one token only.
        {"#NNN", 7, march5, "7"},
        {"#N", -3, march5, "-3"},
        {"#N-#N", 4, march5, "4-4"},
        {"#MMYY", 7, march5, "03YY"},
        // Date runs, lower-cased before they format the date.
        {"#D.#M", 1, march5, "5.3"},
        {"#DD#mm", 1, march5, "0503"},
        {"#Y/#YY/#YYY/#YYYY", 1, march5, "09/09/2009/2009"},
        {"#MMM", 1, march5, "mar"},
        {"#MMMM", 1, march5, "marzec"},
        {"#mmmm", 1, QDate(2009, 5, 1), "maj"},
        {"#DDD", 1, march5, "czw."},
        {"#DDDD", 1, march5, "czwartek"},
        {"#DDDDD", 1, march5, "05.03.2009"},
        {"#C", 1, march5, "05.03.2009"},
        // A small "n" is no number: minutes, and a date has none.
        {"#n", 9, march5, "0"},
        {"#HH:#NN", 9, march5, "00:9"},
        {"#hh:#nn:#ss.#zzz", 9, march5, "00:00:00.000"},
        {"#T", 1, march5, "0:00"},
        // Characters with no meaning to a date are copied, lower-cased.
        {"#X", 1, march5, "x"},
        {"#/", 1, march5, "/"},
        {"##", 1, march5, "#"},
        {"###", 1, march5, "##"},
        // A "#" that ends the pattern stands for itself.
        {"#", 1, march5, "#"},
        {"Nr #N#", 5, march5, "Nr 5#"},
        {"", 5, march5, ""},
    };
    tvtest::usePolishSettings();
    for (const FormatCase& c : cases)
        EXPECT_EQ(formatNumber(QString::fromUtf8(c.pattern), c.number, c.date), QString::fromUtf8(c.expected))
            << c.pattern;
}

TEST(Numbering, ReadsTheRunningNumberBackByThePattern) {
    const struct {
        const char* pattern;
        const char* stored;
        std::optional<int> expected;
    } cases[] = {
        {"#N/#MM/#YYYY", "3/01/2009", 3},
        {"#N/#MM/#YYYY", "-2/01/2009", -2},
        // Numbers made by the pattern in force, wherever it puts the number.
        {"FV/#N/#YYYY", "FV/12/2024", 12},
        {"#YYYY-#N", "2024-17", 17},
        {"#N#MM", "1203", 12},
        {"#MMMM #N", "marzec 4", 4},
        {"#DDDD/#N", "środa/8", 8},
        // Numbers made under an older pattern: the whole number before the first "/".
        {"FV/#N/#YYYY", "7/03/2024", 7},
        {"#N/#MM/#YYYY", " 5/03/2009x", 5},
        {"FV/#YYYY", "5/2024", 5}, // a pattern without a number reads none itself
        // Neither: passed over.
        {"FV/#N/#YYYY", "ABC", std::nullopt},
        {"#N/#MM/#YYYY", "/12/2009", std::nullopt},
        {"#N/#MM/#YYYY", "FV 3/12/2009", std::nullopt},
        {"#N/#MM/#YYYY", "2009", std::nullopt},
        {"#N/#MM/#YYYY", "", std::nullopt},
        {"#N/#MM/#YYYY", "99999999999/01/2009", std::nullopt},
    };
    tvtest::usePolishSettings();
    for (const auto& c : cases) {
        const NumberReader reader(QString::fromUtf8(c.pattern));
        EXPECT_EQ(reader.read(QString::fromUtf8(c.stored)), c.expected) << c.pattern << " " << c.stored;
    }
}

TEST(Numbering, ReadsBackWhatItFormats) {
    tvtest::usePolishSettings();
    for (const char* pattern :
         {"#N/#MM/#YYYY", "FV #N/#YY", "#MMMM/#N", "#DDD #N-#D", "#YYYY#MM#N", "#NNN#"}) {
        const NumberReader reader(QString::fromUtf8(pattern));
        for (const QDate& date : {QDate(2009, 3, 5), QDate(2024, 12, 31), QDate(2025, 5, 1)})
            for (int number : {1, 9, 10, 123, 4567})
                EXPECT_EQ(reader.read(formatNumber(QString::fromUtf8(pattern), number, date)), number)
                    << pattern << " " << number << " " << date.toString(Qt::ISODate).toStdString();
    }
}

namespace {

struct StoredInvoice {
    const char* number;
    QDate issued; // null: stored without an issue date
};

class HighestNumber : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder;

    void SetUp() override {
        tvtest::usePolishSettings();
        tv::setToday(QDate(2009, 6, 15));
    }
    void TearDown() override { tv::setToday(QDate()); }

    static void store(std::initializer_list<StoredInvoice> invoices) {
        tv::Table table(QStringLiteral("wyst_faktury.db"));
        table.open();
        tv::Database::instance().transaction([&] {
            for (const StoredInvoice& invoice : invoices) {
                table.append();
                table.fieldByName("Nr").setAsString(QString::fromUtf8(invoice.number));
                if (invoice.issued.isValid()) table.fieldByName("Data_wyst").setAsDate(invoice.issued);
                table.post();
            }
        });
    }
};

} // namespace

TEST_F(HighestNumber, IsZeroWithoutInvoices) {
    EXPECT_EQ(highestNumberOfYear(kDefaultPattern, tv::today()), 0);
}

TEST_F(HighestNumber, TakesTheHighestOfThisYearWhateverTheOrder) {
    store({{"3/01/2009", QDate(2009, 1, 3)},
           {"10/02/2009", QDate(2009, 2, 10)},
           {"15/12/2008", QDate(2008, 12, 15)},
           {"9/02/2009", QDate(2009, 2, 9)}});
    EXPECT_EQ(highestNumberOfYear(kDefaultPattern, tv::today()), 10);
}

TEST_F(HighestNumber, PassesOverWhatItCannotReadAndNeverStops) {
    store({{"12/03/2009", QDate(2009, 3, 1)},
           {"bez ukośnika", QDate(2009, 3, 2)},
           {"abc/03/2009", QDate(2009, 3, 3)},
           {"/03/2009", QDate(2009, 3, 4)},
           {"40/03/2009", QDate()}, // no issue date: not of this year
           {"13/03/2009", QDate(2009, 3, 5)}});
    EXPECT_EQ(highestNumberOfYear(kDefaultPattern, tv::today()), 13);
}

TEST_F(HighestNumber, ComparesYearsByTheirLastTwoDigits) {
    store({{"5/01/2009", QDate(2009, 1, 5)},
           {"70/01/1909", QDate(1909, 1, 5)},
           {"80/01/2010", QDate(2010, 1, 5)}});
    EXPECT_EQ(highestNumberOfYear(kDefaultPattern, tv::today()), 70);
}

TEST_F(HighestNumber, ReadsNumbersByTheCurrentPatternAndTheOlderOnes) {
    store(
        {{"FV/20/2009", QDate(2009, 4, 1)}, {"7/03/2009", QDate(2009, 3, 7)}, {"FV-99", QDate(2009, 5, 1)}});
    EXPECT_EQ(highestNumberOfYear(QStringLiteral("FV/#N/#YYYY"), tv::today()), 20);
    EXPECT_EQ(highestNumberOfYear(kDefaultPattern, tv::today()), 7);
}

TEST_F(HighestNumber, SeesEveryStoredInvoiceWhateverAViewFilters) {
    store({{"30/01/2009", QDate(2009, 1, 30)}, {"2/06/2009", QDate(2009, 6, 2)}});
    tv::Table register_(QStringLiteral("wyst_faktury.db"));
    register_.open();
    register_.setFilter({{QStringLiteral("Data_wyst"), QStringLiteral(">="), QStringLiteral("01.06.2009")}});
    register_.setFiltered(true);
    ASSERT_EQ(register_.recordCount(), 1);
    EXPECT_EQ(highestNumberOfYear(kDefaultPattern, tv::today()), 30);
}
