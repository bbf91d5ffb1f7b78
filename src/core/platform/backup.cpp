#include "core/platform/backup.h"

#include "core/platform/clock.h"
#include "core/platform/messages.h"
#include "core/platform/system_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <exception>

namespace {

const QString backupFolder = QStringLiteral("backup");
const QString partialSuffix = QStringLiteral(".partial");

// The folder and day of the last attempt, so that each day backs up once.
struct Attempt
{
    QString folder;
    QDate day;
};

Attempt& lastAttempt()
{
    static Attempt attempt;
    return attempt;
}

// Copies one file; an empty text when it worked, else the reason.
QString copyFile(const QString& from, const QString& to)
{
    QFile source(from);
    errno = 0;
    if (!source.open(QIODevice::ReadOnly))
        return systemReason(errno, source.errorString());
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return systemReason(errno, source.errorString());
    QFile copy(to);
    errno = 0;
    if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return systemReason(errno, copy.errorString());
    if (copy.write(bytes) != bytes.size() || !copy.flush())
        return systemReason(errno, copy.errorString());
    copy.close();
    if (copy.error() != QFileDevice::NoError)
        return systemReason(errno, copy.errorString());
    return {};
}

// Day folders beyond the newest `keptDays`, and copies left half made by an
// earlier day, go. Only folders named like a day are ever touched, never a
// link, never today's.
void prune(const QDir& backups, const QString& today)
{
    static const QRegularExpression dayName(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    static const QRegularExpression partialName(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}\\.partial$"));
    QStringList days;
    const QFileInfoList entries =
        backups.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            continue;
        if (dayName.match(entry.fileName()).hasMatch())
            days.append(entry.fileName());
        else if (partialName.match(entry.fileName()).hasMatch() &&
                 entry.fileName() != today + partialSuffix)
            QDir(entry.filePath()).removeRecursively();
    }
    for (qsizetype i = 0; i + DailyBackup::keptDays < days.size(); ++i) {
        if (days[i] != today)
            QDir(backups.filePath(days[i])).removeRecursively();
    }
}

} // namespace

namespace DailyBackup {

QString dayFolderName(const QDate& day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

QString makeBackup(const QString& folder, const QDate& day)
{
    const QDir data(folder);
    const QStringList files =
        data.entryList({QStringLiteral("*.dat")}, QDir::Files | QDir::Hidden, QDir::Name);
    const QString name = dayFolderName(day);
    const QString shown = backupFolder + u'/' + name;
    const QDir backups(data.filePath(backupFolder));
    if (files.isEmpty() || backups.exists(name))
        return {};

    auto failure = [&](const QString& reason) {
        return QStringLiteral("Could not back up the data files into \"%1\": %2. Saving goes on "
                              "without today's backup.")
            .arg(shown, reason);
    };
    const QString partial = name + partialSuffix;
    if (backups.exists(partial) && !QDir(backups.filePath(partial)).removeRecursively())
        return failure(QStringLiteral("an unfinished copy could not be removed"));
    errno = 0;
    if (!data.mkpath(backupFolder + u'/' + partial))
        return failure(systemReason(errno, QStringLiteral("the folder could not be made")));
    const QDir target(backups.filePath(partial));
    for (const QString& file : files) {
        const QString reason = copyFile(data.filePath(file), target.filePath(file));
        if (!reason.isEmpty()) {
            QDir(target).removeRecursively();
            return failure(reason);
        }
    }
    errno = 0;
    if (!QDir(backups).rename(partial, name)) {
        QDir(target).removeRecursively();
        return failure(systemReason(errno, QStringLiteral("the copy could not be renamed")));
    }
    prune(backups, name);
    return {};
}

void beforeChange()
{
    const QString folder = QDir::currentPath();
    const QDate day = Clock::today();
    Attempt& last = lastAttempt();
    if (last.folder == folder && last.day == day)
        return;
    last = {folder, day};
    QString failure;
    try {
        failure = makeBackup(folder, day);
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    if (!failure.isEmpty())
        showMessage(failure);
}

} // namespace DailyBackup
