#include "core/register/ofx_statement.h"
#include "statement_check.h"

#include <cstddef>
#include <cstdint>

// Arbitrary bytes as an OFX statement, through our own checks and libofx.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fuzz::setUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    Fuzz::checkStatement([&] { return parseOfx(bytes, QStringLiteral("fuzz.ofx")); }, true);
    return 0;
}
