#include "core/amounts/cc_math.h"
#include "core/platform/user_error.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
#include <string>

// The money text operations and PrepareTypedAmount on arbitrary texts and
// cent counts. Each may refuse a text with the program's own error; none may
// crash, overflow, or give anything but canonical money text (".05", "-1.50",
// "0.00"), and the sums must be exact.
namespace {

const TccMath math;

[[noreturn]] void fail(const char* what, const std::string& text)
{
    std::fprintf(stderr, "money fuzz check failed: %s [%s]\n", what, text.c_str());
    std::abort();
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isCanonical(const std::string& text)
{
    if (text == "0.00")
        return true;
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t point = text.size() >= 3 ? text.size() - 3 : std::string::npos;
    if (point == std::string::npos || point < start || text[point] != '.' ||
        !isDigit(text[point + 1]) || !isDigit(text[point + 2]))
        return false;
    for (std::size_t i = start; i < point; ++i)
        if (!isDigit(text[i]))
            return false;
    if (point > start)
        return text[start] != '0';
    return text.substr(point) != ".00";
}

template <typename Operation>
bool refused(Operation&& operation)
{
    try {
        operation();
        return false;
    } catch (const UserError&) {
        return true;
    }
}

void checkCents(std::int64_t cents)
{
    const std::string text = math.CentsToAmount(cents);
    if (!isCanonical(text))
        fail("CentsToAmount is not canonical", text);
    std::int64_t back = 0;
    // The one count whose text cannot be read back is the lowest of all: its
    // magnitude does not fit 64 bits. Reading it is refused, never wrapped.
    if (refused([&] { back = math.AmountToCents(text); })) {
        if (cents != std::numeric_limits<std::int64_t>::min())
            fail("a canonical amount is refused", text);
        return;
    }
    if (back != cents)
        fail("cents do not survive a round trip", text);
    if (std::llabs(cents) < (1LL << 50)) {
        const double value = math.AmountToFloat(text);
        if (std::llround(value * 100) != cents)
            fail("AmountToFloat disagrees with the cents", text);
    }
}

void checkText(const std::string& a, const std::string& b)
{
    std::int64_t centsA = 0;
    std::int64_t centsB = 0;
    const bool aRefused = refused([&] { centsA = math.AmountToCents(a); });
    const bool bRefused = refused([&] { centsB = math.AmountToCents(b); });
    refused([&] { math.TextToWhole(a); });
    refused([&] { math.AmountToFloat(a); });

    std::string sum;
    std::string difference;
    const bool sumRefused = refused([&] { sum = math.AddAmounts(a, b); });
    const bool differenceRefused = refused([&] { difference = math.SubtractAmounts(a, b); });
    if (!aRefused && !bRefused) {
        std::int64_t exact = 0;
        if (__builtin_add_overflow(centsA, centsB, &exact) != sumRefused)
            fail("AddAmounts refuses exactly the overflows", a + " + " + b);
        if (!sumRefused && sum != math.CentsToAmount(exact))
            fail("AddAmounts is not exact", a + " + " + b);
        if (__builtin_sub_overflow(centsA, centsB, &exact) != differenceRefused)
            fail("SubtractAmounts refuses exactly the overflows", a + " - " + b);
        if (!differenceRefused && difference != math.CentsToAmount(exact))
            fail("SubtractAmounts is not exact", a + " - " + b);
    }
    if (!sumRefused && !isCanonical(sum))
        fail("AddAmounts is not canonical", sum);
    if (!differenceRefused && !isCanonical(difference))
        fail("SubtractAmounts is not canonical", difference);
}

void checkTyped(const std::string& typed, bool stripMinus)
{
    const std::string prepared = math.PrepareTypedAmount(typed, stripMinus);
    if (prepared.find_first_of("$,") != std::string::npos ||
        (stripMinus && prepared.find('-') != std::string::npos))
        fail("PrepareTypedAmount left a character it removes", prepared);
    if (math.LacksDecimalPoint(prepared))
        fail("PrepareTypedAmount gave no point", prepared);
    if (!math.IsValidAmount(prepared))
        return;
    // An accepted amount of digits and one point is read exactly and fits
    // 64 bits with room for every sum of two.
    if (std::count(prepared.begin(), prepared.end(), '.') != 1)
        return;
    std::int64_t cents = 0;
    if (refused([&] { cents = math.AmountToCents(prepared); }))
        fail("an accepted amount is refused", prepared);
    if (cents < 0 || cents >= 100'000'000'000'000'000LL / 100)
        fail("an accepted amount is out of range", prepared);
    std::string digits = prepared;
    math.DeleteChar(digits, '.');
    if (math.TrimLeadingChar(digits, '0').empty()
            ? cents != 0
            : std::to_string(cents) != math.TrimLeadingChar(digits, '0'))
        fail("an accepted amount reads as another value", prepared);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::int64_t cents = input.ConsumeIntegral<std::int64_t>();
    const bool stripMinus = input.ConsumeBool();
    const std::string a = input.ConsumeRandomLengthString(64);
    const std::string b = input.ConsumeRemainingBytesAsString();

    checkCents(cents);
    checkText(a, b);
    checkText(math.CentsToAmount(cents), a);
    checkTyped(a, stripMinus);
    checkTyped(b, !stripMinus);

    std::string deleted = a;
    math.DeleteChar(deleted, ',');
    if (deleted.find(',') != std::string::npos)
        fail("DeleteChar left the character", deleted);
    const std::string trimmed = math.TrimLeadingChar(a, '0');
    if (!trimmed.empty() && trimmed.front() == '0')
        fail("TrimLeadingChar left the character", trimmed);
    return 0;
}
