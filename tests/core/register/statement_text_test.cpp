#include "core/register/statement_format.h"
#include "core/register/statement_text.h"
#include "statement_test_support.h"

#include <gtest/gtest.h>

#include <optional>

using namespace StatementTest;

namespace {

struct AmountCase
{
    const char* text;
    char decimal;
    std::optional<std::int64_t> cents;
};

const AmountCase amountCases[] = {
    {"12.34", '.', 1234},
    {"-1,234.56", '.', -123456},
    {"1.234,56", ',', 123456},
    {"-1.234,56", ',', -123456},
    {"(12.50)", '.', -1250},
    {"$12", '.', 1200},
    {"-$12.00", '.', -1200},
    {"$-12.00", '.', -1200},
    {"+3.00", '.', 300},
    {"  7.5  ", '.', 750},
    {".05", '.', 5},
    {"12.", '.', 1200},
    {"1.500", '.', 150},
    {"007.00", '.', 700},
    {"9999999999999.99", '.', 999999999999999},
    {"0000000000000001.00", '.', 100},
    {"0.00", '.', 0},
    {"10000000000000.00", '.', std::nullopt},
    {"1.505", '.', std::nullopt},
    {"12x.50", '.', std::nullopt},
    {"1,234.56", ',', std::nullopt},
    {"12,34", '.', std::nullopt},
    {",123", '.', std::nullopt},
    {"1..2", '.', std::nullopt},
    {"--5", '.', std::nullopt},
    {"-(5)", '.', std::nullopt},
    {"(5", '.', std::nullopt},
    {"", '.', std::nullopt},
    {"   ", '.', std::nullopt},
    {"$", '.', std::nullopt},
    {".", '.', std::nullopt},
    {"1 234.56", '.', std::nullopt},
    {"\xD9\xA3.00", '.', std::nullopt}, // an Arabic-Indic three is no digit of ours
};

TEST(StatementAmount, ReadsEveryWayABankWritesMoneyAndRefusesTheRest)
{
    for (const AmountCase& c : amountCases) {
        EXPECT_EQ(StatementText::parseAmount(QString::fromUtf8(c.text), QChar(c.decimal)), c.cents)
            << "\"" << c.text << "\" with " << c.decimal;
    }
}

struct KindCase
{
    const char* text;
    bool negativeIsCharge;
    std::int64_t cents;
    EntryKind kind;
    const char* problem;
};

TEST(StatementAmount, GivesTheKindBySignAndSaysWhyAnAmountCannotBeUsed)
{
    const KindCase cases[] = {
        {"-12.50", true, 1250, EntryKind::Charge, ""},
        {"12.50", true, 1250, EntryKind::Payment, ""},
        {"12.50", false, 1250, EntryKind::Charge, ""},
        {"-12.50", false, 1250, EntryKind::Payment, ""},
        {"", true, 0, EntryKind::None, "no amount"},
        {"0.00", true, 0, EntryKind::None, "\"0.00\" is not an amount"},
        {"12x.50", true, 0, EntryKind::None, "\"12x.50\" is not an amount"},
        {"99999999999999999999999999999999999999999999", true, 0, EntryKind::None,
         "\"9999999999999999999999999999999999999999\xE2\x80\xA6\" is not an amount"},
    };
    for (const KindCase& c : cases) {
        StatementEntry entry;
        StatementText::setAmount(entry, QString::fromUtf8(c.text), u'.', c.negativeIsCharge);
        EXPECT_EQ(entry.cents, c.cents) << c.text;
        EXPECT_EQ(entry.kind, c.kind) << c.text;
        EXPECT_EQ(entry.problem.toStdString(), c.problem) << c.text;
    }
}

TEST(StatementAmount, LeavesAnEarlierProblemAndGivesNoKind)
{
    StatementEntry entry;
    entry.problem = QStringLiteral("no date");
    StatementText::setAmount(entry, QStringLiteral("-5.00"), u'.', true);
    EXPECT_EQ(entry.problem, QStringLiteral("no date"));
    EXPECT_EQ(entry.kind, EntryKind::None);
    EXPECT_EQ(entry.cents, 0);
}

TEST(StatementText, DecodesUtf8DropsTheByteOrderMarkAndFallsBackToLatin1)
{
    EXPECT_EQ(StatementText::decode("\xEF\xBB\xBF" "Caf\xC3\xA9"), QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(StatementText::decode("Caf\xE9"), QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(StatementText::decode(""), QString());
}

TEST(StatementText, JoinsPayeeAndMemoUnlessTheMemoSaysNothingNew)
{
    EXPECT_EQ(StatementText::joinDescription(QStringLiteral("ACME"), QStringLiteral("order 12")),
              QStringLiteral("ACME - order 12"));
    EXPECT_EQ(StatementText::joinDescription(QStringLiteral("ACME"), QStringLiteral("ACME")),
              QStringLiteral("ACME"));
    EXPECT_EQ(StatementText::joinDescription(QString(), QStringLiteral(" memo ")),
              QStringLiteral("memo"));
    EXPECT_EQ(StatementText::joinDescription(QStringLiteral(" ACME "), QString()),
              QStringLiteral("ACME"));
}

TEST(StatementFile, ReadsAFileWholeAndRefusesOneLargerThan16MB)
{
    const QByteArray justSmallEnough(16 * 1024 * 1024, 'x');
    const TempFile small(QStringLiteral("small.csv"), justSmallEnough);
    EXPECT_EQ(StatementText::readStatementBytes(small.path()).size(), justSmallEnough.size());

    const TempFile large(QStringLiteral("large.csv"), justSmallEnough + "x");
    EXPECT_EQ(errorOf([&] { StatementText::readStatementBytes(large.path()); }),
              "Could not import \"large.csv\": the file is larger than 16 MB.");
}

TEST(StatementFile, SaysWhyAMissingFileOrAFolderCannotBeRead)
{
    const TempFile file(QStringLiteral("a.qif"), "!Type:CCard\r\n");
    EXPECT_EQ(errorOf([&] { StatementText::readStatementBytes(file.folder() + "/gone.qif"); }),
              "Could not import \"gone.qif\": No such file or directory.");
    EXPECT_EQ(errorOf([&] { StatementText::readStatementBytes(file.folder()); }),
              "Could not import \"" + QFileInfo(file.folder()).fileName().toStdString() +
                  "\": it is a folder, not a file.");
}

struct FormatCase
{
    const char* name;
    const char* bytes;
    StatementFormat format;
};

TEST(StatementFormat, IsTheContentsFirstAndTheExtensionAfter)
{
    const FormatCase cases[] = {
        {"a.txt", "OFXHEADER:100\r\nDATA:OFXSGML\r\n", StatementFormat::Ofx},
        {"a.csv", "<?xml version=\"1.0\"?>\n<?OFX OFXHEADER=\"200\"?>\n", StatementFormat::Ofx},
        {"a.qif", "\n<OFX>\n<SIGNONMSGSRSV1>", StatementFormat::Ofx},
        {"a.csv", "!Type:CCard\r\n", StatementFormat::Qif},
        {"a.ofx", "\xEF\xBB\xBF!Account\r\nNCard\r\n^\r\n", StatementFormat::Qif},
        {"a.txt", "!Option:AutoSwitch\r\n", StatementFormat::Qif},
        {"A.QFX", "", StatementFormat::Ofx},
        {"a.ofx", "Date,Amount\n", StatementFormat::Ofx},
        {"a.qif", "D12/31/2025\n", StatementFormat::Qif},
        {"a.csv", "Date,Amount\n", StatementFormat::Csv},
        {"a.txt", "Date;Amount\n", StatementFormat::Csv},
        {"statement", "Date,Amount\n", StatementFormat::Unknown},
        {"a.pdf", "%PDF-1.4", StatementFormat::Unknown},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(statementFormatOf(QStringLiteral("/home/a/") + QString::fromLatin1(c.name),
                                    QByteArray(c.bytes)),
                  c.format)
            << c.name << ": " << c.bytes;
}

TEST(StatementFormat, KnowsEverySampleStatement)
{
    const FormatCase cases[] = {
        {"lakeshore_2025_12.ofx", "", StatementFormat::Ofx},
        {"granite_2026_01.ofx", "", StatementFormat::Ofx},
        {"riverbend_2026_02.qfx", "", StatementFormat::Ofx},
        {"card_2025_12.qif", "", StatementFormat::Qif},
        {"card_2026_02_day_first.qif", "", StatementFormat::Qif},
        {"us_bank.csv", "", StatementFormat::Csv},
        {"uk_bank.csv", "", StatementFormat::Csv},
        {"de_bank.csv", "", StatementFormat::Csv},
    };
    for (const FormatCase& c : cases) {
        // Named .txt, so only the content can tell OFX and QIF.
        const QByteArray bytes = StatementText::readStatementBytes(sample(c.name));
        EXPECT_EQ(statementFormatOf(QStringLiteral("x.txt"), bytes), c.format) << c.name;
    }
}

} // namespace
