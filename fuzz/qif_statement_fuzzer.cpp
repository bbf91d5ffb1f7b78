#include "core/register/qif_statement.h"
#include "statement_check.h"

#include <cstddef>
#include <cstdint>

// Arbitrary bytes as a QIF statement.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    Fuzz::checkStatement([&] { return parseQif(bytes, QStringLiteral("fuzz.qif")); }, false);
    return 0;
}
