#include "core/platform/cell_line.h"
#include "core/platform/user_error.h"

#include <gtest/gtest.h>

namespace {

struct CellCase
{
    const char* line;
    CellLine cell;
};

class CellLines : public testing::TestWithParam<CellCase>
{};

TEST_P(CellLines, ParseAndFormatAreInverse)
{
    const QString line = QString::fromUtf8(GetParam().line);
    EXPECT_EQ(parseCellLine(line), GetParam().cell);
    EXPECT_EQ(formatCellLine(GetParam().cell), line);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CellLines,
    testing::Values(CellCase{"0 1 1. Visa Gold", {0, 1, QStringLiteral("1. Visa Gold")}},
                    CellCase{"7 24 6/30/27", {7, 24, QStringLiteral("6/30/27")}},
                    CellCase{"1 1000 Groceries", {1, 1000, QStringLiteral("Groceries")}},
                    // The text runs to the end of the line, blanks and all.
                    CellCase{"2 3  two  blanks ", {2, 3, QStringLiteral(" two  blanks ")}},
                    CellCase{"0 26 -250.00", {0, 26, QStringLiteral("-250.00")}},
                    CellCase{"4 5 ", {4, 5, QString()}}));

TEST(CellLines, ALineWithoutATextHasAnEmptyOne)
{
    EXPECT_EQ(parseCellLine(QStringLiteral("4 5")), (CellLine{4, 5, QString()}));
}

struct BadLine
{
    const char* line;
    const char* message;
};

class CellLinesRefuse : public testing::TestWithParam<BadLine>
{};

TEST_P(CellLinesRefuse, FieldsThatAreNotIntegers)
{
    try {
        parseCellLine(QString::fromUtf8(GetParam().line));
        FAIL() << GetParam().line << " was accepted";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CellLinesRefuse,
    testing::Values(BadLine{"x 1 text", "'x' is not a valid integer value"},
                    BadLine{"1 y text", "'y' is not a valid integer value"},
                    BadLine{"", "'' is not a valid integer value"},
                    BadLine{"5", "'' is not a valid integer value"},
                    BadLine{" 1 1 text", "'' is not a valid integer value"},
                    BadLine{"1  1 text", "'' is not a valid integer value"},
                    BadLine{"1.5 1 text", "'1.5' is not a valid integer value"},
                    BadLine{"99999999999 1 text", "'99999999999' is not a valid integer value"},
                    BadLine{"Visa", "'Visa' is not a valid integer value"}));

// A damaged line can be thousands of characters long; the message quotes
// its first forty and marks the cut, counting characters, not bytes.
TEST(ConversionMessages, QuoteAtMostFortyCharactersOfTheOffendingText)
{
    const auto messageFor = [](const QString& line) -> std::string {
        try {
            parseCellLine(line);
        } catch (const UserError& error) {
            return error.what();
        }
        return "<parsed>";
    };
    const QString forty(40, u'x');
    EXPECT_EQ(messageFor(forty + QStringLiteral(" 1 text")),
              "'" + forty.toStdString() + "' is not a valid integer value");
    EXPECT_EQ(messageFor(forty + QStringLiteral("y 1 text")),
              "'" + forty.toStdString() + "\u2026' is not a valid integer value");
    EXPECT_EQ(messageFor(QString(50000, u'7') + QStringLiteral(" 1 text")),
              "'" + std::string(40, '7') + "\u2026' is not a valid integer value");
    const QString accented(45, QChar(0xE9));
    EXPECT_EQ(messageFor(accented + QStringLiteral(" 1 text")),
              "'" + QString(40, QChar(0xE9)).toStdString() +
                  "\u2026' is not a valid integer value");
}

} // namespace
