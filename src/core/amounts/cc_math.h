#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Checks, converts and computes with money text: decimal text with exactly two
// decimals, no separators, a leading "-" when negative and no leading zero
// below one unit (5 cents is .05, minus 5 cents is -.05, zero is 0.00).
// Sums are exact, in whole cents held in 64 bits; floating point only ever
// orders two amounts. Holds no data and uses no Qt.
class TccMath
{
public:
    // Removes every `c` from `text`.
    void DeleteChar(std::string& text, char c) const;
    // The text without the run of `c` at its start.
    std::string TrimLeadingChar(const std::string& text, char c) const;
    // Appends ".00".
    void AppendZeroCents(std::string& text) const;
    bool LacksDecimalPoint(const std::string& text) const;

    // A prepared typed amount is valid when it holds only digits, "$", "," and
    // ".", its first "." has exactly two characters after it, and it has at
    // most 13 digits before the point (so its cents always fit 64 bits). The
    // empty text is valid: callers test for it themselves.
    bool IsValidAmount(const std::string& text) const;

    // True for a prepared amount that is one number: digits, one ".", and
    // two digits after it ("1250.50", ".05"). The dialogs ask it beside
    // IsValidAmount, which locates only the first point and so would let
    // "1..2" or "1.2." through to be stored as they stand.
    bool IsPlainAmount(const std::string& text) const;

    // The decimal number in `text` (sign, digits, optional point and fraction)
    // rounded to a whole number, a half going to the even neighbour: 2.5 is 2,
    // 3.5 is 4. Raises "'x' is not a valid floating point value" for a text
    // that is no such number, and "'x' is too large an amount" for a value
    // beyond 64 bits.
    std::int64_t TextToWhole(const std::string& text) const;
    std::string WholeToText(std::int64_t value) const;

    // 1,234.56 is 123456; $12 is 1200; 12.5 is 1250; -.05 is -5.
    std::int64_t AmountToCents(const std::string& text) const;
    // Whether AmountToCents takes the text. Raises "'x' is not a valid
    // floating point value" quoting the text as it was given ("12x.50", not
    // the digits AmountToCents was left with), or the too-large message.
    void CheckAmount(const std::string& text) const;
    // The cents of a plain stored amount, read where it lies: an optional "-",
    // at most 16 digits, ".", two digits ("1234.56", "-.05"). Any other text
    // gives nothing; AmountToCents reads it the long way, with its messages.
    static std::optional<std::int64_t> PlainCents(std::string_view text);
    static std::optional<std::int64_t> PlainCents(std::u16string_view text);
    // 123456 is 1234.56; 5 is .05; -5 is -.05; 0 is 0.00.
    std::string CentsToAmount(std::int64_t cents) const;

    // first + second and first - second as money text. A result beyond 64-bit
    // cents raises "'x' is too large an amount" rather than wrapping.
    std::string AddAmounts(const std::string& first, const std::string& second) const;
    std::string SubtractAmounts(const std::string& first, const std::string& second) const;

    // The value for ordering tests only, after dropping ",", "$" and blanks.
    // Raises "'x' is not a valid floating point value" for a text that is no number.
    double AmountToFloat(const std::string& text) const;

    // What the dialogs do to a typed amount before checking it: drop "-" when
    // `stripMinus`, drop "$" and ",", and append ".00" when there is no point.
    // The dialogs show the result and test it with IsValidAmount.
    std::string PrepareTypedAmount(std::string text, bool stripMinus) const;
};
