#include "core/amounts/cc_math.h"
#include "core/amounts/stored_amount.h"
#include "core/platform/user_error.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

const TccMath math;

struct CentsCase
{
    std::int64_t cents;
    const char* text;
};

class CanonicalMoneyText : public testing::TestWithParam<CentsCase>
{};

TEST_P(CanonicalMoneyText, CentsBecomeCanonicalTextAndBack)
{
    EXPECT_EQ(math.CentsToAmount(GetParam().cents), GetParam().text);
    EXPECT_EQ(math.AmountToCents(GetParam().text), GetParam().cents);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CanonicalMoneyText,
    testing::Values(CentsCase{0, "0.00"}, CentsCase{5, ".05"}, CentsCase{7, ".07"},
                    CentsCase{10, ".10"}, CentsCase{50, ".50"}, CentsCase{99, ".99"},
                    CentsCase{100, "1.00"}, CentsCase{123456, "1234.56"}, CentsCase{-1, "-.01"},
                    CentsCase{-5, "-.05"}, CentsCase{-99, "-.99"}, CentsCase{-100, "-1.00"},
                    CentsCase{-123, "-1.23"}, CentsCase{100000000000000, "1000000000000.00"},
                    CentsCase{std::numeric_limits<std::int64_t>::max(), "92233720368547758.07"},
                    CentsCase{-std::numeric_limits<std::int64_t>::max(), "-92233720368547758.07"}));

TEST(MoneyText, EveryCentValueFromMinusToPlusOneThousandUnitsRoundTrips)
{
    for (std::int64_t cents = -100000; cents <= 100000; ++cents) {
        const std::string text = math.CentsToAmount(cents);
        ASSERT_EQ(math.AmountToCents(text), cents) << text;
        if (cents != 0) {
            ASSERT_NE(text.front(), '0') << text << " has a leading zero";
        }
        ASSERT_EQ(text.find(".") + 3, text.size()) << text;
        ASSERT_NE(text, "-0.00");
    }
    EXPECT_EQ(math.CentsToAmount(0), "0.00");
}

struct CentsOfText
{
    const char* text;
    std::int64_t cents;
};

class AmountToCentsReads : public testing::TestWithParam<CentsOfText>
{};

TEST_P(AmountToCentsReads, TypedAndStoredForms)
{
    EXPECT_EQ(math.AmountToCents(GetParam().text), GetParam().cents) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Examples, AmountToCentsReads,
                         testing::Values(CentsOfText{"0", 0}, CentsOfText{"00", 0},
                                         CentsOfText{".00", 0}, CentsOfText{"0.00", 0},
                                         CentsOfText{"-0.00", 0}, CentsOfText{".05", 5},
                                         CentsOfText{"1,234.56", 123456}, CentsOfText{"$12", 1200},
                                         CentsOfText{"$1,250.50", 125050}, CentsOfText{"12.", 1200},
                                         CentsOfText{"12.5", 1250}, CentsOfText{".5", 50},
                                         CentsOfText{"12.34", 1234}, CentsOfText{"12", 1200},
                                         CentsOfText{"-1.23", -123}, CentsOfText{"-.05", -5},
                                         CentsOfText{"9999999999999.99", 999999999999999},
                                         // 17 digits before the point: read the long way.
                                         CentsOfText{"12345678901234567.89", 1234567890123456789}));

TEST(MoneyText, TheLowestCentValueHasItsText)
{
    EXPECT_EQ(math.CentsToAmount(std::numeric_limits<std::int64_t>::min()),
              "-92233720368547758.08");
}

struct PlainCase
{
    const char* text;
    std::optional<std::int64_t> cents;
};

class PlainCentsReads : public testing::TestWithParam<PlainCase>
{};

// Both forms, 8-bit and 16-bit, give the same answer; a text they do not take
// is left to AmountToCents.
TEST_P(PlainCentsReads, OnlyPlainStoredAmounts)
{
    const std::string text = GetParam().text;
    const std::u16string wide(text.begin(), text.end());
    EXPECT_EQ(TccMath::PlainCents(std::string_view(text)), GetParam().cents) << text;
    EXPECT_EQ(TccMath::PlainCents(std::u16string_view(wide)), GetParam().cents) << text;
    // A load's quick check of a stored amount takes exactly the same texts.
    EXPECT_EQ(isPlainStoredAmount(QString::fromStdString(text)), GetParam().cents.has_value())
        << text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, PlainCentsReads,
    testing::Values(PlainCase{"1234.56", 123456}, PlainCase{".05", 5}, PlainCase{"-.05", -5},
                    PlainCase{"0.00", 0}, PlainCase{"-0.00", 0}, PlainCase{"007.10", 710},
                    PlainCase{"9999999999999999.99", 999999999999999999},
                    PlainCase{"-9999999999999999.99", -999999999999999999},
                    PlainCase{"99999999999999999.99", std::nullopt},
                    PlainCase{"1,234.56", std::nullopt}, PlainCase{"$1.00", std::nullopt},
                    PlainCase{"+1.00", std::nullopt}, PlainCase{" 1.00", std::nullopt},
                    PlainCase{"1.00 ", std::nullopt}, PlainCase{"12.5", std::nullopt},
                    PlainCase{"12", std::nullopt}, PlainCase{"1..00", std::nullopt},
                    PlainCase{"1.2.3", std::nullopt}, PlainCase{"--1.00", std::nullopt},
                    PlainCase{"-", std::nullopt}, PlainCase{"", std::nullopt},
                    PlainCase{".0x", std::nullopt}));

struct Arithmetic
{
    const char* first;
    const char* second;
    const char* sum;
    const char* difference;
};

class AddAndSubtract : public testing::TestWithParam<Arithmetic>
{};

TEST_P(AddAndSubtract, GiveCanonicalText)
{
    const Arithmetic& c = GetParam();
    EXPECT_EQ(math.AddAmounts(c.first, c.second), c.sum);
    EXPECT_EQ(math.SubtractAmounts(c.first, c.second), c.difference);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AddAndSubtract,
    testing::Values(Arithmetic{".05", ".10", ".15", "-.05"},
                    Arithmetic{"1.00", "2.50", "3.50", "-1.50"},
                    Arithmetic{"-.05", ".05", "0.00", "-.10"},
                    Arithmetic{".05", ".05", ".10", "0.00"},
                    Arithmetic{"0.00", "0.00", "0.00", "0.00"},
                    Arithmetic{"900.00", "250.00", "1150.00", "650.00"},
                    Arithmetic{"$1,000", "0.01", "1000.01", "999.99"},
                    Arithmetic{"-250.00", "-.50", "-250.50", "-249.50"},
                    // .1 + .2 is exactly .30, as it is not in binary floating point.
                    Arithmetic{".10", ".20", ".30", "-.10"}));

TEST(MoneyText, SumsBeyondSixtyFourBitCentsAreRefusedNotWrapped)
{
    const std::string top = math.CentsToAmount(std::numeric_limits<std::int64_t>::max());
    const std::string bottom = math.CentsToAmount(-std::numeric_limits<std::int64_t>::max());
    EXPECT_THROW(math.AddAmounts(top, ".01"), UserError);
    EXPECT_THROW(math.SubtractAmounts(bottom, "1.00"), UserError);
    EXPECT_EQ(math.SubtractAmounts(top, ".07"), "92233720368547758.00");
}

struct WholeCase
{
    const char* text;
    std::int64_t whole;
};

class TextToWholeRounds : public testing::TestWithParam<WholeCase>
{};

TEST_P(TextToWholeRounds, HalvesToTheEvenNeighbour)
{
    EXPECT_EQ(math.TextToWhole(GetParam().text), GetParam().whole) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TextToWholeRounds,
    testing::Values(WholeCase{"0.5", 0}, WholeCase{"1.5", 2}, WholeCase{"2.5", 2},
                    WholeCase{"3.5", 4}, WholeCase{"-0.5", 0}, WholeCase{"-1.5", -2},
                    WholeCase{"-2.5", -2}, WholeCase{"123.45", 123}, WholeCase{".50", 0},
                    WholeCase{".51", 1}, WholeCase{"2.500001", 3}, WholeCase{"2.4999", 2},
                    WholeCase{"-.51", -1}, WholeCase{"7", 7}, WholeCase{"+7", 7},
                    WholeCase{"007.", 7}, WholeCase{"9223372036854775807", 9223372036854775807},
                    WholeCase{"9223372036854775806.5", 9223372036854775806}));

TEST(MoneyText, WholeToTextIsPlainDecimal)
{
    EXPECT_EQ(math.WholeToText(0), "0");
    EXPECT_EQ(math.WholeToText(-5), "-5");
    EXPECT_EQ(math.WholeToText(123456), "123456");
}

class TextToWholeRefuses : public testing::TestWithParam<const char*>
{};

TEST_P(TextToWholeRefuses, NonNumbersWithTheFloatingPointMessage)
{
    const std::string text = GetParam();
    try {
        math.TextToWhole(text);
        FAIL() << text << " was accepted";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, TextToWholeRefuses,
                         testing::Values("", "-", ".", "abc", "1.2.3", "1$2", "--5", "5-", " 5",
                                         "1e5"));

TEST(MoneyText, ValuesBeyondSixtyFourBitsAreRefusedNotWrapped)
{
    for (const char* text : {"9223372036854775808", "-9223372036854775808", "9223372036854775807.5",
                             "99999999999999999999", "99999999999999999999.99"}) {
        EXPECT_THROW(math.TextToWhole(text), UserError) << text;
    }
    for (const char* amount : {"92233720368547758.08", "100000000000000000.00",
                               "-92233720368547758.08", "$99,999,999,999,999,999"}) {
        try {
            math.AmountToCents(amount);
            ADD_FAILURE() << amount << " was accepted";
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find("too large"), std::string::npos)
                << error.what();
        }
    }
}

struct ValidityCase
{
    const char* text;
    bool valid;
};

class IsValidAmountChecks : public testing::TestWithParam<ValidityCase>
{};

TEST_P(IsValidAmountChecks, PreparedTypedAmounts)
{
    EXPECT_EQ(math.IsValidAmount(GetParam().text), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, IsValidAmountChecks,
    testing::Values(
        ValidityCase{"1250.50", true}, ValidityCase{"1,250.50", true}, ValidityCase{"$5", true},
        ValidityCase{".50", true}, ValidityCase{"", true}, ValidityCase{"5.5", false},
        ValidityCase{"5.555", false}, ValidityCase{"-5.00", false}, ValidityCase{"+5.00", false},
        ValidityCase{" 5.00", false}, ValidityCase{"5.00 ", false}, ValidityCase{"5a.00", false},
        ValidityCase{"12.", false},
        // Only the first point is located; what follows it is checked by
        // the character rule alone.
        ValidityCase{"1.2.", true}, ValidityCase{"5.$,", true},
        // At most 13 digits before the point: the largest typed amount,
        // 9999999999999.99, keeps every sum far inside 64-bit cents.
        ValidityCase{"9999999999999.99", true}, ValidityCase{"9,999,999,999,999.99", true},
        ValidityCase{"10000000000000.00", false}, ValidityCase{"99999999999999999999.00", false},
        ValidityCase{"10000000000000", false}));

struct Preparation
{
    const char* typed;
    bool stripMinus;
    const char* prepared;
    bool accepted;
};

class PrepareTypedAmountCases : public testing::TestWithParam<Preparation>
{};

TEST_P(PrepareTypedAmountCases, ShowsThePreparedTextAndItsVerdict)
{
    const Preparation& c = GetParam();
    const std::string prepared = math.PrepareTypedAmount(c.typed, c.stripMinus);
    EXPECT_EQ(prepared, c.prepared);
    EXPECT_EQ(math.IsValidAmount(prepared), c.accepted) << prepared;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, PrepareTypedAmountCases,
    testing::Values(
        Preparation{"25", false, "25.00", true}, Preparation{"$1,250.50", false, "1250.50", true},
        Preparation{"1250.5", false, "1250.5", false},
        Preparation{"12.345", false, "12.345", false}, Preparation{"12.", false, "12.", false},
        Preparation{" 5", false, " 5.00", false}, Preparation{"-5", false, "-5.00", false},
        Preparation{"-5", true, "5.00", true}, Preparation{"-$1,000", true, "1000.00", true},
        Preparation{"", false, ".00", true}, Preparation{"0", false, "0.00", true},
        Preparation{"12345678901234", false, "12345678901234.00", false},
        Preparation{"1234567890123", false, "1234567890123.00", true}));

TEST(MoneyText, APlainAmountIsOneNumberWithTwoDecimals)
{
    for (const char* plain : {"1250.50", ".05", "0.00", "9999999999999.99"})
        EXPECT_TRUE(math.IsPlainAmount(plain)) << plain;
    // Each of these passes IsValidAmount, which locates only the first point.
    for (const char* odd : {"1..2", "1.2.", "...", "$5.00", "1,250.50"}) {
        EXPECT_TRUE(math.IsValidAmount(odd)) << odd;
        EXPECT_FALSE(math.IsPlainAmount(odd)) << odd;
    }
    for (const char* notPlain : {"", "5", "5.5", "5.555", "-5.00", "5.0a"})
        EXPECT_FALSE(math.IsPlainAmount(notPlain)) << notPlain;
}

TEST(MoneyText, SmallHelpersDoWhatTheySay)
{
    std::string text = "1,2,3";
    math.DeleteChar(text, ',');
    EXPECT_EQ(text, "123");
    EXPECT_EQ(math.TrimLeadingChar("--5-", '-'), "5-");
    EXPECT_EQ(math.TrimLeadingChar("---", '-'), "");
    EXPECT_EQ(math.TrimLeadingChar("5", '-'), "5");
    math.AppendZeroCents(text);
    EXPECT_EQ(text, "123.00");
    EXPECT_FALSE(math.LacksDecimalPoint(text));
    EXPECT_TRUE(math.LacksDecimalPoint("123"));
}

struct FloatCase
{
    const char* text;
    double value;
};

class AmountToFloatReads : public testing::TestWithParam<FloatCase>
{};

TEST_P(AmountToFloatReads, NumbersAfterDroppingSeparators)
{
    EXPECT_DOUBLE_EQ(math.AmountToFloat(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Examples, AmountToFloatReads,
                         testing::Values(FloatCase{"0.00", 0.0}, FloatCase{"-.05", -0.05},
                                         FloatCase{"1234.56", 1234.56},
                                         FloatCase{"$1,234.56", 1234.56}, FloatCase{" 12 ", 12.0},
                                         FloatCase{"+3", 3.0}, FloatCase{"1e3", 1000.0},
                                         FloatCase{"2.5E-1", 0.25}, FloatCase{"12.", 12.0},
                                         FloatCase{"1e-400", 0.0}));

TEST(MoneyText, AmountToFloatOrdersHugeValuesInsteadOfFailing)
{
    EXPECT_TRUE(std::isinf(math.AmountToFloat("1e400")));
    EXPECT_LT(math.AmountToFloat("-1e400"), 0.0);
}

class AmountToFloatRefuses : public testing::TestWithParam<const char*>
{};

TEST_P(AmountToFloatRefuses, NonNumbersWithTheConversionMessage)
{
    try {
        math.AmountToFloat(GetParam());
        FAIL() << GetParam() << " was accepted";
    } catch (const UserError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("' is not a valid floating point value"), std::string::npos)
            << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, AmountToFloatRefuses,
                         testing::Values("", "abc", "Expired", "1.2.3", "inf", "nan", "0x10", "1e",
                                         "--1", "-", ".", "1-2"));

TEST(MoneyText, AmountToFloatQuotesTheTextItRead)
{
    try {
        math.AmountToFloat("$abc");
        FAIL();
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid floating point value");
    }
}

} // namespace
