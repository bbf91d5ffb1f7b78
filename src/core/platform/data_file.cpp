#include "core/platform/data_file.h"

#include "core/platform/backup.h"
#include "core/platform/file_history.h"
#include "core/platform/save_transaction.h"
#include "core/platform/user_error.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <map>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes it
// leaves undefined map to the C1 control of the same value.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

// The writes a test has asked to fail, by file name, with their errno.
std::map<QString, int>& injectedFailures()
{
    static std::map<QString, int> failures;
    return failures;
}

int takeInjectedFailure(const QString& name)
{
    auto& failures = injectedFailures();
    const auto found = failures.find(name);
    if (found == failures.end())
        return 0;
    const int error = found->second;
    failures.erase(found);
    return error;
}

constexpr char utf8Bom[] = "\xEF\xBB\xBF";

// Where the bytes of `name` are now: the file itself, or the new bytes an
// open transaction has staged for it; false when the transaction removed it.
bool currentPath(const QString& name, QString& path)
{
    switch (DataFile::Staging::pending(name, path)) {
    case DataFile::Staging::Pending::Written:
        return true;
    case DataFile::Staging::Pending::Removed:
        return false;
    case DataFile::Staging::Pending::None:
        break;
    }
    path = name;
    return true;
}

} // namespace

namespace DataFile {

bool exists(const QString& name)
{
    QString path;
    return currentPath(name, path) && QFileInfo(path).isFile();
}

QString decode(const QByteArray& bytes)
{
    QString text;
    decodeInto(bytes, text);
    return text;
}

qsizetype decodeInto(const QByteArray& raw, QString& text)
{
    // The text before the first NUL, decoded as UTF-8 (Qt's decoder copies
    // plain ASCII as it is) or, failing that, as Windows-1252.
    const qsizetype nul = raw.indexOf('\0');
    const QByteArrayView bytes = QByteArrayView(raw).first(nul < 0 ? raw.size() : nul);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const qsizetype room = utf8.requiredSpace(bytes.size());
    if (text.isDetached() && text.capacity() >= room)
        text.resize(room);
    else
        text = QString(room, Qt::Uninitialized);
    const QChar* end = utf8.appendToBuffer(text.data(), bytes);
    if (utf8.hasError())
        text = fromWindows1252(bytes);
    else
        text.resize(end - text.constData());
    return nul;
}

LineReader::LineReader(QStringView text) : m_text(text) {}

QStringView LineReader::takeRest()
{
    const QStringView rest = m_text.mid(std::min(m_position, m_text.size()));
    m_position = m_text.size();
    return rest;
}

bool LineReader::next(QStringView& line)
{
    if (m_position >= m_text.size())
        return false;
    ++m_number;
    const QStringView rest = m_text.sliced(m_position);
    const auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    line = rest.first(std::find_if(rest.begin(), rest.end(), isBreak) - rest.begin());
    m_position += line.size();
    // Past the break: CR LF, a lone CR or a lone LF.
    if (m_position < m_text.size())
        m_position += m_text.sliced(m_position).startsWith(u"\r\n") ? 2 : 1;
    return true;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    LineReader reader(text);
    QStringView line;
    while (reader.next(line))
        lines.append(line.toString());
    return lines;
}

namespace {

void readOpened(const QString& name, QFile& file, QByteArray& bytes)
{
    // Checked before the read: a file larger than any this program writes is
    // no data file of it, and reading 50 MB of it whole would only stall.
    if (const qint64 size = file.size(); size > largestFile)
        throw UserError(QStringLiteral("Could not read \"%1\": it holds %2 bytes, more than any "
                                       "file this program writes (4 MB). It is left as it is.")
                            .arg(name)
                            .arg(size)
                            .toStdString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw fileError("read", name, errno, file.errorString());
}

} // namespace

bool readBytesIfFile(const QString& name, QByteArray& bytes)
{
    QString path;
    if (!currentPath(name, path))
        return false;
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const int error = errno;
        const QFileInfo info(name);
        if (!info.exists())
            return false;
        // A folder in the file's place is no missing file: the card's next
        // save would fail on it after the files before it were written.
        throw fileError("read", name, info.isDir() ? EISDIR : error, file.errorString());
    }
    readOpened(name, file, bytes);
    return true;
}

QByteArray readBytes(const QString& name)
{
    QString path;
    if (!currentPath(name, path))
        throw fileError("read", name, ENOENT, QString());
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const int error = QFileInfo(name).isDir() ? EISDIR : errno;
        throw fileError("read", name, error, file.errorString());
    }
    QByteArray bytes;
    readOpened(name, file, bytes);
    return bytes;
}

qsizetype lineOfOffset(const QByteArray& bytes, qsizetype offset)
{
    // Line breaks as splitLines counts them: CR LF, a lone CR, a lone LF.
    qsizetype line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    }
    return line;
}

QStringList readLines(const QString& name)
{
    return splitLines(decode(readBytes(name)));
}

void LineWriter::grow(qsizetype needed)
{
    m_bytes.resize(std::max(needed, std::max<qsizetype>(256, m_bytes.size() * 2)));
}

void LineWriter::append(QStringView text)
{
    // Data files are mostly ASCII, which is its own UTF-8: copied byte for
    // byte. Anything else goes through Qt's encoder.
    const char16_t* chars = text.utf16();
    const qsizetype size = text.size();
    char* out = room(size);
    char16_t high = 0;
    for (qsizetype i = 0; i < size; ++i) {
        high |= chars[i];
        out[i] = char(chars[i]);
    }
    if (high < 0x80) {
        m_size += size;
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    std::memcpy(room(utf8.size()), utf8.constData(), std::size_t(utf8.size()));
    m_size += utf8.size();
}

void LineWriter::append(int number)
{
    char* out = room(12);
    m_size += std::to_chars(out, out + 12, number).ptr - out;
}

void LineWriter::endLine()
{
    char* out = room(2);
    out[0] = '\r';
    out[1] = '\n';
    m_size += 2;
}

void LineWriter::addLine(QStringView line)
{
    append(line);
    endLine();
}

QByteArray LineWriter::finish()
{
    m_bytes.resize(m_size);
    if (m_bytes.startsWith(utf8Bom))
        m_bytes.prepend(utf8Bom);
    m_size = 0;
    return std::move(m_bytes);
}

QByteArray encode(const QStringList& lines)
{
    LineWriter writer;
    for (const QString& line : lines)
        writer.addLine(line);
    return writer.finish();
}

void writeLines(const QString& name, const QStringList& lines)
{
    writeBytes(name, encode(lines));
}

void failNextWrite(const QString& name, int error)
{
    if (error == 0)
        injectedFailures().erase(name);
    else
        injectedFailures()[name] = error;
}

void writeBytes(const QString& name, const QByteArray& bytes)
{
    DailyBackup::beforeChange();
    const QString temporary = writeTemporary(name, bytes, takeInjectedFailure(name));
    if (!Staging::active()) {
        moveIntoPlace(temporary, name);
        return;
    }
    Staging::stageWrite(name, temporary);
    if (FileHistory* history = FileHistory::installed())
        history->noteChange(name, bytes);
}

void remove(const QString& name)
{
    QString path;
    if (!currentPath(name, path) || !QFileInfo::exists(path))
        return;
    DailyBackup::beforeChange();
    if (Staging::active()) {
        Staging::stageRemove(name);
        if (FileHistory* history = FileHistory::installed())
            history->noteChange(name, std::nullopt);
        return;
    }
    QFile file(name);
    errno = 0;
    if (!file.remove())
        throw fileError("delete", name, errno, file.errorString());
}

} // namespace DataFile
