#include "core/platform/fast_text.h"
#include "core/platform/user_error.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Arbitrary bytes read by the hand-tuned reader and by the plain one: the
// same text, the same NUL, the same cell lines with their line numbers, and
// the same message where a line is refused, after 0, 1 or 2 leading lines.
namespace {

struct Reading
{
    QString text;
    qsizetype nul = -1;
    QStringList cells;
    std::string error;
    bool operator==(const Reading&) const = default;
};

template <typename Decode, typename Walk>
Reading readWith(const QByteArray& bytes, int skip, Decode decode, Walk walk)
{
    Reading reading;
    reading.text = QStringLiteral("an earlier text");
    reading.nul = decode(bytes, reading.text);
    DataFile::LineReader reader(reading.text);
    QStringView line;
    for (int i = 0; i < skip && reader.next(line); ++i) {
    }
    const qsizetype before = reader.lineNumber();
    try {
        walk(reader.takeRest(), before, [&](const CellLineView& cell, qsizetype number) {
            reading.cells << QString::number(number) + u' ' + QString::number(cell.column) + u' ' +
                                 QString::number(cell.row) + u' ' + cell.text.toString();
        });
    } catch (const UserError& error) {
        reading.error = error.what();
    }
    return reading;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (int skip = 0; skip <= 2; ++skip) {
        const Reading fast = readWith(
            bytes, skip, [](const QByteArray& b, QString& t) { return FastText::decodeInto(b, t); },
            [](QStringView text, qsizetype number, const auto& visit) {
                FastText::forEachCellLine(text, number, visit);
            });
        const Reading plain = readWith(
            bytes, skip, [](const QByteArray& b, QString& t) { return DataFile::decodeInto(b, t); },
            [](QStringView text, qsizetype number, const auto& visit) {
                PlainText::forEachCellLine(text, number, visit);
            });
        Fuzz::require(fast == plain, "the fast and the plain reader read the bytes otherwise");
    }
    return 0;
}
