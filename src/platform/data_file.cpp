#include "platform/data_file.h"

#include "platform/backup.h"
#include "platform/user_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>
#include <cerrno>
#include <cstring>
#include <map>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes it
// leaves undefined map to the C1 control of the same value.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

// The reason the system gave for the last failure: "No space left on device".
QString systemReason(int error, const QString& fallback)
{
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : fallback;
}

UserError fileError(const char* verb, const QString& name, const QString& reason)
{
    return UserError(QStringLiteral("Could not %1 \"%2\": %3")
                         .arg(QString::fromLatin1(verb), name, reason)
                         .toStdString());
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

} // namespace

namespace DataFile {

bool exists(const QString& name)
{
    return QFileInfo(name).isFile();
}

QString decode(const QByteArray& raw)
{
    const qsizetype nul = raw.indexOf('\0');
    const QByteArray bytes = nul < 0 ? raw : raw.left(nul);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QByteArray readBytes(const QString& name)
{
    QFile file(name);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw fileError("read", name, systemReason(errno, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw fileError("read", name, systemReason(errno, file.errorString()));
    return bytes;
}

QStringList readLines(const QString& name)
{
    return splitLines(decode(readBytes(name)));
}

QByteArray encode(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    // Reading drops one byte order mark at the start of a file, so a first
    // line that itself begins with U+FEFF gets one more in front of it.
    if (bytes.startsWith(utf8Bom))
        bytes.prepend(utf8Bom);
    return bytes;
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
    QSaveFile file(name);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw fileError("save", name, systemReason(errno, file.errorString()));
    if (const int error = takeInjectedFailure(name); error != 0) {
        // Half the text reaches the temporary file before the disk is full.
        file.write(bytes.left(bytes.size() / 2));
        file.cancelWriting();
        throw fileError("save", name, systemReason(error, QString()));
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = systemReason(errno, file.errorString());
        file.cancelWriting();
        throw fileError("save", name, reason);
    }
    errno = 0;
    if (!file.commit())
        throw fileError("save", name, systemReason(errno, file.errorString()));
}

void remove(const QString& name)
{
    QFile file(name);
    if (!file.exists())
        return;
    DailyBackup::beforeChange();
    errno = 0;
    if (!file.remove())
        throw fileError("delete", name, systemReason(errno, file.errorString()));
}

} // namespace DataFile
