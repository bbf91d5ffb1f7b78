#pragma once

#include <QString>
#include <QStringList>

// Whole-file access to the data files in the working directory. A file is read
// whole into lines and written whole from lines; nothing is ever appended.
//
// Writing puts CR LF after every line and encodes UTF-8. It is atomic: the new
// text goes to a temporary file that is renamed over the old one, so a failed
// or interrupted save leaves the previous file as it was. The first write or
// removal of a day first makes the day's backup of the folder (backup.h).
//
// Reading splits at CR LF, a lone CR or a lone LF; a last line without a break
// still counts, and a NUL byte ends the text (the loaders refuse such a file
// first, see grid_file.h). Bytes that are not valid UTF-8
// are read as Windows-1252, the 8-bit text of older installs.
namespace DataFile {

bool exists(const QString& name);

// No data file of this program grows past 4 MB (1000 ledger rows of long
// descriptions stay far below); a larger file is refused before it is read.
inline constexpr qint64 largestFile = 4 * 1024 * 1024;

// Raises "Could not read "<name>": <reason>" when the file cannot be read:
// a folder of that name gives "Is a directory", a file above largestFile
// a reason naming its size.
QStringList readLines(const QString& name);
QByteArray readBytes(const QString& name);
// The same for a file that may be missing: false when there is nothing of
// that name. One open instead of a look first and an open after.
bool readBytesIfFile(const QString& name, QByteArray& bytes);

// The line, from 1, that holds the byte at `offset`, with the line breaks
// counted as reading splits them.
qsizetype lineOfOffset(const QByteArray& bytes, qsizetype offset);

// Writes the bytes as they are, atomically like writeLines.
void writeBytes(const QString& name, const QByteArray& bytes);

// Raises "Could not save "<name>": <reason>" when the file cannot be written;
// the old file, if any, is then untouched.
void writeLines(const QString& name, const QStringList& lines);

// Removes the file if it is there. Raises "Could not delete "<name>": <reason>"
// when it is there and stays.
void remove(const QString& name);

// Walks the lines of a decoded text as views into it, split as readLines
// splits them, without making a string of each line.
class LineReader
{
public:
    explicit LineReader(QStringView text);

    // The next line, or false after the last one.
    bool next(QStringView& line);
    // The number, from 1, of the line `next` gave last.
    qsizetype lineNumber() const { return m_number; }
    // The text after the lines given so far; the reader is then at its end.
    QStringView takeRest();

private:
    QStringView m_text;
    qsizetype m_position = 0;
    qsizetype m_number = 0;
};

// Builds a data file's bytes line by line, as writeLines writes them, without
// a string for each line.
class LineWriter
{
public:
    void append(QStringView text);
    void append(int number);
    void endLine();
    void addLine(QStringView line);
    // The file's bytes. A first line that itself begins with U+FEFF gets one
    // more in front, since reading drops one byte order mark.
    QByteArray finish();

private:
    // Room for `count` more bytes at the end of what is written.
    char* room(qsizetype count)
    {
        if (m_size + count > m_bytes.size())
            grow(m_size + count);
        return m_bytes.data() + m_size;
    }
    void grow(qsizetype needed);

    // Written bytes are the first m_size; the rest is room, doubled as needed.
    QByteArray m_bytes;
    qsizetype m_size = 0;
};

// The pieces of readLines and writeLines, for tests and for files read some
// other way.
QString decode(const QByteArray& bytes);
// The same into `text`, whose memory serves again when it is text's own and
// large enough: a 1000-entry year read again needs no new 130 KB. Returns
// where the first NUL byte stands, which ends the text, or -1 for none.
qsizetype decodeInto(const QByteArray& bytes, QString& text);
QStringList splitLines(const QString& text);
QByteArray encode(const QStringList& lines);

// For tests: the next write of `name` fails part-way, as on a full disk, with
// the system's text for `error` ("No space left on device"). The file keeps
// its old bytes, and the write after that succeeds again. An error of 0
// cancels a failure that has not happened yet.
void failNextWrite(const QString& name, int error);

} // namespace DataFile
