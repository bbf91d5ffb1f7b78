#include "core/platform/save_transaction.h"

#include "core/platform/file_history.h"
#include "core/platform/system_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace DataFile {

namespace {

// One staged change: a save (the new bytes wait in `temporary`) or a removal.
struct Change
{
    QString name;
    QString temporary; // empty for a removal
};

struct Staged
{
    int depth = 0;
    std::vector<Change> changes; // in the order the action made them
};

Staged& staged()
{
    static Staged state;
    return state;
}

QByteArray nativeName(const QString& name)
{
    return QFile::encodeName(name);
}

// A temporary file is its target's name, a full stop and six letters or
// digits: "326.dat.Xy12Ab".
constexpr int suffixLength = 7;

QString randomSuffix()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix(QStringLiteral("."));
    for (int i = 1; i < suffixLength; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return suffix;
}

void discardTemporary(const QString& temporary)
{
    ::unlink(nativeName(temporary).constData());
}

// Makes renames and removals in the folder of `name` survive a power cut.
// File systems that cannot sync a folder say so with EINVAL; nothing more
// can be done there.
void syncFolderOf(const QString& name)
{
    const QByteArray folder = nativeName(QFileInfo(name).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

void removeFile(const QString& name)
{
    if (::unlink(nativeName(name).constData()) != 0 && errno != ENOENT)
        throw fileError("delete", name, errno, QString());
}

// Makes the changes in their order: renames each temporary file over its
// target and removes each removed file, then syncs the folder.
void apply(const std::vector<Change>& changes)
{
    for (const Change& change : changes) {
        if (change.temporary.isEmpty())
            removeFile(change.name);
        else if (::rename(nativeName(change.temporary).constData(),
                          nativeName(change.name).constData()) != 0)
            throw fileError("save", change.name, errno, QString());
    }
    if (!changes.empty())
        syncFolderOf(changes.front().name);
}

QByteArray journalText(const std::vector<Change>& changes)
{
    QByteArray text("Quillfen Pursewise journal\r\n");
    for (const Change& change : changes) {
        if (change.temporary.isEmpty())
            text += "delete " + change.name.toUtf8() + "\r\n";
        else
            text += "save " + change.temporary.toUtf8() + "\r\n";
    }
    return text + "commit\r\n";
}

// A name the journal may touch: a file of the data folder itself, never a
// path that leads elsewhere.
bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}

bool isTemporaryName(const QString& name)
{
    static const QRegularExpression suffix(QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    return name.size() > suffixLength && suffix.match(name).hasMatch();
}

// The journal's changes, or false when it is not one this program wrote
// whole: a first line, "save TEMPORARY" and "delete NAME" lines, "commit".
bool parseJournal(const QByteArray& bytes, std::vector<Change>& changes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 3 || !lines.last().isEmpty())
        return false;
    lines.removeLast();
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r'))
            return false;
        line.chop(1);
    }
    if (lines.first() != "Quillfen Pursewise journal" || lines.last() != "commit")
        return false;
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line.startsWith("save ")) {
            const QString temporary = QString::fromUtf8(line.mid(5));
            if (!isPlainName(temporary) || !isTemporaryName(temporary))
                return false;
            changes.push_back({temporary.chopped(suffixLength), temporary});
        } else if (line.startsWith("delete ")) {
            const QString name = QString::fromUtf8(line.mid(7));
            if (!isPlainName(name))
                return false;
            changes.push_back({name, QString()});
        } else {
            return false;
        }
    }
    return true;
}

// Finishes the changes a journal names, if there is one: a save whose
// temporary file is gone was renamed already.
void finishJournal()
{
    QFile file(journalName);
    if (!QFileInfo(journalName).isFile())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw fileError("read", journalName, errno, file.errorString());
    const QByteArray bytes = file.readAll();
    file.close();
    std::vector<Change> changes;
    if (!parseJournal(bytes, changes)) {
        const QString kept = journalName + QStringLiteral(".damaged");
        QFile::remove(kept);
        QFile::rename(journalName, kept);
        throw UserError(QStringLiteral("The unfinished saves listed in %1 could not be read, so "
                                       "they were not finished; the file was kept as %2.")
                            .arg(journalName, kept)
                            .toStdString());
    }
    std::vector<Change> remaining;
    for (const Change& change : changes) {
        if (change.temporary.isEmpty() || QFileInfo(change.temporary).isFile())
            remaining.push_back(change);
    }
    apply(remaining);
    removeFile(journalName);
    syncFolderOf(journalName);
}

void removeLeftoverTemporaries()
{
    const QStringList names = QDir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (!isTemporaryName(name))
            continue;
        const QString target = name.chopped(suffixLength);
        if (target.endsWith(QStringLiteral(".dat")) || target == journalName)
            ::unlink(nativeName(name).constData());
    }
}

std::vector<Change>::iterator findChange(const QString& name)
{
    auto& changes = staged().changes;
    return std::find_if(changes.begin(), changes.end(),
                        [&name](const Change& change) { return change.name == name; });
}

// Replaces what was staged for `name` before, if anything.
void stage(const QString& name, const QString& temporary)
{
    auto& changes = staged().changes;
    if (const auto found = findChange(name); found != changes.end()) {
        if (!found->temporary.isEmpty())
            discardTemporary(found->temporary);
        changes.erase(found);
    }
    changes.push_back({name, temporary});
}

} // namespace

UserError fileError(const char* verb, const QString& name, int error, const QString& fallback)
{
    return UserError(QStringLiteral("Could not %1 \"%2\": %3")
                         .arg(QString::fromLatin1(verb), name, systemReason(error, fallback))
                         .toStdString());
}

QString writeTemporary(const QString& name, const QByteArray& bytes, int injectedError)
{
    // A folder or other odd thing in the file's place fails the save now,
    // before anything is staged, not at the rename.
    struct stat old = {};
    const bool replacing = ::stat(nativeName(name).constData(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))
        throw fileError("save", name, S_ISDIR(old.st_mode) ? EISDIR : EEXIST, QString());

    QString temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = name + randomSuffix();
        fd = ::open(nativeName(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            throw fileError("save", name, errno, QString());
    }
    // The new file keeps the permissions the user gave the old one.
    if (replacing)
        ::fchmod(fd, old.st_mode & 07777);

    int error = 0;
    const char* from = bytes.constData();
    qsizetype left = injectedError != 0 ? bytes.size() / 2 : bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, from, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = written < 0 ? errno : ENOSPC;
            break;
        }
        from += written;
        left -= written;
    }
    if (error == 0)
        error = injectedError;
    // The bytes must be on the disk before any rename can make them the
    // file: a file system may accept a write and fail it only here.
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error != 0) {
        discardTemporary(temporary);
        throw fileError("save", name, error, QString());
    }
    return temporary;
}

void moveIntoPlace(const QString& temporary, const QString& name)
{
    if (::rename(nativeName(temporary).constData(), nativeName(name).constData()) != 0) {
        const int error = errno;
        discardTemporary(temporary);
        throw fileError("save", name, error, QString());
    }
    syncFolderOf(name);
}

Transaction::Transaction() : m_outermost(staged().depth == 0)
{
    ++staged().depth;
}

namespace {

void discardStaged()
{
    if (FileHistory* history = FileHistory::installed())
        history->actionDiscarded();
    for (const Change& change : staged().changes) {
        if (!change.temporary.isEmpty())
            discardTemporary(change.temporary);
    }
    staged().changes.clear();
}

} // namespace

Transaction::~Transaction()
{
    if (--staged().depth > 0)
        return;
    discardStaged();
}

void Transaction::rollback()
{
    discardStaged();
}

void Transaction::commit()
{
    if (!m_outermost)
        return;
    std::vector<Change>& changes = staged().changes;
    // A journal that an earlier commit could not finish goes first, so the
    // files change in the order the actions changed them.
    finishJournal();
    FileHistory* history = FileHistory::installed();
    if (changes.empty()) {
        if (history)
            history->actionDiscarded();
        return;
    }
    if (changes.size() == 1 && !changes.front().temporary.isEmpty()) {
        // One save is atomic by itself.
        const Change change = changes.front();
        changes.clear();
        moveIntoPlace(change.temporary, change.name);
        if (history)
            history->actionCommitted();
        return;
    }
    const QString journal = writeTemporary(journalName, journalText(changes), 0);
    moveIntoPlace(journal, journalName);
    // From here the journal finishes the changes even after a crash: the
    // staged files are no longer this transaction's to throw away.
    const std::vector<Change> committed = std::move(changes);
    changes.clear();
    apply(committed);
    removeFile(journalName);
    syncFolderOf(journalName);
    if (history)
        history->actionCommitted();
}

void recover()
{
    finishJournal();
    removeLeftoverTemporaries();
}

namespace Staging {

bool active()
{
    return staged().depth > 0;
}

Pending pending(const QString& name, QString& path)
{
    if (staged().changes.empty())
        return Pending::None;
    const auto found = findChange(name);
    if (found == staged().changes.end())
        return Pending::None;
    path = found->temporary;
    return path.isEmpty() ? Pending::Removed : Pending::Written;
}

void stageWrite(const QString& name, const QString& temporary)
{
    stage(name, temporary);
}

void stageRemove(const QString& name)
{
    // A folder the user may not change fails the removal now, as it would
    // have failed at once without the transaction.
    const QByteArray folder = nativeName(QFileInfo(name).absolutePath());
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        throw fileError("delete", name, errno, QString());
    if (QFileInfo(name).isDir())
        throw fileError("delete", name, EISDIR, QString());
    stage(name, QString());
}

} // namespace Staging

} // namespace DataFile
