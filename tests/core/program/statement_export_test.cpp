#include "core/platform/user_error.h"
#include "core/program/statement_export.h"
#include "support/program_fixture.h"
#include "support/unprivileged.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// --- Amounts --------------------------------------------------------------

struct AmountCase
{
    std::int64_t cents;
    const char* text;
};

class ExportAmount : public testing::TestWithParam<AmountCase>
{};

TEST_P(ExportAmount, IsWrittenWithAPointTwoDecimalsAndALeadingZeroBelowOneUnit)
{
    EXPECT_EQ(exportAmount(GetParam().cents), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Amounts, ExportAmount,
                         testing::Values(AmountCase{123456, "1234.56"}, AmountCase{5, "0.05"},
                                         AmountCase{50, "0.50"}, AmountCase{0, "0.00"},
                                         AmountCase{-5, "-0.05"}, AmountCase{-2000, "-20.00"},
                                         AmountCase{INT64_MIN, "-92233720368547758.08"}));

// --- CSV fields -----------------------------------------------------------

struct FieldCase
{
    const char* description; // UTF-8
    const char* field;       // as the CSV record holds it
};

class CsvDescription : public testing::TestWithParam<FieldCase>
{};

TEST_P(CsvDescription, IsQuotedOnlyWhenItHoldsACommaAQuoteOrALineBreak)
{
    ExportRow row;
    row.date = QDate(2026, 12, 1);
    row.description = QString::fromUtf8(GetParam().description);
    row.charge = 100;
    row.balance = 100;
    const QByteArray expected = QByteArray("Date,Description,Charge,Payment,Cleared,Balance\r\n") +
                                "2026-12-01," + GetParam().field + ",1.00,,,1.00\r\n";
    EXPECT_EQ(exportCsv({row}), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvDescription,
    testing::Values(FieldCase{"Fuel", "Fuel"}, FieldCase{"", ""},
                    FieldCase{"Hotel, Rome", "\"Hotel, Rome\""},
                    FieldCase{"Book \"Dune\"", "\"Book \"\"Dune\"\"\""},
                    FieldCase{"\"", "\"\"\"\""}, FieldCase{"two\r\nlines", "\"two\r\nlines\""},
                    FieldCase{"lone\rCR", "\"lone\rCR\""}, FieldCase{"lone\nLF", "\"lone\nLF\""},
                    FieldCase{"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC"},
                    FieldCase{" blanks kept ", " blanks kept "},
                    // Data by default: no spreadsheet guard changes the text.
                    FieldCase{"=SUM(A1)", "=SUM(A1)"}, FieldCase{"-5 refund", "-5 refund"},
                    FieldCase{"@home", "@home"}));

struct GuardCase
{
    const char* description;
    const char* field;
};

class GuardedCsvDescription : public testing::TestWithParam<GuardCase>
{};

TEST_P(GuardedCsvDescription, StartsWithAnApostropheWhenASpreadsheetWouldComputeIt)
{
    ExportRow row;
    row.date = QDate(2026, 12, 1);
    row.description = QString::fromUtf8(GetParam().description);
    row.payment = 2000;
    row.balance = -2000;
    const QByteArray expected = QByteArray("Date,Description,Charge,Payment,Cleared,Balance\r\n") +
                                "2026-12-01," + GetParam().field + ",,20.00,,-20.00\r\n";
    EXPECT_EQ(exportCsv({row}, CsvFormulas::Guarded), expected);
}

INSTANTIATE_TEST_SUITE_P(Guards, GuardedCsvDescription,
                         testing::Values(GuardCase{"=SUM(A1)", "'=SUM(A1)"}, GuardCase{"+1", "'+1"},
                                         GuardCase{"-5 refund", "'-5 refund"},
                                         GuardCase{"@home", "'@home"},
                                         GuardCase{"=1,2", "\"'=1,2\""}, GuardCase{"Fuel", "Fuel"},
                                         GuardCase{"a=b", "a=b"}));

TEST(CsvDate, ThatNamesNoDayIsWrittenAsTheLedgerHoldsIt)
{
    ExportRow row;
    row.dateText = QStringLiteral("13/45/26");
    row.description = QStringLiteral("Hand-edited");
    row.charge = 1;
    row.balance = 1;
    EXPECT_EQ(exportCsv({row}), QByteArray("Date,Description,Charge,Payment,Cleared,Balance\r\n"
                                           "13/45/26,Hand-edited,0.01,,,0.01\r\n"));
    EXPECT_EQ(exportQif({row}),
              QByteArray("!Type:CCard\r\nD13/45/26\r\nT-0.01\r\nPHand-edited\r\n^\r\n"));
}

TEST(Csv, OfNoRowsIsTheHeaderAlone)
{
    EXPECT_EQ(exportCsv({}), QByteArray("Date,Description,Charge,Payment,Cleared,Balance\r\n"));
    EXPECT_EQ(exportQif({}), QByteArray("!Type:CCard\r\n"));
}

// --- The open card's entries, on disk --------------------------------------

// "Visa Gold" open in the register on 8 December 2026, with nothing posted.
class ExportOfOpenCard : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa Gold"), QStringLiteral("900.00")));
    }

    void open()
    {
        clickCard(1);
        p().tc.OpenCard();
        ASSERT_TRUE(p().reg.shown);
        ASSERT_TRUE(messages.shown().isEmpty()) << messages.shown().join(u'|').toStdString();
    }

    void post(EntryKind kind, const char* description, const char* amount, bool cleared, int day)
    {
        ASSERT_TRUE(registerWindow().bb3Click());
        const EntryValues values =
            entry(QString::fromUtf8(description), QString::fromLatin1(amount), cleared,
                  QDate(2026, 12, day));
        if (kind == EntryKind::Charge)
            p().tc.AddCharge(values);
        else
            p().tc.AddPayment(values);
    }

    // The bytes as saved to a file of a folder beside the data.
    QByteArray saved(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QStringLiteral("exports"));
        const QString file = path() + QStringLiteral("/exports/") + name;
        saveExport(file, bytes);
        return bytesOf(file);
    }
};

TEST_F(ExportOfOpenCard, WritesTheYearOnViewAsCsvByteForByte)
{
    open();
    post(EntryKind::Charge, "Groceries, milk", "100.00", true, 1);
    post(EntryKind::Charge, "Book \"Dune\"", ".05", false, 2);
    post(EntryKind::Payment, "Refund", "150.00", false, 3);
    post(EntryKind::Charge, "Caf\xC3\xA9 \xE2\x82\xAC menu", ".50", false, 4);
    // No file line can hold a line break, but the register's cell can.
    p().ledger.setCell(TGrid::Description, 3, QStringLiteral("Refund\nthanks"));

    EXPECT_EQ(saved(QStringLiteral("2026.csv"), exportCsv(yearOnViewRows(p()))),
              QByteArray("Date,Description,Charge,Payment,Cleared,Balance\r\n"
                         "2026-12-01,\"Groceries, milk\",100.00,,X,100.00\r\n"
                         "2026-12-02,\"Book \"\"Dune\"\"\",0.05,,,100.05\r\n"
                         "2026-12-03,\"Refund\nthanks\",,150.00,,-49.95\r\n"
                         "2026-12-04,Caf\xC3\xA9 \xE2\x82\xAC menu,0.50,,,-49.45\r\n"));
}

TEST_F(ExportOfOpenCard, WritesTheYearOnViewAsQifByteForByte)
{
    open();
    post(EntryKind::Charge, "Groceries, milk", "25.00", true, 1);
    post(EntryKind::Payment, "Payment, thank you", "1200.00", false, 2);
    post(EntryKind::Charge, "Caf\xC3\xA9 \xE2\x82\xAC", ".05", true, 3);
    p().ledger.setCell(TGrid::Description, 2, QStringLiteral("Payment\r\nthank you"));

    EXPECT_EQ(saved(QStringLiteral("2026.qif"), exportQif(yearOnViewRows(p()))),
              QByteArray("!Type:CCard\r\n"
                         "D12/01/2026\r\nT-25.00\r\nPGroceries, milk\r\nCX\r\n^\r\n"
                         "D12/02/2026\r\nT1200.00\r\nPPayment thank you\r\n^\r\n"
                         "D12/03/2026\r\nT-0.05\r\nPCaf\xC3\xA9 \xE2\x82\xAC\r\nCX\r\n^\r\n"));
}

TEST_F(ExportOfOpenCard, OfAllYearsRecomputesAStaleYearAndChangesNothing)
{
    // 2025 opens at 5.00 but its file still holds balances from 0.00: the
    // year is stale, as a charge posted into 2024 later would leave it.
    putBytes(QStringLiteral("1yl.dat"), crlf({"25", "26"}));
    putBytes(QStringLiteral("1bb.dat"), crlf({"0 25 T", "1 25 5.00", "0 26 F", "1 26 17.00"}));
    putBytes(QStringLiteral("125.dat"),
             crlf({"2", "1 1 3/15/25", "2 1 Hotel, Rome", "3 1 20.00", "5 1 X", "6 1 20.00",
                   "1 2 4/1/25", "2 2 Payment", "4 2 8.00", "6 2 12.00"}));
    open();
    post(EntryKind::Charge, "Fuel", "30.00", false, 1);
    const auto folderBefore = folderSnapshot();
    const auto ledgerBefore = entryAt(p().ledger, 1);

    const std::vector<ExportRow> rows = allYearsRows(p());

    EXPECT_EQ(saved(QStringLiteral("all.csv"), exportCsv(rows)),
              QByteArray("Date,Description,Charge,Payment,Cleared,Balance\r\n"
                         "2025-03-15,\"Hotel, Rome\",20.00,,X,25.00\r\n"
                         "2025-04-01,Payment,,8.00,,17.00\r\n"
                         "2026-12-01,Fuel,30.00,,,47.00\r\n"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].year, QStringLiteral("25"));
    EXPECT_EQ(rows[2].year, QStringLiteral("26"));
    // The register still shows 2026 as it did, and no data file was written.
    EXPECT_EQ(folderSnapshot(), folderBefore);
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
    EXPECT_EQ(p().grid.entryCount(), 1);
    EXPECT_EQ(entryAt(p().ledger, 1).balance, ledgerBefore.balance);
    EXPECT_EQ(p().beginBalGrid.cell(0, 25), QStringLiteral("T"));
}

TEST_F(ExportOfOpenCard, OfAllYearsTakesTheYearsInCalendarOrder)
{
    putBytes(QStringLiteral("1yl.dat"), crlf({"26", "", "99", "00"}));
    putBytes(QStringLiteral("199.dat"),
             crlf({"1", "1 1 12/31/99", "2 1 Old", "3 1 1.00", "6 1 1.00"}));
    putBytes(QStringLiteral("100.dat"),
             crlf({"1", "1 1 1/1/00", "2 1 New", "3 1 2.00", "6 1 3.00"}));
    open();

    QStringList order;
    for (const ExportRow& row : allYearsRows(p()))
        order << row.description;
    EXPECT_EQ(order, (QStringList{"Old", "New"}));
}

TEST_F(ExportOfOpenCard, OfAllYearsStopsAtADamagedYearWithItsMessage)
{
    putBytes(QStringLiteral("1yl.dat"), crlf({"25", "26"}));
    putBytes(QStringLiteral("125.dat"), crlf({"1", "1 1 3/15/25", "3 1 12x.50"}));
    open();
    try {
        allYearsRows(p());
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "'12x.50' is not a valid floating point value (line 3 of 125.dat)");
    }
    EXPECT_EQ(p().main.SelectedYr, QStringLiteral("26"));
}

// --- Failed saves -----------------------------------------------------------

class SavedExport : public InTempDir
{};

TEST_F(SavedExport, AnExportIntoAMissingFolderNamesTheFileAndTheReason)
{
    try {
        saveExport(path() + QStringLiteral("/nowhere/visa.csv"), "x");
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Could not save \"visa.csv\": No such file or directory");
    }
}

TEST_F(SavedExport, AFailedExportLeavesTheOldFileByteForByteAndNoOtherFile)
{
    putBytes(QStringLiteral("visa.csv"), "old\r\n");
    const QString file = path() + QStringLiteral("/visa.csv");
    std::string result;
    {
        const ReadOnlyFolder readOnly(path());
        result = asUnprivilegedUser([&] {
            try {
                saveExport(file, "Date,Description,Charge,Payment,Cleared,Balance\r\n");
                return std::string("saved");
            } catch (const UserError& error) {
                return std::string(error.what());
            }
        });
    }
    EXPECT_EQ(result, "Could not save \"visa.csv\": Permission denied");
    EXPECT_EQ(bytesOf(QStringLiteral("visa.csv")), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(path()).entryList(QDir::Files), QStringList{QStringLiteral("visa.csv")});
}

TEST_F(SavedExport, AnExportOntoAFolderIsRefusedAndTheFolderStays)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("visa.csv")));
    try {
        saveExport(path() + QStringLiteral("/visa.csv"), "x");
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "Could not save \"visa.csv\": Is a directory");
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("visa.csv")).isDir());
    EXPECT_TRUE(QDir(path()).entryList(QDir::Files).isEmpty());
}

} // namespace
