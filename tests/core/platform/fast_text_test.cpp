#include "core/platform/fast_text.h"
#include "core/platform/user_error.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>
#include <random>
#include <string>

// The hand-tuned reader must make of any bytes what the plain reader makes of
// them: the same text, the same NUL, the same cell lines with the same line
// numbers, the same message where a line is refused.
namespace {

struct Reading
{
    QString text;
    qsizetype nul = -1;
    QStringList cells; // "line column row text"
    std::string error;
    bool operator==(const Reading&) const = default;
};

// Decodes into a buffer that held another text before, as a loader's does,
// skips `skip` leading lines as the files' own lines, and walks the rest.
template <typename Decode, typename Walk>
Reading readWith(const QByteArray& bytes, int skip, Decode decode, Walk walk)
{
    Reading reading;
    reading.text = QStringLiteral("an earlier text, longer than some inputs");
    reading.nul = decode(bytes, reading.text);
    DataFile::LineReader reader(reading.text);
    QStringView line;
    for (int i = 0; i < skip && reader.next(line); ++i) {
    }
    const qsizetype before = reader.lineNumber();
    try {
        walk(reader.takeRest(), before, [&](const CellLineView& cell, qsizetype number) {
            reading.cells << QStringLiteral("%1 %2 %3 %4")
                                 .arg(number)
                                 .arg(cell.column)
                                 .arg(cell.row)
                                 .arg(cell.text);
        });
    } catch (const UserError& error) {
        reading.error = error.what();
    }
    return reading;
}

Reading readFast(const QByteArray& bytes, int skip)
{
    return readWith(
        bytes, skip, [](const QByteArray& b, QString& t) { return FastText::decodeInto(b, t); },
        [](QStringView text, qsizetype number, const auto& visit) {
            FastText::forEachCellLine(text, number, visit);
        });
}

Reading readPlainly(const QByteArray& bytes, int skip)
{
    return readWith(
        bytes, skip, [](const QByteArray& b, QString& t) { return DataFile::decodeInto(b, t); },
        [](QStringView text, qsizetype number, const auto& visit) {
            PlainText::forEachCellLine(text, number, visit);
        });
}

std::string shown(const QByteArray& bytes)
{
    return bytes.left(200).toPercentEncoding(" ").toStdString();
}

void expectSameReading(const QByteArray& bytes, const std::string& label)
{
    for (int skip = 0; skip <= 2; ++skip) {
        const Reading fast = readFast(bytes, skip);
        const Reading plain = readPlainly(bytes, skip);
        ASSERT_EQ(fast.text, plain.text) << label << ": " << shown(bytes);
        ASSERT_EQ(fast.nul, plain.nul) << label << ": " << shown(bytes);
        ASSERT_EQ(fast.cells, plain.cells) << label << ", skip " << skip << ": " << shown(bytes);
        ASSERT_EQ(fast.error, plain.error) << label << ", skip " << skip << ": " << shown(bytes);
    }
}

std::vector<std::pair<std::string, QByteArray>> seedFiles()
{
    std::vector<std::pair<std::string, QByteArray>> seeds;
    QDirIterator files(QStringLiteral(PURSEWISE_CORPUS), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly))
            seeds.emplace_back(file.fileName().toStdString(), file.readAll());
    }
    return seeds;
}

// Bytes that a damaged or hand-edited file may hold, weighted towards what
// the readers decide on: digits, blanks, breaks, NUL, signs, UTF-8 and
// Windows-1252 bytes.
QByteArray randomBytes(std::mt19937& random, qsizetype size)
{
    static const char alphabet[] = {
        '0', '1', '2', '9',    ' ',    ' ',    '\r',   '\n',   '\r',   '\n',   '\0',   '-', '+',
        'a', 'x', '.', '\x7f', '\xc3', '\xa9', '\xe9', '\x80', '\xef', '\xbb', '\xbf', '\t'};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    QByteArray bytes;
    for (qsizetype i = 0; i < size; ++i)
        bytes += alphabet[pick(random)];
    return bytes;
}

TEST(FastText, ReadsEverySeedFileAsThePlainReaderDoes)
{
    const auto seeds = seedFiles();
    ASSERT_GE(seeds.size(), 20u);
    for (const auto& [name, bytes] : seeds)
        expectSameReading(bytes, name);
}

TEST(FastText, ReadsSeedFilesWithADamagedByteAsThePlainReaderDoes)
{
    std::mt19937 random(20261210);
    const char damage[] = {'\0', '\r', '\n', ' ', 'x', '\xe9', '\xc3'};
    for (const auto& [name, bytes] : seedFiles()) {
        if (bytes.isEmpty())
            continue;
        std::uniform_int_distribution<qsizetype> offset(0, bytes.size() - 1);
        for (const char byte : damage) {
            QByteArray damaged = bytes;
            damaged[offset(random)] = byte;
            expectSameReading(damaged, name + " damaged");
            expectSameReading(bytes.left(offset(random)), name + " cut short");
        }
    }
}

TEST(FastText, ReadsRandomBytesAsThePlainReaderDoes)
{
    std::mt19937 random(8122026);
    std::uniform_int_distribution<qsizetype> size(0, 120);
    expectSameReading(QByteArray(), "empty");
    for (int i = 0; i < 3000; ++i)
        expectSameReading(randomBytes(random, size(random)), "random " + std::to_string(i));
}

TEST(FastText, ReadsLongLinesAndBareBreaksAsThePlainReaderDoes)
{
    const QByteArray longText(5000, 'w');
    const QByteArray cases[] = {
        "0 1 " + longText + "\r\n1 1 " + longText,
        "0 1 " + longText + "\n1 2 x\n",
        "0 1 " + longText + "\r1 2 x\r",
        "0 1 a\r\r\n1 1 b\n\r2 1 c",
        "\r\n\r\n",
        "\n",
        "\r",
        "12345678901 1 x\r\n",
        "1 123456789 x\r\n1 1234567890 y\r\n",
        "0 1 a" + QByteArray(1, '\0') + "\r\n",
        QByteArray(70, '1') + " 1\r\n",
        "-0 +1 a\r\n0  1 b\r\n 0 1 c\r\n0 1\r\n0\r\n",
    };
    for (const QByteArray& bytes : cases)
        expectSameReading(bytes, "case");
}

} // namespace
