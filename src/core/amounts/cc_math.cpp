#include "core/amounts/cc_math.h"

#include "core/platform/user_error.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr std::size_t maxWholeDigits = 13;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

UserError tooLarge(const std::string& text)
{
    return UserError("'" + quotedText(text) + "' is too large an amount");
}

} // namespace

void TccMath::DeleteChar(std::string& text, char c) const
{
    std::erase(text, c);
}

std::string TccMath::TrimLeadingChar(const std::string& text, char c) const
{
    const auto first = text.find_first_not_of(c);
    return first == std::string::npos ? std::string() : text.substr(first);
}

void TccMath::AppendZeroCents(std::string& text) const
{
    text += ".00";
}

bool TccMath::LacksDecimalPoint(const std::string& text) const
{
    return text.find('.') == std::string::npos;
}

bool TccMath::IsValidAmount(const std::string& text) const
{
    const bool allowed = std::all_of(text.begin(), text.end(), [](char c) {
        return isDigit(c) || c == '$' || c == ',' || c == '.';
    });
    if (!allowed)
        return false;
    const auto point = text.find('.');
    if (point != std::string::npos && point + 3 != text.size())
        return false;
    const auto whole = text.substr(0, point);
    return std::count_if(whole.begin(), whole.end(), isDigit) <= std::ptrdiff_t(maxWholeDigits);
}

bool TccMath::IsPlainAmount(const std::string& text) const
{
    const auto point = text.find('.');
    if (point == std::string::npos || point + 3 != text.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != point && !isDigit(text[i]))
            return false;
    }
    return true;
}

std::int64_t TccMath::TextToWhole(const std::string& text) const
{
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const std::size_t wholeStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const std::size_t wholeEnd = i;
    std::size_t fractionStart = i;
    std::size_t fractionEnd = i;
    if (i < text.size() && text[i] == '.') {
        fractionStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        fractionEnd = i;
    }
    if (i != text.size() || (wholeEnd == wholeStart && fractionEnd == fractionStart))
        throw conversionError(text, "floating point value");

    // Magnitude first, up to the largest positive value, so that the sign can
    // be applied without overflow.
    constexpr auto limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    for (std::size_t k = wholeStart; k < wholeEnd; ++k) {
        if (magnitude > (limit - (text[k] - '0')) / 10)
            throw tooLarge(text);
        magnitude = magnitude * 10 + (text[k] - '0');
    }
    if (fractionEnd > fractionStart) {
        const char first = text[fractionStart];
        const bool beyondHalf = std::any_of(text.begin() + std::ptrdiff_t(fractionStart) + 1,
                                            text.begin() + std::ptrdiff_t(fractionEnd),
                                            [](char c) { return c != '0'; });
        const bool roundUp = first > '5' || (first == '5' && (beyondHalf || magnitude % 2 == 1));
        if (roundUp) {
            if (magnitude == limit)
                throw tooLarge(text);
            ++magnitude;
        }
    }
    return negative ? -magnitude : magnitude;
}

std::string TccMath::WholeToText(std::int64_t value) const
{
    return std::to_string(value);
}

namespace {

template <typename Char>
std::optional<std::int64_t> plainCents(std::basic_string_view<Char> text)
{
    // 16 digits and two decimals stay below 2^63, so no step can overflow.
    const std::size_t sign = !text.empty() && text.front() == Char('-') ? 1 : 0;
    const std::size_t size = text.size();
    if (size < sign + 3 || size > sign + 19 || text[size - 3] != Char('.'))
        return std::nullopt;
    std::int64_t cents = 0;
    for (std::size_t i = sign; i < size; ++i) {
        if (i == size - 3)
            continue;
        const Char c = text[i];
        if (c < Char('0') || c > Char('9'))
            return std::nullopt;
        cents = cents * 10 + (c - Char('0'));
    }
    return sign ? -cents : cents;
}

} // namespace

std::optional<std::int64_t> TccMath::PlainCents(std::string_view text)
{
    return plainCents(text);
}

std::optional<std::int64_t> TccMath::PlainCents(std::u16string_view text)
{
    return plainCents(text);
}

std::int64_t TccMath::AmountToCents(const std::string& amount) const
{
    if (const auto cents = PlainCents(amount))
        return *cents;
    std::string text = amount;
    DeleteChar(text, ',');
    if (!text.empty() && text.front() == '$')
        text.erase(0, 1);
    const auto point = text.find('.');
    if (point == std::string::npos) {
        text += "00";
    } else if (point + 1 == text.size()) {
        text.erase(point, 1);
        text += "00";
    } else {
        text.erase(point, 1);
        if (point + 1 == text.size())
            text += "0";
    }
    return TextToWhole(text);
}

void TccMath::CheckAmount(const std::string& text) const
{
    try {
        AmountToCents(text);
    } catch (const UserError& error) {
        if (std::string_view(error.what()).ends_with("is too large an amount"))
            throw;
        throw conversionError(text, "floating point value");
    }
}

std::string TccMath::CentsToAmount(std::int64_t cents) const
{
    if (cents == 0)
        return "0.00";
    // Digits from the right: two cents digits, the point, then the units,
    // none at all below one unit (".05").
    const bool negative = cents < 0;
    std::uint64_t magnitude = negative ? 0 - std::uint64_t(cents) : std::uint64_t(cents);
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    for (int digit = 0; digit < 2; ++digit) {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    }
    *--p = '.';
    for (; magnitude > 0; magnitude /= 10)
        *--p = char('0' + magnitude % 10);
    if (negative)
        *--p = '-';
    return std::string(p, end);
}

std::string TccMath::AddAmounts(const std::string& first, const std::string& second) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(AmountToCents(first), AmountToCents(second), &sum))
        throw tooLarge(first + " + " + second);
    return CentsToAmount(sum);
}

std::string TccMath::SubtractAmounts(const std::string& first, const std::string& second) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(AmountToCents(first), AmountToCents(second), &difference))
        throw tooLarge(first + " - " + second);
    return CentsToAmount(difference);
}

double TccMath::AmountToFloat(const std::string& amount) const
{
    std::string text = amount;
    DeleteChar(text, ',');
    DeleteChar(text, '$');
    DeleteChar(text, ' ');

    // Sign, digits with an optional point, and an optional exponent; nothing
    // else, so "inf", "nan" and hex floats are refused like any other word.
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const std::size_t numberStart = i;
    std::size_t digits = 0;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i)
        digits += isDigit(text[i]) ? 1 : 0;
    const bool onePoint = std::count(text.begin() + std::ptrdiff_t(numberStart),
                                     text.begin() + std::ptrdiff_t(i), '.') <= 1;
    bool valid = digits > 0 && onePoint;
    if (valid && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        const std::size_t exponentStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        valid = i > exponentStart;
    }
    if (!valid || i != text.size())
        throw conversionError(text, "floating point value");

    double value = 0;
    const char* begin = text.data() + (text.front() == '+' ? 1 : 0);
    const auto result = std::from_chars(begin, text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a double's range: too small rounds to zero, too large is infinite.
        const auto exponent = text.find_first_of("eE");
        const std::string mantissa = text.substr(0, exponent);
        const auto pointAt = mantissa.find('.');
        const bool tiny = exponent != std::string::npos
                              ? text[exponent + 1] == '-'
                              : mantissa.find_first_of("123456789") > pointAt;
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return text.front() == '-' ? -magnitude : magnitude;
    }
    return value;
}

std::string TccMath::PrepareTypedAmount(std::string text, bool stripMinus) const
{
    if (stripMinus)
        DeleteChar(text, '-');
    DeleteChar(text, '$');
    DeleteChar(text, ',');
    if (LacksDecimalPoint(text))
        AppendZeroCents(text);
    return text;
}
