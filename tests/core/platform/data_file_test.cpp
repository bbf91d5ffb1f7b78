#include "core/platform/data_file.h"
#include "core/platform/fast_text.h"
#include "core/platform/user_error.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFileDevice>

#include <cerrno>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using DataFileOnDisk = InTempDir;

// The largest file the program reads: larger than any it writes.
constexpr qsizetype fourMegabytes = 4 * 1024 * 1024;

TEST_F(DataFileOnDisk, WritesEveryLineWithCrLf)
{
    DataFile::writeLines(QStringLiteral("CardList.dat"),
                         {QStringLiteral("2"), QStringLiteral("0 1 1. Visa Gold"), QString()});
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat")), QByteArray("2\r\n0 1 1. Visa Gold\r\n\r\n"));
}

TEST_F(DataFileOnDisk, WritesNoLinesAsAnEmptyFile)
{
    DataFile::writeLines(QStringLiteral("7yl.dat"), {});
    EXPECT_TRUE(DataFile::exists(QStringLiteral("7yl.dat")));
    EXPECT_EQ(bytesOf(QStringLiteral("7yl.dat")), QByteArray());
}

TEST_F(DataFileOnDisk, RewritesTheWholeFileNeverAppends)
{
    putBytes(QStringLiteral("summary.dat"), "1.00\r\n2.00\r\n3.00\r\n4.00\r\n");
    DataFile::writeLines(QStringLiteral("summary.dat"), {QStringLiteral("9.00")});
    EXPECT_EQ(bytesOf(QStringLiteral("summary.dat")), QByteArray("9.00\r\n"));
}

TEST_F(DataFileOnDisk, WritesUtf8)
{
    DataFile::writeLines(QStringLiteral("1info.dat"),
                         {QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC")});
    EXPECT_EQ(bytesOf(QStringLiteral("1info.dat")), QByteArray("Caf\xC3\xA9 \xE2\x82\xAC\r\n"));
}

struct ReadCase
{
    const char* label;
    QByteArray bytes;
    QStringList lines;
};

class DataFileReads : public InTempDir, public testing::WithParamInterface<ReadCase>
{};

TEST_P(DataFileReads, SplitsAndDecodesLines)
{
    putBytes(QStringLiteral("1bb.dat"), GetParam().bytes);
    EXPECT_EQ(DataFile::readLines(QStringLiteral("1bb.dat")), GetParam().lines) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaks, DataFileReads,
    testing::Values(
        ReadCase{"CR LF", "2\r\n0 1 A b\r\n", {"2", "0 1 A b"}},
        ReadCase{"LF", "2\n0 1 A b\n", {"2", "0 1 A b"}},
        ReadCase{"lone CR", "2\r0 1 A b\r", {"2", "0 1 A b"}},
        ReadCase{"no final break", "2\r\n0 1 A b", {"2", "0 1 A b"}},
        ReadCase{"mixed breaks", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        ReadCase{"empty lines kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        ReadCase{"CR CR LF is an empty line", "a\r\r\nb", {"a", "", "b"}},
        ReadCase{"empty file", "", {}}, ReadCase{"only a break", "\r\n", {""}},
        ReadCase{"NUL ends the text", QByteArray("a\r\nb\0c\r\nd\r\n", 11), {"a", "b"}},
        ReadCase{"UTF-8", "Caf\xC3\xA9\r\n", {QString::fromUtf8("Caf\xC3\xA9")}},
        ReadCase{"Windows-1252 accents",
                 "Caf\xE9 \x80 \x93Gold\x94\r\n",
                 {QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9CGold\xE2\x80\x9D")}},
        ReadCase{"one bad byte makes the whole file 8-bit",
                 "\xC3\xA9\r\n\xE9\r\n",
                 {QString::fromUtf8("\xC3\x83\xC2\xA9"), QString::fromUtf8("\xC3\xA9")}}),
    [](const testing::TestParamInfo<ReadCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(DataFileOnDisk, ReadsBackWhatItWrote)
{
    const QStringList lines = {QStringLiteral("4"), QStringLiteral("3"),
                               QStringLiteral("0 1 1. Visa  Gold "),
                               QString::fromUtf8("0 2 2. \xC3\x9C")};
    DataFile::writeLines(QStringLiteral("CardList.dat"), lines);
    EXPECT_EQ(DataFile::readLines(QStringLiteral("CardList.dat")), lines);
}

TEST_F(DataFileOnDisk, ReadingAMissingFileNamesIt)
{
    try {
        DataFile::readLines(QStringLiteral("9info.dat"));
        FAIL();
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Could not read \"9info.dat\": No such file or directory");
    }
}

// The plain decoder and the fast one, which must agree.
struct Decode
{
    const char* name;
    qsizetype (*decode)(const QByteArray&, QString&);
};
const Decode decoders[] = {{"plain", &DataFile::decodeInto}, {"fast", &FastText::decodeInto}};

// The fast decoder copies plain ASCII sixteen bytes at a time; whatever
// stops that, at whatever offset, must read as the plain decoder reads it,
// and a NUL byte, which ends the text and marks the file as damaged, is found
// by both.
TEST(DataFileDecode, ReadsWhatEndsThePlainStretchAtEveryOffset)
{
    struct Stop
    {
        const char* label;
        QByteArray bytes;
        QString read; // what the bytes read as, before "tail"
        int nul;      // where in `bytes` a NUL ends the text, or -1
    };
    const Stop stops[] = {
        {"NUL", QByteArray("\0", 1), QString(), 0},
        {"UTF-8 then NUL", QByteArray("\xC3\xA9\0", 3), QString::fromUtf8("\xC3\xA9"), 2},
        {"UTF-8", "\xC3\xA9", QString::fromUtf8("\xC3\xA9"), -1},
        {"Windows-1252", "\xE9", QString::fromUtf8("\xC3\xA9"), -1},
        {"DEL is plain", "\x7F", QStringLiteral("\x7F"), -1},
        {"nothing", "", QString(), -1},
    };
    for (const Stop& stop : stops) {
        for (int offset = 0; offset <= 40; ++offset) {
            QByteArray plain;
            for (int i = 0; i < offset; ++i)
                plain += "0 1\r\nx"[i % 6];
            const QString expected = QString::fromLatin1(plain) + stop.read +
                                     (stop.nul >= 0 ? QString() : QStringLiteral("tail"));
            for (const Decode& decode : decoders) {
                QString text;
                const qsizetype nul = decode.decode(plain + stop.bytes + "tail", text);
                EXPECT_EQ(text, expected) << decode.name << ", " << stop.label << " at " << offset;
                EXPECT_EQ(nul, stop.nul < 0 ? -1 : offset + stop.nul)
                    << decode.name << ", " << stop.label << " at " << offset;
            }
        }
    }
}

TEST(DataFileDecode, UsesTheMemoryOfTheTextItReplaces)
{
    for (const Decode& decode : decoders) {
        QString text(200, u'x');
        const QChar* memory = text.constData();
        decode.decode(QByteArray(100, 'a'), text);
        EXPECT_EQ(text, QString(100, u'a')) << decode.name;
        EXPECT_EQ(text.constData(), memory) << decode.name;
        const QString shared = text;
        decode.decode("b\xC3\xA9", text);
        EXPECT_EQ(text, QString::fromUtf8("b\xC3\xA9")) << decode.name;
        EXPECT_EQ(shared, QString(100, u'a')) << decode.name;
    }
}

TEST_F(DataFileOnDisk, ReadsAFileThatMayBeMissingWithOneOpen)
{
    QByteArray bytes = "left alone";
    EXPECT_FALSE(DataFile::readBytesIfFile(QStringLiteral("9info.dat"), bytes));
    EXPECT_EQ(bytes, "left alone");
    putBytes(QStringLiteral("1yl.dat"), "25\r\n26\r\n");
    EXPECT_TRUE(DataFile::readBytesIfFile(QStringLiteral("1yl.dat"), bytes));
    EXPECT_EQ(bytes, "25\r\n26\r\n");
}

std::string readMessage(const std::function<void()>& read)
{
    try {
        read();
    } catch (const UserError& error) {
        return error.what();
    }
    return "<read>";
}

// A folder where a card's file should be: reading it as no file would let the
// next posting write the other files before the save of this one fails.
TEST_F(DataFileOnDisk, AFolderInTheFilesPlaceIsAnErrorNotAMissingFile)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("1info.dat")));
    QByteArray bytes = "left alone";
    EXPECT_EQ(readMessage([&] { DataFile::readBytesIfFile(QStringLiteral("1info.dat"), bytes); }),
              "Could not read \"1info.dat\": Is a directory");
    EXPECT_EQ(readMessage([] { DataFile::readBytes(QStringLiteral("1info.dat")); }),
              "Could not read \"1info.dat\": Is a directory");
    EXPECT_EQ(bytes, "left alone");
}

// Nothing the program writes reaches 4 MB; a larger file is refused by its
// size before a byte of it is read, and stays as it is.
TEST_F(DataFileOnDisk, AFileLargerThanAnyDataFileIsRefusedBeforeItIsRead)
{
    const QByteArray justFits(fourMegabytes, 'x');
    putBytes(QStringLiteral("326.dat"), justFits);
    QByteArray bytes;
    EXPECT_TRUE(DataFile::readBytesIfFile(QStringLiteral("326.dat"), bytes));
    EXPECT_EQ(bytes.size(), justFits.size());

    const QByteArray tooLarge = justFits + 'y';
    putBytes(QStringLiteral("CardList.dat"), tooLarge);
    const std::string refusal = "Could not read \"CardList.dat\": it holds 4194305 bytes, more "
                                "than any file this program writes (4 MB). It is left as it is.";
    EXPECT_EQ(
        readMessage([&] { DataFile::readBytesIfFile(QStringLiteral("CardList.dat"), bytes); }),
        refusal);
    EXPECT_EQ(readMessage([] { DataFile::readBytes(QStringLiteral("CardList.dat")); }), refusal);
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat")), tooLarge);
    EXPECT_EQ(QDir().entryList(QDir::Files, QDir::Name), (QStringList{"326.dat", "CardList.dat"}));
}

TEST_F(DataFileOnDisk, AFileThatIsThereButCannotBeReadIsAnErrorNotAMissingFile)
{
    putBytes(QStringLiteral("1yl.dat"), "26\r\n");
    ASSERT_TRUE(QFile::setPermissions(QStringLiteral("1yl.dat"), QFileDevice::Permissions()));
    const ReadOnlyFolder folder(QDir::currentPath());
    const std::string outcome = asUnprivilegedUser([]() -> std::string {
        try {
            QByteArray bytes;
            return DataFile::readBytesIfFile(QStringLiteral("1yl.dat"), bytes) ? "read" : "missing";
        } catch (const UserError& error) {
            return error.what();
        }
    });
    EXPECT_EQ(outcome, "Could not read \"1yl.dat\": Permission denied");
}

TEST_F(DataFileOnDisk, RemoveDeletesAndToleratesAMissingFile)
{
    putBytes(QStringLiteral("3yl.dat"), "26\r\n");
    DataFile::remove(QStringLiteral("3yl.dat"));
    EXPECT_FALSE(DataFile::exists(QStringLiteral("3yl.dat")));
    EXPECT_NO_THROW(DataFile::remove(QStringLiteral("3yl.dat")));
}

// Saves into the working directory as an unprivileged user and returns the
// message it raised, or "saved".
std::string saveAsUnprivilegedUser(const QString& name, const QStringList& lines)
{
    return asUnprivilegedUser([&]() -> std::string {
        try {
            DataFile::writeLines(name, lines);
            return "saved";
        } catch (const UserError& error) {
            return error.what();
        }
    });
}

TEST_F(DataFileOnDisk, AFailedSaveLeavesTheOldFileByteForByte)
{
    const QByteArray old("2\r\n2\r\n0 1 1. Visa Gold\r\n");
    putBytes(QStringLiteral("CardList.dat"), old);
    const auto writable = QFile::permissions(path());
    // Readable and enterable by everyone, writable by no one.
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther |
                                                  QFileDevice::ReadGroup | QFileDevice::ExeGroup));
    const std::string result =
        saveAsUnprivilegedUser(QStringLiteral("CardList.dat"), {QStringLiteral("3")});
    QFile::setPermissions(path(), writable);
    EXPECT_EQ(result, "Could not save \"CardList.dat\": Permission denied");
    EXPECT_EQ(bytesOf(QStringLiteral("CardList.dat")), old);
    EXPECT_EQ(QDir(path()).entryList(QDir::Files), QStringList{QStringLiteral("CardList.dat")});
}

TEST_F(DataFileOnDisk, AFileThatCannotBeReplacedKeepsItsOldText)
{
    // A folder in the file's place cannot be renamed over, whoever runs the test.
    ASSERT_TRUE(QDir(path()).mkdir(QStringLiteral("5bb.dat")));
    ASSERT_TRUE(QDir(path()).mkdir(QStringLiteral("5bb.dat/keep")));
    try {
        DataFile::writeLines(QStringLiteral("5bb.dat"), {QStringLiteral("0 26 0.00")});
        ADD_FAILURE() << "a folder was replaced by a file";
    } catch (const UserError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).startsWith(u"Could not save \"5bb.dat\": "))
            << error.what();
    }
    EXPECT_TRUE(QDir(path()).exists(QStringLiteral("5bb.dat/keep")));
    EXPECT_EQ(QDir(path()).entryList(QDir::Files), QStringList());
}

TEST_F(DataFileOnDisk, AFullDiskStopsTheSaveAndKeepsTheOldBytes)
{
    putBytes(QStringLiteral("126.dat"), "1\r\n1 1 12/1/26\r\n");
    DataFile::failNextWrite(QStringLiteral("126.dat"), ENOSPC);
    try {
        DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("0")});
        ADD_FAILURE() << "the save went through";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Could not save \"126.dat\": No space left on device");
    }
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")), QByteArray("1\r\n1 1 12/1/26\r\n"));
    EXPECT_EQ(QDir(path()).entryList(QDir::Files), QStringList{QStringLiteral("126.dat")});

    // Only the next write failed: the one after it goes through.
    DataFile::writeLines(QStringLiteral("126.dat"), {QStringLiteral("0")});
    EXPECT_EQ(bytesOf(QStringLiteral("126.dat")), QByteArray("0\r\n"));
}

TEST_F(DataFileOnDisk, AFullDiskOnOneFileLeavesTheOthersAlone)
{
    DataFile::failNextWrite(QStringLiteral("1bb.dat"), ENOSPC);
    DataFile::writeLines(QStringLiteral("1yl.dat"), {QStringLiteral("26")});
    EXPECT_THROW(DataFile::writeLines(QStringLiteral("1bb.dat"), {}), UserError);
    EXPECT_EQ(QDir(path()).entryList(QDir::Files), QStringList{QStringLiteral("1yl.dat")});
}

TEST_F(DataFileOnDisk, ACancelledFailureLetsTheWriteThrough)
{
    DataFile::failNextWrite(QStringLiteral("1bb.dat"), ENOSPC);
    DataFile::failNextWrite(QStringLiteral("1bb.dat"), 0);
    EXPECT_NO_THROW(DataFile::writeLines(QStringLiteral("1bb.dat"), {}));
}

// Reading drops a byte order mark at the start of a file, so a first line
// that begins with U+FEFF is written with one more in front.
struct MarkCase
{
    const char* label;
    QStringList lines;
    QByteArray bytes;
};

class ByteOrderMarks : public InTempDir, public testing::WithParamInterface<MarkCase>
{};

TEST_P(ByteOrderMarks, SurviveASaveAndALoad)
{
    DataFile::writeLines(QStringLiteral("1info.dat"), GetParam().lines);
    EXPECT_EQ(bytesOf(QStringLiteral("1info.dat")), GetParam().bytes) << GetParam().label;
    EXPECT_EQ(DataFile::readLines(QStringLiteral("1info.dat")), GetParam().lines)
        << GetParam().label;
}

const QString mark(QChar(0xFEFF));

INSTANTIATE_TEST_SUITE_P(
    FirstLine, ByteOrderMarks,
    testing::Values(MarkCase{"a name that begins with U+FEFF",
                             {mark + QStringLiteral("Visa"), QStringLiteral("x")},
                             "\xEF\xBB\xBF\xEF\xBB\xBF"
                             "Visa\r\nx\r\n"},
                    MarkCase{"U+FEFF at the start of a later line is written once",
                             {QStringLiteral("Visa"), mark + QStringLiteral("x")},
                             "Visa\r\n\xEF\xBB\xBF"
                             "x\r\n"},
                    MarkCase{"no mark, no extra bytes", {QStringLiteral("26")}, "26\r\n"}),
    [](const testing::TestParamInfo<MarkCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(DataFileOnDisk, AFileSavedByAnEditorWithAByteOrderMarkReadsWithoutIt)
{
    putBytes(QStringLiteral("1yl.dat"), "\xEF\xBB\xBF"
                                        "25\r\n26\r\n");
    EXPECT_EQ(DataFile::readLines(QStringLiteral("1yl.dat")), (QStringList{"25", "26"}));
}

// Lines as a plain reading of the rules would split them: at CR LF, a lone CR
// or a lone LF, a last line without a break counting too.
QStringList referenceLines(const QString& text)
{
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines << line;
            line.clear();
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            line += text[i];
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

// A break, or a character close to one in value (tab, form feed, U+FF0D,
// U+800A), stands at every offset of lines long and short.
TEST(LineReader, SplitsAtEveryBreakWhereverItStands)
{
    const char16_t lookalikes[] = {u'\t', u'\f', 0x000B, 0x000E, 0xFF0D, 0x800A, 0x0D0D, 0xFFFF};
    const QString breaks[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r"),
                              QStringLiteral("\n\r"), QStringLiteral("\r\r\n")};
    for (int length = 0; length <= 20; ++length) {
        for (const QString& lineBreak : breaks) {
            for (const char16_t odd : lookalikes) {
                QString text;
                for (int line = 0; line < 3; ++line) {
                    for (int i = 0; i < length; ++i)
                        text +=
                            i == (line * 7) % std::max(length, 1) ? QChar(odd) : QChar(u'a' + i);
                    text += lineBreak;
                }
                text += QString(length, u'z');
                QStringList read;
                DataFile::LineReader reader(text);
                QStringView line;
                while (reader.next(line))
                    read << line.toString();
                ASSERT_EQ(read, referenceLines(text)) << "length " << length << ", break "
                                                      << lineBreak.size() << ", odd " << int(odd);
                ASSERT_EQ(reader.lineNumber(), read.size());
            }
        }
    }
}

TEST(LineReader, HandsOverTheRestAfterTheLinesItGave)
{
    const QString text = QStringLiteral("7\r\n2\r\n0 1 a\r\n");
    DataFile::LineReader reader(text);
    QStringView line;
    reader.next(line);
    EXPECT_EQ(line, u"7");
    EXPECT_EQ(reader.takeRest(), u"2\r\n0 1 a\r\n");
    EXPECT_FALSE(reader.next(line));
    EXPECT_TRUE(reader.takeRest().isEmpty());
}

// The writer's bytes are each line in UTF-8 and CR LF, whatever the line
// holds: ASCII, accents, a character beyond 16 bits, a lone surrogate.
TEST(LineWriter, WritesWhatEncodingEachLineWouldWrite)
{
    const QStringList lines{QStringLiteral("0 1 1. Visa Gold"),
                            QString(),
                            QStringLiteral("2 3 Caf\u00e9 cr\u00e8me \u20ac"),
                            QString::fromUtf16(u"1 4 \U0001F4B3 card"),
                            QString(QChar(0xD800)) + QStringLiteral(" lone"),
                            QString(40, u'x') + QChar(0x00FF)};
    QByteArray expected;
    DataFile::LineWriter writer;
    for (const QString& line : lines) {
        expected += line.toUtf8() + "\r\n";
        writer.addLine(line);
    }
    EXPECT_EQ(writer.finish(), expected);
    EXPECT_EQ(DataFile::encode(lines), expected);

    DataFile::LineWriter numbers;
    numbers.append(-2147483647 - 1);
    numbers.append(u" ");
    numbers.append(1000);
    numbers.endLine();
    EXPECT_EQ(numbers.finish(), QByteArray("-2147483648 1000\r\n"));
}

} // namespace
