#pragma once

#include <QFile>
#include <QString>

#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Runs `attempt` as an unprivileged user and returns the text it gave back.
// Root ignores permission bits, so when the tests run as root the attempt runs
// in a child process that drops to "nobody" and reports through a pipe; what
// it changed in memory stays in the child.
inline std::string asUnprivilegedUser(const std::function<std::string()>& attempt)
{
    if (geteuid() != 0)
        return attempt();
    int channel[2];
    if (pipe(channel) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const std::string result = setgid(65534) == 0 && setuid(65534) == 0 ? attempt() : "no drop";
        const ssize_t written = write(channel[1], result.data(), result.size());
        _exit(written == ssize_t(result.size()) ? 0 : 1);
    }
    close(channel[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, std::size_t(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return result;
}

// Gives `folder` other permissions for as long as it lives.
class FolderPermissions
{
public:
    FolderPermissions(const QString& folder, QFileDevice::Permissions permissions)
        : m_folder(folder), m_permissions(QFile::permissions(folder))
    {
        QFile::setPermissions(folder, permissions);
    }
    ~FolderPermissions() { QFile::setPermissions(m_folder, m_permissions); }
    FolderPermissions(const FolderPermissions&) = delete;
    FolderPermissions& operator=(const FolderPermissions&) = delete;

private:
    QString m_folder;
    QFileDevice::Permissions m_permissions;
};

// Readable and enterable by everyone, writable by no one.
class ReadOnlyFolder : public FolderPermissions
{
public:
    explicit ReadOnlyFolder(const QString& folder)
        : FolderPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                        QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                        QFileDevice::ReadOther | QFileDevice::ExeOther)
    {}
};

// Writable by everyone, so that a test that runs as "nobody" can make and
// remove files in it.
class FolderOpenToAll : public FolderPermissions
{
public:
    explicit FolderOpenToAll(const QString& folder)
        : FolderPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                        QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                        QFileDevice::ReadOther | QFileDevice::WriteOther |
                                        QFileDevice::ExeOther)
    {}
};
